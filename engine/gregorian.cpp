#include "engine/gregorian.h"

#include <limits>

namespace {

int64_t FloorDiv(int64_t a, int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// Days since 1970-01-01 after Howard Hinnant's days_from_civil, widened so any int input is defined.
int64_t Days64(int64_t y, int64_t m, int64_t d) {
    y += FloorDiv(m - 1, 12);
    m -= 12 * FloorDiv(m - 1, 12); // [1, 12]
    y -= m <= 2;
    const int64_t era = FloorDiv(y, 400);
    const int64_t yoe = y - era * 400;                           // [0, 399]
    const int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5; // [0, 365], day 1 of the month
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;   // [0, 146096]
    return era * 146097 + doe + (d - 1) - 719468;
}

int32_t Clamp32(int64_t v) {
    if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

} // namespace

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    switch (month) {
    case 1:
    case 3:
    case 5:
    case 7:
    case 8:
    case 10:
    case 12: return 31;
    case 4:
    case 6:
    case 9:
    case 11: return 30;
    case 2: return IsLeapYear(year) ? 29 : 28;
    default: return 0;
    }
}

int32_t DaysFromCivil(int year, int month, int day) {
    return Clamp32(Days64(year, month, day));
}

CivilDate CivilFromDays(int32_t days) {
    const int64_t z = int64_t(days) + 719468;
    const int64_t era = FloorDiv(z, 146097);
    const int64_t doe = z - era * 146097;                                      // [0, 146096]
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365; // [0, 399]
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);               // [0, 365]
    const int64_t mp = (5 * doy + 2) / 153;                                    // [0, 11], March first
    CivilDate date;
    date.day = int(doy - (153 * mp + 2) / 5 + 1);
    date.month = int(mp < 10 ? mp + 3 : mp - 9);
    date.year = int(yoe + era * 400 + (date.month <= 2));
    return date;
}

int DayOfWeek(int year, int month, int day) {
    const int64_t days = Days64(year, month, day);
    return int(days + 4 - 7 * FloorDiv(days + 4, 7)); // 1970-01-01 was a Thursday
}

int32_t DaysBetween(int year, int month, int day, int baseYear, int baseMonth, int baseDay) {
    return Clamp32(Days64(year, month, day) - Days64(baseYear, baseMonth, baseDay));
}
