#include "app/companion_place.h"

namespace {
constexpr int kMinimisedPos = -32000;
} // namespace

ScreenPoint NotepadDefaultPos(const ScreenArea& calendar, int dpi) {
    return {calendar.left, calendar.bottom + Scaled(10, dpi)};
}

// Offsets from the calendar's right and bottom edges, scaled as edges are: x + 10 .. x + 36.
TabPlaces TabPlacesBeside(const ScreenArea& calendar, int dpi) {
    auto right = [&](int offset) { return calendar.right + Scaled(offset, dpi); };
    auto up = [&](int offset) { return calendar.bottom - Scaled(offset, dpi); };
    return {{right(10), up(kTabHeight), right(10 + kTabWidth), calendar.bottom},
            {right(10), up(54), right(10 + kTabWidth), up(54 - kTabHeight)}};
}

bool PositionWorthStoring(bool minimised, int x, int y) {
    return !minimised && !(x == kMinimisedPos && y == kMinimisedPos);
}
