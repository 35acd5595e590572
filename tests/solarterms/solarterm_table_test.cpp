#include "engine/solar_term_table.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// Either table: the checked-in one to 2054, its continuation to 2100 after.
const uint8_t* Month(int year, int month) {
    if (year > kSolarTermLastYear)
        return SolarTermTableLate + ((year - kSolarTermLateFirstYear) * 12 + (month - 1)) * 6;
    return SolarTermTable + ((year - kSolarTermFirstYear) * 12 + (month - 1)) * 6;
}

// Days since 1970-01-01 of a Gregorian date.
long DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;                                  // [0, 399]
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1; // [0, 365]
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;          // [0, 146096]
    return era * 146097 + doe - 719468;
}

// Term instant in minutes, taking a stored minute of 60 at face value.
long TermMinutes(int year, int month, const uint8_t* e) {
    return (DaysFromCivil(year, month, e[0]) * 24 + e[1]) * 60 + e[2];
}

TEST(SolarTermTable, FixedRowsMatch) {
    struct Row {
        int year, month;
        uint8_t bytes[6];
    };
    const Row rows[] = {
        {1900, 1, {6, 2, 4, 20, 19, 32}},   {1900, 2, {4, 13, 52, 19, 10, 1}},  {2000, 1, {6, 9, 1, 21, 2, 23}},
        {2000, 3, {5, 14, 43, 20, 15, 35}}, {2024, 1, {6, 4, 49, 20, 22, 7}},   {2024, 4, {4, 15, 2, 19, 21, 60}},
        {2025, 2, {3, 22, 10, 18, 18, 6}},  {2026, 12, {7, 10, 52, 22, 4, 50}}, {2049, 12, {7, 0, 46, 21, 18, 51}},
        {2054, 12, {7, 6, 3, 22, 0, 9}},
    };
    for (const Row& r : rows) {
        const uint8_t* m = Month(r.year, r.month);
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(m[i], r.bytes[i]) << r.year << "-" << r.month << " byte " << i;
        }
    }
}

TEST(SolarTermTable, EveryEntryInRange) {
    int sixties = 0;
    for (int year = kSolarTermFirstYear; year <= kSolarTermLastYear; ++year) {
        for (int month = 1; month <= 12; ++month) {
            const uint8_t* m = Month(year, month);
            EXPECT_GE(m[0], 3) << year << "-" << month;
            EXPECT_LE(m[0], 9) << year << "-" << month;
            EXPECT_GE(m[3], 18) << year << "-" << month;
            EXPECT_LE(m[3], 24) << year << "-" << month;
            for (int term = 0; term < 2; ++term) {
                EXPECT_LE(m[term * 3 + 1], 23) << year << "-" << month;
                EXPECT_LE(m[term * 3 + 2], 60) << year << "-" << month;
                sixties += m[term * 3 + 2] == 60;
            }
        }
    }
    // Half-up rounding without a carry leaves exactly these; a carry or truncation would change the count.
    EXPECT_EQ(sixties, 26);
}

// A shifted or transposed record would break the Sun's steady pace: consecutive terms lie 14.7 to 15.8 days
// apart, perihelion to aphelion, and the same term recurs after a tropical year. Both tables, across the seam.
TEST(SolarTermTable, TermsFollowTheSunsPace) {
    long previous = 0;
    for (int year = kSolarTermFirstYear; year <= kSolarTermLateLastYear; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (int term = 0; term < 2; ++term) {
                long t = TermMinutes(year, month, Month(year, month) + term * 3);
                if (previous != 0) {
                    EXPECT_GE(t - previous, 14 * 1440 + 1008) << year << "-" << month << " term " << term + 1;
                    EXPECT_LE(t - previous, 15 * 1440 + 1152) << year << "-" << month << " term " << term + 1;
                }
                previous = t;
                if (year > kSolarTermFirstYear) {
                    long lastYear = TermMinutes(year - 1, month, Month(year - 1, month) + term * 3);
                    long drift = (t - lastYear) - 525949; // 365.2422 days in minutes
                    EXPECT_LE(drift < 0 ? -drift : drift, 20) << year << "-" << month << " term " << term + 1;
                }
            }
        }
    }
}

} // namespace
