#include "holidays/holiday_schedule.h"

#include <algorithm>

const char kDefaultHolidaySource[] = "https://cdn.jsdelivr.net/gh/NateScarlet/holiday-cn@master/{year}.json|"
                                     "https://raw.githubusercontent.com/NateScarlet/holiday-cn/master/{year}.json";

namespace {

constexpr int64_t kHour = 60 * 60;
// A round comes a day after the last one, and an answer is noted a few seconds after its round began:
// an hour of slack keeps the daily round from slipping a whole day.
constexpr int64_t kAskUnpublishedAgain = 24 * kHour - kHour;
constexpr int64_t kAskPublishedAgain = 7 * 24 * kHour - kHour;

} // namespace

std::vector<int> HolidayYearsDue(const std::vector<HolidayAsk>& asked, int thisYear, int64_t now) {
    std::vector<int> due;
    for (int year : {thisYear, thisYear + 1}) {
        if (year > 2100) continue;
        auto it = std::find_if(asked.begin(), asked.end(), [year](const HolidayAsk& a) { return a.year == year; });
        const int64_t wait = it == asked.end()                        ? 0
                             : it->answer == HolidayAnswer::Published ? kAskPublishedAgain
                                                                      : kAskUnpublishedAgain;
        // A clock set back makes an answer from the future: ask again.
        if (it == asked.end() || it->at > now || now - it->at >= wait) due.push_back(year);
    }
    return due;
}

void NoteHolidayAnswer(std::vector<HolidayAsk>& asked, const HolidayAsk& answer) {
    if (answer.answer == HolidayAnswer::Failed) return;
    asked.erase(std::remove_if(asked.begin(), asked.end(), [&](const HolidayAsk& a) { return a.year == answer.year; }),
                asked.end());
    asked.push_back(answer);
    // Only the years still asked for matter; keep the string short.
    std::sort(asked.begin(), asked.end(), [](const HolidayAsk& a, const HolidayAsk& b) { return a.year < b.year; });
    if (asked.size() > 4) asked.erase(asked.begin(), asked.end() - 4);
}

std::string FormatHolidayAsks(const std::vector<HolidayAsk>& asked) {
    std::string text;
    for (const HolidayAsk& a : asked) {
        if (!text.empty()) text += ';';
        text += std::to_string(a.year) + ':' + std::to_string(a.at) + ':' +
                (a.answer == HolidayAnswer::Published ? '1' : '0');
    }
    return text;
}

std::vector<HolidayAsk> ParseHolidayAsks(std::string_view text) {
    std::vector<HolidayAsk> asked;
    while (!text.empty()) {
        const size_t end = text.find(';');
        const std::string_view item = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        // YYYY:seconds:0|1, the seconds at most 18 digits
        const size_t last = item.size() - 2;
        if (item.size() < 8 || item.size() > 25 || item[4] != ':' || item[last] != ':' ||
            (item.back() != '0' && item.back() != '1'))
            continue;
        HolidayAsk ask;
        bool digits = true;
        for (size_t i = 0; i < last; ++i) {
            if (i == 4) continue;
            digits = digits && item[i] >= '0' && item[i] <= '9';
            if (i < 4)
                ask.year = ask.year * 10 + (item[i] - '0');
            else
                ask.at = ask.at * 10 + (item[i] - '0');
        }
        if (!digits) continue;
        ask.answer = item.back() == '1' ? HolidayAnswer::Published : HolidayAnswer::Unpublished;
        asked.push_back(ask);
    }
    return asked;
}

std::vector<std::string> HolidaySourceUrls(std::string_view setting, int year) {
    std::vector<std::string> urls;
    for (int pass = 0; pass < 2 && urls.empty(); ++pass) {
        std::string_view rest = pass == 0 ? setting : std::string_view(kDefaultHolidaySource);
        while (!rest.empty()) {
            const size_t end = rest.find('|');
            std::string url(rest.substr(0, end));
            rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
            url.erase(0, url.find_first_not_of(" \t"));
            url.erase(url.find_last_not_of(" \t") + 1);
            if (url.rfind("http://", 0) != 0 && url.rfind("https://", 0) != 0) continue;
            for (size_t at; (at = url.find("{year}")) != std::string::npos;)
                url.replace(at, 6, std::to_string(year));
            urls.push_back(url);
        }
    }
    return urls;
}

std::string HolidayOutcomeText(const std::vector<HolidayAsk>& answers, const std::string& failure) {
    std::string updated, lines;
    for (const HolidayAsk& a : answers) {
        if (a.answer == HolidayAnswer::Published)
            updated += (updated.empty() ? "" : "、") + std::to_string(a.year) + "年";
        if (a.answer == HolidayAnswer::Unpublished) lines += "\n" + std::to_string(a.year) + "年的放假安排尚未公布";
    }
    if (std::any_of(answers.begin(), answers.end(),
                    [](const HolidayAsk& a) { return a.answer == HolidayAnswer::Failed; }))
        lines += "\n无法连接：" + failure;
    return (updated.empty() ? "" : "已更新：" + updated) +
           (updated.empty() && !lines.empty() ? lines.substr(1) : lines);
}
