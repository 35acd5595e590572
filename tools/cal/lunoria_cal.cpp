// lunoria-cal: the calendar's month pages in a terminal, a day-by-day dump of the lunar data, a check
// of the user's holiday list, and the memo folder as an iCalendar file.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <utility>
#include <vector>

#include "engine/gregorian.h"
#include "holidays/holidays.h"
#include "engine/lunar.h"
#include "engine/month_page.h"
#include "engine/names.h"
#include "engine/solar_terms.h"
#include "holidays/holiday_file.h"
#include "holidays/holiday_json.h"
#include "memo/ics_export.h"
#include "memo/memo_file.h"
#include "tools/cal/cal_args.h"
#include "tools/cal/console.h"

namespace {

constexpr int kExitUsage = 2;
constexpr int kColumn = 10; // terminal cells per weekday; "闰十一月大" fills one
constexpr const CalendarRange& kRange = kTerminalRange;

const char kUsage[] =
    "usage: lunoria-cal [YEAR [MONTH]]        month page(s), YEAR 1900-2100\n"
    "       lunoria-cal --dump FROM TO        one line per day, dates YYYY-MM-DD, 1900-01-31 to 2100-12-31\n"
    "       lunoria-cal --check-holidays [FILE]\n"
    "                                         lists the lines of the holiday list that cannot be read\n"
    "                                         (exit status 1 when there is one); without FILE the one\n"
    "                                         in the memo folder, Documents/我的记事/节假日.txt\n"
    "       lunoria-cal --import-holidays FILE [FOLDER]\n"
    "                                         checks a year's schedule in the holiday-cn format as the\n"
    "                                         calendar does and keeps it in FOLDER (default the memo\n"
    "                                         folder, Documents/我的记事) as 节假日/YEAR.json\n"
    "       lunoria-cal --export-ics FOLDER [-o FILE]\n"
    "                                         the memos of FOLDER (我的记事, holding 日历) as one iCalendar\n"
    "                                         file (RFC 5545), to standard output or to FILE\n"
    "dump columns (tab-separated): date, lunar year, lunar month, lunar day, leap month 0/1,\n"
    "lunar month length, solar term 0/1/2, festival or -, 休 or 班 or nothing\n"
    "Pages and dump show the statutory holidays of the memo folder's list, its fetched schedules and the\n"
    "built-in years, and after the last of them the days the law fixes, without their make-up days.\n";

int Fail(const std::string& message) {
    std::fprintf(stderr, "lunoria-cal: %s\n", message.c_str());
    return kExitUsage;
}

// Terminal cells of a UTF-8 text: CJK and full-width forms take two, everything else one.
int DisplayWidth(const std::string& text) {
    int width = 0;
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        width += length >= 3 ? 2 : 1;
        i += length;
    }
    return width;
}

// Text centred in `width` cells, padded with blanks on both sides.
std::string Centre(const std::string& text, int width) {
    const int room = width - DisplayWidth(text);
    if (room <= 0) return text;
    return std::string(room / 2, ' ') + text + std::string(room - room / 2, ' ');
}

// Trailing blanks only make copied text untidy.
void TrimRight(std::string& text) {
    text.erase(text.find_last_not_of(' ') + 1);
}

std::string MemoFolder() {
    const std::string documents = DocumentsFolder();
    return documents.empty() ? std::string() : documents + "/我的记事";
}

// The memo folder's holiday list and fetched schedules over the built-in data; only the built-in data
// (and the law's days) without a folder.
HolidayCalendar MemoFolderHolidays() {
    HolidayFileWatch watch;
    watch.SetFolder(MemoFolder());
    return watch.calendar();
}

// The day number in its column, today's reversed (or in brackets), its 休 or 班 right after it.
std::string DayLabel(int day, bool today, HolidayMark mark, bool ansi) {
    char number[8];
    std::snprintf(number, sizeof number, "%2d", day);
    std::string label = (today && !ansi ? "   [" : "    ") + std::string(number) + (today && !ansi ? "]" : "");
    int width = DisplayWidth(label);
    if (today && ansi) label = "    \x1b[7m" + std::string(number) + "\x1b[0m";
    if (mark != HolidayMark::None) {
        const char* colour = mark == HolidayMark::Rest ? "\x1b[31m" : "\x1b[90m";
        label += ansi ? colour + std::string(HolidayMarkText(mark)) + "\x1b[0m" : HolidayMarkText(mark);
        width += 2;
    }
    return label + std::string(kColumn - width, ' ');
}

// "节假日：国庆节 20日班；中秋节 25-27日休": the month's marked days by holiday, in order; for a year
// past the schedules, the law's days and a note that the year's make-up days are not published yet.
std::string HolidayLine(const MonthPage& page, const HolidayCalendar& holidays) {
    std::vector<std::pair<std::string, std::string>> byName; // name, its runs
    for (int d = 1; d <= page.dayCount;) {
        const HolidayDay day = holidays.Lookup(page.year, page.month, d);
        int last = d;
        while (last < page.dayCount) {
            const HolidayDay next = holidays.Lookup(page.year, page.month, last + 1);
            if (next.mark != day.mark || std::strcmp(next.name, day.name) != 0) break;
            ++last;
        }
        if (day.mark != HolidayMark::None) {
            std::string run =
                std::to_string(d) + (last > d ? "-" + std::to_string(last) : "") + "日" + HolidayMarkText(day.mark);
            auto it = std::find_if(byName.begin(), byName.end(), [&](const auto& e) { return e.first == day.name; });
            if (it == byName.end())
                byName.emplace_back(day.name, run);
            else
                it->second += " " + run;
        }
        d = last + 1;
    }
    std::string line;
    for (const auto& [name, runs] : byName)
        line += (line.empty() ? "节假日：" : "；") + (name.empty() ? runs : name + " " + runs);
    if (page.year > holidays.LastYear() && page.year <= kLawHolidayLastYear)
        line += (line.empty() ? "节假日：" : "；") + HolidayLawNote(page.year);
    return line.empty() ? line : line + "\n";
}

struct Today {
    int year = 0, month = 0, day = 0;
};

Today LocalToday() {
    Today today;
    const std::time_t now = std::time(nullptr);
    if (const std::tm* local = std::localtime(&now)) {
        today.year = local->tm_year + 1900;
        today.month = local->tm_mon + 1;
        today.day = local->tm_mday;
    }
    return today;
}

void PrintPage(const MonthPage& page, const HolidayCalendar& holidays, bool ansi) {
    std::string out;
    const std::string title = std::to_string(page.year) + "年" + std::to_string(page.month) + "月  " + page.yearCaption;
    std::string header = Centre(title, 7 * kColumn);
    TrimRight(header);
    out += header + '\n';
    header.clear();
    for (int w = 0; w < 7; ++w)
        header += Centre(WeekdayName(w), kColumn);
    TrimRight(header);
    out += header + '\n';

    int day = 1;
    while (day <= page.dayCount) {
        std::string numbers, texts;
        for (int w = 0; w < 7; ++w) {
            const bool here = day <= page.dayCount && (day > 1 || w == page.cells[1].weekday);
            if (!here) {
                numbers += std::string(kColumn, ' ');
                texts += std::string(kColumn, ' ');
                continue;
            }
            const DayCell& cell = page.cells[day];
            numbers += DayLabel(day, page.MarkShown() && page.mark.day == day, cell.holiday, ansi);
            texts += Centre(cell.text, kColumn);
            ++day;
        }
        TrimRight(numbers);
        TrimRight(texts);
        out += numbers + '\n' + texts + '\n';
    }
    out += HolidayLine(page, holidays);
    std::fputs(out.c_str(), stdout);
}

int ShowMonths(int argc, char** argv) {
    const Today today = LocalToday();
    int year = today.year, firstMonth = today.month, lastMonth = today.month;
    if (argc >= 2) {
        if (!ParseNumber(argv[1], year) || year < kRange.first.year || year > kRange.last.year) {
            return Fail(std::string("year must be 1900-2100: ") + argv[1]);
        }
        firstMonth = 1;
        lastMonth = 12;
    }
    if (argc >= 3) {
        int month = 0;
        if (!ParseNumber(argv[2], month) || month < 1 || month > 12) {
            return Fail(std::string("month must be 1-12: ") + argv[2]);
        }
        firstMonth = lastMonth = month;
        if (!MonthPageInRange(kRange, year, month)) return Fail("the calendar begins with February 1900");
    } else if (argc == 1 && !MonthPageInRange(kRange, year, firstMonth)) {
        return Fail("today lies outside the calendar (February 1900 to December 2100)");
    }

    const bool ansi = PrepareConsole();
    const HolidayCalendar holidays = MemoFolderHolidays();
    MonthPage page;
    bool first = true;
    for (int month = firstMonth; month <= lastMonth; ++month) {
        if (!MonthPageInRange(kRange, year, month)) continue; // January 1900 when a whole year is asked for
        BuildMonthPage(page, kRange, year, month, today.year == year && today.month == month ? today.day : 0,
                       &holidays);
        if (!first) std::fputs("\n", stdout);
        PrintPage(page, holidays, ansi);
        first = false;
    }
    return 0;
}

int Dump(const char* fromText, const char* toText) {
    int y0, m0, d0, y1, m1, d1;
    if (!ParseIsoDate(fromText, y0, m0, d0)) return Fail(std::string("not a date (YYYY-MM-DD): ") + fromText);
    if (!ParseIsoDate(toText, y1, m1, d1)) return Fail(std::string("not a date (YYYY-MM-DD): ") + toText);
    if (!DayInRange(kRange, y0, m0, d0) || !DayInRange(kRange, y1, m1, d1)) {
        return Fail("dates must lie between 1900-01-31 and 2100-12-31");
    }
    LunarDate lunar = SolarToLunar(y0, m0, d0);
    const int32_t from = DaysFromCivil(y0, m0, d0), to = DaysFromCivil(y1, m1, d1);
    if (from > to) return Fail(std::string(fromText) + " is after " + toText);

    PrepareConsole();
    UseBinaryOutput();
    const HolidayCalendar holidays = MemoFolderHolidays();
    std::string out;
    for (int32_t days = from; days <= to; ++days) {
        const CivilDate date = CivilFromDays(days);
        SolarTerm first, second;
        SolarTermDays(date.year, date.month, first, second);
        const int term = date.day == first.day ? 1 : date.day == second.day ? 2 : 0;
        const char* festival = LunarFestival(lunar);
        if (!festival) festival = SolarFestival(date.month, date.day);
        char line[112];
        std::snprintf(line, sizeof line, "%04d-%02d-%02d\t%d\t%d\t%d\t%d\t%d\t%d\t%s\t%s\n", date.year, date.month,
                      date.day, lunar.year, lunar.month, lunar.day, lunar.inLeapMonth, lunar.monthDays, term,
                      festival ? festival : "-",
                      HolidayMarkText(holidays.Lookup(date.year, date.month, date.day).mark));
        out += line;
        if (out.size() > 60000) {
            std::fputs(out.c_str(), stdout);
            out.clear();
        }
        NextDay(lunar);
    }
    std::fputs(out.c_str(), stdout);
    return 0;
}

// To standard output when `file` is empty.
int ExportIcs(const std::string& folder, const std::string& file) {
    PrepareConsole(); // messages name folders in UTF-8
    const IcsExport result = ExportMemoFolder(folder, CurrentExportClock());
    if (result.status == IcsExportStatus::NoFolder) return Fail("no such folder: " + folder);
    if (result.status == IcsExportStatus::NoCalendarFolder) {
        return Fail(folder + " is no memo folder: it holds no 日历 folder");
    }
    for (const std::string& path : result.damagedFiles)
        std::fprintf(stderr, "lunoria-cal: damaged memo file %s: exported what could be read\n", path.c_str());
    if (!file.empty()) {
        if (WriteWholeFile(file, result.text.data(), result.text.size()) == 0) return 0;
        std::fprintf(stderr, "lunoria-cal: could not write %s\n", file.c_str());
        return 1;
    }
    UseBinaryOutput(); // the lines end with CR LF, never CR CR LF
    return std::fwrite(result.text.data(), 1, result.text.size(), stdout) == result.text.size() ? 0 : 1;
}

// Every line of the list that cannot be read, as "FILE:LINE: reason"; then what the list adds.
int CheckHolidays(const std::string& path) {
    std::string bytes;
    bool missing = false;
    if (ReadWholeFile(path, bytes, &missing) != 0) return Fail((missing ? "no such file: " : "cannot read ") + path);
    if (bytes.size() > kHolidayFileMaxBytes) return Fail(path + " is larger than 1 MiB; the calendar does not read it");
    const HolidayFileContents contents = ParseHolidayFile(bytes);
    for (const HolidayFileProblem& p : contents.problems)
        std::printf("%s:%d: %s\n", path.c_str(), p.line, p.reason.c_str());
    HolidayCalendar holidays;
    holidays.SetUserEntries(contents.entries);
    std::string added;
    for (int year : holidays.AddedYears())
        added += (added.empty() ? "" : ", ") + std::to_string(year);
    std::printf("entries: %zu, lines not read: %zu; built-in years %d-%d%s%s\n", contents.entries.size(),
                contents.problems.size(), BuiltInHolidayFirstYear(), BuiltInHolidayLastYear(),
                added.empty() ? "" : ", added by the list: ", added.c_str());
    return contents.problems.empty() ? 0 : 1;
}

// Checks a year's file as a fetched reply is checked and keeps it in the memo folder.
int ImportHolidays(const std::string& path, const std::string& folder) {
    std::string bytes;
    bool missing = false;
    if (ReadWholeFile(path, bytes, &missing) != 0) return Fail((missing ? "no such file: " : "cannot read ") + path);
    HolidayYearFile file;
    const int year = HolidayReplyYear(bytes);
    const std::string why = AcceptHolidayReply(200, bytes, year, file);
    if (!why.empty()) return Fail(path + " is refused: " + why);
    if (file.days.empty()) return Fail(path + ": the " + std::to_string(year) + " schedule is not published yet");
    if (!FolderExists(folder)) return Fail("no memo folder " + folder);
    if (KeepFetchedHolidays(folder, year, bytes) != 0)
        return Fail("could not write " + FetchedHolidayPath(folder, year));
    std::printf("%d: %zu days kept in %s\n", year, file.days.size(), FetchedHolidayPath(folder, year).c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && (std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    int status;
    if (argc >= 2 && std::strcmp(argv[1], "--dump") == 0) {
        if (argc != 4) return Fail("--dump takes two dates: FROM TO");
        status = Dump(argv[2], argv[3]);
    } else if (argc >= 2 && std::strcmp(argv[1], "--export-ics") == 0) {
        const bool toFile = argc == 5 && std::strcmp(argv[3], "-o") == 0 && argv[4][0] != '\0';
        if (argc != 3 && !toFile) return Fail("--export-ics takes a folder, and -o FILE for a file");
        status = ExportIcs(Utf8Argument(argv, 2), toFile ? Utf8Argument(argv, 4) : std::string());
    } else if (argc >= 2 && std::strcmp(argv[1], "--check-holidays") == 0) {
        if (argc > 3) return Fail("--check-holidays takes at most one file");
        const std::string documents = DocumentsFolder();
        if (argc == 2 && documents.empty()) return Fail("no documents folder; name the file");
        PrepareConsole();
        // Named with the folder's own separator, as the user sees it.
        const std::string sep = documents.find('\\') != std::string::npos ? "\\" : "/";
        status =
            CheckHolidays(argc == 3 ? Utf8Argument(argv, 2) : documents + sep + "我的记事" + sep + kHolidayFileName);
    } else if (argc >= 2 && std::strcmp(argv[1], "--import-holidays") == 0) {
        if (argc != 3 && argc != 4) return Fail("--import-holidays takes a file and, if not the memo folder, a folder");
        if (argc == 3 && MemoFolder().empty()) return Fail("no documents folder; name the memo folder");
        PrepareConsole();
        status = ImportHolidays(Utf8Argument(argv, 2), argc == 4 ? Utf8Argument(argv, 3) : MemoFolder());
    } else if (argc >= 2 && argv[1][0] == '-' && argv[1][1] != '\0') {
        return Fail(std::string("unknown option ") + argv[1] + " (try --help)");
    } else if (argc > 3) {
        return Fail("too many arguments (try --help)");
    } else {
        status = ShowMonths(argc, argv);
    }
    if (std::fflush(stdout) != 0) return 1;
    return status;
}
