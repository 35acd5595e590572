#include "win/link_label.h"

LRESULT LinkLabel::OnMouseMove(int x, int y, UINT) {
    if (GetCapture() != hwnd) {
        // The pointer has just come onto the link: hold the capture to see it leave.
        SetCapture(hwnd);
        if (!hovering) {
            savedColor = textColor;
            textColor = kHoverColor;
            Invalidate(true);
            hovering = true;
        }
    } else {
        POINT p{x, y};
        ClientToScreen(hwnd, &p);
        RECT r = ScreenRect();
        if (!PtInRect(&r, p)) {
            ReleaseCapture();
            hovering = false;
            textColor = savedColor;
            Invalidate(true);
        }
    }
    return Default();
}

LRESULT LinkLabel::OnLButtonUp(int, int, UINT) {
    ReleaseCapture();
    // Only a hover saved a colour; a release without one keeps the colour the owner set last.
    if (hovering) textColor = savedColor;
    hovering = false;
    PostMessageW(GetParent(hwnd), WM_LINK_CLICKED, static_cast<WPARAM>(id), 0);
    return Default();
}
