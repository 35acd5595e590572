// The mouse wheel over a window goes to that window, whichever window has the keyboard focus.
//
// Windows 10 and later send WM_MOUSEWHEEL to the window under the pointer; Windows 7 and Wine send it
// to the focus window, which in a dialog is often a combo box that turns its own selection with it.
// A hook on the thread's message retrieval hands a wheel message to the target instead when the
// pointer is over the target or one of its children and the target's top-level window is enabled (no
// modal dialog over it). One target per thread; the hook goes with the object.
#pragma once

#include <windows.h>

class WheelRoute {
public:
    WheelRoute() = default;
    WheelRoute(const WheelRoute&) = delete;
    WheelRoute& operator=(const WheelRoute&) = delete;
    ~WheelRoute() { Stop(); }

    bool Start(HWND target);
    void Stop();

private:
    HHOOK hook = nullptr;
};
