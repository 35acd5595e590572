// The smallest Win32 window program, for comparing start-up times under the same conditions as the
// calendar: one window, and LUNORIA_READY_FILE written after its first paint.
#include "app/startup_timeline.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

bool painted = false;

LRESULT CALLBACK MinimalProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: {
        if (!painted) StartupMark("paint");
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT r{0, 0, 363, 25};
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
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

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    StartupMark("main");
    WNDCLASSW wc{};
    wc.lpfnWndProc = MinimalProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"LunoriaMinimal";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(WS_EX_APPWINDOW, wc.lpszClassName, L"minimal", WS_POPUP | WS_VISIBLE, 500, 300, 363,
                                278, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    StartupMark("window");
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
