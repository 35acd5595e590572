// Generates the lunar year table (engine/lunar_year_table.h, lunar years 1900-2100) from new moons and
// principal terms, and the solar terms of 2055-2100 (engine/solar_term_table_late.cpp). Build-time tool;
// the program itself carries only the generated tables.
//
//   lunarcal-gen DIR               writes both files into DIR; fails on a difference from the published
//                                  1900-2050 words that is not a documented choice below
//   lunarcal-gen --phases          new moons against published instants; fails beyond kPhaseTolerance
//   lunarcal-gen --new-moons Y1 Y2 every new moon of the years Y1-Y2, TT, UT and UTC+8
//
// The Moon is ELP 2000-82B (libnova's full series, with the DE200 corrections of its constants); the Sun,
// Delta T and the principal terms are tools/astro's, the same as the solar-term table's.

#include <erfa.h>
#include <erfam.h>
#include <libnova/lunar.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/solar_term_table.h"
#include "tools/astro/sun.h"

namespace {

using astro::kDegree;
using astro::Term;
using astro::Wrap;

constexpr int kFirstYear = 1900;
constexpr int kLastYear = 2100;
constexpr int kPublishedLastYear = 2050;
constexpr int kLateFirstYear = kSolarTermLastYear + 1; // 2055
constexpr double kNearMidnight = 600;                  // seconds either side of midnight that we list

// The table as published for 1900-2050.
constexpr uint32_t kPublished[kPublishedLastYear - kFirstYear + 1] = {
    0x04BD8, 0x04AE0, 0x0A570, 0x054D5, 0x0D260, 0x0D950, 0x16554, 0x056A0, 0x09AD0, 0x055D2, // 1900
    0x04AE0, 0x0A5B6, 0x0A4D0, 0x0D250, 0x1D255, 0x0B540, 0x0D6A0, 0x0ADA2, 0x095B0, 0x14977, // 1910
    0x04970, 0x0A4B0, 0x0B4B5, 0x06A50, 0x06D40, 0x1AB54, 0x02B60, 0x09570, 0x052F2, 0x04970, // 1920
    0x06566, 0x0D4A0, 0x0EA50, 0x06E95, 0x05AD0, 0x02B60, 0x186E3, 0x092E0, 0x1C8D7, 0x0C950, // 1930
    0x0D4A0, 0x1D8A6, 0x0B550, 0x056A0, 0x1A5B4, 0x025D0, 0x092D0, 0x0D2B2, 0x0A950, 0x0B557, // 1940
    0x06CA0, 0x0B550, 0x15355, 0x04DA0, 0x0A5B0, 0x14573, 0x052B0, 0x0A9A8, 0x0E950, 0x06AA0, // 1950
    0x0AEA6, 0x0AB50, 0x04B60, 0x0AAE4, 0x0A570, 0x05260, 0x0F263, 0x0D950, 0x05B57, 0x056A0, // 1960
    0x096D0, 0x04DD5, 0x04AD0, 0x0A4D0, 0x0D4D4, 0x0D250, 0x0D558, 0x0B540, 0x0B6A0, 0x195A6, // 1970
    0x095B0, 0x049B0, 0x0A974, 0x0A4B0, 0x0B27A, 0x06A50, 0x06D40, 0x0AF46, 0x0AB60, 0x09570, // 1980
    0x04AF5, 0x04970, 0x064B0, 0x074A3, 0x0EA50, 0x06B58, 0x05AC0, 0x0AB60, 0x096D5, 0x092E0, // 1990
    0x0C960, 0x0D954, 0x0D4A0, 0x0DA50, 0x07552, 0x056A0, 0x0ABB7, 0x025D0, 0x092D0, 0x0CAB5, // 2000
    0x0A950, 0x0B4A0, 0x0BAA4, 0x0AD50, 0x055D9, 0x04BA0, 0x0A5B0, 0x15176, 0x052B0, 0x0A930, // 2010
    0x07954, 0x06AA0, 0x0AD50, 0x05B52, 0x04B60, 0x0A6E6, 0x0A4E0, 0x0D260, 0x0EA65, 0x0D530, // 2020
    0x05AA0, 0x076A3, 0x096D0, 0x04BD7, 0x04AD0, 0x0A4D0, 0x1D0B6, 0x0D250, 0x0D520, 0x0DD45, // 2030
    0x0B5A0, 0x056D0, 0x055B2, 0x049B0, 0x0A577, 0x0A4B0, 0x0AA50, 0x1B255, 0x06D20, 0x0ADA0, // 2040
    0x14B63,                                                                                  // 2050
};

// Years where the derived word differs from the published one, and which of the two the table keeps.
struct Choice {
    int year;
    bool keepPublished;
    const char* why; // one comment line in the generated table
};
const Choice kChoices[] = {
    // Before 1929 the calendar counted its days at the Beijing meridian (UTC+7:45:40), where these new
    // moons fall before midnight. (That rule alone does not give the published words either: the new moon
    // of 1906-04-24 00:06 UTC+8 would then open month 4 on 04-23; the calendars of the time had their own
    // errors of minutes.)
    {1914, true, "Kept: a new moon 1 min 41 s after midnight UTC+8, before it at the Beijing meridian."},
    {1915, true, "Kept with 1916: the published twelfth month ends where the published 1916 begins."},
    {1916, true, "Kept: a new moon 5 min 14 s after midnight UTC+8, before it at the Beijing meridian."},
    {1920, true, "Kept: a new moon 4 min 48 s after midnight UTC+8, before it at the Beijing meridian."},
    {1933, true, "Kept: a new moon 3 min 3 s after midnight UTC+8; published calendars disagree on its day."},
    {2033, false,
     "The published leap seventh month lies in a year of twelve months (solstice 2032 to 2033),\n"
     "which has none; in the next, of thirteen, the first month without a principal term follows month 11."},
};

// ---- The Moon

// Geocentric Moon at TT t (days from J2000), GCRS, au; geometric.
void MoonPosition(double t, double p[3]) {
    static double fromEcliptic[3][3];
    static bool ready = false;
    if (!ready) {
        // ELP's frame is the inertial mean ecliptic and equinox of J2000: back to GCRS through the
        // IAU 2006 ecliptic of J2000 (the two differ by some hundredths of an arcsecond).
        eraEcm06(ERFA_DJ00, 0.0, fromEcliptic);
        ready = true;
    }
    ln_rect_posn moon;
    ln_get_lunar_geo_posn(ERFA_DJ00 + t, &moon, 0.0); // 0: every term of the series
    double km[3] = {moon.X, moon.Y, moon.Z};
    double gcrs[3];
    eraTrxp(fromEcliptic, km, gcrs);
    for (int k = 0; k < 3; ++k)
        p[k] = gcrs[k] / (ERFA_DAU / 1000.0);
}

// Moon's apparent geocentric longitude (radians, true equinox and ecliptic of date), reduced like the Sun's:
// light time against the barycentre, annual aberration, rotation to the ecliptic of date, nutation.
double ApparentLunarLongitude(double t) {
    double earthHelio[2][3];
    double earthBary[2][3];
    eraEpv00(ERFA_DJ00, t, earthHelio, earthBary);

    double moon[3] = {0, 0, 0};
    double tau = 0;
    for (int i = 0; i < 2; ++i) { // tau is 1.3 s; the second pass changes it by microseconds
        double geo[3];
        MoonPosition(t - tau, geo);
        double h[2][3];
        double b[2][3];
        eraEpv00(ERFA_DJ00, t - tau, h, b);
        for (int k = 0; k < 3; ++k)
            moon[k] = geo[k] + b[0][k] - earthBary[0][k]; // barycentric Moon at t - tau, seen from Earth at t
        tau = eraPm(moon) / ERFA_DC;
    }

    return astro::ApparentLongitude(moon, earthBary[1], eraPm(earthHelio[0]), t);
}

double Elongation(double t) {
    return Wrap(ApparentLunarLongitude(t) - astro::ApparentSolarLongitude(t));
}

// TT of the new moon nearest a guess within a few days: secant steps on the elongation.
double SolveNewMoon(double guess) {
    const double meanRate = astro::kTwoPi / 29.530588861; // radians a day
    double t0 = guess;
    double f0 = Elongation(t0);
    double t1 = t0 - f0 / meanRate;
    for (int i = 0; i < 30; ++i) {
        const double f1 = Elongation(t1);
        if (f1 == f0) break;
        const double step = f1 * (t1 - t0) / (f1 - f0);
        t0 = t1;
        f0 = f1;
        t1 -= step;
        if (std::fabs(step) < 1e-9) break; // under 0.1 ms
    }
    return t1;
}

// Mean new moon number k (0 at 2000-01-06) to a first guess, TT days from J2000 (Meeus).
double MeanNewMoon(long k) {
    return 2451550.09766 + 29.530588861 * double(k) - ERFA_DJ00;
}

// ---- Days and times in UTC+8. An instant is days from J2000 (noon); a day number counts from 2000-01-01.

long DayOf(double local) {
    return long(std::floor(local + 0.5));
}

double SecondsOfDay(double local) {
    return (local + 0.5 - std::floor(local + 0.5)) * 86400.0;
}

void CivilOf(long day, int& y, int& m, int& d) {
    double fraction;
    eraJd2cal(ERFA_DJ00 - 0.5, double(day), &y, &m, &d, &fraction);
}

long DayNumber(int y, int m, int d) {
    double a;
    double b;
    eraCal2jd(y, m, d, &a, &b);
    return long(std::lround(a + b - (ERFA_DJ00 - 0.5)));
}

std::string DateText(long day) {
    int y;
    int m;
    int d;
    CivilOf(day, y, m, d);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", y, m, d);
    return text;
}

std::string TimeText(double local) {
    const double s = std::floor(SecondsOfDay(local) + 0.5);
    char text[40];
    std::snprintf(text, sizeof text, "%s %02d:%02d:%02d", DateText(DayOf(local)).c_str(), int(s / 3600),
                  int(std::fmod(s, 3600) / 60), int(std::fmod(s, 60)));
    if (s >= 86400) return DateText(DayOf(local) + 1) + " 00:00:00";
    return text;
}

struct NewMoon {
    double tt;    // TT, days from J2000
    double local; // UTC+8, days from J2000
    long day;
};

NewMoon MakeNewMoon(double tt) {
    int y;
    int m;
    int d;
    double fraction;
    eraJd2cal(ERFA_DJ00, tt, &y, &m, &d, &fraction);
    const double local = astro::BeijingTime(y, m, tt);
    return {tt, local, DayOf(local)};
}

// Every new moon from one before the first day to one after the last.
std::vector<NewMoon> NewMoonsBetween(long firstDay, long lastDay) {
    // Day number n begins at n - 0.5 days from J2000.
    long k = long(std::floor((double(firstDay) - 0.5 - MeanNewMoon(0)) / 29.530588861)) - 1;
    std::vector<NewMoon> moons;
    for (;; ++k) {
        const NewMoon n = MakeNewMoon(SolveNewMoon(MeanNewMoon(k)));
        if (!moons.empty() && n.tt - moons.back().tt < 20) {
            std::fprintf(stderr, "new moon %ld found twice at %s\n", k, TimeText(n.local).c_str());
            std::exit(1);
        }
        moons.push_back(n);
        if (n.day > lastDay) break;
    }
    return moons;
}

// ---- The months

struct Month {
    long start;  // day number of the first day
    int length;  // 29 or 30
    int number;  // 1-12
    bool leap;   // the leap month after the ordinary month of its number
    double moon; // UTC+8 instant of its new moon
};

// Months from the eleventh month before firstSolsticeYear's winter solstice to the one before lastSolsticeYear's.
std::vector<Month> ChineseMonths(const std::vector<NewMoon>& moons, const std::vector<Term>& terms,
                                 int firstSolsticeYear, int lastSolsticeYear) {
    std::vector<long> principal; // days of the principal terms, in order
    std::vector<long> solstice;  // index: year - firstSolsticeYear
    for (const Term& t : terms) {
        if (t.index != 1) continue;
        principal.push_back(DayOf(t.local));
        if (t.month == 12 && t.year >= firstSolsticeYear && t.year <= lastSolsticeYear)
            solstice.push_back(DayOf(t.local));
    }
    // Index of the month (by its new moon) that holds a day.
    auto monthOf = [&](long day) {
        size_t i = 0;
        while (i + 1 < moons.size() && moons[i + 1].day <= day)
            ++i;
        if (i == 0 || i + 1 >= moons.size()) {
            std::fprintf(stderr, "no new moons around %s\n", DateText(day).c_str());
            std::exit(1);
        }
        return i;
    };
    auto hasPrincipalTerm = [&](size_t i) {
        for (long d : principal) {
            if (d >= moons[i].day && d < moons[i + 1].day) return true;
        }
        return false;
    };

    std::vector<Month> months;
    for (size_t s = 0; s + 1 < solstice.size(); ++s) {
        const size_t from = monthOf(solstice[s]);
        const size_t to = monthOf(solstice[s + 1]);
        const size_t count = to - from;
        if (count != 12 && count != 13) {
            std::fprintf(stderr, "%zu months between the solstices of %s and %s\n", count,
                         DateText(solstice[s]).c_str(), DateText(solstice[s + 1]).c_str());
            std::exit(1);
        }
        bool leapTaken = count == 12;
        int number = 10;
        for (size_t i = from; i < to; ++i) {
            Month month{moons[i].day, int(moons[i + 1].day - moons[i].day), 0, false, moons[i].local};
            if (!leapTaken && i > from && !hasPrincipalTerm(i)) {
                leapTaken = true;
                month.leap = true;
            } else {
                number = number % 12 + 1;
            }
            month.number = number;
            months.push_back(month);
        }
        if (!leapTaken) {
            std::fprintf(stderr, "thirteen months without a leap month from %s\n", DateText(solstice[s]).c_str());
            std::exit(1);
        }
    }
    return months;
}

struct LunarYear {
    int year;
    uint32_t word;
    long newYear;              // day number of its first day
    std::vector<Month> months; // in order, leap month included
};

std::vector<LunarYear> LunarYears(const std::vector<Month>& months, int firstYear, int lastYear) {
    std::vector<LunarYear> years;
    for (size_t i = 0; i < months.size(); ++i) {
        const Month& m = months[i];
        if (m.number == 1 && !m.leap) {
            int y;
            int mm;
            int d;
            CivilOf(m.start, y, mm, d);
            years.push_back({y, 0, m.start, {}});
        }
        if (years.empty()) continue;
        LunarYear& year = years.back();
        year.months.push_back(m);
        if (m.leap) {
            year.word |= uint32_t(m.number) | (m.length == 30 ? 0x10000u : 0u);
        } else if (m.length == 30) {
            year.word |= 0x10000u >> m.number;
        }
    }
    // The last year found may still lack its twelfth month: keep whole years only.
    std::vector<LunarYear> wanted;
    for (size_t i = 0; i + 1 < years.size(); ++i) {
        if (years[i].year >= firstYear && years[i].year <= lastYear) wanted.push_back(years[i]);
    }
    if (wanted.size() != size_t(lastYear - firstYear + 1) || wanted.front().year != firstYear) {
        std::fprintf(stderr, "lunar years %d-%d incomplete\n", firstYear, lastYear);
        std::exit(1);
    }
    for (const LunarYear& y : wanted) {
        int ordinary = 0;
        for (const Month& m : y.months)
            ordinary += !m.leap;
        if (ordinary != 12) {
            std::fprintf(stderr, "lunar year %d has %d ordinary months\n", y.year, ordinary);
            std::exit(1);
        }
    }
    return wanted;
}

// Month starts of a word, from its new year's day: (number, leap, first day) in order.
struct MonthStart {
    int number;
    bool leap;
    long start;
};
std::vector<MonthStart> Decode(uint32_t word, long newYear) {
    std::vector<MonthStart> starts;
    long day = newYear;
    const int leap = int(word & 0xF);
    for (int m = 1; m <= 12; ++m) {
        starts.push_back({m, false, day});
        day += (word & (0x10000u >> m)) ? 30 : 29;
        if (m == leap) {
            starts.push_back({m, true, day});
            day += (word & 0x10000u) ? 30 : 29;
        }
    }
    starts.push_back({1, false, day}); // the next new year
    return starts;
}

std::string MonthName(int number, bool leap) {
    return std::string(leap ? "leap " : "") + "month " + std::to_string(number);
}

// What the published word says that the derived months do not, one line per month start that differs.
std::vector<std::string> Difference(const LunarYear& derived, long derivedNextNewYear, uint32_t published,
                                    long publishedNewYear) {
    std::vector<std::string> lines;
    const std::vector<MonthStart> ours = Decode(derived.word, derived.newYear);
    const std::vector<MonthStart> theirs = Decode(published, publishedNewYear);
    for (size_t i = 0; i + 1 < theirs.size(); ++i) {
        const MonthStart& p = theirs[i];
        bool same = false;
        for (size_t j = 0; j + 1 < ours.size(); ++j)
            same = same || (ours[j].number == p.number && ours[j].leap == p.leap && ours[j].start == p.start);
        if (same) continue;
        std::string line = MonthName(p.number, p.leap) + " begins " + DateText(p.start) + " in the published word";
        for (const Month& m : derived.months) {
            if (m.number == p.number && m.leap == p.leap)
                line += ", " + DateText(m.start) + " here (new moon " + TimeText(m.moon) + " UTC+8)";
        }
        lines.push_back(line);
    }
    if (theirs.back().start != derivedNextNewYear) {
        lines.push_back("the next new year is " + DateText(theirs.back().start) + " in the published word, " +
                        DateText(derivedNextNewYear) + " here");
    }
    return lines;
}

const Choice* ChoiceFor(int year) {
    for (const Choice& c : kChoices) {
        if (c.year == year) return &c;
    }
    return nullptr;
}

const char* const kPrincipalNames[12] = {"大寒", "雨水", "春分", "谷雨", "小满", "夏至",
                                         "大暑", "处暑", "秋分", "霜降", "小雪", "冬至"};

std::string Hex(uint32_t word) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%05X", unsigned(word));
    return text;
}

struct Tables {
    std::vector<Term> terms;
    std::vector<NewMoon> moons;
    std::vector<LunarYear> years;
};

Tables Derive() {
    Tables t;
    // One year either side: the eleventh month of 1899 opens lunar 1900, and lunar 2100 ends in 2101.
    t.terms = astro::ComputeTerms(kFirstYear - 1, kLastYear + 1);
    t.moons = NewMoonsBetween(DayNumber(kFirstYear - 1, 11, 1), DayNumber(kLastYear + 2, 1, 31));
    const std::vector<Month> months = ChineseMonths(t.moons, t.terms, kFirstYear - 1, kLastYear + 1);
    t.years = LunarYears(months, kFirstYear, kLastYear);
    return t;
}

// Checks the derived words against the published ones. Returns the comment lines per year and fails
// on a difference that is not a documented choice.
bool Compare(const Tables& t, std::vector<std::vector<std::string>>& notes, std::string& report) {
    bool ok = true;
    notes.assign(t.years.size(), {});
    long publishedNewYear = DayNumber(1900, 1, 31);
    if (t.years.front().newYear != publishedNewYear) {
        report += "lunar 1900 begins " + DateText(t.years.front().newYear) + ", not 1900-01-31\n";
        ok = false;
    }
    for (size_t i = 0; i < t.years.size() && t.years[i].year <= kPublishedLastYear; ++i) {
        const LunarYear& y = t.years[i];
        const uint32_t published = kPublished[y.year - kFirstYear];
        const Choice* choice = ChoiceFor(y.year);
        if (y.word != published) {
            std::string head = std::to_string(y.year) + ": derived " + Hex(y.word) + ", published " + Hex(published);
            report += head + (choice ? " (documented)\n" : " (NOT DOCUMENTED)\n");
            notes[i].push_back(head + (choice && choice->keepPublished ? "; the published word is kept"
                                                                       : "; the derived word is used"));
            const long next = i + 1 < t.years.size() ? t.years[i + 1].newYear : Decode(y.word, y.newYear).back().start;
            for (const std::string& line : Difference(y, next, published, publishedNewYear)) {
                report += "    " + line + "\n";
                notes[i].push_back(line);
            }
            if (choice) notes[i].push_back(choice->why);
            ok = ok && choice;
        } else if (choice) {
            report += std::to_string(y.year) + ": documented as a difference, but derived and published agree\n";
            ok = false;
        }
        // Published new years, for the next comparison.
        const std::vector<MonthStart> starts = Decode(published, publishedNewYear);
        publishedNewYear = starts.back().start;
    }
    return ok;
}

uint32_t TableWord(const LunarYear& y) {
    const Choice* choice = ChoiceFor(y.year);
    return choice && choice->keepPublished ? kPublished[y.year - kFirstYear] : y.word;
}

std::string NearMidnightList(const Tables& t) {
    struct Entry {
        double local;
        std::string what;
    };
    std::vector<Entry> entries;
    const long first = DayNumber(kFirstYear, 1, 1);
    const long last = DayNumber(kLastYear, 12, 31);
    auto near = [&](double local) {
        const double s = SecondsOfDay(local);
        return DayOf(local) >= first && DayOf(local) <= last && (s < kNearMidnight || s > 86400 - kNearMidnight);
    };
    for (const NewMoon& n : t.moons) {
        if (near(n.local)) entries.push_back({n.local, "new moon"});
    }
    for (const Term& term : t.terms) {
        if (term.index == 1 && near(term.local)) entries.push_back({term.local, kPrincipalNames[term.month - 1]});
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.local < b.local; });
    std::string out =
        "// New moons and principal terms within 10 minutes of midnight, UTC+8, 1900-2100: the days on which\n"
        "// calendars disagree, and where a change of Delta T or ephemeris could move a month or a term.\n";
    for (const Entry& e : entries) {
        double s = SecondsOfDay(e.local);
        const double offset = s > 43200 ? s - 86400 : s;
        char line[128];
        std::snprintf(line, sizeof line, "//   %s  %+5.0f s  %s\n", TimeText(e.local).c_str(), offset, e.what.c_str());
        out += line;
    }
    return out;
}

std::string LunarTableSource(const Tables& t, const std::vector<std::vector<std::string>>& notes) {
    std::string out =
        "// Generated by tools/lunarcal (lunarcal-gen); do not edit by hand.\n"
        "// Regenerate: cmake --build --preset linux --target lunarcal-gen &&\n"
        "//             build/linux/tools/lunarcal/lunarcal-gen engine\n"
        "// New moons: apparent longitudes of the Moon (ELP 2000-82B, libnova) and the Sun (IAU SOFA/ERFA)\n"
        "// equal; principal terms and Delta T as in solar_term_table.cpp; days in UTC+8. A month begins on the\n"
        "// day of its new moon, the month that holds the winter solstice is the eleventh, and in a year of\n"
        "// thirteen months from one eleventh month to the next the first month without a principal term is\n"
        "// the leap month, numbered as the month before it. Each word as lunar.h describes; its year and new\n"
        "// year's day beside it.\n"
        "#pragma once\n"
        "\n"
        "#include \"engine/lunar.h\"\n"
        "\n"
        "// clang-format off\n"
        "inline constexpr uint32_t LunarYearTable[kLunarYearCount] = {\n";
    for (size_t i = 0; i < t.years.size(); ++i) {
        const LunarYear& y = t.years[i];
        for (const std::string& note : notes[i]) {
            size_t from = 0;
            for (size_t end; (end = note.find('\n', from)) != std::string::npos; from = end + 1)
                out += "    // " + note.substr(from, end - from) + "\n";
            out += "    // " + note.substr(from) + "\n";
        }
        out += "    " + Hex(TableWord(y)) + ",  // " + std::to_string(y.year) + "  " + DateText(y.newYear) + "\n";
    }
    out += "};\n// clang-format on\n\n";
    out += NearMidnightList(t);
    return out;
}

std::string LateTermSource(const Tables& t) {
    std::string out = "// Generated by tools/lunarcal (lunarcal-gen); do not edit by hand.\n"
                      "// The solar-term table continued from 2055 to 2100, computed as solar_term_table.cpp.\n"
                      "// Each line is one month: first term day, hour, minute; second term day, hour, minute.\n"
                      "\n"
                      "#include \"engine/solar_term_table.h\"\n"
                      "\n"
                      "// clang-format off\n"
                      "const uint8_t SolarTermTableLate[kSolarTermLateTableSize] = {\n";
    char line[96];
    for (size_t i = 0; i + 1 < t.terms.size(); i += 2) {
        const Term& a = t.terms[i];
        const Term& b = t.terms[i + 1];
        if (a.year < kLateFirstYear || a.year > kLastYear) continue;
        std::snprintf(line, sizeof line, "    %2d, %2d, %2d,  %2d, %2d, %2d,  // %d-%02d\n", a.day, a.hour, a.minute,
                      b.day, b.hour, b.minute, a.year, a.month);
        out += line;
    }
    out += "};\n// clang-format on\n";
    return out;
}

// The terms of 1900-2054 must be the checked-in table's, byte for byte.
bool TermsMatchEarlyTable(const std::vector<Term>& terms) {
    for (const Term& t : terms) {
        if (t.year < kSolarTermFirstYear || t.year > kSolarTermLastYear) continue;
        const uint8_t* e = SolarTermTable + ((t.year - kSolarTermFirstYear) * 12 + (t.month - 1)) * 6 + t.index * 3;
        if (e[0] != t.day || e[1] != t.hour || e[2] != t.minute) {
            std::fprintf(stderr, "term %d-%02d/%d differs from solar_term_table.cpp\n", t.year, t.month, t.index + 1);
            return false;
        }
    }
    return true;
}

bool WriteFile(const std::string& path, const std::string& text) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::perror(path.c_str());
        return false;
    }
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    ok = std::fclose(f) == 0 && ok;
    if (!ok) std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return ok;
}

// Published new moons, UT to the minute: the conjunctions of solar eclipses and observatory phase tables,
// with Meeus' worked example (TT, to the second) as a check of the theory without Delta T.
struct Published {
    int y, m, d, hour, minute, second;
    bool tt; // the time is TT, else UT
    const char* source;
};
constexpr double kPhaseTolerance = 60; // seconds: a minute's rounding plus a few seconds of theory

const Published kPhases[] = {
    {1977, 2, 18, 3, 37, 40, true, "Meeus, Astronomical Algorithms ex. 49.a, full ELP"},
    {1973, 6, 30, 11, 38, 0, false, "total solar eclipse"},
    {1991, 7, 11, 19, 6, 0, false, "total solar eclipse"},
    {1999, 8, 11, 11, 8, 0, false, "total solar eclipse"},
    {2000, 1, 6, 18, 14, 0, false, "phase table"},
    {2001, 1, 24, 13, 7, 0, false, "phase table"},
    {2006, 3, 29, 10, 15, 0, false, "total solar eclipse"},
    {2008, 8, 1, 10, 13, 0, false, "total solar eclipse"},
    {2009, 7, 22, 2, 35, 0, false, "total solar eclipse"},
    {2010, 7, 11, 19, 40, 0, false, "total solar eclipse"},
    {2012, 5, 20, 23, 47, 0, false, "annular solar eclipse"},
    {2016, 3, 9, 1, 54, 0, false, "total solar eclipse"},
    {2017, 8, 21, 18, 30, 0, false, "total solar eclipse"},
    {2019, 7, 2, 19, 16, 0, false, "total solar eclipse"},
    {2020, 6, 21, 6, 41, 0, false, "annular solar eclipse"},
    {2021, 12, 4, 7, 43, 0, false, "total solar eclipse"},
    {2023, 1, 21, 20, 53, 0, false, "phase table (lunar new year 2023)"},
    {2024, 4, 8, 18, 21, 0, false, "total solar eclipse"},
};

int CheckPhases() {
    double worst = 0;
    for (const Published& p : kPhases) {
        const double at = double(DayNumber(p.y, p.m, p.d)) - 0.5 + (p.hour * 3600 + p.minute * 60 + p.second) / 86400.0;
        // at is TT or UT: a first guess either way, the new moon lies within a day.
        const NewMoon n = MakeNewMoon(SolveNewMoon(at));
        const double ours = p.tt ? n.tt : n.local - 8.0 / 24.0;
        const double diff = (ours - at) * 86400.0;
        worst = std::fmax(worst, std::fabs(diff));
        std::printf("%04d-%02d-%02d %02d:%02d:%02d %s  ours %s %+6.1f s  %s\n", p.y, p.m, p.d, p.hour, p.minute,
                    p.second, p.tt ? "TT" : "UT", TimeText(ours).c_str(), diff, p.source);
    }
    std::printf("largest difference %.1f s\n", worst);
    return worst <= kPhaseTolerance ? 0 : 1;
}

int ListNewMoons(int from, int to) {
    for (const NewMoon& n : NewMoonsBetween(DayNumber(from, 1, 1), DayNumber(to, 12, 31))) {
        if (n.day < DayNumber(from, 1, 1) || n.day > DayNumber(to, 12, 31)) continue;
        std::printf("TT %s  UT %s  UTC+8 %s\n", TimeText(n.tt).c_str(), TimeText(n.local - 8.0 / 24.0).c_str(),
                    TimeText(n.local).c_str());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--phases") == 0) return CheckPhases();
    if (argc == 4 && std::strcmp(argv[1], "--new-moons") == 0)
        return ListNewMoons(std::atoi(argv[2]), std::atoi(argv[3]));
    if (argc != 2 || argv[1][0] == '-') {
        std::fprintf(stderr, "usage: lunarcal-gen DIR | --phases | --new-moons YEAR YEAR\n");
        return 2;
    }

    const Tables t = Derive();
    std::vector<std::vector<std::string>> notes;
    std::string report;
    const bool agreed = Compare(t, notes, report);
    std::fputs(report.c_str(), stdout);
    if (!TermsMatchEarlyTable(t.terms)) return 1;
    if (!agreed) {
        std::fprintf(stderr, "derived and published words differ where no choice is documented\n");
        return 1;
    }
    const std::string dir = argv[1];
    if (!WriteFile(dir + "/lunar_year_table.h", LunarTableSource(t, notes))) return 1;
    if (!WriteFile(dir + "/solar_term_table_late.cpp", LateTermSource(t))) return 1;
    return 0;
}
