#include "win/wheel_route.h"

#include <windowsx.h>

namespace {

thread_local HWND routeTarget = nullptr;

LRESULT CALLBACK RouteWheel(int code, WPARAM removing, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    // Only the message leaving the queue: a look that leaves it there would see it again when it goes.
    if (code == HC_ACTION && removing == PM_REMOVE && msg->message == WM_MOUSEWHEEL && routeTarget &&
        msg->hwnd != routeTarget) {
        const POINT at{GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)};
        const HWND under = WindowFromPoint(at);
        if (under && (under == routeTarget || IsChild(routeTarget, under)) &&
            IsWindowEnabled(GetAncestor(routeTarget, GA_ROOT)))
            msg->hwnd = routeTarget;
    }
    return CallNextHookEx(nullptr, code, removing, lParam);
}

} // namespace

bool WheelRoute::Start(HWND target) {
    Stop();
    if (!target) return false;
    hook = SetWindowsHookExW(WH_GETMESSAGE, RouteWheel, nullptr, GetCurrentThreadId());
    if (hook) routeTarget = target;
    return hook != nullptr;
}

void WheelRoute::Stop() {
    if (!hook) return;
    UnhookWindowsHookEx(hook);
    hook = nullptr;
    routeTarget = nullptr;
}
