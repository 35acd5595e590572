#include "memo/ics_export.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>
#include <string_view>

#include "engine/gregorian.h"
#include "engine/lunar.h"
#include "engine/month_page.h"
#include "memo/css_color_names.h"
#include "memo/memo_file.h"
#include "memo/memo_store.h"
#include "win/gb18030.h"

namespace {

// The version comes from the project's one VERSION, as a compile definition.
constexpr char kProductId[] = "-//Lunoria//Lunoria " LUNORIA_VERSION "//ZH";
constexpr size_t kLineOctets = 75;
const char* const kWeekdays[] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};

// One content line, folded so no line exceeds 75 octets, never inside a UTF-8 character; a folded
// line goes on after CR LF and one blank.
void AppendLine(std::string& out, std::string_view line) {
    size_t room = kLineOctets;
    while (line.size() > room) {
        size_t cut = room;
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut;
        out.append(line.substr(0, cut));
        out += "\r\n ";
        line.remove_prefix(cut);
        room = kLineOctets - 1;
    }
    out.append(line);
    out += "\r\n";
}

std::string DateText(const CivilDate& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", date.year, date.month, date.day);
    return text;
}

std::string StampText(int64_t utcSeconds) {
    const int64_t days = utcSeconds >= 0 ? utcSeconds / 86400 : (utcSeconds - 86399) / 86400;
    const int64_t second = utcSeconds - days * 86400;
    char text[24];
    std::snprintf(text, sizeof text, "%sT%02d%02d%02dZ", DateText(CivilFromDays(static_cast<int32_t>(days))).c_str(),
                  int(second / 3600), int(second / 60 % 60), int(second % 60));
    return text;
}

// A TEXT value: backslash, semicolon and comma escaped, each line break (CR LF, CR or LF) as \n.
// Other control characters are not allowed in TEXT and show nothing on the grid either.
std::string EscapeText(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' || c == ';' || c == ',') {
            out += '\\';
            out += c;
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += "\\n";
        } else if ((static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) || c == '\t') {
            out += c;
        }
    }
    return out;
}

struct EventText {
    std::string summary;     // the first line with something on it
    std::string description; // the whole text when it has more than one line, else empty
};

EventText TextOf(const MemoRecord& record) {
    std::string_view bytes = record.text();
    // Every display of a memo stops at its first NUL.
    bytes = bytes.substr(0, bytes.find('\0'));
    std::string text = Gb18030ToUtf8(bytes);
    // Line breaks at the end add no line anyone sees.
    text.erase(text.find_last_not_of("\r\n") + 1);
    EventText event;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        if (text.find_first_not_of(" \t", start) < end) {
            event.summary = text.substr(start, end - start);
            break;
        }
        start = end + 1;
    }
    if (text.find_first_of("\r\n") != std::string::npos) event.description = text;
    return event;
}

// One memo's event. `rule` is an RRULE value or empty; `more` lists further days as RDATE.
struct Event {
    const MemoRecord* record;
    MemoKind kind;
    std::string uid;
    CivilDate first;
    std::string rule;
    std::vector<CivilDate> more;
};

void AppendEvent(std::string& out, const Event& e, const std::string& stamp) {
    const EventText text = TextOf(*e.record);
    AppendLine(out, "BEGIN:VEVENT");
    AppendLine(out, "UID:" + e.uid);
    AppendLine(out, "DTSTAMP:" + stamp);
    AppendLine(out, "DTSTART;VALUE=DATE:" + DateText(e.first));
    AppendLine(out, "DTEND;VALUE=DATE:" +
                        DateText(CivilFromDays(DaysFromCivil(e.first.year, e.first.month, e.first.day) + 1)));
    if (!e.rule.empty()) AppendLine(out, "RRULE:" + e.rule);
    // Six days to a property: 70 octets, so these lines need no folding and each reads on its own.
    for (size_t i = 0; i < e.more.size(); i += 6) {
        std::string dates = "RDATE;VALUE=DATE:";
        for (size_t j = i; j < e.more.size() && j < i + 6; ++j)
            dates += (j > i ? "," : "") + DateText(e.more[j]);
        AppendLine(out, dates);
    }
    AppendLine(out, "SUMMARY:" + EscapeText(text.summary));
    if (!text.description.empty()) AppendLine(out, "DESCRIPTION:" + EscapeText(text.description));
    if (const char* color = CssColorName(MemoColor(e.record->color(), e.kind)))
        AppendLine(out, "COLOR:" + std::string(color));
    // A memo marks a day; it does not make the user busy.
    AppendLine(out, "TRANSP:TRANSPARENT");
    AppendLine(out, "END:VEVENT");
}

// Gregorian days by lunar month number and lunar day, from `fromDays` through the last day of the
// terminal calendar (2100-12-31, within the lunar table). A leap month counts as its number's month.
using LunarDays = std::array<std::array<std::vector<CivilDate>, 31>, 13>;

void FillLunarDays(LunarDays& days, int32_t fromDays) {
    const CivilDate& first = kTerminalRange.first;
    const CivilDate& last = kTerminalRange.last;
    const int32_t lastDays = DaysFromCivil(last.year, last.month, last.day);
    fromDays = std::max(fromDays, DaysFromCivil(first.year, first.month, first.day));
    if (fromDays > lastDays) return;
    CivilDate date = CivilFromDays(fromDays);
    LunarDate lunar = SolarToLunar(date.year, date.month, date.day);
    for (int32_t d = fromDays; d <= lastDays && lunar.ok(); ++d, NextDay(lunar))
        days[static_cast<size_t>(lunar.month)][static_cast<size_t>(lunar.day)].push_back(CivilFromDays(d));
}

class Exporter {
public:
    Exporter(const std::string& memoRoot, const IcsExportClock& clock, IcsExport& result)
        : root(memoRoot), year(clock.year), stamp(StampText(clock.utcSeconds)), out(result) {}

    void Run() {
        const CalendarRange& range = kTerminalRange;
        for (int y = range.first.year; y <= range.last.year; ++y)
            for (int m = 1; m <= 12; ++m)
                if (MonthPageInRange(range, y, m)) OneTimeMemos(y, m);
        for (int m = 1; m <= 12; ++m)
            SolarMemos(m);
        FillLunarDays(lunarDays, DaysFromCivil(year, 1, 1));
        for (int m = 1; m <= 12; ++m)
            LunarMemos(m);
        WeeklyMemos();
    }

private:
    // A damaged file gives what its store could read, as on the grid.
    void Loaded(const MemoStore& store, int rc) {
        if (rc != 0) out.damagedFiles.push_back(store.FullPath());
    }

    std::string Uid(const char* kind, const MemoStore& store, int slot) const {
        const std::string& path = store.path();
        return std::string(kind) + "-" + path.substr(path.rfind('/') + 1) + "-" + std::to_string(slot) + "@lunoria";
    }

    void Add(Event e) {
        AppendEvent(out.text, e, stamp);
        ++out.events;
    }

    void OneTimeMemos(int y, int m) {
        MemoStore store(root);
        Loaded(store, store.LoadMonth(y, m));
        for (int d = 1; d <= DaysInMonth(y, m); ++d)
            if (store.slot(d).present())
                Add({&store.slot(d), MemoKind::OneTime, Uid("onetime", store, d), {y, m, d}, {}, {}});
    }

    void SolarMemos(int m) {
        MemoStore store(root);
        Loaded(store, store.LoadMonth(1, m));
        for (int d = 1; d <= DaysInMonth(2000, m); ++d) { // 2000: a leap year, so 29 February counts
            if (!store.slot(d).present()) continue;
            int y = year;
            while (!CivilDate{y, m, d}.ok())
                ++y; // 29 February: the first leap year from the export year on
            Add({&store.slot(d),
                 MemoKind::SolarYearly,
                 Uid("solar", store, d),
                 {y, m, d},
                 "FREQ=YEARLY;BYMONTH=" + std::to_string(m) + ";BYMONTHDAY=" + std::to_string(d),
                 {}});
        }
    }

    void LunarMemos(int m) {
        MemoStore store(root);
        Loaded(store, store.LoadMonth(0, m));
        for (int d = 1; d <= 30; ++d) {
            const std::vector<CivilDate>& days = lunarDays[static_cast<size_t>(m)][static_cast<size_t>(d)];
            if (!store.slot(d).present() || days.empty()) continue;
            Add({&store.slot(d),
                 MemoKind::LunarYearly,
                 Uid("lunar", store, d),
                 days.front(),
                 {},
                 std::vector<CivilDate>(days.begin() + 1, days.end())});
        }
    }

    void WeeklyMemos() {
        MemoStore store(root);
        Loaded(store, store.LoadWeek());
        const int32_t newYear = DaysFromCivil(year, 1, 1);
        for (int w = 0; w < 7; ++w) {
            if (!store.slot(w).present()) continue;
            const CivilDate first = CivilFromDays(newYear + (w - DayOfWeek(year, 1, 1) + 7) % 7);
            Add({&store.slot(w),
                 MemoKind::Weekly,
                 Uid("weekly", store, w),
                 first,
                 std::string("FREQ=WEEKLY;BYDAY=") + kWeekdays[w],
                 {}});
        }
    }

    const std::string& root;
    const int year;
    const std::string stamp;
    IcsExport& out;
    LunarDays lunarDays;
};

} // namespace

IcsExportClock CurrentExportClock() {
    IcsExportClock clock;
    const std::time_t now = std::time(nullptr);
    clock.utcSeconds = static_cast<int64_t>(now);
    const std::tm* local = std::localtime(&now);
    if (!local) local = std::gmtime(&now);
    clock.year = local ? local->tm_year + 1900 : 1970;
    return clock;
}

IcsExport ExportMemoFolder(const std::string& memoRoot, const IcsExportClock& clock) {
    IcsExport result;
    if (!FolderExists(memoRoot)) {
        result.status = IcsExportStatus::NoFolder;
        return result;
    }
    if (!FolderExists(memoRoot + "/日历")) {
        result.status = IcsExportStatus::NoCalendarFolder;
        return result;
    }
    std::string& out = result.text;
    AppendLine(out, "BEGIN:VCALENDAR");
    AppendLine(out, "VERSION:2.0");
    AppendLine(out, std::string("PRODID:") + kProductId);
    AppendLine(out, "CALSCALE:GREGORIAN");
    // The calendar's name for clients that make a new calendar from the file (RFC 7986, and the
    // older name many clients read).
    AppendLine(out, "NAME:我的记事");
    AppendLine(out, "X-WR-CALNAME:我的记事");
    Exporter(memoRoot, clock, result).Run();
    AppendLine(out, "END:VCALENDAR");
    return result;
}
