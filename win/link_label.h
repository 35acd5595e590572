// LinkLabel: a ColorLabel that turns the palette's hover colour while the pointer is over it (holding the mouse
// capture to notice when it leaves) and, when clicked, posts WM_LINK_CLICKED with its id to its parent.
// The message is posted, so the parent handles it after the click has been processed.
#pragma once

#include "win/color_label.h"

class LinkLabel : public ColorLabel {
public:
    // The light palette's hover colour; each palette has its own (linkHoverColor).
    static constexpr COLORREF kHoverColor = RGB(255, 64, 64);

    bool IsHovering() const { return hovering; }

protected:
    LRESULT OnMouseMove(int x, int y, UINT keys) override;
    LRESULT OnLButtonUp(int x, int y, UINT keys) override;

private:
    bool hovering = false;
    COLORREF savedColor = 0; // the normal text colour while the hover colour shows
};
