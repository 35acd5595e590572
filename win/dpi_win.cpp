#include "win/dpi.h"

#include "win/gdi.h"
#include "win/lazy_dll.h"

namespace {

// The few newer calls, by name: their declarations need a newer _WIN32_WINNT than the program's.
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using GetThreadDpiAwarenessContextFn = HANDLE(WINAPI*)();
using AreDpiAwarenessContextsEqualFn = BOOL(WINAPI*)(HANDLE, HANDLE);
using SetDialogDpiChangeBehaviorFn = BOOL(WINAPI*)(HWND, int, int);
using SetDialogControlDpiChangeBehaviorFn = BOOL(WINAPI*)(HWND, int, int);

constexpr int kMonitorEffectiveDpi = 0;                         // MDT_EFFECTIVE_DPI
const HANDLE kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(-4); // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
constexpr int kDialogDisableAll = 1;                            // DDC_DISABLE_ALL
constexpr int kControlDisableFontUpdate = 1;                    // DCDC_DISABLE_FONT_UPDATE

template <typename F> F User32(const char* name) {
    return LazyFunction<F>(L"user32.dll", name);
}

bool Plausible(UINT dpi) {
    return dpi >= 48 && dpi <= 960;
}

int DpiOfMonitor(HMONITOR monitor) {
    // shcore.dll is Windows 8.1's; Windows 7 has none and stays at the system DPI.
    static const auto forMonitor = LazyFunction<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
    UINT x = 0, y = 0;
    if (monitor && forMonitor && SUCCEEDED(forMonitor(monitor, kMonitorEffectiveDpi, &x, &y)) && Plausible(y))
        return static_cast<int>(y);
    return SystemDpi();
}

} // namespace

int SystemDpi() {
    static const int dpi = [] {
        WindowDc screen(nullptr);
        int y = GetDeviceCaps(screen.Dc(), LOGPIXELSY);
        return Plausible(static_cast<UINT>(y)) ? y : kBaseDpi;
    }();
    return dpi;
}

int WindowDpi(HWND window) {
    static const auto forWindow = User32<GetDpiForWindowFn>("GetDpiForWindow");
    if (window && forWindow) {
        UINT dpi = forWindow(window);
        if (Plausible(dpi)) return static_cast<int>(dpi);
    }
    return window ? DpiOfMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)) : SystemDpi();
}

int MonitorDpi(const RECT& rect) {
    return DpiOfMonitor(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST));
}

bool SystemRescalesDialogs() {
    static const bool v2 = [] {
        const auto context = User32<GetThreadDpiAwarenessContextFn>("GetThreadDpiAwarenessContext");
        const auto equal = User32<AreDpiAwarenessContextsEqualFn>("AreDpiAwarenessContextsEqual");
        return context && equal && equal(context(), kPerMonitorAwareV2);
    }();
    return v2;
}

void KeepOwnLayout(HWND dialog) {
    static const auto set = User32<SetDialogDpiChangeBehaviorFn>("SetDialogDpiChangeBehavior");
    if (set) set(dialog, kDialogDisableAll, kDialogDisableAll);
}

void KeepOwnFont(HWND control) {
    static const auto set = User32<SetDialogControlDpiChangeBehaviorFn>("SetDialogControlDpiChangeBehavior");
    if (set) set(control, kControlDisableFontUpdate, kControlDisableFontUpdate);
}
