#include "view/grid_keys.h"

#include <algorithm>

#include "engine/gregorian.h"
#include "engine/names.h"
#include "engine/solar_terms.h"
#include "holidays/holidays.h"
#include "view/grid_page.h"
#include "view/one_line.h"

FocusDay MoveFocusDay(FocusDay from, GridKey key) {
    CivilDate to;
    switch (key) {
    case GridKey::PrevDay:
    case GridKey::NextDay:
    case GridKey::PrevWeek:
    case GridKey::NextWeek: {
        static constexpr int kSteps[] = {-1, 1, -7, 7};
        to = CivilFromDays(DaysFromCivil(from.year, from.month, from.day) + kSteps[static_cast<int>(key)]);
        break;
    }
    case GridKey::PrevMonth:
    case GridKey::NextMonth:
    case GridKey::PrevYear:
    case GridKey::NextYear: {
        static constexpr int kMonths[] = {-1, 1, -12, 12};
        const int n = from.year * 12 + from.month - 1 + kMonths[static_cast<int>(key) - 4];
        to.year = n / 12;
        to.month = n % 12 + 1;
        to.day = std::min(from.day, DaysInMonth(to.year, to.month));
        break;
    }
    }
    if (!DayInRange(kDesktopRange, to.year, to.month, to.day)) return from;
    return {to.year, to.month, to.day};
}

int StartFocusDay(const MonthPage& page) {
    if (!page.ok()) return 0;
    return page.MarkShown() && page.mark.day >= 1 && page.mark.day <= page.dayCount ? page.mark.day : 1;
}

std::string DayDescription(const GridPage& model, int day) {
    const MonthPage& p = model.page();
    if (!p.ok() || day < 1 || day > p.dayCount) return {};
    const DayCell& cell = p.cells[day];
    const std::string dayName = LunarDayName(cell.lunar.day);
    std::string text = std::to_string(p.year) + "年" + std::to_string(p.month) + "月" + std::to_string(day) +
                       "日 星期" + WeekdayName(cell.weekday) + " 农历" +
                       LunarMonthName(cell.lunar.month, cell.lunar.inLeapMonth != 0) + "月" + dayName;
    auto add = [&text](const std::string& part, const char* separator = " ") {
        if (!part.empty()) text += separator + part;
    };
    if (cell.textIsMonthName) add(cell.text);
    // 初二 and 初三 are festivals named as their days: said once.
    if (cell.festival && dayName != cell.festival) add(cell.festival);
    if (cell.solarTerm) add(SolarTermName(p.month, cell.solarTerm));
    if (cell.holiday != HolidayMark::None) {
        std::string about = cell.holidayName;
        if (cell.holidayByLaw) about += "，" + HolidayLawNote(p.year);
        add(HolidayMarkText(cell.holiday) + (about.empty() ? "" : "（" + about + "）"));
    }
    if (p.MarkShown() && p.mark.day == day) add("今天");
    const char* separator = " ";
    for (const MemoRecord* record : model.DayRecords(day)) {
        if (!record->present()) continue;
        std::string memo = MemoOneLine(record->text());
        if (memo.empty()) continue;
        add(memo, separator);
        separator = "；";
    }
    return text;
}
