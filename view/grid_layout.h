// Geometry and colour rules of the month grid. The constants are client pixels of the grid window at
// 96 DPI: 7 columns at a 52-pixel pitch, 6 rows at a 33-pixel pitch below a 20-pixel header, each cell
// one pixel smaller than its pitch so black lines separate the cells. At another DPI every coordinate
// is scaled (win/dpi_scale.h); the functions below take the grid's DPI and answer in its pixels.
#pragma once

#include <cstdint>

#include "engine/month_page.h"
#include "win/dpi_scale.h"
#include "win/palette.h"

constexpr int kGridWidth = 363;
constexpr int kGridHeight = 236;
constexpr int kHeaderHeight = 20; // header band (0, 0)-(W, 20)
constexpr int kStripHeight = 17;  // gold strip at the bottom
constexpr int kColumnPitch = 52;
constexpr int kRowPitch = 33;
constexpr int kCellWidth = 51;
constexpr int kCellHeight = 32;
constexpr int kFirstCellTop = 21; // one black line under the header
constexpr int kGridRows = 6;
constexpr int kGridColumns = 7;
constexpr int kMaxDays = 31;

// The 休 or 班 of a statutory holiday or make-up working day: one character in the free top-right
// corner of the cell, its font's pixel height = kHolidayMarkSize, its box kHolidayMarkSize square at
// this offset from the cell's top-left corner.
constexpr int kHolidayMarkLeft = 38;
constexpr int kHolidayMarkTop = 1;
constexpr int kHolidayMarkSize = 12;
// What the mark keeps clear of, from the cell's top-left corner: the day number ("%2d" in its font,
// drawn at x = 10) ends left of kDayNumberRight; the stars and the text under the number start at
// y = kCellLowerTop; the weekly "●" lies left of the number.
constexpr int kDayNumberRight = 34;
constexpr int kCellLowerTop = 15;

struct GridPoint {
    int x = 0;
    int y = 0;
};

struct GridRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The painted cell at (row 0-5, column 0-6): 51 x 32 pixels at (52c, 21 + 33r), at 96 DPI.
GridRect CellRect(int row, int column, int dpi);
// Top-left corner at 96 DPI of the painted cell at (row, column): the base of every mark's offset.
GridPoint CellCorner96(int row, int column);

// Box of the 休 or 班 mark in the painted cell at (row, column), at `dpi`.
GridRect HolidayMarkRect(int row, int column, int dpi);

// Day shown in the cell at (row, column), or 0 for an empty cell (before day 1, after the last day).
int DayAtCell(const MonthPage& page, int row, int column);

// Origin of a day's hit area: (52 × weekday, 20 + 33 × row) at 96 DPI. (0, 0) for a day not on the page.
GridPoint CellOrigin(const MonthPage& page, int day, int dpi);

// Day under a client point, or 0. Hit areas are 52 × 33 pitches from (0, 20) at 96 DPI: the line
// between two cells belongs to the cell left of it or below it, the line under the header to row 0.
// The header, the bottom strip, empty cells and points outside the client area hit no day. At every
// DPI, CellOrigin is the first point of its day's area.
int HitTestDay(const MonthPage& page, int x, int y, int dpi);

// Weekday column of a click that hit no day, when it lies in the header band (y ≤ 20 at 96 DPI, the
// line under the header included): 0 (Sunday) - 6, else −1.
int HitTestHeaderColumn(int x, int y, int dpi);

// The text under the day number starts kCellTextLeft into the cell. One that would pass the cell's
// last pixel column from there (a long lunar month name: 十一月大, 闰十二月小) starts kCellTextFitLeft in
// instead and takes the first of the fitting sizes, largest first, that ends inside the cell; when
// none does (bitmap faces stop at 11 pixels), the smallest, its characters squeezed to `width`. The
// next cell's text is never reached.
constexpr int kCellTextLeft = 6;
constexpr int kCellTextFitLeft = 1;
constexpr int kCellTextTop = 17;
struct CellTextPlace {
    int left = kCellTextLeft; // 96-DPI offset from the cell's left edge
    int size = -1;            // −1: the usual font; else an index into the fitting sizes
    int width = 0;            // 0: as the font sets it; else squeezed to this width (grid pixels)
};
// widths[0] is the text's width in the usual font, widths[1..count-1] in the fitting sizes, all in
// the grid's pixels at `dpi`; cellLeft is the cell's left edge at 96 DPI.
CellTextPlace FitCellText(const int* widths, int count, int cellLeft, int dpi);

// Colour of a day's number and of the text under it, highest rule first: any one-time or yearly memo,
// festival, solar term, Saturday, Sunday, else normal. A weekly memo alone changes nothing.
uint32_t DayNumberColor(const GridPalette& palette, const DayCell& cell, bool hasDayMemo);

// Colour of a weekday name in the header: todayColor in the marked day's column when the page shows
// the marked month.
uint32_t HeaderNameColor(const GridPalette& palette, const MonthPage& page, int column);
