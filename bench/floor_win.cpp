// The floor of the calendar's start-up: the smallest program with exactly the platform parts the
// calendar must have. A 363 x 278 popup with the two drop-down lists filled with the 150 years and
// 12 months in 宋体, Common Controls 6 and the calendar's display-scale settings by manifest, the
// shell's documents folder, and one painted text; LUNORIA_READY_FILE is written after its first
// paint. bench/startup.sh compares the calendar with it. Not shipped.
#include "app/startup_timeline.h"

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool painted = false;
HFONT font = nullptr;

LRESULT CALLBACK FloorProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: {
        if (!painted) StartupMark("paint");
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT band{0, 0, 363, 25};
        FillRect(dc, &band, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        HGDIOBJ previous = SelectObject(dc, font);
        TextOutW(dc, 4, 240, L"\u4e19\u5348\u3010\u9a6c\u3011\u5e74", 6); // 丙午【马】年
        SelectObject(dc, previous);
        EndPaint(hwnd, &ps);
        if (!painted) {
            painted = true;
            WriteStartupReadyFile();
        }
        return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

HWND MakeList(HWND parent, int x, int width, int id) {
    HWND list = CreateWindowExW(0, L"ComboBox", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN, x, 0, width,
                                200, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return list;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    StartupMark("main");
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    wchar_t documents[MAX_PATH];
    SHGetSpecialFolderPathW(nullptr, documents, CSIDL_PERSONAL, FALSE);

    WNDCLASSW wc{};
    wc.lpfnWndProc = FloorProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"LunoriaFloor";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(WS_EX_APPWINDOW, wc.lpszClassName, L"floor", WS_POPUP, 500, 300, 363, 278, nullptr,
                                nullptr, instance, nullptr);
    if (!hwnd) return 1;
    LOGFONTW lf{};
    lf.lfHeight = -13;
    lf.lfCharSet = DEFAULT_CHARSET;
    wcscpy(lf.lfFaceName, L"\u5b8b\u4f53"); // 宋体
    font = CreateFontIndirectW(&lf);
    HWND years = MakeList(hwnd, 8, 62, 1034);
    HWND months = MakeList(hwnd, 80, 48, 1035);
    for (int m = 1; m <= 12; ++m)
        SendMessageW(months, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>((std::to_wstring(m) + L"\u6708").c_str()));
    for (int y = 1900; y < 2050; ++y)
        SendMessageW(years, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>((std::to_wstring(y) + L"\u5e74").c_str()));
    SendMessageW(years, CB_SETCURSEL, 126, 0);
    SendMessageW(months, CB_SETCURSEL, 11, 0);
    StartupMark("window");
    ShowWindow(hwnd, SW_SHOW);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
