#include "engine/lunar.h"

#include <algorithm>
#include <array>

#include "engine/gregorian.h"

constexpr uint32_t LunarYearTable[kLunarYearCount] = {
    0x04BD8, 0x04AE0, 0x0A570, 0x054D5, 0x0D260, 0x0D950, 0x16554, 0x056A0, 0x09AD0, 0x055D2, // 1900
    0x04AE0, 0x0A5B6, 0x0A4D0, 0x0D250, 0x1D255, 0x0B540, 0x0D6A0, 0x0ADA2, 0x095B0, 0x14977, // 1910
    0x04970, 0x0A4B0, 0x0B4B5, 0x06A50, 0x06D40, 0x1AB54, 0x02B60, 0x09570, 0x052F2, 0x04970, // 1920
    0x06566, 0x0D4A0, 0x0EA50, 0x06E95, 0x05AD0, 0x02B60, 0x186E3, 0x092E0, 0x1C8D7, 0x0C950, // 1930
    0x0D4A0, 0x1D8A6, 0x0B550, 0x056A0, 0x1A5B4, 0x025D0, 0x092D0, 0x0D2B2, 0x0A950, 0x0B557, // 1940
    0x06CA0, 0x0B550, 0x15355, 0x04DA0, 0x0A5B0, 0x14573, 0x052B0, 0x0A9A8, 0x0E950, 0x06AA0, // 1950
    0x0AEA6, 0x0AB50, 0x04B60, 0x0AAE4, 0x0A570, 0x05260, 0x0F263, 0x0D950, 0x05B57, 0x056A0, // 1960
    0x096D0, 0x04DD5, 0x04AD0, 0x0A4D0, 0x0D4D4, 0x0D250, 0x0D558, 0x0B540, 0x0B6A0, 0x195A6, // 1970
    0x095B0, 0x049B0, 0x0A974, 0x0A4B0, 0x0B27A, 0x06A50, 0x06D40, 0x0AF46, 0x0AB60, 0x09570, // 1980
    0x04AF5, 0x04970, 0x064B0, 0x074A3, 0x0EA50, 0x06B58, 0x05AC0, 0x0AB60, 0x096D5, 0x092E0, // 1990
    0x0C960, 0x0D954, 0x0D4A0, 0x0DA50, 0x07552, 0x056A0, 0x0ABB7, 0x025D0, 0x092D0, 0x0CAB5, // 2000
    0x0A950, 0x0B4A0, 0x0BAA4, 0x0AD50, 0x055D9, 0x04BA0, 0x0A5B0, 0x15176, 0x052B0, 0x0A930, // 2010
    0x07954, 0x06AA0, 0x0AD50, 0x05B52, 0x04B60, 0x0A6E6, 0x0A4E0, 0x0D260, 0x0EA65, 0x0D530, // 2020
    // 2033: leap eleventh month (the leap seventh month of the older word was wrong); same length.
    0x05AA0, 0x076A3, 0x096D0, 0x04AFB, 0x04AD0, 0x0A4D0, 0x1D0B6, 0x0D250, 0x0D520, 0x0DD45, // 2030
    0x0B5A0, 0x056D0, 0x055B2, 0x049B0, 0x0A577, 0x0A4B0, 0x0AA50, 0x1B255, 0x06D20, 0x0ADA0, // 2040
    0x14B63,                                                                                  // 2050
};

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
static_assert(kNewYears[kLunarYearCount] == 55163, "1900-01-31 ... 2051-02-10");

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
