// The grid without a mouse: where the keys move the focus day, and what a screen reader says of it.
#pragma once

#include <string>

#include "engine/month_page.h"

class GridPage;

enum class GridKey {
    PrevDay,   // ←
    NextDay,   // →
    PrevWeek,  // ↑
    NextWeek,  // ↓
    PrevMonth, // Page Up, the wheel turned up
    NextMonth, // Page Down, the wheel turned down
    PrevYear,  // Ctrl+Page Up
    NextYear,  // Ctrl+Page Down
};

// A day as the grid shows it: the page (year, month) and the day's number on it.
struct FocusDay {
    int year = 0;
    int month = 0;
    int day = 0;

    bool operator==(const FocusDay& o) const { return year == o.year && month == o.month && day == o.day; }
};

// The focus day after a key. Days and weeks cross month ends onto the next or previous page; months
// and years keep the day's number, lowered to the month's length. A step that would leave the
// desktop calendar's range (February 1900 - December 2049) leaves the focus where it is.
FocusDay MoveFocusDay(FocusDay from, GridKey key);

// Where the focus starts on a page: the marked day (today) when the page shows it, else day 1; 0
// before any page is built.
int StartFocusDay(const MonthPage& page);

// The day in full, for a screen reader (UTF-8): "2026年12月9日 星期三 农历十一月初一", the lunar
// month's name with its size when the day begins it ("十一月大"), its festival and solar term, the
// 休 or 班 of a statutory holiday with the holiday's name, "今天" on the marked day, then its memo
// texts in the hover tip's order, joined by "；". Parts are separated by blanks; a memo's own line
// breaks become blanks. Empty for a day not on the page.
std::string DayDescription(const GridPage& page, int day);
