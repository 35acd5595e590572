#pragma once
#include <cstdint>

// The two solar terms of each Gregorian month, read from SolarTermTable (solar_term_table.h).
struct SolarTerm {
    uint8_t day = 0;    // day of the month, 0 when unknown
    uint8_t hour = 0;   // China standard time
    uint8_t minute = 0; // 0-60; 60 is the last half-minute of the hour
};

// Fills the first and second term of the month. Returns false, with both zeroed, for a year outside
// 1900-2100 or a month outside 1-12.
bool SolarTermDays(int year, int month, SolarTerm& first, SolarTerm& second);

// Name of the month's first (mark 1) or second (mark 2) term; "" for a month or mark out of range.
const char* SolarTermName(int month, int mark);
