#include "app/clock_schedule.h"

#include <climits>

TickAction ActionForTick(int tick, bool haveHeadline) {
    if (tick == -1) return TickAction::ShowTodayTip;
    if (tick >= 0 && tick % 60 == 0 && (!haveHeadline || tick % 3600 == 0)) return TickAction::FetchHeadline;
    return TickAction::None;
}

int NextTick(int tick) {
    constexpr int kWrapAt = INT_MAX - INT_MAX % 3600; // a multiple of 3600
    return tick >= kWrapAt ? 1 : tick + 1;
}

bool DateChanged(const LocalDate& seen, const LocalDate& now) {
    return seen.year != now.year || seen.month != now.month || seen.day != now.day;
}
