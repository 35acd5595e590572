#include "win/link_label.h"

#include "win/theme.h"

LRESULT LinkLabel::OnMouseMove(int x, int y, UINT) {
    if (GetCapture() != hwnd) {
        // The pointer has just come onto the link: hold the capture to see it leave.
        SetCapture(hwnd);
        if (!hovering) {
            savedColor = textColor;
            textColor = CurrentPalette().linkHoverColor;
            ownTextShown = true;
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
            ownTextShown = false;
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
    ownTextShown = false;
    PostMessageW(GetParent(hwnd), WM_LINK_CLICKED, static_cast<WPARAM>(id), 0);
    return Default();
}
