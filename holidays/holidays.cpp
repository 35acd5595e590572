#include "holidays/holidays.h"

#include <algorithm>

#include "engine/lunar.h"
#include "engine/solar_terms.h"
#include "holidays/holiday_table.h"

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

HolidayDay LawHoliday(int year, int month, int day) {
    if (year < kLunarFirstYear || year > kLawHolidayLastYear || !CivilDate{year, month, day}.ok()) return {};
    const char* name = nullptr;
    if (month == 1 && day == 1) name = "元旦";
    if (month == 5 && day <= 2) name = "劳动节";
    if (month == 10 && day <= 3) name = "国庆节";
    SolarTerm qingming, guyu;
    if (month == 4 && SolarTermDays(year, 4, qingming, guyu) && qingming.day == day) name = "清明节";
    // 1900-01-01..30 lie before the lunar table.
    if (DaysFromCivil(year, month, day) >= DaysFromCivil(1900, 1, 31)) {
        const LunarDate lunar = SolarToLunar(year, month, day);
        if (!lunar.inLeapMonth) {
            if ((lunar.month == 1 && lunar.day <= 3) || (lunar.month == 12 && lunar.day == lunar.monthDays))
                name = "春节";
            if (lunar.month == 5 && lunar.day == 5) name = "端午节";
            if (lunar.month == 8 && lunar.day == 15) name = name ? "国庆节、中秋节" : "中秋节";
        }
    }
    if (!name) return {};
    return {HolidayMark::Rest, name, true};
}

std::string HolidayLawNote(int year) {
    return std::to_string(year) + "年的调休安排尚未公布";
}

void HolidayCalendar::SetList(std::vector<ListDay>& list, const std::vector<HolidayEntry>& entries) {
    list.clear();
    for (size_t i = 0; i < entries.size(); ++i) {
        const HolidayEntry& e = entries[i];
        if (e.date.ok()) list.push_back({DaysFromCivil(e.date.year, e.date.month, e.date.day), e.mark, e.name, i});
    }
    // Of equal dates the later entry sorts first and is the one kept.
    std::sort(list.begin(), list.end(), [](const ListDay& a, const ListDay& b) {
        return a.days != b.days ? a.days < b.days : a.order > b.order;
    });
    list.erase(
        std::unique(list.begin(), list.end(), [](const ListDay& a, const ListDay& b) { return a.days == b.days; }),
        list.end());
}

const HolidayCalendar::ListDay* HolidayCalendar::Find(const std::vector<ListDay>& list, int32_t days) {
    auto it = std::lower_bound(list.begin(), list.end(), days, [](const ListDay& u, int32_t d) { return u.days < d; });
    return it != list.end() && it->days == days ? &*it : nullptr;
}

void HolidayCalendar::SetUserEntries(const std::vector<HolidayEntry>& entries) {
    SetList(user, entries);
    addedYears.clear();
    for (const ListDay& u : user) {
        const int year = CivilFromDays(u.days).year;
        if (u.mark != HolidayMark::None && (year < kHolidayTableFirstYear || year > kHolidayTableLastYear) &&
            (addedYears.empty() || addedYears.back() != year))
            addedYears.push_back(year);
    }
}

void HolidayCalendar::SetFetched(std::vector<HolidayYearFile> files) {
    std::sort(files.begin(), files.end(),
              [](const HolidayYearFile& a, const HolidayYearFile& b) { return a.year < b.year; });
    std::vector<HolidayEntry> all;
    fetchedYears.clear();
    for (const HolidayYearFile& f : files) {
        if (f.days.empty()) continue;
        all.insert(all.end(), f.days.begin(), f.days.end());
        if (fetchedYears.empty() || fetchedYears.back() != f.year) fetchedYears.push_back(f.year);
    }
    SetList(fetched, all);
}

HolidayDay HolidayCalendar::Lookup(int year, int month, int day) const {
    if (!CivilDate{year, month, day}.ok()) return {};
    const int32_t days = DaysFromCivil(year, month, day);
    for (const std::vector<ListDay>* list : {&user, &fetched}) {
        if (const ListDay* d = Find(*list, days)) return {d->mark, d->name.c_str()};
    }
    if (year <= kHolidayTableLastYear) return BuiltInHoliday(year, month, day);
    return year > LastYear() ? LawHoliday(year, month, day) : HolidayDay{};
}

bool HolidayCalendar::CoversYear(int year) const {
    return (year >= kHolidayTableFirstYear && year <= kHolidayTableLastYear) ||
           std::binary_search(addedYears.begin(), addedYears.end(), year) ||
           std::binary_search(fetchedYears.begin(), fetchedYears.end(), year);
}

int HolidayCalendar::LastYear() const {
    int last = kHolidayTableLastYear;
    if (!addedYears.empty()) last = std::max(last, addedYears.back());
    if (!fetchedYears.empty()) last = std::max(last, fetchedYears.back());
    return last;
}
