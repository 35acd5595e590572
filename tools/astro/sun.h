#pragma once
// The Sun's apparent longitude, Delta T and the solar terms in UTC+8, as the generated tables use them.
// Time t is TT in days from J2000 throughout. Build-time only (ERFA).
#include <vector>

namespace astro {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;
constexpr double kDegree = kPi / 180.0;

// Sun's apparent geocentric longitude (radians, true equinox and ecliptic of date).
double ApparentSolarLongitude(double t);

// The last steps shared by the Sun and the Moon: a body at `geocentric` (au, GCRS, already corrected for
// light time) at TT t, seen from an Earth moving with barycentric `earthVelocity` (au/day) at
// `sunDistance` (au) from the Sun: annual aberration, rotation to the ecliptic of date, nutation in
// longitude. Returns the apparent longitude in radians.
double ApparentLongitude(const double geocentric[3], const double earthVelocity[3], double sunDistance, double t);

// Angle folded into [-pi, pi).
double Wrap(double a);

// TT at which the Sun's apparent longitude reaches target (radians), starting near guess.
double SolveTerm(double target, double guess);

// TT - UT in seconds for an event of the given civil year and month at t.
double DeltaT(int year, int month, double t);

// Days from J2000 in UTC+8 of the event at TT t that falls in the given civil year and month.
double BeijingTime(int year, int month, double t);

struct Term {
    int year, month, index; // index 0: first term of the month, 1: second (a principal term)
    int day, hour, minute;  // UTC+8; minute rounded half up and never carried into the hour
    double secondsInHour;   // unrounded, to flag entries near a rounding boundary
    double local;           // UTC+8 instant in days from J2000
};

// Both terms of every month from firstYear to lastYear, in table order. Exits on a term outside its month.
std::vector<Term> ComputeTerms(int firstYear, int lastYear);

} // namespace astro
