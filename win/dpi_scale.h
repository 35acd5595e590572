// Display scale, as pure arithmetic (no Windows headers: the grid's hit test uses it too).
//
// The program's geometry is written in pixels at 96 DPI (100 %). A window at another DPI multiplies
// each value by dpi / 96 and rounds to the nearest pixel, halves away from zero, as MulDiv does; at
// 96 DPI every value stays what it is. Scale coordinates, not sizes: a cell from x to x + 51 becomes
// Scaled(x) .. Scaled(x + 51), so the rounding of neighbouring edges never opens or closes a gap.
#pragma once

constexpr int kBaseDpi = 96;

// MulDiv(value, dpi, 96). In int: screen coordinates (|value| < 2^15) times any DPI Windows allows
// stay far inside its range, and a 32-bit build needs no 64-bit division for it.
constexpr int Scaled(int value, int dpi) {
    const int product = value * dpi;
    return product >= 0 ? (product + kBaseDpi / 2) / kBaseDpi : (product - kBaseDpi / 2) / kBaseDpi;
}

// The largest 96-DPI coordinate whose scaled position is at or before pixel p. For every 96-DPI
// boundary t, p >= Scaled(t, dpi) exactly when Unscaled(p, dpi) >= t: a hit test written at 96 DPI
// gives the right answer at any scale when it is fed Unscaled(p).
constexpr int Unscaled(int pixel, int dpi) {
    if (dpi <= 0) return pixel;
    int v = pixel * kBaseDpi / dpi;
    while (Scaled(v + 1, dpi) <= pixel)
        ++v;
    while (Scaled(v, dpi) > pixel)
        --v;
    return v;
}
