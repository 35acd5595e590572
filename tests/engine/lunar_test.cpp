#include <climits>
#include <set>

#include <gtest/gtest.h>

#include "engine/gregorian.h"
#include "engine/lunar.h"
#include "engine/lunar_year_table.h"

namespace {

// The plain walk over years and months from 1900-01-31, without the precomputed new years.
LunarDate WalkToLunar(int y, int m, int d) {
    LunarDate date;
    int rest = DaysBetween(y, m, d, 1900, 1, 31);
    int n = 1900, last = 0;
    while (rest > 0) {
        last = LunarYearDays(n);
        rest -= last;
        if (++n == kLunarLastYear) break;
    }
    if (rest < 0) {
        rest += last;
        --n;
    }
    date.year = n;
    const int leap = LeapMonthOf(n);
    int i = 1;
    while (rest > 0) {
        if (leap > 0 && i == leap + 1 && date.inLeapMonth == 0) {
            --i;
            date.inLeapMonth = 1;
            last = LeapMonthDays(n);
        } else {
            last = MonthDays(n, i);
        }
        if (date.inLeapMonth == 1 && i == leap + 1) date.inLeapMonth = 0;
        rest -= last;
        if (++i == 13) break;
    }
    if (rest == 0 && leap > 0 && i == leap + 1) {
        if (date.inLeapMonth == 1) {
            date.inLeapMonth = 0;
        } else {
            date.inLeapMonth = 1;
            --i;
        }
    }
    if (rest < 0) {
        rest += last;
        --i;
        date.monthDays = last;
    } else if (rest == 0) {
        date.monthDays = date.inLeapMonth ? LeapMonthDays(n) : MonthDays(n, i);
    }
    date.month = i;
    date.day = rest + 1;
    date.stepCount = rest;
    date.isLeapMonthNumber = i == leap ? 1 : 0;
    return date;
}

::testing::AssertionResult Is(const LunarDate& l, int year, int month, int day, int inLeap, int leapNumber,
                              int monthDays) {
    if (l.ok() && l.year == year && l.month == month && l.day == day && l.inLeapMonth == inLeap &&
        l.isLeapMonthNumber == leapNumber && l.monthDays == monthDays)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got " << l.year << '-' << l.month << '-' << l.day << " inLeap "
                                         << int(l.inLeapMonth) << " leapNumber " << int(l.isLeapMonthNumber)
                                         << " monthDays " << l.monthDays << " ok " << l.ok();
}

} // namespace

// One walk over the whole table: stepping, a fresh conversion and the plain walk meet on every day.
TEST(Lunar, StepConvertAndWalkAgreeOverWholeRange) {
    const int32_t first = DaysFromCivil(1900, 1, 31);
    const int32_t last = DaysFromCivil(2101, 1, 28);
    LunarDate stepped = SolarToLunar(1900, 1, 31);
    int leapEntries = 0;
    for (int32_t days = first; days <= last; ++days) {
        const CivilDate c = CivilFromDays(days);
        const LunarDate fresh = SolarToLunar(c.year, c.month, c.day);
        const LunarDate walked = WalkToLunar(c.year, c.month, c.day);
        ASSERT_TRUE(fresh.ok()) << c.year << '-' << c.month << '-' << c.day;
        ASSERT_TRUE(SameLunarDay(stepped, fresh)) << c.year << '-' << c.month << '-' << c.day;
        ASSERT_TRUE(SameLunarDay(walked, fresh)) << c.year << '-' << c.month << '-' << c.day;
        ASSERT_EQ(fresh.stepCount, fresh.day - 1);
        ASSERT_EQ(walked.stepCount, fresh.stepCount);
        ASSERT_EQ(fresh.isLeapMonthNumber, fresh.month == LeapMonthOf(fresh.year) ? 1 : 0);
        ASSERT_EQ(fresh.monthDays, fresh.inLeapMonth ? LeapMonthDays(fresh.year) : MonthDays(fresh.year, fresh.month));
        if (fresh.inLeapMonth && fresh.day == 1) ++leapEntries;
        const bool more = NextDay(stepped);
        ASSERT_EQ(more, days < last);
    }
    EXPECT_EQ(leapEntries, 74);
    EXPECT_FALSE(stepped.ok()); // stepped past 2101-01-28
    EXPECT_FALSE(NextDay(stepped));
    EXPECT_FALSE(stepped.ok());
}

TEST(Lunar, TableDecodes) {
    int total = 0, leaps = 0;
    std::set<int> numbers;
    for (int y = kLunarFirstYear; y <= kLunarLastYear; ++y) {
        total += LunarYearDays(y);
        EXPECT_EQ(LunarYearTable[y - 1900] >> 17, 0u) << y;
        if (LeapMonthOf(y)) {
            ++leaps;
            numbers.insert(LeapMonthOf(y));
            EXPECT_GE(LeapMonthDays(y), 29);
        } else {
            EXPECT_EQ(LeapMonthDays(y), 0);
        }
        EXPECT_EQ(LunarNewYearDays(y + 1 > kLunarLastYear ? y : y + 1) - LunarNewYearDays(y),
                  y < kLunarLastYear ? LunarYearDays(y) : 0);
    }
    EXPECT_EQ(total, 73412);
    EXPECT_EQ(leaps, 74);
    EXPECT_EQ(numbers, (std::set<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_EQ(LunarNewYearDays(1900), DaysFromCivil(1900, 1, 31));
    EXPECT_EQ(LunarNewYearDays(2050), DaysFromCivil(2050, 1, 23));
    EXPECT_EQ(LunarNewYearDays(2100), DaysFromCivil(2100, 2, 9));
}

// 2033 has its leap month after month 11; the year keeps its 384 days.
TEST(Lunar, Year2033) {
    EXPECT_EQ(LeapMonthOf(2033), 11);
    EXPECT_EQ(LunarYearDays(2033), 384);
    EXPECT_EQ(LunarNewYearDays(2034), DaysFromCivil(2034, 2, 19));
    EXPECT_TRUE(Is(SolarToLunar(2033, 8, 25), 2033, 8, 1, 0, 0, 29));
    EXPECT_TRUE(Is(SolarToLunar(2033, 12, 21), 2033, 11, 30, 0, 1, 30));
    EXPECT_TRUE(Is(SolarToLunar(2033, 12, 22), 2033, 11, 1, 1, 1, 29));
    EXPECT_TRUE(Is(SolarToLunar(2034, 1, 20), 2033, 12, 1, 0, 0, 30));
    EXPECT_TRUE(Is(SolarToLunar(2034, 2, 19), 2034, 1, 1, 0, 0, 29));
}

TEST(Lunar, KnownDates) {
    EXPECT_TRUE(Is(SolarToLunar(1900, 1, 31), 1900, 1, 1, 0, 0, 29));
    EXPECT_TRUE(Is(SolarToLunar(1900, 2, 1), 1900, 1, 2, 0, 0, 29));
    EXPECT_TRUE(Is(SolarToLunar(2023, 3, 21), 2023, 2, 30, 0, 1, 30));
    EXPECT_TRUE(Is(SolarToLunar(2023, 3, 22), 2023, 2, 1, 1, 1, 29));
    EXPECT_TRUE(Is(SolarToLunar(2023, 4, 19), 2023, 2, 29, 1, 1, 29));
    EXPECT_TRUE(Is(SolarToLunar(2023, 4, 20), 2023, 3, 1, 0, 0, 29)); // not the leap month
    EXPECT_TRUE(Is(SolarToLunar(2020, 5, 23), 2020, 4, 1, 1, 1, 29));
    EXPECT_TRUE(Is(SolarToLunar(2025, 7, 25), 2025, 6, 1, 1, 1, 29));
    EXPECT_TRUE(Is(SolarToLunar(2026, 12, 7), 2026, 10, 29, 0, 0, 30));
    EXPECT_TRUE(Is(SolarToLunar(2049, 12, 31), 2049, 12, 7, 0, 0, 29));
    EXPECT_TRUE(Is(SolarToLunar(2050, 1, 22), 2049, 12, 29, 0, 0, 29));
    EXPECT_TRUE(Is(SolarToLunar(2050, 1, 23), 2050, 1, 1, 0, 0, 29));
    EXPECT_TRUE(Is(SolarToLunar(2051, 2, 10), 2050, 12, 29, 0, 0, 29));
    // Past the old table, from the generated words: a leap eighth month, the new moon 27 s before
    // midnight that opens month 9 of 2057, and the table's last day.
    EXPECT_TRUE(Is(SolarToLunar(2052, 9, 23), 2052, 8, 1, 1, 1, 29));
    EXPECT_TRUE(Is(SolarToLunar(2057, 9, 28), 2057, 9, 1, 0, 0, 30));
    EXPECT_TRUE(Is(SolarToLunar(2100, 12, 31), 2100, 12, 1, 0, 0, 29));
    EXPECT_TRUE(Is(SolarToLunar(2101, 1, 28), 2100, 12, 29, 0, 0, 29));
    // Words kept from the published table: these months begin a day before their new moon (UTC+8).
    EXPECT_TRUE(Is(SolarToLunar(1914, 11, 17), 1914, 10, 1, 0, 0, 30));
    EXPECT_TRUE(Is(SolarToLunar(1933, 7, 22), 1933, 6, 1, 0, 0, 30));
    EXPECT_EQ(SolarToLunar(2026, 2, 17).day, 1); // new year 2026
    EXPECT_EQ(SolarToLunar(2026, 2, 17).year, 2026);
}

TEST(Lunar, OutOfRangeIsRejected) {
    const int bad[][3] = {{1900, 1, 30},
                          {2101, 1, 29},
                          {1899, 12, 31},
                          {2102, 1, 1},
                          {2023, 2, 29},
                          {2023, 13, 1},
                          {2023, 0, 1},
                          {2023, 4, 31},
                          {2023, 4, 0},
                          {0, 0, 0},
                          {INT_MAX, INT_MAX, INT_MAX},
                          {INT_MIN, INT_MIN, INT_MIN},
                          {2000, 1, -5}};
    for (const auto& d : bad) {
        const LunarDate l = SolarToLunar(d[0], d[1], d[2]);
        EXPECT_FALSE(l.ok()) << d[0] << '-' << d[1] << '-' << d[2];
        EXPECT_EQ(l.year, 0);
        EXPECT_EQ(l.month, 0);
    }
    LunarDate garbage;
    garbage.year = 2000;
    garbage.month = 13;
    garbage.day = 1;
    garbage.monthDays = 30;
    EXPECT_FALSE(NextDay(garbage));
    EXPECT_FALSE(garbage.ok());
    for (int y : {1899, 2101, 0, INT_MIN, INT_MAX}) {
        EXPECT_EQ(LeapMonthOf(y), 0);
        EXPECT_EQ(LunarYearDays(y), 0);
        EXPECT_EQ(LeapMonthDays(y), 0);
        EXPECT_EQ(MonthDays(y, 1), 0);
        EXPECT_EQ(LunarNewYearDays(y), 0);
    }
    for (int m : {0, 13, -1, INT_MIN, INT_MAX})
        EXPECT_EQ(MonthDays(2000, m), 0) << m;
}
