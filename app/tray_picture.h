// The notification-area icon's picture: a small calendar sheet with today's day number, drawn at run
// time at the exact small-icon size of the task bar's DPI, in the task bar's light or dark theme.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// The small-icon size at `dpi` (16 at 96 DPI, 24 at 144, 32 at 192).
int TrayIconSize(int dpi);
// The DPI of the monitor that holds the task bar (the primary monitor's without one).
int TaskbarDpi();
// SystemUsesLightTheme: a light task bar wants a dark picture. Without the value (Windows 7, Wine)
// the task bar is dark.
bool TaskbarIsLight();

// The picture as size × size pixels, top row first, 0xAARRGGBB with straight alpha.
std::vector<uint32_t> DayPicture(int day, int size, bool lightTaskbar);
// The same as an icon; null when it could not be made. The caller destroys it.
HICON DayIcon(int day, int size, bool lightTaskbar);
