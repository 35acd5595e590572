#include "app/nav_rules.h"

namespace {

int MonthNumber(YearMonth ym) {
    return ym.year * 12 + (ym.month - 1);
}

bool StartsWith(std::string_view text, std::string_view part) {
    return text.substr(0, part.size()) == part;
}

// Blanks around a typed text: ASCII spaces and the full-width space.
std::string_view Trimmed(std::string_view text) {
    for (;;) {
        if (StartsWith(text, " "))
            text.remove_prefix(1);
        else if (StartsWith(text, "\u3000"))
            text.remove_prefix(3);
        else if (!text.empty() && text.back() == ' ')
            text.remove_suffix(1);
        else if (text.size() >= 3 && text.substr(text.size() - 3) == "\u3000")
            text.remove_suffix(3);
        else
            return text;
    }
}

// A number of at most `maxDigits` digits, ASCII or full-width (U+FF10-U+FF19), then `unit` if any.
bool ParseTyped(std::string_view text, std::string_view unit, int maxDigits, int* value) {
    text = Trimmed(text);
    if (text.size() >= unit.size() && text.substr(text.size() - unit.size()) == unit) {
        text.remove_suffix(unit.size());
        text = Trimmed(text);
    }
    int n = 0, digits = 0;
    while (!text.empty()) {
        int digit = -1;
        if (text[0] >= '0' && text[0] <= '9') {
            digit = text[0] - '0';
            text.remove_prefix(1);
        } else if (text.size() >= 3 && StartsWith(text, "\xEF\xBC") && static_cast<unsigned char>(text[2]) >= 0x90 &&
                   static_cast<unsigned char>(text[2]) <= 0x99) {
            digit = static_cast<unsigned char>(text[2]) - 0x90;
            text.remove_prefix(3);
        }
        if (digit < 0 || ++digits > maxDigits) return false;
        n = n * 10 + digit;
    }
    *value = n;
    return digits > 0;
}

} // namespace

bool TypedNumber(std::string_view text, int maxDigits, int* value) {
    return ParseTyped(text, "", maxDigits, value);
}

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

bool MonthFromTypedYear(std::string_view text, YearMonth shown, YearMonth* out) {
    int year = 0;
    if (!ParseTyped(text, "年", 4, &year) || year < kFirstListYear || year >= kFirstListYear + kYearListCount)
        return false;
    *out = MonthFromLists(year - kFirstListYear, MonthListIndex(shown), shown, nullptr);
    return true;
}

bool MonthFromTypedMonth(std::string_view text, YearMonth shown, YearMonth* out) {
    int month = 0;
    if (!ParseTyped(text, "月", 2, &month) || month < 1 || month > kMonthListCount) return false;
    *out = MonthFromLists(YearListIndex(shown), month - 1, shown, nullptr);
    return true;
}
