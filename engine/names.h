#pragma once
#include <string>

#include "engine/lunar.h"

// Chinese names the calendar prints, as UTF-8. Constant texts come back as const char*; texts put
// together from parts come back by value. Out-of-range input gives "" (or nullptr for festivals).

// Stem and branch of cycle number n = lunar year - 1864 (1864 is a 甲子 year): 36 gives "庚子".
std::string StemBranchName(int cycle);
// Zodiac animal of a lunar year (year 4 is a rat year): 2026 gives "马".
std::string ZodiacName(int lunarYear);
// "正" ... "十二", with "闰" before it for a leap month; no "月". "" for a month outside 1-12.
std::string LunarMonthName(int month, bool leap);
// "初一" ... "三十"; "" outside 1-30.
std::string LunarDayName(int day);
// 0-7, 0 and 7 both Sunday: "日", "一" ... "六", "日".
const char* WeekdayName(int weekday);

// Festival of a lunar date, or nullptr. Days in leap months have none; the last day of month 12 is
// "除夕" unless a leap twelfth month still follows.
const char* LunarFestival(const LunarDate& date);
// Festival of a Gregorian month and day, or nullptr.
const char* SolarFestival(int month, int day);
