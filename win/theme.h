// The theme object: the one current palette (win/palette.h) that every window asks when it paints,
// and what follows the system's app mode and high contrast on Windows.
//
// The system is read at start (RefreshTheme) and again when a top-level window hears of a change
// (IsThemeChange: WM_SETTINGCHANGE "ImmersiveColorSet" or a high-contrast change, WM_SYSCOLORCHANGE,
// WM_THEMECHANGED); ApplyThemeToThreadWindows then turns every open window of the thread at once.
// Dialogs (win/dialog.h) take the theme by themselves: their caption, their controls' system themes and
// the WM_CTLCOLOR* colours, from their creation on.
//
// Undocumented uxtheme calls (the right-click menu's dark mode, ordinals 133, 135, 136) are looked up
// by ordinal at run time and left out where they are missing (Windows 7 and 8.1) or do nothing (Wine).
#pragma once

#include "win/palette.h"

#include <windows.h>

const Palette& CurrentPalette();

// Reads AppsUseLightTheme, SPI_GETHIGHCONTRAST and the system colours and takes the `themeSetting`
// (0 follows the system, 1 light, 2 dark). True when the palette changed.
bool RefreshTheme(int themeSetting);
// Makes `palette` the current one as it is (the tests' and the bench's variants).
void UsePalette(const Palette& palette);

bool IsThemeChange(UINT msg, WPARAM wParam, LPARAM lParam);

// One top-level window in the current palette: its caption, its controls and, for our own dialogs,
// what they keep (Dialog::OnThemeChanged); then it is redrawn with all its children.
void ApplyThemeToWindow(HWND window);
// Every top-level window of this thread, modal dialogs included.
void ApplyThemeToThreadWindows();

// A dialog's answer to WM_CTLCOLOR*: the Dark brush with the DC's colours set, or null where the
// system paints the controls (Light, High contrast).
HBRUSH ThemedControlColor(UINT msg, HDC dc);
