#include "view/today_glance.h"

#include "engine/holiday_mark.h"
#include "engine/names.h"
#include "engine/solar_terms.h"
#include "view/grid_page.h"
#include "view/one_line.h"

namespace {

// A line of the tooltip is at most this long, so five of them always fit its limit.
constexpr size_t kTipLineLimit = 24;
// A reminder line: long memos are cut, so one does not crowd out the others.
constexpr size_t kReminderLineLimit = 60;
const char kEllipsis[] = "…";

bool IsLead(unsigned char ch) {
    return (ch & 0xC0) != 0x80;
}

// The longest head of `text` that fits `limit` UTF-16 units, cut between characters, with "…" when cut.
std::string Cut(const std::string& text, size_t limit) {
    if (Utf16Length(text) <= limit) return text;
    size_t units = 0, end = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        auto ch = static_cast<unsigned char>(text[i]);
        if (!IsLead(ch)) continue;
        size_t width = ch >= 0xF0 ? 2 : 1;
        if (units + width + 1 > limit) break; // room for the ellipsis
        units += width;
        end = i + 1;
        while (end < text.size() && !IsLead(static_cast<unsigned char>(text[end])))
            ++end;
    }
    return text.substr(0, end) + kEllipsis;
}

std::string LunarDateName(const LunarDate& lunar) {
    return "农历" + LunarMonthName(lunar.month, lunar.inLeapMonth != 0) + "月" + LunarDayName(lunar.day);
}

std::string WhenName(const DueMemo& memo) {
    if (memo.daysAhead == 0) return "今天";
    std::string day = memo.kind == MemoKind::LunarYearly
                          ? LunarDateName(memo.lunar)
                          : std::to_string(memo.date.month) + "月" + std::to_string(memo.date.day) + "日";
    std::string ahead = memo.daysAhead == 1   ? "明天"
                        : memo.daysAhead == 2 ? "后天"
                                              : std::to_string(memo.daysAhead) + "天后";
    return ahead + "（" + day + "）";
}

} // namespace

size_t Utf16Length(const std::string& utf8) {
    size_t units = 0;
    for (char c : utf8) {
        auto ch = static_cast<unsigned char>(c);
        if (IsLead(ch)) units += ch >= 0xF0 ? 2 : 1;
    }
    return units;
}

std::vector<DueMemo> DueMemos(GridPage& scratch, CivilDate today, int advance) {
    std::vector<DueMemo> due;
    if (advance < 0) return due;
    const int32_t first = DaysFromCivil(today.year, today.month, today.day);
    for (int ahead = 0; ahead <= advance; ++ahead) {
        const CivilDate date = CivilFromDays(first + ahead);
        const MonthPage& page = scratch.page();
        if ((page.year != date.year || page.month != date.month) && !scratch.SetMonth(date.year, date.month, 0))
            break; // past the calendar's last month
        // The tip's order; days ahead name only the memos that come back every year.
        static constexpr MemoKind kKinds[] = {MemoKind::Weekly, MemoKind::OneTime, MemoKind::SolarYearly,
                                              MemoKind::LunarYearly};
        const auto records = scratch.DayRecords(date.day);
        for (int i = 0; i < 4; ++i) {
            const bool yearly = kKinds[i] == MemoKind::SolarYearly || kKinds[i] == MemoKind::LunarYearly;
            if (!records[i]->present() || (ahead > 0 && !yearly)) continue;
            due.push_back({ahead, kKinds[i], date, page.cells[date.day].lunar, records[i]->text()});
        }
    }
    return due;
}

std::string ReminderText(const std::vector<DueMemo>& due, size_t limit) {
    std::string text;
    for (size_t i = 0; i < due.size(); ++i) {
        std::string line =
            Cut(WhenName(due[i]) + "：" + MemoOneLine(due[i].text, /*foldTabs=*/true), kReminderLineLimit);
        std::string joined = text.empty() ? line : text + "\n" + line;
        // The last line may take the room the "……" line would need.
        const size_t reserve = i + 1 < due.size() ? 3 : 0;
        if (Utf16Length(joined) + reserve > limit) return text.empty() ? "……" : text + "\n……";
        text = joined;
    }
    return text;
}

std::string TrayTipText(const GridPage& model, int day) {
    const MonthPage& p = model.page();
    if (!p.ok() || day < 1 || day > p.dayCount) return {};
    const DayCell& cell = p.cells[day];
    std::string text = std::to_string(p.year) + "年" + std::to_string(p.month) + "月" + std::to_string(day) +
                       "日 星期" + WeekdayName(cell.weekday) + "\n" + LunarDateName(cell.lunar);
    auto addLine = [&text](const std::string& line) {
        if (!line.empty()) text += "\n" + Cut(line, kTipLineLimit);
    };
    std::string names;
    // 初二 and 初三 are festivals named as their days: said once.
    if (cell.festival && LunarDayName(cell.lunar.day) != cell.festival) names = cell.festival;
    if (cell.solarTerm) names += (names.empty() ? "" : " ") + std::string(SolarTermName(p.month, cell.solarTerm));
    addLine(names);
    if (cell.holiday != HolidayMark::None)
        addLine(HolidayMarkText(cell.holiday) + (cell.holidayName.empty() ? "" : "（" + cell.holidayName + "）"));
    int count = 0;
    for (const MemoRecord* record : model.DayRecords(day))
        count += record->present() ? 1 : 0;
    addLine(count ? "今天有" + std::to_string(count) + "条记事" : "今天没有记事");
    return text;
}
