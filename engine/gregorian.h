#pragma once
#include <cstdint>

// Proleptic Gregorian arithmetic. A day count (days since 1970-01-01) is the hub; every other
// operation goes through it, so no month number ever indexes a table here.

bool IsLeapYear(int year);

// 28-31, or 0 for a month outside 1-12.
int DaysInMonth(int year, int month);

// Days since 1970-01-01. Months outside 1-12 carry into the year and days beyond the month carry
// into the next months (2026-13-01 is 2027-01-01, 2026-01-00 is 2025-12-31), so any input has a
// defined answer.
int32_t DaysFromCivil(int year, int month, int day);

struct CivilDate {
    int year = 0;
    int month = 0; // 1-12
    int day = 0;   // 1-31

    bool ok() const { return month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month); }
};

CivilDate CivilFromDays(int32_t days);

// 0 = Sunday ... 6 = Saturday; always in 0-6 (out-of-range months carry as above).
int DayOfWeek(int year, int month, int day);

// Signed days from the base date to the date: 0 when equal, negative when the date is earlier.
int32_t DaysBetween(int year, int month, int day, int baseYear, int baseMonth, int baseDay);
