#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "engine/gregorian.h"
#include "engine/holiday_mark.h"
#include "engine/lunar.h"

// One displayed Gregorian month as the grid paints it. Memo stores, labels and windows are not part
// of it: the grid builds the page, then loads its stores from the page's month numbers.

// The days a calendar covers; each caller names its own. A month page is shown when all its days lie
// inside, so neither range shows January 1900, whose first days come before the lunar table.
struct CalendarRange {
    CivilDate first;
    CivilDate last;
};
// The desktop calendar: the months February 1900 to December 2049.
constexpr CalendarRange kDesktopRange{{1900, 2, 1}, {2049, 12, 31}};
// The terminal calendar: from the first day of the lunar table to the end of 2100.
constexpr CalendarRange kTerminalRange{{1900, 1, 31}, {2100, 12, 31}};

bool DayInRange(const CalendarRange& range, int year, int month, int day);
bool MonthPageInRange(const CalendarRange& range, int year, int month);

struct DayCell {
    uint16_t weekday = 0;                    // 0 = Sunday ... 6 = Saturday
    LunarDate lunar;                         // lunar date of the day
    uint16_t solarTerm = 0;                  // 0 none, 1 the month's first solar term, 2 its second
    std::string text;                        // line under the day number, UTF-8
    const char* festival = nullptr;          // lunar festival, else solar festival, else nullptr
    bool textIsMonthName = false;            // text is the lunar month name with its size ("闰四月小")
    uint8_t lunarMonthIndex = 0;             // index of lunar.month in MonthPage::lunarMonths
    HolidayMark holiday = HolidayMark::None; // 休 or 班 of the statutory schedule
    std::string holidayName;                 // the holiday that mark belongs to, "" when none is named
    bool holidayByLaw = false;               // the law's day; the year's 调休 is not published yet
};

// The marked date (today). Day 0 keeps the mark; any other day moves it to (year, month, day),
// the day lowered to the month's length.
struct MonthMark {
    int year = 0;
    int month = 0;
    int day = 0;

    void Move(int toYear, int toMonth, int toDay, int dayCount) {
        if (toDay <= 0) return;
        year = toYear;
        month = toMonth;
        day = toDay < dayCount ? toDay : dayCount;
    }
    // Whether the page (year, month) shows the mark; the "back to today" link is hidden then.
    bool IsOn(int pageYear, int pageMonth) const { return year == pageYear && month == pageMonth; }
};

struct MonthPage {
    int year = 0;  // 0 until first built
    int month = 0; // 1-12
    MonthMark mark;
    int dayCount = 0;
    std::array<DayCell, 32> cells; // cells[d] is day d, 1..dayCount; cells[0] unused

    // Distinct lunar month numbers of the page in order of appearance: first day's month, an
    // optional middle one, last day's month. Leap flags play no part (a leap month and the
    // ordinary month of its number share memos). 1-3 entries; cells[d].lunarMonthIndex points here.
    std::array<int, 3> lunarMonths{};
    int lunarMonthCount = 0;

    std::string yearCaption; // "乙巳【蛇】年", or "乙巳【蛇】年－丙午【马】年" when the lunar year changes

    bool ok() const { return year != 0; }
    bool MarkShown() const { return mark.IsOn(year, month); }
    int LunarMonthOf(int day) const { return day >= 1 && day <= dayCount ? cells[day].lunar.month : 0; }
};

// Rebuilds the whole page for (year, month) and moves the mark as MonthMark::Move says; the days take
// their 休 and 班 from `holidays`, none without it. Returns false and leaves the page unchanged when
// the month is outside MonthPageInRange(range, ...).
bool BuildMonthPage(MonthPage& page, const CalendarRange& range, int year, int month, int day = 0,
                    const HolidayLookup* holidays = nullptr);
