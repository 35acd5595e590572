// Where the hover tip goes: just below the pointer, centred on it (left = x - width / 2 + 2, truncating,
// top = y + 12; the 2 and the 12 are pixels at 96 DPI, scaled to the tip's DPI), but always inside the work area of the
// monitor under the pointer. Near the right edge the tip moves left, near the left edge right; when it does not fit
// below the pointer it goes above it, with the same 12-pixel gap, rather than over it (a tip under the pointer would
// take the mouse from the grid). A tip larger than the work area keeps its top-left corner inside.
#pragma once

#include "win/dpi_scale.h"

struct ScreenBox {
    int left = 0;
    int top = 0;
    int right = 0; // exclusive, as in a Win32 RECT
    int bottom = 0;
};

struct TipOrigin {
    int left = 0;
    int top = 0;
};

TipOrigin PlaceTip(int pointerX, int pointerY, int width, int height, const ScreenBox& workArea, int dpi);
