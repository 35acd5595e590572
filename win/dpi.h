// Where each window's DPI comes from. The manifest makes the program per-monitor aware (version 2 on
// Windows 10 1703 and later, version 1 on Windows 8.1) and system aware on Windows 7. The calls that
// tell a window's or a monitor's DPI are newer than Windows 7, so they are looked up by name; without
// them every window has the system DPI (LOGPIXELSY of the screen).
//
// A top-level window keeps its own DPI (WM_DPICHANGED tells it when it changes) and hands it to its
// children; the pixels at 96 DPI are scaled with Scaled() from win/dpi_scale.h.
#pragma once

#include "win/dpi_scale.h"

#include <windows.h>

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

// LOGPIXELSY of the screen: the DPI of a system-aware program, and what GDI's stock fonts are made for.
int SystemDpi();

// The window's DPI: that of the monitor it is on, once it exists. A popup made hidden reports the
// primary monitor's until it is placed.
int WindowDpi(HWND window);

// The DPI of the monitor that holds most of `rect` (screen pixels), for a window before it is moved there.
int MonitorDpi(const RECT& rect);

// True when the system rescales dialogs made from templates on a DPI change (per-monitor version 2).
// Where it does not, a dialog's WM_DPICHANGED is ours to handle in full (RescaleDialog).
bool SystemRescalesDialogs();

// The dialog lays itself out: the system neither moves its children nor changes their fonts when its
// DPI changes (the main window, placed at run time in scaled pixels).
void KeepOwnLayout(HWND dialog);

// A child of a dialog that carries a font of ours: the system's rescaling must not replace it.
void KeepOwnFont(HWND control);
