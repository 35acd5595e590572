#include "engine/month_page.h"

#include "engine/gregorian.h"
#include "engine/names.h"
#include "engine/solar_terms.h"

namespace {

void AppendYearName(std::string& text, int lunarYear) {
    text += StemBranchName(lunarYear - 1864);
    text += "【";
    text += ZodiacName(lunarYear);
    text += "】年";
}

} // namespace

bool DayInRange(const CalendarRange& range, int year, int month, int day) {
    // The year is checked first so that the day arithmetic stays small.
    if (year < range.first.year || year > range.last.year || !CivilDate{year, month, day}.ok()) return false;
    const int32_t days = DaysFromCivil(year, month, day);
    return days >= DaysFromCivil(range.first.year, range.first.month, range.first.day) &&
           days <= DaysFromCivil(range.last.year, range.last.month, range.last.day);
}

bool MonthPageInRange(const CalendarRange& range, int year, int month) {
    return month >= 1 && month <= 12 && DayInRange(range, year, month, 1) &&
           DayInRange(range, year, month, DaysInMonth(year, month));
}

bool BuildMonthPage(MonthPage& page, const CalendarRange& range, int year, int month, int day,
                    const HolidayLookup* holidays) {
    if (!MonthPageInRange(range, year, month)) return false;
    page.year = year;
    page.month = month;
    page.dayCount = DaysInMonth(year, month);
    page.mark.Move(year, month, day, page.dayCount);
    page.lunarMonthCount = 0;

    // One conversion, then steps: every page lies inside the lunar table.
    LunarDate lunar = SolarToLunar(year, month, 1);
    int weekday = DayOfWeek(year, month, 1);
    for (int d = 1; d <= page.dayCount; ++d) {
        DayCell& cell = page.cells[d];
        cell.weekday = uint16_t(weekday);
        weekday = weekday == 6 ? 0 : weekday + 1;
        cell.lunar = lunar;
        NextDay(lunar);
        cell.solarTerm = 0;
        cell.festival = LunarFestival(cell.lunar);
        if (!cell.festival) cell.festival = SolarFestival(month, d);
        cell.textIsMonthName = false;
        if (page.lunarMonthCount == 0 || page.lunarMonths[page.lunarMonthCount - 1] != cell.lunar.month) {
            page.lunarMonths[page.lunarMonthCount++] = cell.lunar.month; // at most 3 in 31 days
        }
        cell.lunarMonthIndex = uint8_t(page.lunarMonthCount - 1);
        const HolidayDay holiday = holidays ? holidays->Lookup(year, month, d) : HolidayDay{};
        cell.holiday = holiday.mark;
        cell.holidayName = holiday.name;
        cell.holidayByLaw = holiday.byLaw;
    }
    for (int d = page.dayCount + 1; d < int(page.cells.size()); ++d)
        page.cells[d] = DayCell{};

    SolarTerm first, second;
    if (SolarTermDays(year, month, first, second)) {
        if (first.day >= 1 && first.day <= page.dayCount) page.cells[first.day].solarTerm = 1;
        if (second.day >= 1 && second.day <= page.dayCount) page.cells[second.day].solarTerm = 2;
    }

    for (int d = 1; d <= page.dayCount; ++d) {
        DayCell& cell = page.cells[d];
        if (cell.festival) {
            cell.text = cell.festival;
        } else if (cell.solarTerm) {
            cell.text = SolarTermName(month, cell.solarTerm);
        } else if (cell.lunar.day == 1) {
            cell.text = LunarMonthName(cell.lunar.month, cell.lunar.inLeapMonth);
            cell.text += cell.lunar.monthDays == 30 ? "月大" : "月小";
            cell.textIsMonthName = true;
        } else {
            cell.text = LunarDayName(cell.lunar.day);
        }
    }

    const int firstYear = page.cells[1].lunar.year;
    const int lastYear = page.cells[page.dayCount].lunar.year;
    page.yearCaption.clear();
    AppendYearName(page.yearCaption, firstYear);
    if (lastYear != firstYear) {
        page.yearCaption += "－";
        AppendYearName(page.yearCaption, lastYear);
    }
    return true;
}
