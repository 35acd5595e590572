#pragma once
#include <cstdint>

// Lunar years 1900-2100, one packed word per year in LunarYearTable (engine/lunar_year_table.h,
// generated from new moons and solar terms by tools/lunarcal; entry for year Y at index Y - 1900):
//   bits 0-3   number of the leap month (1-12), 0 when the year has none. The leap month follows
//              the ordinary month of the same number.
//   bits 4-15  sizes of the twelve ordinary months: month m (1-12) has 30 days when bit (16 - m) is
//              set, else 29. Month 1 is bit 15 (0x8000), month 12 is bit 4 (0x0010).
//   bit 16     size of the leap month: set = 30 days, clear = 29; meaningful only with a leap month.
// Lunar 1900-01-01 is Gregorian 1900-01-31; each later new year follows from the earlier lengths.
constexpr int kLunarFirstYear = 1900;
constexpr int kLunarLastYear = 2100;
constexpr int kLunarYearCount = kLunarLastYear - kLunarFirstYear + 1; // 201

// Each returns 0 for a year outside 1900-2100 (and MonthDays for a month outside 1-12).
int LeapMonthOf(int year);          // leap-month number or 0
int MonthDays(int year, int month); // ordinary month: 29 or 30
int LeapMonthDays(int year);        // 0 without leap month, else 29 or 30
int LunarYearDays(int year);        // 353-385

struct LunarDate {
    int32_t year = 0;              // 1900-2100
    int32_t month = 0;             // 1-12; a leap month carries the number of the month it follows
    int32_t day = 0;               // 1-30
    uint8_t isLeapMonthNumber = 0; // 1 when month is the year's leap-month number (ordinary or leap)
    uint8_t inLeapMonth = 0;       // 1 when the day lies in the leap month itself
    int32_t monthDays = 0;         // length of the month holding the day, 29 or 30
    int32_t stepCount = 0;         // day - 1 after a conversion, raised by 1 at every step

    // False for a rejected conversion or a step past the end of the table.
    bool ok() const {
        return year >= kLunarFirstYear && year <= kLunarLastYear && month >= 1 && month <= 12 && day >= 1 &&
               day <= monthDays;
    }
};

// Same calendar day, same lunar fields (stepCount aside).
bool SameLunarDay(const LunarDate& a, const LunarDate& b);

// Lunar date of a Gregorian date. Dates outside the table (1900-01-31 to the last day of lunar 2100)
// and invalid dates give a date whose ok() is false (all fields 0). Callers
// keep to their own range (CalendarRange, month_page.h).
LunarDate SolarToLunar(int year, int month, int day);

// Advances the date by one day in place. Stepping past the table's last day, or stepping a date that is not
// ok(), leaves a date whose ok() is false. Returns ok() of the result.
bool NextDay(LunarDate& date);

// Day count (days since 1970-01-01) of the first day of a lunar year, or 0 outside 1900-2100.
int32_t LunarNewYearDays(int year);
