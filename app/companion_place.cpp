#include "app/companion_place.h"

namespace {
constexpr int kMinimisedPos = -32000;
} // namespace

ScreenPoint NotepadDefaultPos(const ScreenArea& calendar) {
    return {calendar.left, calendar.bottom + 10};
}

TabPlaces TabPlacesBeside(const ScreenArea& calendar) {
    int x = calendar.right + 10;
    return {{x, calendar.bottom - kTabHeight, x + kTabWidth, calendar.bottom},
            {x, calendar.bottom - 54, x + kTabWidth, calendar.bottom - 54 + kTabHeight}};
}

bool PositionWorthStoring(bool minimised, int x, int y) {
    return !minimised && !(x == kMinimisedPos && y == kMinimisedPos);
}
