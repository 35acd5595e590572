// Pieces the day memo editor and the weekly reminder share: their captions, the colour chooser and the
// message shown when a memo could not be saved.
#pragma once

#include "win/gdi.h"

#include <cstdint>
#include <string>

// A static text child of `dialog` at a pixel rectangle, in `font`, shown. Its window text is the
// caption, so accessibility tools read it.
HWND CreateCaption(HWND dialog, int id, const RECT& rect, const std::string& text, HFONT font);

// Runs the standard colour chooser over `owner` with the 16 custom colours given. True with the colour
// in *chosen when the user pressed OK.
bool ChooseMemoColor(HWND owner, const COLORREF (&custom)[16], COLORREF* chosen);

// The warning that some memos of a dialog were not saved; the dialog stays open afterwards.
void ShowSaveFailure(HWND dialog, const std::string& message);

// The font of the dialogs' captions: "Arial" 9 pt, with Chinese glyphs through the font mapper.
Font CaptionFont();
