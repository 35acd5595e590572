#include "memo/memo_dlg_parts.h"

#include "win/font.h"
#include "win/text.h"
#include "win/window.h"

#include <commdlg.h>

HWND CreateCaption(HWND dialog, int id, const RECT& r, const std::string& text, HFONT font) {
    // Made hidden and shown after the font is set, so it never paints in the system font first.
    HWND caption = CreateWindowExW(0, L"STATIC", ToWide(text).c_str(), WS_CHILD | SS_LEFT, r.left, r.top,
                                   r.right - r.left, r.bottom - r.top, dialog,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Window::Instance(), nullptr);
    if (!caption) return nullptr;
    SendMessageW(caption, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    ShowWindow(caption, SW_SHOW);
    return caption;
}

bool ChooseMemoColor(HWND owner, const COLORREF (&custom)[16], COLORREF* chosen) {
    COLORREF table[16];
    for (int i = 0; i < 16; ++i)
        table[i] = custom[i];
    CHOOSECOLORW choice{};
    choice.lStructSize = sizeof choice;
    // Owned by the memo dialog: while it runs, "确定" of the dialog underneath cannot be pressed.
    choice.hwndOwner = owner;
    choice.lpCustColors = table;
    if (!ChooseColorW(&choice)) return false;
    *chosen = choice.rgbResult;
    return true;
}

void ShowSaveFailure(HWND dialog, const std::string& message) {
    MessageBoxW(dialog, ToWide(message).c_str(), L"记事没有保存", MB_OK | MB_ICONWARNING);
}

Font CaptionFont() {
    return CreatePointFont(90, "Arial", GB2312_CHARSET);
}
