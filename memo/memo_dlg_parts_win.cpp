#include "memo/memo_dlg_parts.h"

#include "memo/memo_store.h"
#include "win/dpi.h"
#include "win/font.h"
#include "win/lazy_dll.h"
#include "win/text.h"
#include "win/window.h"

#include <commdlg.h>

#include <algorithm>
#include <iterator>

RECT DrawnRect(HWND dialog, const RECT& drawn) {
    RECT units{0, 0, 4, 8}; // one base unit each way
    if (!MapDialogRect(dialog, &units) || units.right <= 0 || units.bottom <= 0) return drawn;
    auto x = [&](LONG v) { return MulDiv(v, units.right, 8); };
    auto y = [&](LONG v) { return MulDiv(v, units.bottom, 20); };
    return RECT{x(drawn.left), y(drawn.top), x(drawn.right), y(drawn.bottom)};
}

HWND CreateCaption(HWND dialog, int id, const RECT& drawn, const std::string& text, HFONT font) {
    RECT r = DrawnRect(dialog, drawn);
    // Made hidden and shown after the font is set, so it never paints in the system font first.
    HWND caption = CreateWindowExW(0, L"STATIC", ToWide(text).c_str(), WS_CHILD | SS_LEFT, r.left, r.top,
                                   r.right - r.left, r.bottom - r.top, dialog,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Window::Instance(), nullptr);
    if (!caption) return nullptr;
    KeepOwnFont(caption);
    SetCaptionFont({caption}, font);
    ShowWindow(caption, SW_SHOW);
    return caption;
}

// The dialog's base units grow a little less than its DPI, a point-size font exactly as much: at a
// large scale a caption that just fitted at 96 DPI would wrap its last character out of sight. It is
// made as wide as its text then; never narrower than drawn.
void SetCaptionFont(std::initializer_list<HWND> captions, HFONT font) {
    for (HWND caption : captions) {
        if (!caption) continue;
        SendMessageW(caption, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        std::wstring text = WindowTextOf(caption);
        RECT r{};
        GetClientRect(caption, &r);
        SIZE extent{};
        WindowDc dc(caption);
        SelectScope selectFont(dc.Dc(), font);
        if (GetTextExtentPoint32W(dc.Dc(), text.c_str(), static_cast<int>(text.size()), &extent) && extent.cx > r.right)
            SetWindowPos(caption, nullptr, 0, 0, extent.cx, r.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void MakeRoomAfter(HWND caption, ColorLabel& swatch, HWND edit, int dpi) {
    if (!caption || !swatch.Handle()) return;
    const int gap = Scaled(4, dpi);
    const RECT c = RectInParent(caption);
    if (c.right + gap > swatch.Rect().left) swatch.Rescale(c.right + gap, swatch.Rect().top, dpi);
    if (!edit) return;
    const RECT e = RectInParent(edit);
    const int left = swatch.Rect().right + gap;
    if (left > e.left && left < e.right)
        SetWindowPos(edit, nullptr, left, e.top, e.right - left, e.bottom - e.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool ChooseMemoColor(HWND owner, std::initializer_list<COLORREF> present, LinkLabel& swatch, uint32_t* memoColor) {
    COLORREF table[16];
    std::fill(std::begin(table), std::end(table), RGB(255, 255, 255));
    std::copy_n(present.begin(), std::min<size_t>(present.size(), 16), table);
    CHOOSECOLORW choice{};
    choice.lStructSize = sizeof choice;
    // Owned by the memo dialog: while it runs, "确定" of the dialog underneath cannot be pressed.
    choice.hwndOwner = owner;
    choice.lpCustColors = table;
    // comdlg32 (and the printing DLLs it brings) loads the first time a colour is chosen.
    static const auto choose = LazyFunction<decltype(&ChooseColorW)>(L"comdlg32.dll", "ChooseColorW");
    if (!choose || !choose(&choice)) return false;
    const COLORREF chosen = choice.rgbResult & 0x00FFFFFF;
    *memoColor = chosen | MEMO_CUSTOM_COLOR;
    swatch.SetTextColor(chosen);
    return true;
}

void ShowSaveFailure(HWND dialog, const std::string& message) {
    const std::string text = message.empty() ? std::string("记事没有保存。") : message;
    MessageBoxW(dialog, ToWide(text).c_str(), L"记事没有保存", MB_OK | MB_ICONWARNING);
}

void ShowMergeNotice(HWND dialog, const std::string& message) {
    if (!message.empty())
        MessageBoxW(dialog, ToWide(message).c_str(), L"两处的记事都保留了", MB_OK | MB_ICONINFORMATION);
}

Font CaptionFont(int dpi) {
    return CreatePointFont(90, "Arial", dpi, GB2312_CHARSET);
}
