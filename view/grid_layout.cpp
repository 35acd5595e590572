#include "view/grid_layout.h"

GridRect CellRect(int row, int column) {
    GridRect r;
    r.left = kColumnPitch * column;
    r.top = kFirstCellTop + kRowPitch * row;
    r.right = r.left + kCellWidth;
    r.bottom = r.top + kCellHeight;
    return r;
}

GridRect HolidayMarkRect(const GridRect& cell) {
    GridRect r;
    r.left = cell.left + kHolidayMarkLeft;
    r.top = cell.top + kHolidayMarkTop;
    r.right = r.left + kHolidayMarkSize;
    r.bottom = r.top + kHolidayMarkSize;
    return r;
}

int DayAtCell(const MonthPage& page, int row, int column) {
    if (!page.ok() || row < 0 || row >= kGridRows || column < 0 || column >= kGridColumns) return 0;
    int day = row * kGridColumns + column - page.cells[1].weekday + 1;
    return day >= 1 && day <= page.dayCount ? day : 0;
}

GridPoint CellOrigin(const MonthPage& page, int day) {
    if (!page.ok() || day < 1 || day > page.dayCount) return {};
    int row = (page.cells[1].weekday + day - 1) / kGridColumns;
    return {page.cells[day].weekday * kColumnPitch, kHeaderHeight + kRowPitch * row};
}

int HitTestDay(const MonthPage& page, int x, int y) {
    // Division truncates toward zero, so negative points would land in row or column 0.
    if (!page.ok() || x < 0 || y < kHeaderHeight) return 0;
    int column = x / kColumnPitch;
    int row = (y - kHeaderHeight) / kRowPitch;
    if (column >= kGridColumns || row >= kGridRows) return 0;
    return DayAtCell(page, row, column);
}

int HitTestHeaderColumn(int x, int y) {
    if (x < 0 || y < 0 || y > kHeaderHeight) return -1;
    int column = x / kColumnPitch;
    return column < kGridColumns ? column : -1;
}

uint32_t DayNumberColor(const GridPalette& palette, const DayCell& cell, bool hasDayMemo) {
    if (hasDayMemo) return palette.normalDayColor;
    if (cell.festival) return palette.holidayColor;
    if (cell.solarTerm != 0) return palette.solarTermColor;
    if (cell.weekday == 6) return palette.saturdayColor;
    if (cell.weekday == 0) return palette.holidayColor;
    return palette.normalDayColor;
}

uint32_t HeaderNameColor(const GridPalette& palette, const MonthPage& page, int column) {
    if (page.ok() && page.MarkShown() && page.mark.day >= 1 && page.mark.day <= page.dayCount &&
        page.cells[page.mark.day].weekday == column)
        return palette.todayColor;
    return palette.headerTextColor;
}
