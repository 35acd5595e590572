#include <climits>
#include <utility>

#include <gtest/gtest.h>

#include "engine/gregorian.h"
#include "engine/lunar.h"
#include "engine/names.h"

TEST(Names, YearNames) {
    EXPECT_EQ(StemBranchName(0), "甲子");
    EXPECT_EQ(StemBranchName(1900 - 1864), "庚子");
    EXPECT_EQ(StemBranchName(2026 - 1864), "丙午");
    EXPECT_EQ(StemBranchName(59), "癸亥");
    EXPECT_EQ(StemBranchName(60), "甲子");
    EXPECT_EQ(StemBranchName(-1), "癸亥");
    EXPECT_EQ(ZodiacName(1900), "鼠");
    EXPECT_EQ(ZodiacName(2023), "兔");
    EXPECT_EQ(ZodiacName(2026), "马");
    EXPECT_EQ(ZodiacName(2049), "蛇");
    EXPECT_FALSE(StemBranchName(INT_MIN).empty());
    EXPECT_FALSE(ZodiacName(INT_MIN).empty());
}

TEST(Names, MonthAndDayNames) {
    EXPECT_EQ(LunarMonthName(1, false), "正");
    EXPECT_EQ(LunarMonthName(4, true), "闰四");
    EXPECT_EQ(LunarMonthName(10, false), "十");
    EXPECT_EQ(LunarMonthName(11, false), "十一");
    EXPECT_EQ(LunarMonthName(12, false), "十二");
    EXPECT_EQ(LunarMonthName(11, true), "闰十一");
    const std::pair<int, const char*> days[] = {{1, "初一"},  {10, "初十"}, {11, "十一"}, {20, "二十"},
                                                {21, "廿一"}, {29, "廿九"}, {30, "三十"}};
    for (const auto& d : days)
        EXPECT_EQ(LunarDayName(d.first), d.second) << d.first;
    EXPECT_STREQ(WeekdayName(0), "日");
    EXPECT_STREQ(WeekdayName(6), "六");
    EXPECT_STREQ(WeekdayName(7), "日");
    for (int bad : {INT_MIN, -1, 0, 13, 31, INT_MAX}) {
        EXPECT_EQ(LunarMonthName(bad, true), "") << bad;
        EXPECT_EQ(LunarDayName(bad == 13 ? 31 : bad), "") << bad;
    }
    EXPECT_STREQ(WeekdayName(-1), "");
    EXPECT_STREQ(WeekdayName(8), "");
}

TEST(Names, Festivals) {
    // Festival days as published calendars give them; the leap months of 2006 (7), 2009 (5) and
    // 2014 (9) repeat a festival's month and day without the festival.
    struct Day {
        int y, m, d;
        const char* festival;
    };
    const Day days[] = {
        {2026, 2, 17, "春节"},   {2026, 2, 18, "初二"},   {2026, 2, 19, "初三"},  {2024, 2, 24, "元宵节"},
        {2024, 6, 10, "端午"},   {2024, 8, 10, "七夕节"}, {2024, 9, 17, "中秋"},  {2024, 10, 11, "重阳节"},
        {2006, 7, 31, "七夕节"}, {2006, 8, 30, nullptr},  {2009, 5, 28, "端午"},  {2009, 6, 27, nullptr},
        {2014, 10, 2, "重阳节"}, {2014, 11, 1, nullptr},  {2024, 2, 23, nullptr}, {2026, 12, 7, nullptr},
    };
    for (const Day& day : days) {
        const char* got = LunarFestival(SolarToLunar(day.y, day.m, day.d));
        EXPECT_STREQ(got ? got : "-", day.festival ? day.festival : "-") << day.y << '-' << day.m << '-' << day.d;
    }

    // New year's eve on the last day of month 12, long or short; not on day 29 of a long one.
    int eves = 0;
    for (int y = 1900; y < 2050; ++y) {
        const int32_t eve = LunarNewYearDays(y + 1) - 1;
        const CivilDate c = CivilFromDays(eve);
        const LunarDate l = SolarToLunar(c.year, c.month, c.day);
        ASSERT_EQ(l.month, 12);
        ASSERT_STREQ(LunarFestival(l), "除夕") << y;
        if (l.monthDays == 30) {
            const CivilDate before = CivilFromDays(eve - 1);
            EXPECT_EQ(LunarFestival(SolarToLunar(before.year, before.month, before.day)), nullptr) << y;
        }
        ++eves;
    }
    EXPECT_EQ(eves, 150);

    // A twelfth month followed by a leap twelfth month: no eve on the ordinary month's last day.
    LunarDate d;
    d.year = 2000;
    d.month = 12;
    d.day = 30;
    d.monthDays = 30;
    d.isLeapMonthNumber = 1;
    EXPECT_EQ(LunarFestival(d), nullptr);
    d.inLeapMonth = 1;
    EXPECT_STREQ(LunarFestival(d), "除夕");
    EXPECT_EQ(LunarFestival(LunarDate{}), nullptr);

    EXPECT_STREQ(SolarFestival(1, 1), "元旦");
    EXPECT_STREQ(SolarFestival(5, 1), "劳动节");
    EXPECT_STREQ(SolarFestival(6, 1), "儿童节");
    EXPECT_STREQ(SolarFestival(10, 1), "国庆");
    EXPECT_EQ(SolarFestival(12, 25), nullptr);
    EXPECT_EQ(SolarFestival(0, 0), nullptr);
}
