#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "engine/gregorian.h"
#include "engine/month_page.h"

namespace {

MonthPage Build(int year, int month, int day = 0) {
    MonthPage page;
    EXPECT_TRUE(BuildMonthPage(page, kDesktopRange, year, month, day)) << year << '-' << month;
    return page;
}

} // namespace

TEST(MonthPage, December2026) {
    const MonthPage page = Build(2026, 12, 7);
    EXPECT_EQ(page.dayCount, 31);
    EXPECT_EQ(page.mark.year, 2026);
    EXPECT_EQ(page.mark.month, 12);
    EXPECT_EQ(page.mark.day, 7);
    EXPECT_TRUE(page.MarkShown());
    const DayCell& first = page.cells[1];
    EXPECT_EQ(first.weekday, 2);
    EXPECT_EQ(first.lunar.year, 2026);
    EXPECT_EQ(first.lunar.month, 10);
    EXPECT_EQ(first.lunar.day, 23);
    EXPECT_EQ(first.text, "廿三");
    EXPECT_EQ(page.cells[9].lunar.month, 11);
    EXPECT_EQ(page.cells[9].lunar.day, 1);
    EXPECT_EQ(page.cells[9].text, "十一月大");
    EXPECT_TRUE(page.cells[9].textIsMonthName);
    EXPECT_EQ(page.yearCaption, "丙午【马】年");
    EXPECT_EQ(page.lunarMonthCount, 2);
    EXPECT_EQ(page.lunarMonths[0], 10);
    EXPECT_EQ(page.lunarMonths[1], 11);
    EXPECT_EQ(page.cells[8].lunarMonthIndex, 0);
    EXPECT_EQ(page.cells[9].lunarMonthIndex, 1);
}

TEST(MonthPage, MarkMovesOnlyWithADay) {
    MonthPage page = Build(2026, 12, 7);
    ASSERT_TRUE(BuildMonthPage(page, kDesktopRange, 2026, 11, 0));
    EXPECT_EQ(page.mark.year * 10000 + page.mark.month * 100 + page.mark.day, 20261207);
    EXPECT_FALSE(page.MarkShown());
    ASSERT_TRUE(BuildMonthPage(page, kDesktopRange, 2023, 2, 31));
    EXPECT_EQ(page.mark.year * 10000 + page.mark.month * 100 + page.mark.day, 20230228);
    EXPECT_TRUE(page.MarkShown());
    ASSERT_TRUE(BuildMonthPage(page, kDesktopRange, 2023, 3, -4)); // no day: mark stays
    EXPECT_EQ(page.mark.day, 28);
    EXPECT_FALSE(page.MarkShown());

    MonthMark mark;
    EXPECT_FALSE(mark.IsOn(2026, 12));
    mark.Move(2024, 2, 30, 29);
    EXPECT_EQ(mark.day, 29);
    EXPECT_TRUE(mark.IsOn(2024, 2));
}

TEST(MonthPage, TextRules) {
    const MonthPage march = Build(2023, 3);
    EXPECT_EQ(march.cells[22].text, "闰二月小");
    EXPECT_EQ(march.cells[22].lunar.inLeapMonth, 1);
    EXPECT_TRUE(march.cells[22].textIsMonthName);
    EXPECT_EQ(march.lunarMonthCount, 1); // month 2 and leap month 2 share a number

    const MonthPage feb = Build(2026, 2);
    EXPECT_EQ(feb.cells[17].text, "春节");
    EXPECT_FALSE(feb.cells[17].textIsMonthName);
    EXPECT_EQ(feb.yearCaption, "乙巳【蛇】年－丙午【马】年");
    EXPECT_EQ(Build(2026, 1).yearCaption, "乙巳【蛇】年");
    // The new year of 2014 fell on 31 January, the page's last day.
    EXPECT_EQ(Build(2014, 1).yearCaption, "癸巳【蛇】年－甲午【马】年");
    // 19 February 2015 was both the new year and 雨水: the festival is written.
    const MonthPage feb2015 = Build(2015, 2);
    EXPECT_EQ(feb2015.cells[19].solarTerm, 2);
    EXPECT_EQ(feb2015.cells[19].text, "春节");

    const MonthPage october = Build(2020, 10);
    EXPECT_STREQ(october.cells[1].festival, "中秋"); // the lunar festival beats 国庆
    EXPECT_EQ(october.cells[1].text, "中秋");

    const MonthPage earliest = Build(1900, 2);
    EXPECT_EQ(earliest.cells[1].lunar.year, 1900);
    EXPECT_EQ(earliest.cells[1].lunar.month, 1);
    EXPECT_EQ(earliest.cells[1].lunar.day, 2);
    EXPECT_EQ(earliest.cells[1].text, "初二");
    EXPECT_NE(earliest.cells[1].festival, nullptr);

    const MonthPage latest = Build(2049, 12);
    EXPECT_EQ(latest.yearCaption, "己巳【蛇】年");
    EXPECT_EQ(latest.cells[31].lunar.day, 7);
}

TEST(MonthPage, OutOfRangeLeavesPageAlone) {
    MonthPage page = Build(2026, 12, 7);
    const std::string caption = page.yearCaption;
    const int bad[][2] = {{1900, 1}, {2050, 1}, {2026, 0}, {2026, 13}, {1899, 12}, {0, 0}, {-2147483647, 5}};
    for (const auto& b : bad) {
        EXPECT_FALSE(MonthPageInRange(kDesktopRange, b[0], b[1]));
        EXPECT_FALSE(BuildMonthPage(page, kDesktopRange, b[0], b[1], 1)) << b[0] << '-' << b[1];
    }
    // The terminal calendar goes on to December 2100, and no further.
    EXPECT_TRUE(MonthPageInRange(kTerminalRange, 2050, 1));
    EXPECT_TRUE(MonthPageInRange(kTerminalRange, 2100, 12));
    for (const auto& b : {std::make_pair(1900, 1), std::make_pair(2101, 1), std::make_pair(2147483647, 12)})
        EXPECT_FALSE(BuildMonthPage(page, kTerminalRange, b.first, b.second, 1)) << b.first << '-' << b.second;
    EXPECT_EQ(page.year, 2026);
    EXPECT_EQ(page.month, 12);
    EXPECT_EQ(page.mark.day, 7);
    EXPECT_EQ(page.yearCaption, caption);
    EXPECT_FALSE(MonthPage{}.ok());
}

// Every page the calendar can show, in one pass: the cells agree with fresh conversions, the text
// follows its rules, and only the known eleven pages touch three lunar months.
TEST(MonthPage, EveryPage) {
    std::vector<std::string> threeMonthPages;
    MonthPage page;
    for (int y = kDesktopRange.first.year; y <= kDesktopRange.last.year; ++y) {
        for (int m = 1; m <= 12; ++m) {
            if (!MonthPageInRange(kDesktopRange, y, m)) continue;
            ASSERT_TRUE(BuildMonthPage(page, kDesktopRange, y, m));
            ASSERT_EQ(page.dayCount, DaysInMonth(y, m));
            ASSERT_FALSE(page.yearCaption.empty());
            for (int d = 1; d <= page.dayCount; ++d) {
                const DayCell& cell = page.cells[d];
                ASSERT_TRUE(SameLunarDay(cell.lunar, SolarToLunar(y, m, d))) << y << '-' << m << '-' << d;
                ASSERT_EQ(cell.weekday, DayOfWeek(y, m, d));
                ASSERT_FALSE(cell.text.empty());
                ASSERT_LE(cell.text.size(), 15u); // "闰十一月大"
                ASSERT_EQ(cell.textIsMonthName, cell.lunar.day == 1 && !cell.festival && !cell.solarTerm);
                ASSERT_LT(cell.lunarMonthIndex, page.lunarMonthCount);
                ASSERT_EQ(page.lunarMonths[cell.lunarMonthIndex], cell.lunar.month);
            }
            ASSERT_EQ(page.lunarMonths[0], page.cells[1].lunar.month);
            ASSERT_EQ(page.lunarMonths[page.lunarMonthCount - 1], page.cells[page.dayCount].lunar.month);
            if (page.lunarMonthCount == 3) threeMonthPages.push_back(std::to_string(y * 100 + m));
        }
    }
    EXPECT_EQ(threeMonthPages, (std::vector<std::string>{"190210", "193801", "195703", "196207", "196712", "198107",
                                                         "198612", "198908", "199710", "200007", "204905"}));
    // July 2000: last day of month 5, all of month 6, first day of month 7.
    const MonthPage july = Build(2000, 7);
    EXPECT_EQ(july.lunarMonths[0], 5);
    EXPECT_EQ(july.lunarMonths[1], 6);
    EXPECT_EQ(july.lunarMonths[2], 7);
    EXPECT_EQ(july.cells[1].lunarMonthIndex, 0);
    EXPECT_EQ(july.cells[2].lunarMonthIndex, 1);
    EXPECT_EQ(july.cells[31].lunarMonthIndex, 2);
    EXPECT_EQ(july.cells[31].lunar.day, 1);
}
