#include <gtest/gtest.h>

#include <map>
#include <string>

#include "view/grid_page.h"
#include "view/today_glance.h"
#include "view_test_dir.h"

namespace {

std::string Name(int a, int b) {
    return std::to_string(a) + (b < 10 ? "0" : "") + std::to_string(b);
}

// A file with a memo on each slot that `has` picks, its text naming the file and the slot.
template <class Pick> std::string FileWith(const std::string& name, int lastSlot, Pick has) {
    std::string bytes = MemoFileBytes({});
    for (int s = 1; s <= lastSlot; ++s)
        if (has(s)) bytes += MemoFileBytes({{s, name + "/" + std::to_string(s), 0}}).substr(2);
    return bytes;
}

} // namespace

using TodayGlanceTest = MemoFolderTest;

// For every day of two years with a leap lunar month (2023: 闰二月, 2025: 闰六月) and every advance,
// the reminder names what the grid's own pages mark over the next days: all of today's marks, then
// the stars alone. The lunar files hold a memo on every 30th, which a 29-day month does not show.
TEST_F(TodayGlanceTest, DueMemosAreWhatTheNextDaysPagesMark) {
    for (int m = 1; m <= 12; ++m) {
        Write(Name(0, m), FileWith(Name(0, m), 30, [m](int s) { return s == 30 || (s * 7 + m * 3) % 11 == 0; }));
        // Solar ones on days some months lack (2-29, 4-31) too.
        Write(Name(1, m), FileWith(Name(1, m), 31, [m](int s) { return s >= 29 || (s * 5 + m) % 13 == 0; }));
        for (int y : {2023, 2024, 2025, 2026})
            Write(Name(y, m), FileWith(Name(y, m), 31, [m](int s) { return (s + m) % 9 == 0; }));
    }
    Write("week", FileWith("week", 6, [](int s) { return s == 3; }));

    std::map<int, GridPage> pages; // the grid's page of each month, by year * 12 + month
    auto pageOf = [&](const CivilDate& d) -> const GridPage& {
        auto [it, made] = pages.try_emplace(d.year * 12 + d.month);
        if (made) it->second.SetMemoRoot(root), it->second.SetMonth(d.year, d.month, 0);
        return it->second;
    };
    GridPage scratch;
    scratch.SetMemoRoot(root);
    const GridPalette palette;
    int lunarThirties = 0, ahead = 0;
    for (int year : {2023, 2025}) {
        for (int32_t day = DaysFromCivil(year, 1, 1); day <= DaysFromCivil(year, 12, 31); ++day) {
            const CivilDate today = CivilFromDays(day);
            for (int advance : {0, 1, 3, 7, -1}) {
                std::string expected;
                for (int k = 0; k <= advance; ++k) {
                    const CivilDate date = CivilFromDays(day + k);
                    const GridPage& page = pageOf(date);
                    const DayMarks marks = page.MarksFor(date.day, palette);
                    const auto records = page.DayRecords(date.day);
                    const bool shown[4] = {marks.weekly && k == 0, marks.filled && k == 0, marks.solarStar,
                                           marks.lunarStar};
                    for (int i = 0; i < 4; ++i)
                        if (shown[i]) expected += std::to_string(k) + " " + records[i]->text() + ";";
                }
                std::string got;
                for (const DueMemo& memo : DueMemos(scratch, today, advance)) {
                    got += std::to_string(memo.daysAhead) + " " + memo.text + ";";
                    EXPECT_EQ(DaysFromCivil(memo.date.year, memo.date.month, memo.date.day), day + memo.daysAhead);
                    lunarThirties += memo.kind == MemoKind::LunarYearly && memo.lunar.day == 30;
                    ahead += memo.daysAhead > 0;
                }
                ASSERT_EQ(got, expected) << today.year << "-" << today.month << "-" << today.day << " +" << advance;
            }
        }
    }
    EXPECT_GT(lunarThirties, 0);
    EXPECT_GT(ahead, 0);
}

TEST_F(TodayGlanceTest, ReminderLinesAndTooltipFitTheShell) {
    DueMemo today{0, MemoKind::OneTime, {2026, 12, 10}, {}, "\xbf\xaa\xbb\xe1\t\r\n\xcf\xc2\xce\xe7"}; // 开会 下午
    DueMemo lunar{3, MemoKind::LunarYearly, {2026, 12, 13}, {2026, 11, 5}, "\xc9\xfa\xc8\xd5"};        // 生日
    DueMemo solar{1, MemoKind::SolarYearly, {2026, 12, 11}, {}, "x"};
    EXPECT_EQ(ReminderText({today, solar, lunar}),
              "今天：开会 下午\n明天（12月11日）：x\n3天后（农历十一月初五）：生日");
    EXPECT_EQ(ReminderText({}), "");
    // Too many: whole lines, then "……", within the limit; a long memo is cut on its own line.
    std::vector<DueMemo> many(30, today);
    many[0].text = std::string(300, 'a');
    const std::string text = ReminderText(many);
    EXPECT_LE(Utf16Length(text), kBalloonTextLimit);
    EXPECT_EQ(text.substr(0, text.find('\n')), "今天：" + std::string(56, 'a') + "…");
    EXPECT_EQ(text.substr(text.size() - 7), "\n……");

    GridPage page;
    page.SetMemoRoot(root);
    Write("202612", MemoFileBytes({{10, "a", 0}}));
    Write("112", MemoFileBytes({{10, "b", 0}}));
    Write("week", MemoFileBytes({{4, "", MEMO_CUSTOM_COLOR}})); // a kept colour is no memo
    ASSERT_TRUE(page.SetMonth(2026, 12, 0));
    EXPECT_EQ(TrayTipText(page, 10), "2026年12月10日 星期四\n农历十一月初二\n今天有2条记事");
    ASSERT_TRUE(page.SetMonth(2025, 10, 0));
    EXPECT_EQ(TrayTipText(page, 6), "2025年10月6日 星期一\n农历八月十五\n中秋\n休（国庆节、中秋节）\n今天没有记事");
    EXPECT_EQ(TrayTipText(page, 8), "2025年10月8日 星期三\n农历八月十七\n寒露\n休（国庆节、中秋节）\n今天没有记事");
}
