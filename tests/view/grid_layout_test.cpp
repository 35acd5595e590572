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

// Scales of today's displays (100 % to 300 %) and one below 100 %, where rounding folds pixels.
constexpr int kDpis[] = {96, 120, 144, 168, 192, 240, 288, 72};

// At every scale, CellOrigin is the first point of its day's hit area and the area reaches to the next
// scaled pitch; each day sits in the cell painted for it, the lines between cells neither open nor close
// (each as wide as the scale makes one pixel), and at 96 DPI the pixels are the unscaled ones.
TEST(GridLayout, OriginsAndHitsAgreeOnEveryPageAtEveryScale) {
    MonthPage page;
    for (int dpi : kDpis) {
        const int line = (dpi + kBaseDpi - 1) / kBaseDpi, least = dpi >= kBaseDpi;
        for (int year = kDesktopRange.first.year; year <= kDesktopRange.last.year; ++year) {
            for (int month = 1; month <= 12; ++month) {
                if (!BuildMonthPage(page, kDesktopRange, year, month, 0)) continue;
                for (int d = 1; d <= page.dayCount; ++d) {
                    const GridPoint o = CellOrigin(page, d, dpi), o96 = CellOrigin(page, d, kBaseDpi);
                    const int right = Scaled(o96.x + kColumnPitch, dpi), bottom = Scaled(o96.y + kRowPitch, dpi);
                    ASSERT_EQ(HitTestDay(page, o.x, o.y, dpi), d) << dpi << ' ' << year << '-' << month << '-' << d;
                    ASSERT_EQ(HitTestDay(page, right - 1, bottom - 1, dpi), d) << dpi;
                    ASSERT_NE(HitTestDay(page, o.x - 1, o.y, dpi), d) << dpi;
                    ASSERT_NE(HitTestDay(page, o.x, o.y - 1, dpi), d) << dpi;
                    ASSERT_NE(HitTestDay(page, right, o.y, dpi), d) << dpi;
                    ASSERT_NE(HitTestDay(page, o.x, bottom, dpi), d) << dpi;
                    const int row = (o96.y - kHeaderHeight) / kRowPitch, column = o96.x / kColumnPitch;
                    ASSERT_EQ(DayAtCell(page, row, column), d);
                    ASSERT_EQ(column, page.cells[d].weekday);
                    const GridRect cell = CellRect(row, column, dpi);
                    ASSERT_TRUE(cell.left == o.x && cell.top >= o.y && cell.right <= right && cell.bottom <= bottom);
                    const int gapRight = CellRect(row, column + 1, dpi).left - cell.right;
                    const int gapBelow = CellRect(row + 1, column, dpi).top - cell.bottom;
                    ASSERT_TRUE(gapRight >= least && gapRight <= line && gapBelow >= least && gapBelow <= line);
                    const GridRect m = HolidayMarkRect(row, column, dpi); // the 休/班 box is the day's
                    ASSERT_TRUE(HitTestDay(page, m.left, m.top, dpi) == d &&
                                HitTestDay(page, m.right - 1, m.bottom - 1, dpi) == d);
                    if (dpi == kBaseDpi) {
                        ASSERT_TRUE(o.x == o96.x && o.y == o96.y);
                    }
                }
            }
        }
    }
}

// 51 x 32 cells at a 52 x 33 pitch: the first row under the header's line, the last column at the
// right edge (at every scale), the last row's line just above the strip.
TEST(GridLayout, CellsTileTheGrid) {
    const GridRect first = CellRect(0, 0, kBaseDpi), last = CellRect(5, 6, kBaseDpi);
    EXPECT_EQ((std::vector<int>{first.left, first.top, first.right, first.bottom}), (std::vector<int>{0, 21, 51, 53}));
    EXPECT_EQ((std::vector<int>{last.left, last.top, last.right, last.bottom}),
              (std::vector<int>{312, 186, kGridWidth, kGridHeight - kStripHeight - 1}));
    for (int dpi : kDpis)
        EXPECT_EQ(CellRect(5, 6, dpi).right, Scaled(kGridWidth, dpi));
    const GridRect m = HolidayMarkRect(5, 6, kBaseDpi); // inside, right of the number, above the stars and text
    EXPECT_TRUE(m.left >= last.left + kDayNumberRight && m.right <= last.right && m.bottom < last.top + kCellLowerTop);
}

TEST(GridLayout, HitTestEdges) {
    MonthPage page = Page(2026, 12);                           // day 1 on Tuesday, 31 days
    EXPECT_EQ(HitTestDay(page, 2 * 52, 19, kBaseDpi), 0);      // header
    EXPECT_EQ(HitTestDay(page, 2 * 52, 20, kBaseDpi), 1);      // the line under the header is row 0
    EXPECT_EQ(HitTestDay(page, 2 * 52 + 51, 20, kBaseDpi), 1); // the line right of a cell belongs to it
    EXPECT_EQ(HitTestDay(page, 3 * 52, 20, kBaseDpi), 2);
    EXPECT_EQ(HitTestDay(page, 0, 30, kBaseDpi), 0); // before day 1
    EXPECT_EQ(HitTestDay(page, 4 * 52, 20 + 4 * 33, kBaseDpi), 31);
    EXPECT_EQ(HitTestDay(page, 5 * 52, 20 + 4 * 33, kBaseDpi), 0); // after the last day
    EXPECT_EQ(HitTestDay(page, 0, 218, kBaseDpi), 0);              // line above the strip, past row 5
    EXPECT_EQ(HitTestDay(page, 100, 230, kBaseDpi), 0);            // strip
    EXPECT_EQ(HitTestDay(page, -5, 60, kBaseDpi), 0);              // outside the client area
    EXPECT_EQ(HitTestDay(page, 363 + 52, 60, kBaseDpi), 0);
    EXPECT_EQ(HitTestDay(MonthPage{}, 120, 60, kBaseDpi), 0);

    EXPECT_EQ(HitTestHeaderColumn(3 * 52 + 10, 5, kBaseDpi), 3);
    EXPECT_EQ(HitTestHeaderColumn(362, 20, kBaseDpi), 6);
    EXPECT_EQ(HitTestHeaderColumn(0, 21, kBaseDpi), -1);
    EXPECT_EQ(HitTestHeaderColumn(364, 0, kBaseDpi), -1);
    EXPECT_EQ(HitTestHeaderColumn(-1, 0, kBaseDpi), -1);
    EXPECT_EQ(HitTestHeaderColumn(543, 31, 144), 6); // the line under the header, scaled, still counts
    EXPECT_EQ(HitTestHeaderColumn(543, 32, 144), -1);
}

// A text under the number stays where it was when it fits (one column short of the cell's edge);
// else from further left, in the first size that fits, or squeezed into the room left.
TEST(GridLayout, LongTextsFitTheirCell) {
    const int fitsThere[] = {44}, justOver[] = {45}, fitsLeft[] = {49, 60}, third[] = {60, 55, 49, 40},
              none[] = {75, 65, 55};
    EXPECT_EQ(FitCellText(fitsThere, 1, 52, kBaseDpi).left, kCellTextLeft);
    EXPECT_EQ(FitCellText(justOver, 1, 52, kBaseDpi).left, kCellTextFitLeft);
    EXPECT_EQ(FitCellText(fitsLeft, 2, 52, kBaseDpi).left, kCellTextFitLeft);
    EXPECT_EQ(FitCellText(fitsLeft, 2, 52, kBaseDpi).size, -1);
    EXPECT_EQ(FitCellText(third, 4, 52, kBaseDpi).size, 1);
    const CellTextPlace squeezed = FitCellText(none, 3, 52, kBaseDpi);
    EXPECT_EQ(squeezed.size, 1);
    EXPECT_EQ(squeezed.width, 49);
    EXPECT_EQ(FitCellText(none, 3, 52, 192).width, 0); // twice the pixels: 65 fits from the left
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
