#include "engine/holidays.h"

#include <algorithm>

#include "engine/holiday_table.h"

namespace {

// Whether the run starts after the date (year, month, day).
bool StartsAfter(const CivilDate& date, const HolidayRun& run) {
    if (run.year != date.year) return run.year > date.year;
    if (run.month != date.month) return run.month > date.month;
    return run.day > date.day;
}

} // namespace

HolidayDay BuiltInHoliday(int year, int month, int day) {
    if (year < kHolidayTableFirstYear || year > kHolidayTableLastYear || !CivilDate{year, month, day}.ok()) return {};
    // The run that starts last on or before the day; runs never overlap.
    const HolidayRun* next =
        std::upper_bound(std::begin(kHolidayTable), std::end(kHolidayTable), CivilDate{year, month, day}, StartsAfter);
    if (next == std::begin(kHolidayTable)) return {};
    const HolidayRun& run = next[-1];
    if (DaysBetween(year, month, day, run.year, run.month, run.day) >= run.days) return {};
    return {run.kind & kHolidayWork ? HolidayMark::Work : HolidayMark::Rest,
            kHolidayTableNames[run.kind & ~kHolidayWork]};
}

int BuiltInHolidayFirstYear() {
    return kHolidayTableFirstYear;
}

int BuiltInHolidayLastYear() {
    return kHolidayTableLastYear;
}

const char* HolidayMarkText(HolidayMark mark) {
    return mark == HolidayMark::Rest ? "休" : mark == HolidayMark::Work ? "班" : "";
}

void HolidayCalendar::SetUserEntries(const std::vector<HolidayEntry>& entries) {
    user.clear();
    addedYears.clear();
    for (size_t i = 0; i < entries.size(); ++i) {
        const HolidayEntry& e = entries[i];
        if (e.date.ok()) user.push_back({DaysFromCivil(e.date.year, e.date.month, e.date.day), e.mark, e.name, i});
    }
    // Of equal dates the later entry sorts first and is the one kept.
    std::sort(user.begin(), user.end(), [](const UserDay& a, const UserDay& b) {
        return a.days != b.days ? a.days < b.days : a.order > b.order;
    });
    user.erase(
        std::unique(user.begin(), user.end(), [](const UserDay& a, const UserDay& b) { return a.days == b.days; }),
        user.end());
    for (const UserDay& u : user) {
        const int year = CivilFromDays(u.days).year;
        if (u.mark != HolidayMark::None && (year < kHolidayTableFirstYear || year > kHolidayTableLastYear) &&
            (addedYears.empty() || addedYears.back() != year))
            addedYears.push_back(year);
    }
}

HolidayDay HolidayCalendar::Lookup(int year, int month, int day) const {
    if (!user.empty() && CivilDate{year, month, day}.ok()) {
        const int32_t days = DaysFromCivil(year, month, day);
        auto it =
            std::lower_bound(user.begin(), user.end(), days, [](const UserDay& u, int32_t d) { return u.days < d; });
        if (it != user.end() && it->days == days) return {it->mark, it->name.c_str()};
    }
    return BuiltInHoliday(year, month, day);
}

bool HolidayCalendar::CoversYear(int year) const {
    return (year >= kHolidayTableFirstYear && year <= kHolidayTableLastYear) ||
           std::binary_search(addedYears.begin(), addedYears.end(), year);
}

int HolidayCalendar::LastYear() const {
    return addedYears.empty() ? kHolidayTableLastYear : std::max(kHolidayTableLastYear, addedYears.back());
}
