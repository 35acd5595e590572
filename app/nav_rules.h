#pragma once

#include <string_view>

// Which month the calendar may show and how the navigation controls step through them.
// The page runs from February 1900 (January 1900 has no lunar data for its first days)
// to December 2049; the lists hold the years 1900-2049 and the months 1-12.

struct YearMonth {
    int year = 0;
    int month = 0; // 1-12

    bool operator==(const YearMonth& o) const { return year == o.year && month == o.month; }
    bool operator!=(const YearMonth& o) const { return !(*this == o); }
};

constexpr YearMonth kFirstShownMonth{1900, 2};
constexpr YearMonth kLastShownMonth{2049, 12};
constexpr int kFirstListYear = 1900;
constexpr int kYearListCount = 150; // 1900-2049
constexpr int kMonthListCount = 12;

// True for the months from February 1900 to December 2049.
bool IsShownMonth(YearMonth ym);

// "上月" / "下月": one month back or on; at either end of the range the month stays.
YearMonth PrevMonth(YearMonth ym);
YearMonth NextMonth(YearMonth ym);

// List indexes of a month: year - 1900 and month - 1.
int YearListIndex(YearMonth ym);
int MonthListIndex(YearMonth ym);

// A change in either list. The indexes are what the lists report (CB_ERR is -1 when nothing is
// selected); an index outside its list keeps that part of `shown`. January 1900 becomes
// February, and *monthIndexOut says which entry the month list must select afterwards.
YearMonth MonthFromLists(int yearIndex, int monthIndex, YearMonth shown, int* monthIndexOut);

// Text typed into a list's field and committed (Enter, or the field left): a year "2030" or "2030年",
// a month "5" or "5月", in ASCII or full-width digits, blanks around allowed. The month to show keeps
// the other part of `shown`, with January 1900 made February as the lists make it. False for text
// that names no entry of the list ("abc", "1899", "2050", "13", ""): the shown month stays.
bool MonthFromTypedYear(std::string_view text, YearMonth shown, YearMonth* out);
bool MonthFromTypedMonth(std::string_view text, YearMonth shown, YearMonth* out);

// A number a user typed: at most maxDigits digits, ASCII or full-width, blanks around allowed.
bool TypedNumber(std::string_view text, int maxDigits, int* value);
