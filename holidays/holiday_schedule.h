// When the published schedules are asked for, and what the calendar says of the answers. Times are
// seconds since 1970 (UTC). The first round comes about ten seconds after the first paint, then one a
// day while the program runs; each round asks for this year and the next, unless asked too lately.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr int kHolidayFirstFetchMs = 10 * 1000;
constexpr int kHolidayFetchPeriodMs = 24 * 60 * 60 * 1000;

enum class HolidayAnswer : uint8_t {
    Published,   // a schedule with days, kept
    Unpublished, // the notice is not out yet
    Failed,      // no source gave an acceptable reply
};

struct HolidayAsk {
    int year = 0;
    int64_t at = 0; // when it was answered
    HolidayAnswer answer = HolidayAnswer::Failed;
};

// The years to ask for now: this year and the next (to 2100). A year found published is asked again
// after a week (notices are corrected now and then), one found unpublished after a day; a failure
// is not remembered, so the next round asks again.
std::vector<int> HolidayYearsDue(const std::vector<HolidayAsk>& asked, int thisYear, int64_t now);
// Remembers an answer in place of the year's earlier one; failures are not kept.
void NoteHolidayAnswer(std::vector<HolidayAsk>& asked, const HolidayAsk& answer);

// The remembered answers as a registry string, "2026:1765400000:1;2027:1765400000:0" (1 = published),
// and back; what cannot be read is left out.
std::string FormatHolidayAsks(const std::vector<HolidayAsk>& asked);
std::vector<HolidayAsk> ParseHolidayAsks(std::string_view text);

// The URL templates of HolidaySource ('|'-separated, {year} replaced), or the default ones when the
// value holds none; only http:// and https:// addresses count.
std::vector<std::string> HolidaySourceUrls(std::string_view setting, int year);
extern const char kDefaultHolidaySource[];

// What "更新节假日" tells: "已更新：2027年", "2027年的放假安排尚未公布", "无法连接：…", one line each.
std::string HolidayOutcomeText(const std::vector<HolidayAsk>& answers, const std::string& failure);
