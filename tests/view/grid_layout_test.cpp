#include <gtest/gtest.h>

#include <vector>

#include "engine/gregorian.h"
#include "engine/month_page.h"
#include "view/grid_layout.h"

namespace {

MonthPage Page(int year, int month, int day = 0) {
    MonthPage page;
    EXPECT_TRUE(BuildMonthPage(page, kDesktopRange, year, month, day));
    return page;
}

} // namespace

// CellOrigin and HitTestDay are inverses on every page, and each day sits in the cell painted for it.
TEST(GridLayout, OriginsAndHitsAgreeOnEveryPage) {
    MonthPage page;
    for (int year = kDesktopRange.first.year; year <= kDesktopRange.last.year; ++year) {
        for (int month = 1; month <= 12; ++month) {
            if (!BuildMonthPage(page, kDesktopRange, year, month, 0)) continue;
            for (int d = 1; d <= page.dayCount; ++d) {
                GridPoint o = CellOrigin(page, d);
                ASSERT_EQ(HitTestDay(page, o.x, o.y), d) << year << '-' << month << '-' << d;
                ASSERT_EQ(HitTestDay(page, o.x + 51, o.y + 32), d);
                int row = (o.y - kHeaderHeight) / kRowPitch, column = o.x / kColumnPitch;
                ASSERT_EQ(DayAtCell(page, row, column), d);
                ASSERT_EQ(column, page.cells[d].weekday);
                const GridRect m = HolidayMarkRect(CellRect(row, column)); // the 休/班 box is the day's
                ASSERT_TRUE(HitTestDay(page, m.left, m.top) == d && HitTestDay(page, m.right - 1, m.bottom - 1) == d);
            }
        }
    }
}

// 51 x 32 cells at a 52 x 33 pitch: the first row under the header's line, the last column at the
// right edge, the last row's line just above the strip.
TEST(GridLayout, CellsTileTheGrid) {
    const GridRect first = CellRect(0, 0), last = CellRect(5, 6);
    EXPECT_EQ((std::vector<int>{first.left, first.top, first.right, first.bottom}), (std::vector<int>{0, 21, 51, 53}));
    EXPECT_EQ((std::vector<int>{last.left, last.top, last.right, last.bottom}),
              (std::vector<int>{312, 186, kGridWidth, kGridHeight - kStripHeight - 1}));
    const GridRect m = HolidayMarkRect(last); // inside, right of the number, above the stars and the text
    EXPECT_TRUE(m.left >= last.left + kDayNumberRight && m.right <= last.right && m.bottom < last.top + kCellLowerTop);
}

TEST(GridLayout, HitTestEdges) {
    MonthPage page = Page(2026, 12);                 // day 1 on Tuesday, 31 days
    EXPECT_EQ(HitTestDay(page, 2 * 52, 19), 0);      // header
    EXPECT_EQ(HitTestDay(page, 2 * 52, 20), 1);      // the line under the header is row 0
    EXPECT_EQ(HitTestDay(page, 2 * 52 + 51, 20), 1); // the line right of a cell belongs to it
    EXPECT_EQ(HitTestDay(page, 3 * 52, 20), 2);
    EXPECT_EQ(HitTestDay(page, 0, 30), 0); // before day 1
    EXPECT_EQ(HitTestDay(page, 4 * 52, 20 + 4 * 33), 31);
    EXPECT_EQ(HitTestDay(page, 5 * 52, 20 + 4 * 33), 0); // after the last day
    EXPECT_EQ(HitTestDay(page, 0, 218), 0);              // line above the strip, past row 5
    EXPECT_EQ(HitTestDay(page, 100, 230), 0);            // strip
    EXPECT_EQ(HitTestDay(page, -5, 60), 0);              // outside the client area
    EXPECT_EQ(HitTestDay(page, 363 + 52, 60), 0);
    EXPECT_EQ(HitTestDay(MonthPage{}, 120, 60), 0);

    EXPECT_EQ(HitTestHeaderColumn(3 * 52 + 10, 5), 3);
    EXPECT_EQ(HitTestHeaderColumn(362, 20), 6);
    EXPECT_EQ(HitTestHeaderColumn(0, 21), -1);
    EXPECT_EQ(HitTestHeaderColumn(364, 0), -1);
    EXPECT_EQ(HitTestHeaderColumn(-1, 0), -1);
}

TEST(GridLayout, DayNumberColourPrecedence) {
    GridPalette p;
    DayCell cell;
    cell.weekday = 3;
    EXPECT_EQ(DayNumberColor(p, cell, false), p.normalDayColor);
    cell.weekday = 0;
    EXPECT_EQ(DayNumberColor(p, cell, false), p.holidayColor);
    cell.weekday = 6;
    EXPECT_EQ(DayNumberColor(p, cell, false), p.saturdayColor);
    cell.solarTerm = 2; // a solar term on a Saturday is blue
    EXPECT_EQ(DayNumberColor(p, cell, false), p.solarTermColor);
    cell.festival = "元旦"; // a festival beats the term
    EXPECT_EQ(DayNumberColor(p, cell, false), p.holidayColor);
    EXPECT_EQ(DayNumberColor(p, cell, true), p.normalDayColor); // any memo beats everything
}
