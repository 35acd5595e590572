#include "tools/astro/sun.h"

#include <erfa.h>
#include <erfam.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace astro {

// The ephemeris wants TDB; TT differs by under 2 ms, far below the minute we store.
double ApparentSolarLongitude(double t) {
    double earthHelio[2][3];
    double earthBary[2][3];
    eraEpv00(ERFA_DJ00, t, earthHelio, earthBary);

    // Light time: the Sun where it was when the light now arriving left it.
    double sun[3] = {0, 0, 0};
    double distance = 0;
    double tau = 0;
    for (int i = 0; i < 3; ++i) {
        double h[2][3];
        double b[2][3];
        eraEpv00(ERFA_DJ00, t - tau, h, b);
        for (int k = 0; k < 3; ++k) {
            sun[k] = (b[0][k] - h[0][k]) - earthBary[0][k]; // Sun barycentric at t - tau, seen from Earth at t
        }
        distance = eraPm(sun);
        tau = distance / ERFA_DC;
    }

    return ApparentLongitude(sun, earthBary[1], distance, t);
}

double ApparentLongitude(const double geocentric[3], const double earthVelocity[3], double sunDistance, double t) {
    double body[3] = {geocentric[0], geocentric[1], geocentric[2]}; // ERFA takes no const arrays
    const double distance = eraPm(body);
    double direction[3];
    double velocity[3];
    for (int k = 0; k < 3; ++k) {
        direction[k] = geocentric[k] / distance;
        velocity[k] = earthVelocity[k] / ERFA_DC;
    }
    double apparent[3];
    eraAb(direction, velocity, sunDistance, std::sqrt(1.0 - eraPdp(velocity, velocity)), apparent);

    double toEcliptic[3][3];
    eraEcm06(ERFA_DJ00, t, toEcliptic);
    double ecliptic[3];
    eraRxp(toEcliptic, apparent, ecliptic);

    double dpsi;
    double deps;
    eraNut06a(ERFA_DJ00, t, &dpsi, &deps);
    return std::atan2(ecliptic[1], ecliptic[0]) + dpsi;
}

double Wrap(double a) {
    a = std::fmod(a + kPi, kTwoPi);
    if (a < 0) a += kTwoPi;
    return a - kPi;
}

double SolveTerm(double target, double guess) {
    double t = guess;
    for (int i = 0; i < 50; ++i) {
        const double h = 1e-3;
        double f = Wrap(ApparentSolarLongitude(t) - target);
        double rate = Wrap(ApparentSolarLongitude(t + h) - ApparentSolarLongitude(t - h)) / (2 * h);
        double step = f / rate;
        t -= step;
        if (std::fabs(step) < 1e-10) break; // about 10 microseconds
    }
    return t;
}

namespace {

// Cubic segments (Y, a0..a3) from 1905 to 2015: dT = a0 + a1 s + a2 s^2 + a3 s^3, s = 10 (y - Y) / (Ynext - Y).
struct DeltaTSegment {
    double year, a0, a1, a2, a3;
};
constexpr DeltaTSegment kSegments[] = {
    {1880, -5.4, 0.32, -0.183, 0.0173},
    {1900, -2.3, 2.06, 0.169, -0.0135},
    {1920, 21.2, 1.69, -0.304, 0.0167},
    {1940, 24.2, 1.22, -0.064, 0.0031},
    {1960, 33.2, 0.51, 0.231, -0.0109},
    {1980, 51.0, 1.29, -0.026, 0.0032},
    {2000, 63.87, 0.1, 0, 0},
    {2005, 64.7, 0.4, 0, 0},
    {2015, 69, 0, 0, 0},
};
constexpr int kSegmentCount = sizeof kSegments / sizeof kSegments[0];

} // namespace

double DeltaT(int year, int month, double t) {
    if (year < 1905) {
        // Espenak and Meeus (2006), 1900-1920; their decimal year is the middle of the month.
        double u = year + (month - 0.5) / 12.0 - 1900;
        return -2.79 + u * (1.494119 + u * (-0.0598939 + u * (0.0061966 + u * -0.000197)));
    }
    double y = t / 365.2425 + 2000;
    if (y < 2015) {
        int i = 0;
        while (i + 2 < kSegmentCount && y >= kSegments[i + 1].year)
            ++i;
        const DeltaTSegment& g = kSegments[i];
        double s = 10 * (y - g.year) / (kSegments[i + 1].year - g.year);
        return g.a0 + s * (g.a1 + s * (g.a2 + s * g.a3));
    }
    auto parabola = [](double x) { return -20 + 31 * ((x - 1820) / 100) * ((x - 1820) / 100); };
    if (y <= 2115) return parabola(y) - (parabola(2015) - 69) * (2115 - y) / 100;
    return parabola(y);
}

double BeijingTime(int year, int month, double t) {
    return t - DeltaT(year, month, t) / 86400.0 + 8.0 / 24.0;
}

std::vector<Term> ComputeTerms(int firstYear, int lastYear) {
    std::vector<Term> terms;
    for (int year = firstYear; year <= lastYear; ++year) {
        for (int month = 1; month <= 12; ++month) {
            double mjd0;
            double mjd;
            eraCal2jd(year, month, 1, &mjd0, &mjd);
            double monthStart = mjd0 + mjd - ERFA_DJ00; // 0h on the 1st, days from J2000
            for (int index = 0; index < 2; ++index) {
                double target = (285.0 + 30.0 * (month - 1) + 15.0 * index) * kDegree;
                double tt = SolveTerm(target, monthStart + (index == 0 ? 5.5 : 20.5));
                double local = BeijingTime(year, month, tt);
                int y;
                int m;
                int d;
                double fraction;
                eraJd2cal(ERFA_DJ00, local, &y, &m, &d, &fraction);
                if (y != year || m != month) {
                    std::fprintf(stderr, "term %d-%02d/%d fell in %d-%02d\n", year, month, index + 1, y, m);
                    std::exit(1);
                }
                double seconds = fraction * 86400.0;
                int hour = static_cast<int>(std::floor(seconds / 3600.0));
                double inHour = seconds - 3600.0 * hour;
                // Half-up to the minute, never carried into the hour: 21:59:31 is stored as 21:60.
                int minute = static_cast<int>(std::floor(inHour / 60.0 + 0.5));
                terms.push_back({year, month, index, d, hour, minute, inHour, local});
            }
        }
    }
    return terms;
}

} // namespace astro
