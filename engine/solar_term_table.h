#pragma once
#include <cstdint>

// Solar terms of every month from January 1900 to December 2054, China standard time (UTC+8).
// Record of month m of year y at byte ((y - 1900) * 12 + (m - 1)) * 6: first term in bytes 0-2,
// second term in bytes 3-5, each as day, hour, minute. A minute of 60 means the last half-minute
// of the hour (the hour is not carried); only the day is shown.
constexpr int kSolarTermFirstYear = 1900;
constexpr int kSolarTermLastYear = 2054;
constexpr int kSolarTermTableSize = (kSolarTermLastYear - kSolarTermFirstYear + 1) * 12 * 6;  // 11,160

extern const uint8_t SolarTermTable[kSolarTermTableSize];
