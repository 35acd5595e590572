#include "view/grid_layout.h"

GridPoint CellCorner96(int row, int column) {
    return {kColumnPitch * column, kFirstCellTop + kRowPitch * row};
}

GridRect CellRect(int row, int column, int dpi) {
    GridPoint c = CellCorner96(row, column);
    return {Scaled(c.x, dpi), Scaled(c.y, dpi), Scaled(c.x + kCellWidth, dpi), Scaled(c.y + kCellHeight, dpi)};
}

GridRect HolidayMarkRect(int row, int column, int dpi) {
    GridPoint c = CellCorner96(row, column);
    c = {c.x + kHolidayMarkLeft, c.y + kHolidayMarkTop};
    return {Scaled(c.x, dpi), Scaled(c.y, dpi), Scaled(c.x + kHolidayMarkSize, dpi),
            Scaled(c.y + kHolidayMarkSize, dpi)};
}

int DayAtCell(const MonthPage& page, int row, int column) {
    if (!page.ok() || row < 0 || row >= kGridRows || column < 0 || column >= kGridColumns) return 0;
    int day = row * kGridColumns + column - page.cells[1].weekday + 1;
    return day >= 1 && day <= page.dayCount ? day : 0;
}

GridPoint CellOrigin(const MonthPage& page, int day, int dpi) {
    if (!page.ok() || day < 1 || day > page.dayCount) return {};
    int row = (page.cells[1].weekday + day - 1) / kGridColumns;
    return {Scaled(page.cells[day].weekday * kColumnPitch, dpi), Scaled(kHeaderHeight + kRowPitch * row, dpi)};
}

int HitTestDay(const MonthPage& page, int px, int py, int dpi) {
    // The areas are bounded by 96-DPI lines; the point is taken back to 96 DPI against them.
    const int x = Unscaled(px, dpi), y = Unscaled(py, dpi);
    // Division truncates toward zero, so negative points would land in row or column 0.
    if (!page.ok() || x < 0 || y < kHeaderHeight) return 0;
    int column = x / kColumnPitch;
    int row = (y - kHeaderHeight) / kRowPitch;
    if (column >= kGridColumns || row >= kGridRows) return 0;
    return DayAtCell(page, row, column);
}

int HitTestHeaderColumn(int px, int py, int dpi) {
    const int x = Unscaled(px, dpi), y = Unscaled(py, dpi);
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

CellTextPlace FitCellText(const int* widths, int count, int cellLeft, int dpi) {
    // One column of the cell stays free after the text, before the line that separates the cells.
    auto fits = [&](int left, int width) {
        return Scaled(cellLeft + left, dpi) + width <= Scaled(cellLeft + kCellWidth, dpi) - 1;
    };
    if (count < 1 || fits(kCellTextLeft, widths[0])) return {};
    if (fits(kCellTextFitLeft, widths[0])) return {kCellTextFitLeft, -1};
    for (int size = 1; size < count; ++size)
        if (fits(kCellTextFitLeft, widths[size])) return {kCellTextFitLeft, size - 1};
    const int room = Scaled(cellLeft + kCellWidth, dpi) - 1 - Scaled(cellLeft + kCellTextFitLeft, dpi);
    return {kCellTextFitLeft, count - 2, room};
}
