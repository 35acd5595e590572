// Where the calendar's companions go: the notepad's first place and the two tabs that hang off the
// calendar's right edge; and which moves are worth remembering.
#pragma once

#include "app/settings_parse.h"
#include "win/dpi_scale.h"

// The notepad's place before the user has moved it: 10 pixels (at 96 DPI) under the calendar, left
// edges aligned.
ScreenPoint NotepadDefaultPos(const ScreenArea& calendar, int dpi);

// A tab's size at 96 DPI.
constexpr int kTabWidth = 26;
constexpr int kTabHeight = 18;

struct TabPlaces {
    ScreenArea noteTab;     // "本": 10 px right of the calendar, bottom edges aligned
    ScreenArea calendarTab; // "历": above it
};
// The tabs of `dpi` (theirs: each follows its own monitor) beside the calendar's screen rectangle.
TabPlaces TabPlacesBeside(const ScreenArea& calendar, int dpi);

// Windows parks a minimised top-level window at (-32000, -32000) and reports that as a move. Storing
// it would lose the user's place (the next start finds it off every screen), so only the moves of a
// window that is not minimised count.
bool PositionWorthStoring(bool minimised, int x, int y);
