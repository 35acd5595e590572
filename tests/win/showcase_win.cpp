// A window with the program's labels, links and a shown hover tip, for a screenshot of the real
// rendering under Wine. Usage: win_showcase READY_FILE DONE_FILE
// Writes READY_FILE once everything is painted, then runs until DONE_FILE appears (at most 20 s).
#include "win/dpi_scale.h"
#include "win/link_label.h"
#include "res/resource.h"
#include "view/hover_tip.h"
#include "win/dialog.h"
#include "win/text.h"

#include <string>

namespace {

class Showcase : public Window {
public:
    ColorLabel dateLine, caption;
    LinkLabel prevLink, nextLink, todayLink, headline, hovered;
    LinkLabel swatches[3];
    HoverTip tip;
    Dialog memoDialog, exitDialog;

    bool Open() {
        Register(L"LunoriaShowcase", 0, LoadCursorW(nullptr, IDC_ARROW), GetSysColorBrush(COLOR_BTNFACE));
        if (!Create(L"LunoriaShowcase", WS_POPUP | WS_VISIBLE, WS_EX_APPWINDOW, {20, 20, 420, 300}, nullptr, 0,
                    "日历2.162"))
            return false;
        const COLORREF navBack = RGB(50, 80, 90), navText = RGB(189, 183, 107);
        const COLORREF face = GetSysColor(COLOR_BTNFACE);
        prevLink.Create({175, 3, 205, 20}, hwnd, IDC_PREV_LINK, navBack, navText, 100, "楷体_gb2312", kBaseDpi);
        nextLink.Create({215, 3, 245, 20}, hwnd, IDC_NEXT_LINK, navBack, navText, 100, "楷体_gb2312", kBaseDpi);
        todayLink.Create({255, 3, 285, 20}, hwnd, IDC_TODAY_LINK, navBack, navText, 100, "楷体_gb2312", kBaseDpi);
        dateLine.Create({10, 40, 330, 60}, hwnd, 1, face, RGB(0, 0, 0), 90, "Arial", kBaseDpi);
        caption.Create({10, 80, 330, 100}, hwnd, 2, RGB(255, 255, 255), RGB(0, 128, 0), 120, "宋体", kBaseDpi);
        headline.Create({2, 260, 190, 278}, hwnd, IDC_HEADLINE_LINK, face, RGB(0, 0, 208), 110, "宋体", kBaseDpi);
        hovered.Create({10, 200, 100, 220}, hwnd, 3, face, RGB(0, 0, 208), 110, "宋体", kBaseDpi);
        const COLORREF marks[3] = {RGB(255, 0, 0), RGB(0, 160, 0), RGB(0, 0, 255)};
        for (int i = 0; i < 3; ++i)
            swatches[i].Create({340, 40 + 30 * i, 365, 60 + 30 * i}, hwnd, 1049 + i, face, marks[i], 120, "楷体_gb2312",
                               kBaseDpi);

        prevLink.SetText("上月", true);
        nextLink.SetText("下月", true);
        todayLink.SetText("返回", true);
        dateLine.SetText("2006年1月29日星期日农历正月初一", true);
        caption.SetText("丙戌年【狗年】\r\n两行：A&B", true);
        headline.SetText("今日头条：农历新年快乐", true);
        hovered.SetText("悬停的链接", true);
        for (auto& s : swatches)
            s.SetText("■", true);

        tip.Create(hwnd);
        memoDialog.CreateModeless(IDD_MEMO_EDIT, hwnd);
        SetWindowPos(memoDialog.Handle(), nullptr, 440, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        memoDialog.SetItemText(IDC_ONE_TIME_EDIT, "买年货\r\n& 给父母打电话");
        memoDialog.Show(SW_SHOWNOACTIVATE);
        exitDialog.CreateModeless(IDD_EXIT, hwnd);
        SetWindowPos(exitDialog.Handle(), nullptr, 440, 330, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        exitDialog.Show(SW_SHOWNOACTIVATE);
        // As at start-up: the main window moves after the tip exists.
        MoveWindow(hwnd, 20, 20, 400, 280, TRUE);
        tip.SetTipText("每周三：开会\r\n春节 A&B\r\n生日快乐，记得买蛋糕", {150, 150}, kBaseDpi);
        tip.Show(SW_SHOW);
        // The pointer over the link, last, so no later window change takes the capture away.
        POINT p{12, 5};
        ClientToScreen(hovered.Handle(), &p);
        SetCursorPos(p.x, p.y);
        SendMessageW(hovered.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(12, 5));
        return true;
    }

protected:
    LRESULT OnPaint() override {
        PaintScope ps(hwnd);
        RECT band{0, 0, 400, 25};
        Brush b(CreateSolidBrush(RGB(50, 80, 90)));
        FillRect(ps.Dc(), &band, b.Get());
        return 0;
    }
    LRESULT OnEraseBackground(HDC dc) override {
        RECT r = ClientRect();
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
};

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void Pump(DWORD ms) {
    DWORD start = GetTickCount();
    MSG m;
    while (GetTickCount() - start < ms) {
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
        Sleep(10);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    Showcase window;
    if (!window.Open()) return 1;
    Pump(500);
    HANDLE ready = CreateFileW(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (ready == INVALID_HANDLE_VALUE) return 1;
    CloseHandle(ready);
    for (int i = 0; i < 200 && !Exists(argv[2]); ++i)
        Pump(100);
    return Exists(argv[2]) ? 0 : 3;
}
