#include "view/tip_placement.h"

#include <algorithm>

TipOrigin PlaceTip(int pointerX, int pointerY, int width, int height, const ScreenBox& area) {
    TipOrigin o;
    o.left = pointerX - width / 2 + 2;
    o.top = pointerY + 12;
    if (o.left + width > area.right) o.left = area.right - width;
    if (o.top + height > area.bottom) o.top = pointerY - 12 - height;
    // Clamp the top-left corner last, so an oversized tip starts at the area's corner.
    o.left = std::max(o.left, area.left);
    o.top = std::max(o.top, area.top);
    return o;
}
