#include "engine/lunar.h"

#include <algorithm>
#include <array>

#include "engine/gregorian.h"
#include "engine/lunar_year_table.h"

namespace {

constexpr int32_t kBaseDays = -25537; // 1900-01-31, lunar 1900-01-01, in days since 1970-01-01

constexpr bool InTable(int year) {
    return year >= kLunarFirstYear && year <= kLunarLastYear;
}
constexpr uint32_t Entry(int year) {
    return LunarYearTable[year - kLunarFirstYear];
}

constexpr int OrdinaryDays(uint32_t entry, int month) {
    return (entry & (0x10000u >> month)) ? 30 : 29;
}
constexpr int LeapDays(uint32_t entry) {
    return (entry & 0xF) == 0 ? 0 : (entry & 0x10000) ? 30 : 29;
}

constexpr int YearDays(uint32_t entry) {
    int days = LeapDays(entry);
    for (int m = 1; m <= 12; ++m)
        days += OrdinaryDays(entry, m);
    return days;
}

// newYears[i]: days from 1900-01-31 to the first day of lunar year 1900 + i; the last entry is the
// day after the table ends.
constexpr std::array<int32_t, kLunarYearCount + 1> MakeNewYears() {
    std::array<int32_t, kLunarYearCount + 1> days{};
    for (int i = 0; i < kLunarYearCount; ++i)
        days[i + 1] = days[i] + YearDays(LunarYearTable[i]);
    return days;
}
constexpr std::array<int32_t, kLunarYearCount + 1> kNewYears = MakeNewYears();
static_assert(kNewYears[kLunarYearCount] == 73412, "1900-01-31 ... 2101-01-28");

} // namespace

int LeapMonthOf(int year) {
    return InTable(year) ? int(Entry(year) & 0xF) : 0;
}

int MonthDays(int year, int month) {
    return InTable(year) && month >= 1 && month <= 12 ? OrdinaryDays(Entry(year), month) : 0;
}

int LeapMonthDays(int year) {
    return InTable(year) ? LeapDays(Entry(year)) : 0;
}

int LunarYearDays(int year) {
    return InTable(year) ? YearDays(Entry(year)) : 0;
}

int32_t LunarNewYearDays(int year) {
    return InTable(year) ? kBaseDays + kNewYears[year - kLunarFirstYear] : 0;
}

bool SameLunarDay(const LunarDate& a, const LunarDate& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.isLeapMonthNumber == b.isLeapMonthNumber &&
           a.inLeapMonth == b.inLeapMonth && a.monthDays == b.monthDays;
}

LunarDate SolarToLunar(int year, int month, int day) {
    // The range check on the year first keeps the day arithmetic small.
    if (year < kLunarFirstYear || year > kLunarLastYear + 1 || !CivilDate{year, month, day}.ok()) return {};
    const int32_t days = DaysFromCivil(year, month, day) - kBaseDays;
    if (days < 0 || days >= kNewYears[kLunarYearCount]) return {};

    const int index = int(std::upper_bound(kNewYears.begin(), kNewYears.end(), days) - kNewYears.begin()) - 1;
    LunarDate date;
    date.year = kLunarFirstYear + index;
    const uint32_t entry = LunarYearTable[index];
    const int leap = int(entry & 0xF);
    int rest = days - kNewYears[index]; // [0, 384]
    // Months in order: 1, 2, ..., leap, leap month, leap + 1, ..., 12.
    for (int m = 1; m <= 12; ++m) {
        int length = OrdinaryDays(entry, m);
        if (rest < length) {
            date.month = m;
            date.monthDays = length;
            break;
        }
        rest -= length;
        if (m == leap) {
            length = LeapDays(entry);
            if (rest < length) {
                date.month = m;
                date.inLeapMonth = 1;
                date.monthDays = length;
                break;
            }
            rest -= length;
        }
    }
    date.day = rest + 1;
    date.stepCount = rest;
    date.isLeapMonthNumber = date.month == leap ? 1 : 0;
    return date;
}

bool NextDay(LunarDate& date) {
    if (!date.ok()) {
        date = LunarDate{};
        return false;
    }
    ++date.stepCount;
    if (date.day < date.monthDays) {
        ++date.day;
        return true;
    }
    if (date.isLeapMonthNumber && !date.inLeapMonth) {
        date.inLeapMonth = 1; // the leap month of the same number follows
    } else {
        date.inLeapMonth = 0;
        if (++date.month > 12) {
            date.month = 1;
            if (++date.year > kLunarLastYear) {
                date = LunarDate{};
                return false;
            }
        }
        date.isLeapMonthNumber = date.month == LeapMonthOf(date.year) ? 1 : 0;
    }
    date.monthDays = date.inLeapMonth ? LeapMonthDays(date.year) : MonthDays(date.year, date.month);
    date.day = 1;
    return true;
}
