#include <climits>

#include <gtest/gtest.h>

#include "engine/gregorian.h"

namespace {

// Weekday by the month-shift table, the classic way, to check the day-count weekday against.
int ShiftTableWeekday(int y, int m, int d) {
    static const int shift[13] = {0, 0, 3, 3, 6, 1, 4, 6, 2, 5, 0, 3, 5};
    const int a = y - 1;
    int sum = a % 7 + a / 4 - a / 100 + a / 400 + shift[m] + d;
    if (IsLeapYear(y) && m > 2) ++sum;
    return sum % 7;
}

// Days from the base date, counted by years and months before them.
int LeapDaysUpTo(int a) {
    return a / 4 - a / 100 + a / 400;
}
int DayOfYear(int y, int m, int d) {
    static const int before[13] = {0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    return before[m] + (IsLeapYear(y) && m > 2 ? 1 : 0) + d;
}
int CountedDaysBetween(int y, int m, int d, int y0, int m0, int d0) {
    return 365 * (y - y0) + LeapDaysUpTo(y - 1) - LeapDaysUpTo(y0 - 1) + DayOfYear(y, m, d) - DayOfYear(y0, m0, d0);
}

} // namespace

TEST(Gregorian, LeapYearsAndMonthLengths) {
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_FALSE(IsLeapYear(2100));
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(2026, 4), 30);
    EXPECT_EQ(DaysInMonth(2026, 12), 31);
    for (int bad : {0, 13, -1, INT_MIN, INT_MAX})
        EXPECT_EQ(DaysInMonth(2026, bad), 0) << bad;
}

TEST(Gregorian, KnownWeekdaysAndDistances) {
    EXPECT_EQ(DayOfWeek(1900, 1, 1), 1);
    EXPECT_EQ(DayOfWeek(2000, 1, 1), 6);
    EXPECT_EQ(DayOfWeek(2026, 12, 7), 1);
    EXPECT_EQ(DayOfWeek(2049, 12, 31), 5);
    EXPECT_EQ(DaysBetween(1900, 1, 31, 1900, 1, 31), 0);
    EXPECT_EQ(DaysBetween(1900, 1, 1, 1900, 1, 31), -30);
    EXPECT_EQ(DaysBetween(2000, 3, 1, 1900, 1, 31), 36554);
    EXPECT_EQ(DaysBetween(2026, 12, 7, 1900, 1, 31), 46331);
}

// Every date of 1900-2050, in one walk: weekday, distance and the day-count round trip agree.
TEST(Gregorian, WholeRangeAgrees) {
    int32_t count = DaysFromCivil(1900, 1, 1);
    int weekday = 1;
    for (int y = 1900; y <= 2050; ++y) {
        for (int m = 1; m <= 12; ++m) {
            for (int d = 1; d <= DaysInMonth(y, m); ++d) {
                ASSERT_EQ(DaysFromCivil(y, m, d), count) << y << '-' << m << '-' << d;
                ASSERT_EQ(DayOfWeek(y, m, d), weekday) << y << '-' << m << '-' << d;
                ASSERT_EQ(ShiftTableWeekday(y, m, d), weekday) << y << '-' << m << '-' << d;
                ASSERT_EQ(DaysBetween(y, m, d, 1900, 1, 31), CountedDaysBetween(y, m, d, 1900, 1, 31));
                ASSERT_EQ(DaysBetween(1900, 1, 31, y, m, d), -DaysBetween(y, m, d, 1900, 1, 31));
                const CivilDate back = CivilFromDays(count);
                ASSERT_TRUE(back.ok());
                ASSERT_EQ(back.year * 10000 + back.month * 100 + back.day, y * 10000 + m * 100 + d);
                ++count;
                weekday = (weekday + 1) % 7;
            }
        }
    }
}

// Out-of-range months carry into the year instead of reading past a table.
TEST(Gregorian, BadInputIsDefined) {
    EXPECT_EQ(DayOfWeek(2026, 13, 1), DayOfWeek(2027, 1, 1));
    EXPECT_EQ(DayOfWeek(2026, 0, 1), DayOfWeek(2025, 12, 1));
    EXPECT_EQ(DaysBetween(2026, 13, 1, 2027, 1, 1), 0);
    EXPECT_EQ(DaysBetween(2026, 1, 0, 2025, 12, 31), 0);
    EXPECT_EQ(DaysBetween(2026, -11, 1, 2025, 1, 1), 0);
    for (int m : {INT_MIN, -1, 0, 13, INT_MAX}) {
        const int w = DayOfWeek(2026, m, 1);
        EXPECT_GE(w, 0);
        EXPECT_LE(w, 6);
    }
    const int w = DayOfWeek(INT_MIN, INT_MIN, INT_MIN);
    EXPECT_TRUE(w >= 0 && w <= 6);
    EXPECT_EQ(DaysBetween(INT_MAX, 12, 31, INT_MIN, 1, 1), INT32_MAX); // saturates
    EXPECT_FALSE((CivilDate{2023, 2, 29}.ok()));
    EXPECT_FALSE((CivilDate{2023, 13, 1}.ok()));
    EXPECT_TRUE((CivilDate{2024, 2, 29}.ok()));
}
