#include <cstdio>
#include <map>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "engine/gregorian.h"
#include "engine/lunar.h"
#include "engine/solar_terms.h"
#include "holidays/holidays.h"

namespace {

// The State Council's notices, transcribed by hand, one line a year: each holiday (元 元旦, 春 春节,
// 清 清明节, 劳 劳动节, 端 端午节, 秋 中秋节, 国 国庆节, 抗 抗战胜利纪念日; two joined when the notice joins them)
// with its days off (spans "m.d-d" or "m.d-m.d", "y.m.d" in another year) and after "/" its working
// days. Weekends that the notice only joins to a holiday ("与周末连休") are not in it.
const char* const kNotices[] = {
    "2004 元1.1 春1.22-28/1.17,1.18 劳5.1-7/5.8,5.9 国10.1-7/10.9,10.10",
    "2005 元1.1-3 春2.9-15/2.5,2.6 劳5.1-7/4.30,5.8 国10.1-7/10.8,10.9",
    "2006 元1.1-3/2005.12.31 春1.29-2.4/1.28,2.5 劳5.1-7/4.29,4.30 国10.1-7/9.30,10.8",
    "2007 元1.1-3/2006.12.30,2006.12.31 春2.18-24/2.17,2.25 劳5.1-7/4.28,4.29 国10.1-7/9.29,9.30",
    "2008 元2007.12.30-2008.1.1/2007.12.29 春2.6-12/2.2,2.3 清4.4-6 劳5.1-3/5.4 端6.7-9 秋9.13-15 "
    "国9.29-10.5/9.27,9.28",
    "2009 元1.1-3/1.4 春1.25-31/1.24,2.1 清4.4-6 劳5.1-3 端5.28-30/5.31 国秋10.1-8/9.27,10.10",
    "2010 元1.1-3 春2.13-19/2.20,2.21 清4.3-5 劳5.1-3 端6.14-16/6.12,6.13 秋9.22-24/9.19,9.25 国10.1-7/9.26,10.9",
    "2011 元1.1-3 春2.2-8/1.30,2.12 清4.3-5/4.2 劳4.30-5.2 端6.4-6 秋9.10-12 国10.1-7/10.8,10.9",
    "2012 元1.1-3/2011.12.31 春1.22-28/1.21,1.29 清4.2-4/3.31,4.1 劳4.29-5.1/4.28 端6.22-24 秋国9.30-10.7/9.29",
    "2013 元1.1-3/1.5,1.6 春2.9-15/2.16,2.17 清4.4-6/4.7 劳4.29-5.1/4.27,4.28 端6.10-12/6.8,6.9 秋9.19-21/9.22 "
    "国10.1-7/9.29,10.12",
    "2014 元1.1 春1.31-2.6/1.26,2.8 清4.5-7 劳5.1-3/5.4 端6.2 秋9.8 国10.1-7/9.28,10.11",
    "2015 元1.1-3/1.4 春2.18-24/2.15,2.28 清4.5-6 劳5.1 端6.20-22 抗9.3-5/9.6 秋9.27 国10.1-7/10.10",
    "2016 元1.1 春2.7-13/2.6,2.14 清4.4 劳5.1-2 端6.9-11/6.12 秋9.15-17/9.18 国10.1-7/10.8,10.9",
    "2017 元1.1-2 春1.27-2.2/1.22,2.4 清4.2-4/4.1 劳5.1 端5.28-30/5.27 国秋10.1-8/9.30",
    "2018 元1.1 春2.15-21/2.11,2.24 清4.5-7/4.8 劳4.29-5.1/4.28 端6.18 秋9.24 国10.1-7/9.29,9.30",
    "2019 元2018.12.30-2019.1.1/2018.12.29 春2.4-10/2.2,2.3 清4.5 劳5.1-4/4.28,5.5 端6.7 秋9.13 国10.1-7/9.29,10.12",
    "2020 元1.1 春1.24-2.2/1.19 清4.4-6 劳5.1-5/4.26,5.9 端6.25-27/6.28 国秋10.1-8/9.27,10.10",
    "2021 元1.1-3 春2.11-17/2.7,2.20 清4.3-5 劳5.1-5/4.25,5.8 端6.12-14 秋9.19-21/9.18 国10.1-7/9.26,10.9",
    "2022 元1.1-3 春1.31-2.6/1.29,1.30 清4.3-5/4.2 劳4.30-5.4/4.24,5.7 端6.3-5 秋9.10-12 国10.1-7/10.8,10.9",
    "2023 元2022.12.31-2023.1.2 春1.21-27/1.28,1.29 清4.5 劳4.29-5.3/4.23,5.6 端6.22-24/6.25 秋国9.29-10.6/10.7,10.8",
    "2024 元1.1 春2.10-17/2.4,2.18 清4.4-6/4.7 劳5.1-5/4.28,5.11 端6.10 秋9.15-17/9.14 国10.1-7/9.29,10.12",
    "2025 元1.1 春1.28-2.4/1.26,2.8 清4.4-6 劳5.1-5/4.27 端5.31-6.2 国秋10.1-8/9.28,10.11",
    "2026 元1.1-3/1.4 春2.15-23/2.14,2.28 清4.4-6 劳5.1-5/5.9 端6.19-21 秋9.25-27 国10.1-7/9.20,10.10",
};
// clang-format off
const std::map<std::string, std::string> kNames = {{"元", "元旦"}, {"春", "春节"}, {"清", "清明节"}, {"劳", "劳动节"},
    {"端", "端午节"}, {"秋", "中秋节"}, {"国", "国庆节"}, {"抗", "抗战胜利纪念日"}, {"国秋", "国庆节、中秋节"},
    {"秋国", "中秋节、国庆节"}};
// clang-format on

// Reads "d", "m.d" or "y.m.d" over `date`, keeping the parts it does not give.
const char* ReadDate(const char* p, CivilDate& date) {
    int a = 0, b = 0, c = 0, n = 0;
    const int got = std::sscanf(p, "%d%n.%d%n.%d%n", &a, &n, &b, &n, &c, &n);
    date = got == 3 ? CivilDate{a, b, c} : got == 2 ? CivilDate{date.year, a, b} : CivilDate{date.year, date.month, a};
    return p + n;
}

// Day -> its mark and holiday ("休元旦") in the notices.
std::map<int32_t, std::string> NoticeDays() {
    std::map<int32_t, std::string> days;
    for (const char* line : kNotices) {
        std::istringstream in(line);
        int year = 0;
        std::string item;
        for (in >> year; in >> item;) {
            const size_t digit = item.find_first_of("0123456789");
            std::string mark = "休";
            for (const char* p = item.c_str() + digit; *p;) {
                if (*p == '/') mark = "班";
                if (*p == '/' || *p == ',') ++p;
                CivilDate first{year, 0, 0};
                p = ReadDate(p, first);
                CivilDate last = first;
                if (*p == '-') p = ReadDate(p + 1, last);
                for (int32_t d = DaysFromCivil(first.year, first.month, first.day);
                     d <= DaysFromCivil(last.year, last.month, last.day); ++d)
                    EXPECT_TRUE(days.emplace(d, mark + kNames.at(item.substr(0, digit))).second) << line;
            }
        }
    }
    return days;
}

} // namespace

// Every day of the years around the table: its mark and holiday are the notice's, nothing outside.
TEST(Holidays, BuiltInDataIsTheNotices) {
    EXPECT_TRUE(BuiltInHolidayFirstYear() == 2004 && BuiltInHolidayLastYear() == 2026);
    const auto notices = NoticeDays();
    for (int32_t d = DaysFromCivil(2003, 1, 1); d <= DaysFromCivil(2027, 12, 31); ++d) {
        const CivilDate c = CivilFromDays(d);
        const HolidayDay got = BuiltInHoliday(c.year, c.month, c.day);
        auto it = notices.find(d);
        ASSERT_EQ(HolidayMarkText(got.mark) + std::string(got.name), it == notices.end() ? "" : it->second)
            << c.year << '-' << c.month << '-' << c.day;
    }
}

// The law's days of every year 2027-2100, each holiday found its own way: 春节 and its eve from the
// new year's day count, 端午 and 中秋 by adding up the lunar months before them (a leap month too).
TEST(Holidays, LawDaysEveryYearTo2100) {
    for (int year = 2027; year <= 2100; ++year) {
        std::map<int32_t, std::string> want;
        auto add = [&want](int32_t d, const std::string& name) {
            want[d] = want.count(d) ? want[d] + "、" + name : name;
        };
        for (int md : {101, 501, 502, 1001, 1002, 1003})
            add(DaysFromCivil(year, md / 100, md % 100), md < 200 ? "元旦" : md < 600 ? "劳动节" : "国庆节");
        SolarTerm qingming, guyu;
        ASSERT_TRUE(SolarTermDays(year, 4, qingming, guyu) && std::string(SolarTermName(4, 1)) == "清明");
        add(DaysFromCivil(year, 4, qingming.day), "清明节");
        const int32_t newYear = LunarNewYearDays(year);
        for (int32_t d = newYear - 1; d <= newYear + 2; ++d)
            add(d, "春节");
        auto dayOf = [year, newYear](int month, int day) {
            int32_t d = newYear + day - 1;
            for (int m = 1; m < month; ++m)
                d += MonthDays(year, m) + (LeapMonthOf(year) == m ? LeapMonthDays(year) : 0);
            return d;
        };
        add(dayOf(5, 5), "端午节");
        add(dayOf(8, 15), "中秋节");
        for (int32_t d = DaysFromCivil(year, 1, 1); d <= DaysFromCivil(year, 12, 31); ++d) {
            const CivilDate c = CivilFromDays(d);
            const HolidayDay got = LawHoliday(c.year, c.month, c.day);
            const std::string expected = want.count(d) ? "休" + want[d] : "";
            ASSERT_EQ(HolidayMarkText(got.mark) + std::string(got.name) + (got.byLaw ? "" : "?"),
                      expected + (expected.empty() ? "?" : ""))
                << c.year << '-' << c.month << '-' << c.day;
        }
    }
}
