// The window layer: a thin C++ shell over one Win32 window.
//
// A Window owns one HWND. Its static window procedure attaches `this` at WM_NCCREATE (GWLP_USERDATA)
// and hands every message to HandleMessage, one switch whose cases call the small virtual OnXxx members
// below. To handle a message, override its OnXxx; the base versions call Default(), which gives the
// message being handled to default processing (DefWindowProcW, or the dialog manager in a Dialog).
// A message without an OnXxx reaches OnMessage. A subclass that needs more cases overrides
// HandleMessage, switches on its own messages and passes the rest to the base.
//
// Control notifications arrive as OnCommand(id, code, control); WM_LINK_CLICKED as OnLinkClicked(id).
// If the window goes first (a parent destroyed it), Handle() becomes null; if the object goes first,
// its destructor detaches and destroys the window.
// All texts are UTF-8.
#pragma once

#include <windows.h>

#include <string>

// Posted by a LinkLabel to its parent when it is clicked: wParam = the link's control id, lParam = 0.
constexpr UINT WM_LINK_CLICKED = WM_USER + 101;

// The whole text of any window, as the API holds it (UTF-16): for texts that leave in another encoding.
std::wstring WindowTextOf(HWND window);
// A child window's rectangle in its parent's client area.
RECT RectInParent(HWND child);

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND Handle() const { return hwnd; }

    // The module whose resources (dialog templates, icon) the program uses.
    static HINSTANCE Instance();

    // Registers a window class of this module whose procedure dispatches to Window objects. Registering
    // a name again does nothing and succeeds.
    static bool Register(const wchar_t* className, UINT classStyle, HCURSOR cursor, HBRUSH background,
                         HICON icon = nullptr);

    // Creates the window of a class made by Register. `id` is the control id of a child window.
    bool Create(const wchar_t* className, DWORD style, DWORD exStyle, const RECT& rect, HWND parent, int id,
                const std::string& title = {});
    void Destroy();

    // The Window object attached to hwnd, or null when hwnd is not one of ours.
    static Window* FromHandle(HWND hwnd);

    void Show(int command) const { ShowWindow(hwnd, command); }
    bool IsVisible() const { return hwnd && IsWindowVisible(hwnd); }
    void Invalidate(bool erase) const { InvalidateRect(hwnd, nullptr, erase); }
    RECT ClientRect() const;
    RECT ScreenRect() const;
    std::string Title() const;
    void SetTitle(const std::string& text) const;

protected:
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // Hands the message being handled to default processing and returns its result.
    LRESULT Default();

    virtual LRESULT OnCreate() { return Default(); }
    virtual LRESULT OnDestroy() { return Default(); }
    virtual LRESULT OnPaint() { return Default(); }
    virtual LRESULT OnNcPaint();
    virtual LRESULT OnEraseBackground(HDC) { return Default(); }
    virtual LRESULT OnMouseMove(int /*x*/, int /*y*/, UINT /*keys*/) { return Default(); }
    virtual LRESULT OnLButtonDown(int /*x*/, int /*y*/, UINT /*keys*/) { return Default(); }
    virtual LRESULT OnLButtonUp(int /*x*/, int /*y*/, UINT /*keys*/) { return Default(); }
    // WM_MOUSEWHEEL: `delta` in WHEEL_DELTA units (positive: turned away from the user, up).
    virtual LRESULT OnMouseWheel(int /*delta*/, UINT /*keys*/) { return Default(); }
    // WM_KEYDOWN of a virtual key; `flags` is the high word of lParam (KF_REPEAT for an auto-repeat).
    virtual LRESULT OnKeyDown(UINT /*key*/, UINT /*flags*/) { return Default(); }
    virtual LRESULT OnSetFocus() { return Default(); }
    virtual LRESULT OnKillFocus() { return Default(); }
    virtual LRESULT OnMove(int /*x*/, int /*y*/) { return Default(); }
    virtual LRESULT OnSize(UINT /*type*/, int /*width*/, int /*height*/) { return Default(); }
    virtual LRESULT OnTimer(UINT_PTR /*id*/) { return Default(); }
    virtual LRESULT OnCommand(int /*id*/, int /*code*/, HWND /*control*/) { return Default(); }
    virtual LRESULT OnLinkClicked(int /*id*/) { return Default(); }
    // WM_CONTEXTMENU at a screen point; (-1, -1) when it came from the keyboard.
    virtual LRESULT OnContextMenu(int /*screenX*/, int /*screenY*/) { return Default(); }
    // WM_DPICHANGED: the window's DPI is now `dpi`; `suggested` is the system's rectangle for it.
    virtual LRESULT OnDpiChanged(int /*dpi*/, const RECT& /*suggested*/) { return Default(); }
    virtual LRESULT OnMessage(UINT /*msg*/, WPARAM /*wParam*/, LPARAM /*lParam*/) { return Default(); }

    // Default processing of a window; Dialog replaces it with the dialog manager's.
    virtual LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);

    HWND hwnd = nullptr;

    // The message being dispatched; `defaulted` tells a dialog procedure that nobody handled it.
    struct Message {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        bool defaulted;
    };
    LRESULT Dispatch(Message& message);
    void Detach();

private:
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    Message* current = nullptr;
};
