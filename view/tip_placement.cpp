#include "view/tip_placement.h"

#include <algorithm>

TipOrigin PlaceTip(int pointerX, int pointerY, int width, int height, const ScreenBox& area, int dpi) {
    const int gap = Scaled(12, dpi);
    TipOrigin o;
    o.left = pointerX - width / 2 + Scaled(2, dpi);
    o.top = pointerY + gap;
    if (o.left + width > area.right) o.left = area.right - width;
    if (o.top + height > area.bottom) o.top = pointerY - gap - height;
    // Clamp the top-left corner last, so an oversized tip starts at the area's corner.
    o.left = std::max(o.left, area.left);
    o.top = std::max(o.top, area.top);
    return o;
}
