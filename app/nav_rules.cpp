#include "app/nav_rules.h"

namespace {

int MonthNumber(YearMonth ym) {
    return ym.year * 12 + (ym.month - 1);
}

} // namespace

bool IsShownMonth(YearMonth ym) {
    if (ym.month < 1 || ym.month > 12) return false;
    int n = MonthNumber(ym);
    return n >= MonthNumber(kFirstShownMonth) && n <= MonthNumber(kLastShownMonth);
}

YearMonth PrevMonth(YearMonth ym) {
    if (!IsShownMonth(ym) || ym == kFirstShownMonth) return ym;
    if (ym.month > 1) return {ym.year, ym.month - 1};
    return {ym.year - 1, 12};
}

YearMonth NextMonth(YearMonth ym) {
    if (!IsShownMonth(ym) || ym == kLastShownMonth) return ym;
    if (ym.month < 12) return {ym.year, ym.month + 1};
    return {ym.year + 1, 1};
}

int YearListIndex(YearMonth ym) {
    return ym.year - kFirstListYear;
}

int MonthListIndex(YearMonth ym) {
    return ym.month - 1;
}

YearMonth MonthFromLists(int yearIndex, int monthIndex, YearMonth shown, int* monthIndexOut) {
    YearMonth ym = shown;
    if (yearIndex >= 0 && yearIndex < kYearListCount) ym.year = kFirstListYear + yearIndex;
    if (monthIndex >= 0 && monthIndex < kMonthListCount) ym.month = monthIndex + 1;
    if (ym.year == kFirstShownMonth.year && ym.month < kFirstShownMonth.month) ym.month = kFirstShownMonth.month;
    if (!IsShownMonth(ym)) ym = kFirstShownMonth; // only when `shown` itself was out of range
    if (monthIndexOut) *monthIndexOut = MonthListIndex(ym);
    return ym;
}
