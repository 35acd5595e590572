#include <gtest/gtest.h>

#include "engine/month_page.h"
#include "engine/solar_terms.h"

namespace {

::testing::AssertionResult Term(const SolarTerm& t, int day, int hour, int minute) {
    if (t.day == day && t.hour == hour && t.minute == minute) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got " << int(t.day) << ' ' << int(t.hour) << ':' << int(t.minute);
}

} // namespace

// The table's own tests check its values; these check that records are found by year and month.
TEST(SolarTerms, ReadsTheRightRecord) {
    const int rows[][8] = {{1900, 1, 6, 2, 4, 20, 19, 32},
                           {2024, 4, 4, 15, 2, 19, 21, 60},
                           {2054, 12, 7, 6, 3, 22, 0, 9},
                           {2055, 1, 5, 17, 22, 20, 10, 48},
                           {2100, 12, 7, 9, 40, 22, 3, 50}};
    for (const auto& r : rows) {
        SolarTerm first, second;
        ASSERT_TRUE(SolarTermDays(r[0], r[1], first, second));
        EXPECT_TRUE(Term(first, r[2], r[3], r[4])) << r[0] << '-' << r[1];
        EXPECT_TRUE(Term(second, r[5], r[6], r[7])) << r[0] << '-' << r[1];
    }
}

TEST(SolarTerms, NamesAndBadInput) {
    EXPECT_STREQ(SolarTermName(1, 1), "小寒");
    EXPECT_STREQ(SolarTermName(2, 1), "立春");
    EXPECT_STREQ(SolarTermName(4, 2), "谷雨");
    EXPECT_STREQ(SolarTermName(12, 2), "冬至");
    EXPECT_STREQ(SolarTermName(0, 1), "");
    EXPECT_STREQ(SolarTermName(13, 1), "");
    EXPECT_STREQ(SolarTermName(6, 0), "");
    EXPECT_STREQ(SolarTermName(6, 3), "");
    SolarTerm first, second;
    const int bad[][2] = {{1899, 12}, {2101, 1}, {2000, 0}, {2000, 13}, {-32768, 1}};
    for (const auto& b : bad) {
        first.day = second.day = 9;
        EXPECT_FALSE(SolarTermDays(b[0], b[1], first, second));
        EXPECT_EQ(first.day, 0);
        EXPECT_EQ(second.day, 0);
    }
}

TEST(SolarTerms, OnThePage) {
    // The 24 terms of 2024 as published calendars give them (China time).
    const char* const names[24] = {"小寒", "大寒", "立春", "雨水", "惊蛰", "春分", "清明", "谷雨",
                                   "立夏", "小满", "芒种", "夏至", "小暑", "大暑", "立秋", "处暑",
                                   "白露", "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至"};
    const int days[24] = {6, 20, 4, 19, 5, 20, 4, 19, 5, 20, 5, 21, 6, 22, 7, 22, 7, 22, 8, 23, 7, 22, 6, 21};
    MonthPage page;
    for (int i = 0; i < 24; ++i) {
        const int month = i / 2 + 1, mark = i % 2 + 1;
        ASSERT_TRUE(BuildMonthPage(page, kDesktopRange, 2024, month));
        EXPECT_EQ(page.cells[days[i]].solarTerm, mark) << names[i];
        EXPECT_EQ(page.cells[days[i]].text, names[i]);
    }

    // A solar term on the first day of a lunar month shows the term, not the month name.
    int found = 0;
    for (int y = kDesktopRange.first.year; y <= kDesktopRange.last.year && !found; ++y) {
        for (int m = 1; m <= 12; ++m) {
            if (!BuildMonthPage(page, kDesktopRange, y, m)) continue;
            for (int d = 1; d <= page.dayCount; ++d) {
                const DayCell& cell = page.cells[d];
                if (cell.solarTerm && cell.lunar.day == 1 && !cell.festival) {
                    EXPECT_EQ(cell.text, SolarTermName(m, cell.solarTerm));
                    EXPECT_FALSE(cell.textIsMonthName);
                    ++found;
                }
            }
        }
    }
    EXPECT_GT(found, 0);
}
