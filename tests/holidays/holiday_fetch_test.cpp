#include <gtest/gtest.h>

#include <string>

#include "holidays/holiday_fetch.h"
#include "holidays/holiday_file.h"
#include "holidays/holiday_json.h"
#include "tests/common/memo_folder_test.h"

namespace {

// A 2027 file as published: the eve of 2027 listed under it, names joined, a make-up day.
const char kGood[] = R"({"$schema": "x", "year": 2027, "papers": ["https://www.gov.cn/x"], "days": [
    {"name": "元旦", "date": "2026-12-31", "isOffDay": true},
    {"name": "元旦", "date": "2027-01-01", "isOffDay": true},
    {"name": "国庆节、中秋节", "date": "2027-10-01", "isOffDay": true},
    {"name": "国庆节、中秋节", "date": "2027-10-09", "isOffDay": false}]})";

std::string Mark(const HolidayLookup& h, int y, int m, int d) {
    const HolidayDay day = h.Lookup(y, m, d);
    return HolidayMarkText(day.mark) + std::string(day.name) + (day.byLaw ? "*" : "");
}

} // namespace

// One good file, each kind of bad reply (refused whole), and an unpublished year.
TEST(HolidayReply, AcceptsTheSchemaOnly) {
    HolidayYearFile file;
    ASSERT_EQ(AcceptHolidayReply(200, kGood, 2027, file), "");
    ASSERT_TRUE(file.days.size() == 4u && file.days[3].mark == HolidayMark::Work);
    const std::string good = kGood;
    auto swap = [&good](const std::string& from, const std::string& to) {
        std::string s = good;
        s.replace(s.find(from), from.size(), to);
        return s;
    };
    std::string many = R"({"year":2027,"papers":[],"days":[)"; // 61 days: March and April
    for (int d = 0; d < 61; ++d)
        many += std::string(d ? "," : "") + R"({"name":"x","isOffDay":true,"date":"2027-0)" + (d < 31 ? "3-" : "4-") +
                (d % 31 < 9 ? "0" : "") + std::to_string(d % 31 + 1) + "\"}";
    // clang-format off
    const std::string bad[] = {good + std::string(kHolidayReplyMaxBytes, ' '), swap("2027,", "2028,"),
        swap("2027,", "\"2027\","), swap("2026-12-31", "2025-12-31"), swap("2026-12-31", "2026-13-01"),
        swap("2026-12-31", "2026-12-1"), swap("true}", "1}"), swap("\"papers\"", "\"paper\""),
        swap("[\"https", "[1, \"https"), swap("\"元旦\", \"date\": \"2027", "\"\xC3\", \"date\": \"2027"),
        swap("2027-10-09", "2027-10-01"), good.substr(0, good.size() - 1), many + "]}"};
    // clang-format on
    for (const std::string& reply : bad)
        EXPECT_NE(AcceptHolidayReply(200, reply, 2027, file), "") << reply.substr(0, 200);
    EXPECT_EQ(AcceptHolidayReply(404, kGood, 2027, file), "status 404");
    EXPECT_EQ(file.days.size(), 4u); // untouched
    EXPECT_EQ(AcceptHolidayReply(200, R"({"year":2028,"papers":[],"days":[]})", 2028, file), "");
    EXPECT_TRUE(file.year == 2028 && file.days.empty());
}

// Day by day: the user's list, then fetched, then built in, then the law's days after the last
// year with a schedule; the next year's file gives December its eve.
TEST_F(MemoFolderTest, HolidaySourcesInOrder) {
    ASSERT_EQ(KeepFetchedHolidays(root, 2027, kGood), 0);
    ASSERT_EQ(KeepFetchedHolidays(root, 2027, R"({"year":2027,"papers":[],"days":[]})"), 0); // keeps the schedule
    EXPECT_NE(KeepFetchedHolidays(root, 2028, kGood), 0);
    std::ofstream(std::filesystem::u8path(root + "/节假日.txt"), std::ios::binary) << "2027-10-09 -\n2026-10-01 班 x\n";
    HolidayFileWatch watch;
    watch.SetFolder(root);
    const HolidayCalendar& h = watch.calendar();
    EXPECT_TRUE(h.FetchedYears() == std::vector<int>{2027} && h.LastYear() == 2027);
    std::string seen;
    for (int d : {20261001, 20261002, 20261231, 20270101, 20271001, 20271009, 20270501, 20280101, 20280501, 20280502})
        seen += Mark(h, d / 10000, d / 100 % 100, d % 100) + ";";
    EXPECT_EQ(seen, "班x;休国庆节;休元旦;休元旦;休国庆节、中秋节;;;休元旦*;休劳动节*;休劳动节*;");
    std::ofstream(std::filesystem::u8path(root + "/节假日.txt"), std::ios::binary) << "2028-01-01 休 元旦\n";
    watch.Refresh();
    EXPECT_EQ(Mark(h, 2028, 5, 1) + Mark(h, 2029, 1, 1), "休元旦*"); // 2028 is the user's now
}

// This year and the next; published years weekly, unpublished daily, failures at the next round;
// what is remembered survives the registry string.
TEST(HolidaySchedule, AsksWhenDue) {
    const int64_t day = 86400, t = 1797000000;
    std::vector<HolidayAsk> asked;
    EXPECT_EQ(HolidayYearsDue(asked, 2026, t), (std::vector<int>{2026, 2027}));
    NoteHolidayAnswer(asked, {2026, t, HolidayAnswer::Published});
    NoteHolidayAnswer(asked, {2027, t + 5, HolidayAnswer::Unpublished});
    NoteHolidayAnswer(asked, {2027, t + 9, HolidayAnswer::Failed});
    asked = ParseHolidayAsks(FormatHolidayAsks(asked) + ";bad;2030:x:1");
    EXPECT_EQ(FormatHolidayAsks(asked), "2026:1797000000:1;2027:1797000005:0");
    EXPECT_EQ(HolidayYearsDue(asked, 2026, t + day / 2), std::vector<int>{});
    EXPECT_EQ(HolidayYearsDue(asked, 2026, t + day), std::vector<int>{2027});
    EXPECT_EQ(HolidayYearsDue(asked, 2026, t + 7 * day), (std::vector<int>{2026, 2027}));
    EXPECT_EQ(HolidayYearsDue(asked, 2026, t - 10), (std::vector<int>{2026, 2027})); // clock set back
    EXPECT_EQ(HolidayYearsDue({}, 2100, t), std::vector<int>{2100});
    EXPECT_EQ(HolidaySourceUrls(" ftp://x | http://127.0.0.1:8/{year}/{year}.json", 2027),
              std::vector<std::string>{"http://127.0.0.1:8/2027/2027.json"});
    EXPECT_EQ(HolidaySourceUrls("", 2027).size(), 2u);
}

// A round tries the sources in order and says what it found.
TEST(HolidaySchedule, RoundTriesEachSource) {
    std::vector<std::string> asked;
    HolidayGet get = [&asked](const std::string& url, int* status, std::string* body, std::string* error) {
        asked.push_back(url);
        if (url.find("down") != std::string::npos) return *error = "timed out", false;
        *status = 200;
        *body = url.find("2027") != std::string::npos ? kGood : R"({"year":2028,"papers":[],"days":[]})";
        return true;
    };
    HolidayRound round = RunHolidayRound(get, {2027, 2028}, "http://down/{year}|http://up/{year}", 7);
    EXPECT_EQ(asked,
              (std::vector<std::string>{"http://down/2027", "http://up/2027", "http://down/2028", "http://up/2028"}));
    ASSERT_EQ(round.bodies.size(), 2u);
    EXPECT_EQ(HolidayOutcomeText(round.answers, round.failure), "已更新：2027年\n2028年的放假安排尚未公布");
    round = RunHolidayRound(get, {2027}, "http://down/{year}", 7);
    EXPECT_EQ(HolidayOutcomeText(round.answers, round.failure), "无法连接：timed out");
}
