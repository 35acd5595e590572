#include "win/window.h"

#include "win/dialog.h"
#include "win/dpi.h"
#include "win/text.h"

#include <windowsx.h>

Window::~Window() {
    Destroy();
}

HINSTANCE Window::Instance() {
    return GetModuleHandleW(nullptr);
}

bool Window::Register(const wchar_t* className, UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(Instance(), className, &wc)) return true;
    wc = {};
    wc.cbSize = sizeof wc;
    wc.style = classStyle;
    wc.lpfnWndProc = StaticWndProc;
    wc.hInstance = Instance();
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = className;
    return RegisterClassExW(&wc) != 0;
}

bool Window::Create(const wchar_t* className, DWORD style, DWORD exStyle, const RECT& rect, HWND parent, int id,
                    const std::string& title) {
    if (hwnd) return false;
    // A child window's "menu" is its control id.
    HMENU menu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)) : nullptr;
    HWND made = CreateWindowExW(exStyle, className, ToWide(title).c_str(), style, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, parent, menu, Instance(), this);
    return made != nullptr;
}

void Window::Destroy() {
    if (!hwnd) return;
    HWND h = hwnd;
    // Detach first: the object may be half destroyed, so its handlers must not see WM_DESTROY.
    Detach();
    DestroyWindow(h);
}

Window* Window::FromHandle(HWND h) {
    if (!h) return nullptr;
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(h, GWLP_WNDPROC)) == StaticWndProc)
        return reinterpret_cast<Window*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    return Dialog::FromDialogHandle(h);
}

RECT Window::ClientRect() const {
    RECT r{};
    GetClientRect(hwnd, &r);
    return r;
}

RECT Window::ScreenRect() const {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

RECT RectInParent(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::wstring WindowTextOf(HWND window) {
    int n = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    n = GetWindowTextW(window, text.data(), n + 1);
    text.resize(static_cast<size_t>(n > 0 ? n : 0));
    return text;
}

std::string Window::Title() const {
    return ToUtf8(WindowTextOf(hwnd));
}

void Window::SetTitle(const std::string& text) const {
    SetWindowTextW(hwnd, ToWide(text).c_str());
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE: return OnCreate();
    case WM_DESTROY: return OnDestroy();
    case WM_PAINT: return OnPaint();
    case WM_NCPAINT: return OnNcPaint();
    case WM_ERASEBKGND: return OnEraseBackground(reinterpret_cast<HDC>(wParam));
    case WM_MOUSEMOVE: return OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), static_cast<UINT>(wParam));
    case WM_LBUTTONDOWN: return OnLButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), static_cast<UINT>(wParam));
    case WM_LBUTTONUP: return OnLButtonUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), static_cast<UINT>(wParam));
    case WM_MOUSEWHEEL: return OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam), GET_KEYSTATE_WPARAM(wParam));
    case WM_KEYDOWN: return OnKeyDown(static_cast<UINT>(wParam), HIWORD(lParam));
    case WM_SETFOCUS: return OnSetFocus();
    case WM_KILLFOCUS: return OnKillFocus();
    case WM_MOVE: return OnMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    case WM_SIZE: return OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
    case WM_TIMER: return OnTimer(wParam);
    case WM_COMMAND: return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_LINK_CLICKED: return OnLinkClicked(static_cast<int>(wParam));
    case WM_CONTEXTMENU: return OnContextMenu(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    case WM_DPICHANGED: return OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
    default: return OnMessage(msg, wParam, lParam);
    }
}

// Without a frame, caption or scroll bars a window has no non-client area, and the default would only
// fetch and release a window DC to paint nothing (at every first paint, a trip to the server under Wine).
LRESULT Window::OnNcPaint() {
    const RECT outer = ScreenRect(), client = ClientRect();
    if (outer.right - outer.left == client.right && outer.bottom - outer.top == client.bottom) return 0;
    return Default();
}

LRESULT Window::Default() {
    if (!current) return 0;
    current->defaulted = true;
    return DefaultProc(current->msg, current->wParam, current->lParam);
}

LRESULT Window::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT Window::Dispatch(Message& message) {
    // Messages nest (a handler may send messages), so each keeps its own record.
    Message* outer = current;
    current = &message;
    LRESULT result = HandleMessage(message.msg, message.wParam, message.lParam);
    current = outer;
    return result;
}

void Window::Detach() {
    if (!hwnd) return;
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) == StaticWndProc)
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    else
        SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    hwnd = nullptr;
}

LRESULT CALLBACK Window::StaticWndProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (self) {
            self->hwnd = h;
            SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (!self) return DefWindowProcW(h, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        self->Detach();
        return DefWindowProcW(h, msg, wParam, lParam);
    }
    Message message{msg, wParam, lParam, false};
    return self->Dispatch(message);
}
