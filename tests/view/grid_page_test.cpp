#include <gtest/gtest.h>

#include <string>

#include "view/grid_page.h"
#include "view_test_dir.h"

namespace {

constexpr uint32_t kCustomRed = MEMO_CUSTOM_COLOR | 0x000000FF;

std::string LunarFile(int month) {
    return "0" + std::string(month < 10 ? "0" : "") + std::to_string(month);
}

} // namespace

using GridPageTest = MemoFolderTest;

TEST_F(GridPageTest, StoresReloadOnEveryCall) {
    GridPage grid;
    grid.SetMemoRoot(root);
    Write("202612", MemoFileBytes({{5, "abc", 0}}));
    ASSERT_TRUE(grid.SetMonth(2026, 12, 0));
    EXPECT_EQ(grid.monthMemos.slot(5).text(), "abc");
    // Written by someone else while shown: the same month shown again reads the file again.
    Write("202612", MemoFileBytes({{6, "xyz", 0}}));
    ASSERT_TRUE(grid.SetMonth(2026, 12, 0));
    EXPECT_FALSE(grid.monthMemos.slot(5).present());
    EXPECT_EQ(grid.monthMemos.slot(6).text(), "xyz");
    ASSERT_TRUE(grid.SetMonth(2026, 11, 0));
    EXPECT_FALSE(grid.monthMemos.slot(6).present());
    // A month the calendar cannot show changes nothing.
    EXPECT_FALSE(grid.SetMonth(2050, 1, 5));
    EXPECT_EQ(grid.page().month, 11);
}

// Every day of a page takes its lunar memo from the file of its own lunar month number, also on a
// page that touches three lunar months (July 2000: 5/30, all of month 6, 7/1).
TEST_F(GridPageTest, LunarMemosOfThreeMonthsLandOnTheirDays) {
    GridPage grid;
    grid.SetMemoRoot(root);
    ASSERT_TRUE(grid.SetMonth(2000, 7, 0));
    const MonthPage& page = grid.page();
    ASSERT_EQ(page.lunarMonthCount, 3);
    ASSERT_EQ(page.cells[1].lunar.month, 5);
    ASSERT_EQ(page.cells[31].lunar.month, 7);

    // Each lunar file holds a memo on every lunar day, naming its month and day.
    for (int m = 5; m <= 7; ++m) {
        std::string bytes = {100, 0};
        for (int d = 1; d <= 30; ++d) {
            std::string text = std::to_string(m) + "/" + std::to_string(d);
            bytes += MemoFileBytes({{d, text, 0}}).substr(2);
        }
        Write(LunarFile(m), bytes);
    }
    ASSERT_TRUE(grid.SetMonth(2000, 7, 0));
    for (int d = 1; d <= page.dayCount; ++d) {
        const LunarDate& l = page.cells[d].lunar;
        EXPECT_EQ(grid.LunarMemoFor(d).text(), std::to_string(l.month) + "/" + std::to_string(l.day)) << "day " << d;
    }

    // Saving on a day of the middle month writes month 6's file and nothing else.
    int middleDay = 15;
    ASSERT_EQ(page.cells[middleDay].lunar.month, 6);
    const std::string before5 = Read(LunarFile(5)), before7 = Read(LunarFile(7));
    ASSERT_EQ(grid.SaveDayMemos(middleDay, "", 0, "", 0, "  new", kCustomRed), 0);
    EXPECT_EQ(Read(LunarFile(5)), before5);
    EXPECT_EQ(Read(LunarFile(7)), before7);
    ASSERT_TRUE(grid.SetMonth(2000, 7, 0));
    EXPECT_EQ(grid.LunarMemoFor(middleDay).text(), "new");
    EXPECT_EQ(grid.LunarMemoFor(middleDay).color(), kCustomRed);
    EXPECT_EQ(grid.lunarMemosMiddle.slot(page.cells[middleDay].lunar.day).text(), "new");

    // The next page touches two lunar months: no middle store is left over from July.
    ASSERT_TRUE(grid.SetMonth(2000, 8, 0));
    EXPECT_EQ(grid.page().lunarMonthCount, 2);
    EXPECT_EQ(grid.lunarMemosMiddle.path(), "");
    for (int i = 0; i <= 31; ++i)
        EXPECT_FALSE(grid.lunarMemosMiddle.slot(i).occupied());
}

TEST_F(GridPageTest, SecondLunarMonthUsesTheLastStore) {
    GridPage grid;
    grid.SetMemoRoot(root);
    ASSERT_TRUE(grid.SetMonth(2026, 12, 0)); // lunar 10/23 ... 11/23; day 9 is 11/1
    Write(LunarFile(10), MemoFileBytes({{1, "ten", 0}}));
    Write(LunarFile(11), MemoFileBytes({{1, "eleven", 0}}));
    ASSERT_TRUE(grid.SetMonth(2026, 12, 0));
    EXPECT_EQ(grid.LunarMemoFor(9).text(), "eleven");
    EXPECT_EQ(grid.LunarStoreFor(9), &grid.lunarMemosLast);
    EXPECT_EQ(grid.LunarStoreFor(8), &grid.lunarMemosFirst);
    EXPECT_FALSE(grid.LunarMemoFor(8).present()); // 10/30
    EXPECT_EQ(grid.LunarStoreFor(0), nullptr);
    EXPECT_EQ(grid.LunarStoreFor(32), nullptr);
    EXPECT_FALSE(grid.LunarMemoFor(40).present());
}

// A page inside one lunar month loads that month's file twice; every day reads and saves through the
// first store, so the second copy can never write stale memos back.
TEST_F(GridPageTest, OneLunarMonthPageSavesThroughTheFirstStore) {
    GridPage grid;
    grid.SetMemoRoot(root);
    int year = 0, month = 0;
    for (int y = 1901; y <= 2049 && !year; ++y)
        for (int m = 1; m <= 12 && !year; ++m)
            if (grid.SetMonth(y, m, 0) && grid.page().lunarMonthCount == 1) year = y, month = m;
    ASSERT_NE(year, 0) << "no page inside one lunar month";
    const MonthPage& page = grid.page();
    for (int d = 1; d <= page.dayCount; ++d)
        ASSERT_EQ(grid.LunarStoreFor(d), &grid.lunarMemosFirst);
    ASSERT_EQ(grid.SaveDayMemos(3, "", 0, "", 0, "x", 0), 0);
    ASSERT_EQ(grid.SaveDayMemos(4, "", 0, "", 0, "y", 0), 0);
    ASSERT_TRUE(grid.SetMonth(year, month, 0));
    EXPECT_EQ(grid.LunarMemoFor(3).text(), "x");
    EXPECT_EQ(grid.LunarMemoFor(4).text(), "y");
}

TEST_F(GridPageTest, TipTextJoinsTheFourMemosInOrder) {
    GridPage grid;
    grid.SetMemoRoot(root);
    Write("202612", MemoFileBytes({{10, "one\r\ntwo", 0}}));
    Write("112", MemoFileBytes({{10, "solar", 0}}));
    Write(LunarFile(11), MemoFileBytes({{2, "L", 0}}));
    Write("week", MemoFileBytes({{4, "W", 0}})); // 10 December 2026 is a Thursday
    ASSERT_TRUE(grid.SetMonth(2026, 12, 0));
    EXPECT_EQ(grid.TipText(10), "W\r\none\r\ntwo\r\nsolar\r\nL");
    EXPECT_EQ(grid.TipText(17), "W");
    EXPECT_EQ(grid.TipText(11), "");
    EXPECT_EQ(grid.TipText(0), "");
}

TEST_F(GridPageTest, SavingStripsLeadingBlanksAndRemovesEmptyFiles) {
    GridPage grid;
    grid.SetMemoRoot(root);
    ASSERT_TRUE(grid.SetMonth(2026, 12, 0));
    ASSERT_EQ(grid.SaveDayMemos(5, "  abc ", 0, " s", 0, "", 0), 0);
    EXPECT_EQ(Read("202612"), MemoFileBytes({{5, "abc ", 0}}));
    EXPECT_EQ(Read("112"), MemoFileBytes({{5, "s", 0}}));
    EXPECT_FALSE(Exists(LunarFile(10)));
    ASSERT_EQ(grid.SaveDayMemos(5, "   ", 0, "", 0, "", 0), 0);
    EXPECT_FALSE(Exists("202612"));
    EXPECT_FALSE(Exists("112"));
    EXPECT_EQ(grid.SaveDayMemos(0, "a", 0, "", 0, "", 0), -1);
    EXPECT_EQ(grid.SaveDayMemos(32, "a", 0, "", 0, "", 0), -1);

    ASSERT_EQ(grid.SaveWeeklyMemo(3, " wed", 0), 0);
    EXPECT_EQ(Read("week"), MemoFileBytes({{3, "wed", 0}}));
    EXPECT_EQ(grid.SaveWeeklyMemo(7, "x", 0), -1);
}

// A text over the limit stops the save before any file changes; a file that cannot be written keeps
// its old contents and the page shows what the file holds, while the other memos are saved.
TEST_F(GridPageTest, FailedSavesChangeNothingUnsaved) {
    GridPage grid;
    grid.SetMemoRoot(root);
    ASSERT_TRUE(grid.SetMonth(2026, 12, 0));
    ASSERT_EQ(grid.SaveDayMemos(5, "old", 0, "", 0, "", 0), 0);
    MemoSaveResult results[3];
    const std::string longText = "  " + std::string(65536, 'x');
    EXPECT_EQ(grid.SaveDayMemos(5, "new", 0, longText, 0, "l", 0, results), -1);
    EXPECT_EQ(results[0].problem, MemoSaveProblem::None);
    EXPECT_EQ(results[1].problem, MemoSaveProblem::TooLong);
    EXPECT_EQ(results[1].length, 65536u);
    EXPECT_EQ(Read("202612"), MemoFileBytes({{5, "old", 0}}));
    EXPECT_EQ(Names(), (std::vector<std::string>{"202612"}));
    // The limit counts what is stored: blanks in front go first.
    EXPECT_EQ(grid.SaveDayMemos(5, "old", 0, "  " + std::string(65535, 'x'), 0, "", 0), 0);

    std::filesystem::create_directory(FileOf("010")); // lunar file of day 1 (10/23) cannot be replaced
    EXPECT_EQ(grid.SaveDayMemos(1, "one", 0, "", 0, "lunar", 0, results), -1);
    EXPECT_EQ(results[2].problem, MemoSaveProblem::WriteFailed);
    EXPECT_EQ(results[2].file, "日历/010");
    EXPECT_EQ(grid.monthMemos.slot(1).text(), "one");
    EXPECT_FALSE(grid.LunarMemoFor(1).occupied());

    GridPage rootless;
    ASSERT_TRUE(rootless.SetMonth(2026, 12, 0));
    MemoSaveResult weekly;
    EXPECT_EQ(rootless.SaveWeeklyMemo(3, "wed", 0, &weekly), -1);
    EXPECT_EQ(weekly.problem, MemoSaveProblem::NoFolder);
    EXPECT_FALSE(rootless.weeklyMemos.slot(3).occupied());
}

// What each memo paints on a day, in the palette's and the memo kinds' colours (December 2026:
// the 6th and 13th are Sundays, lunar 10/28 and 11/5).
TEST_F(GridPageTest, MarksAndNumberColours) {
    constexpr uint32_t kBlack = 0x000000, kRed = 0x0000FF, kSkyBlue = 0xFACE87, kViolet = 0xFF0080;
    GridPage grid;
    grid.SetMemoRoot(root);
    Write(LunarFile(10), MemoFileBytes({{28, "L", 0}}));
    Write("202612", MemoFileBytes({{13, "", kCustomRed}, {16, "w", 0}, {20, "one", 0}}));
    Write("week", MemoFileBytes({{3, "W", 0x00FF00}}));
    ASSERT_TRUE(grid.SetMonth(2026, 12, 7));
    const GridPalette palette;

    // A lunar memo on a Sunday: violet star, and the number turns from holiday red to black.
    DayMarks sunday = grid.MarksFor(6, palette);
    EXPECT_TRUE(sunday.lunarStar);
    EXPECT_EQ(sunday.lunarStarColor, kViolet);
    EXPECT_FALSE(sunday.filled || sunday.solarStar || sunday.weekly);
    EXPECT_EQ(sunday.numberColor, kBlack);
    // A colour kept without text marks nothing: the Sunday stays red.
    DayMarks colourOnly = grid.MarksFor(13, palette);
    EXPECT_FALSE(colourOnly.filled);
    EXPECT_EQ(colourOnly.numberColor, kRed);
    DayMarks oneTime = grid.MarksFor(20, palette);
    EXPECT_TRUE(oneTime.filled);
    EXPECT_EQ(oneTime.fillColor, kSkyBlue);
    // The weekly memo (a word without the custom bit) marks Wednesdays in the weekly red only.
    DayMarks wednesday = grid.MarksFor(2, palette);
    EXPECT_TRUE(wednesday.weekly);
    EXPECT_EQ(wednesday.weeklyColor, kRed);
    EXPECT_EQ(wednesday.numberColor, kBlack);

    // Dark edges the Wednesday dot where it sits on the one-time fill (the 16th), not on the plain
    // cell; light draws its own colours as ever.
    const GridPalette dark = MakePalette(ThemeVariant::Dark, {}).grid;
    EXPECT_TRUE(grid.MarksFor(16, dark).weeklyEdge);
    EXPECT_FALSE(grid.MarksFor(2, dark).weeklyEdge);
    EXPECT_FALSE(grid.MarksFor(16, palette).weeklyEdge);

    // The marked day's weekday name (7 December, a Monday) is cyan only on the marked month's page.
    for (int column = 0; column < 7; ++column)
        EXPECT_EQ(HeaderNameColor(palette, grid.page(), column), column == 1 ? 0xFFFF00u : 0x78FFFFu) << column;
    ASSERT_TRUE(grid.SetMonth(2027, 1, 0));
    for (int column = 0; column < 7; ++column)
        EXPECT_EQ(HeaderNameColor(palette, grid.page(), column), 0x78FFFFu) << column;
}
