#include <cmath>

#include <gtest/gtest.h>

#include "engine/gregorian.h"
#include "engine/lunar.h"
#include "engine/month_page.h"
#include "engine/solar_terms.h"

namespace {

double Sin(double degrees) {
    return std::sin(degrees * 3.14159265358979323846 / 180);
}

// Meeus, Astronomical Algorithms ch. 49: the new moon of lunation k (0 at 2000-01-06), JDE, within a
// minute of the full theory over these two centuries. Independent of the generator's ephemerides.
double MeeusNewMoon(long k) {
    const double T = k / 1236.85, T2 = T * T, T3 = T2 * T, T4 = T3 * T;
    const double jde = 2451550.09766 + 29.530588861 * k + 0.00015437 * T2 - 0.000000150 * T3 + 0.00000000073 * T4;
    const double E = 1 - 0.002516 * T - 0.0000074 * T2;
    const double M = 2.5534 + 29.10535670 * k - 0.0000014 * T2 - 0.00000011 * T3;
    const double Mp = 201.5643 + 385.81693528 * k + 0.0107582 * T2 + 0.00001238 * T3 - 0.000000058 * T4;
    const double F = 160.7108 + 390.67050284 * k - 0.0016118 * T2 - 0.00000227 * T3 + 0.000000011 * T4;
    const double O = 124.7746 - 1.56375588 * k + 0.0020672 * T2 + 0.00000215 * T3;
    double c = -0.40720 * Sin(Mp) + 0.17241 * E * Sin(M) + 0.01608 * Sin(2 * Mp) + 0.01039 * Sin(2 * F) +
               0.00739 * E * Sin(Mp - M) - 0.00514 * E * Sin(Mp + M) + 0.00208 * E * E * Sin(2 * M) -
               0.00111 * Sin(Mp - 2 * F) - 0.00057 * Sin(Mp + 2 * F) + 0.00056 * E * Sin(2 * Mp + M) -
               0.00042 * Sin(3 * Mp) + 0.00042 * E * Sin(M + 2 * F) + 0.00038 * E * Sin(M - 2 * F) -
               0.00024 * E * Sin(2 * Mp - M) - 0.00017 * Sin(O) - 0.00007 * Sin(Mp + 2 * M) +
               0.00004 * Sin(2 * Mp - 2 * F) + 0.00004 * Sin(3 * M) + 0.00003 * Sin(Mp + M - 2 * F) +
               0.00003 * Sin(2 * Mp + 2 * F) - 0.00003 * Sin(Mp + M + 2 * F) + 0.00003 * Sin(Mp - M + 2 * F) -
               0.00002 * Sin(Mp - M - 2 * F) - 0.00002 * Sin(3 * Mp + M) + 0.00002 * Sin(4 * Mp);
    const double planets[14][3] = {
        {299.77, 0.107408, 0.000325},  {251.88, 0.016321, 0.000165}, {251.83, 26.651886, 0.000164},
        {349.42, 36.412478, 0.000126}, {84.66, 18.206239, 0.000110}, {141.74, 53.303771, 0.000062},
        {207.14, 2.453732, 0.000060},  {154.84, 7.306860, 0.000056}, {34.52, 27.261239, 0.000047},
        {207.19, 0.121824, 0.000042},  {291.34, 1.844379, 0.000040}, {161.72, 24.198154, 0.000037},
        {239.56, 25.513099, 0.000035}, {331.55, 3.592518, 0.000023}};
    for (int i = 0; i < 14; ++i)
        c += planets[i][2] * Sin(planets[i][0] + planets[i][1] * k - (i == 0 ? 0.009173 * T2 : 0));
    return jde + c;
}

// TT - UT in seconds, roughly (a minute is plenty against the band below).
double RoughDeltaT(double year) {
    const double table[][2] = {{1900, -3}, {1920, 21}, {1940, 24}, {1960, 33}, {1980, 51},
                               {2000, 64}, {2020, 69}, {2050, 93}, {2100, 203}};
    int i = 0;
    while (i < 7 && year > table[i + 1][0])
        ++i;
    return table[i][1] + (table[i + 1][1] - table[i][1]) * (year - table[i][0]) / (table[i + 1][0] - table[i][0]);
}

} // namespace

// Every month of the table begins on the day (UTC+8) of a new moon, but for new moons this close to
// midnight, where the day rests on seconds and calendars differ.
TEST(LunarRules, MonthsBeginOnTheDayOfTheNewMoon) {
    const double kBand = 15 * 60; // seconds either side of midnight
    const CivilDate first = kTerminalRange.first, last = kTerminalRange.last;
    const double unixEpochJd = 2440587.5;
    long k = std::lround((DaysFromCivil(first.year, first.month, first.day) + unixEpochJd - 2451550.1) / 29.530588861);
    LunarDate lunar = SolarToLunar(first.year, first.month, first.day);
    int months = 0;
    for (int32_t days = DaysFromCivil(first.year, first.month, first.day);
         days <= DaysFromCivil(last.year, last.month, last.day); ++days, NextDay(lunar)) {
        if (lunar.day != 1) continue;
        double local = 0; // UTC+8, days since 1970-01-01
        for (;; ++k) {
            const double jde = MeeusNewMoon(k);
            local = jde - RoughDeltaT(2000 + (jde - 2451545) / 365.25) / 86400 + 8.0 / 24 - unixEpochJd;
            if (local > days - 2) break;
        }
        const double seconds = (local - std::floor(local)) * 86400;
        const bool nearMidnight = seconds < kBand || seconds > 86400 - kBand;
        const int32_t day = int32_t(std::floor(local));
        const CivilDate c = CivilFromDays(days);
        EXPECT_TRUE(day == days || (nearMidnight && std::abs(day - days) <= 1))
            << c.year << '-' << c.month << '-' << c.day << " new moon " << local - days << " days off";
        ++months;
        ++k;
    }
    EXPECT_EQ(months, 2486); // lunar 1900-01 to 2100-12
}

// The generated lunar table read back through the engine must keep the calendar's rules against the
// generated solar terms, over the whole terminal range: a wrong bit or a shifted word breaks them.
TEST(LunarRules, SolsticeInMonthElevenAndNoPrincipalTermInALeapMonth) {
    const CivilDate first = kTerminalRange.first, last = kTerminalRange.last;
    LunarDate lunar = SolarToLunar(first.year, first.month, first.day);
    int solstices = 0, leapDays = 0;
    for (int32_t days = DaysFromCivil(first.year, first.month, first.day);
         days <= DaysFromCivil(last.year, last.month, last.day); ++days) {
        const CivilDate c = CivilFromDays(days);
        ASSERT_TRUE(lunar.ok()) << c.year << '-' << c.month << '-' << c.day;
        SolarTerm term, principal;
        ASSERT_TRUE(SolarTermDays(c.year, c.month, term, principal));
        if (c.day == principal.day) {
            EXPECT_FALSE(lunar.inLeapMonth) << c.year << '-' << c.month << '-' << c.day;
            if (c.month == 12) {
                EXPECT_EQ(lunar.month, 11) << c.year;
                ++solstices;
            }
        }
        leapDays += lunar.inLeapMonth;
        NextDay(lunar);
    }
    EXPECT_EQ(solstices, 201);
    EXPECT_GT(leapDays, 74 * 29 - 29); // the 74 leap months, the last one possibly cut by the range
}

// The terminal range lies inside both tables, and the desktop range inside the terminal one.
TEST(LunarRules, RangesLieInsideTheTables) {
    const CivilDate last = kTerminalRange.last;
    EXPECT_TRUE(SolarToLunar(last.year, last.month, last.day).ok());
    SolarTerm a, b;
    EXPECT_TRUE(SolarTermDays(last.year, last.month, a, b));
    EXPECT_TRUE(MonthPageInRange(kTerminalRange, kDesktopRange.last.year, kDesktopRange.last.month));
    EXPECT_TRUE(MonthPageInRange(kTerminalRange, kDesktopRange.first.year, kDesktopRange.first.month));
}
