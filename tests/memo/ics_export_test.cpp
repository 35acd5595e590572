#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/gregorian.h"
#include "engine/lunar.h"
#include "memo/ics_export.h"
#include "memo/memo_store.h"
#include "memo_test_dir.h"

namespace {

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    for (size_t start = 0;;) {
        size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos) return parts;
        start = end + separator.size();
    }
}

// The unfolded lines of the event with `uid`.
std::vector<std::string> EventLines(const std::string& calendar, const std::string& uid) {
    std::vector<std::string> lines, event;
    for (const std::string& line : Split(calendar, "\r\n")) {
        if (!line.empty() && line[0] == ' ')
            lines.back() += line.substr(1);
        else
            lines.push_back(line);
    }
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i] == "UID:" + uid)
            for (size_t j = i + 1; j < lines.size() && lines[j] != "END:VEVENT"; ++j)
                if (lines[j].rfind("DTSTAMP:", 0) != 0 && lines[j] != "TRANSP:TRANSPARENT") event.push_back(lines[j]);
    return event;
}

} // namespace

using IcsExportTest = MemoDirTest;

TEST_F(IcsExportTest, WriterRulesAndTheDaysOfEachKind) {
    MemoStore store(root);
    const std::string ji = "\xbc\xc7", emoji = "\x94\x39\xfc\x36"; // 记 and U+1F600 in GB18030
    store.LoadMonth(2026, 12);
    store.Update(5, std::string(66, 'a') + ji + ji + "\r\n" + "a,b;c\\d" + emoji + "\r\n", 0);
    store.Update(0, "slot 0", 0);
    store.LoadMonth(1, 2);
    store.Update(29, "\r\nleap day", MEMO_CUSTOM_COLOR | 0x0000FF);
    store.Update(28, "", MEMO_CUSTOM_COLOR | 0x0000FF); // a colour without a memo
    store.LoadMonth(1, 4);
    store.Update(31, "April 31", 0);
    store.LoadWeek();
    store.Update(0, "Sunday", 0);
    store.Update(7, "slot 7", 0);
    store.LoadMonth(0, 6);
    store.Update(15, "lunar 6/15", 0);
    store.Update(30, "lunar 6/30", 0);
    Write("012", Bytes({100, 0, 1, 0, 1, 0, 0, 0, 0, 0, 'x', 40, 0})); // slot 1, then a cut record

    const IcsExport first = ExportMemoFolder(root, {1796774400, 2026}); // 2026-12-09 00:00 UTC
    ASSERT_EQ(first.status, IcsExportStatus::Ok);
    EXPECT_EQ(first.text.substr(0, 49), "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Lunoria//");
    EXPECT_NE(first.text.find("\r\nCALSCALE:GREGORIAN\r\n"), std::string::npos);
    EXPECT_EQ(first.text.substr(first.text.size() - 15), "END:VCALENDAR\r\n");
    ASSERT_EQ(first.damagedFiles.size(), 1u);
    EXPECT_NE(first.damagedFiles[0].find("012"), std::string::npos);
    // Present memos only: none for slot 0, April 31, weekly slot 7 or the colour alone.
    EXPECT_EQ(first.events, 6);
    // The summary's 67th character would straddle octet 75: the fold comes before it.
    EXPECT_NE(first.text.find("\r\nSUMMARY:" + std::string(66, 'a') + "\r\n 记记\r\n"), std::string::npos);
    for (const std::string& line : Split(first.text, "\r\n"))
        EXPECT_LE(line.size(), 75u) << line;

    using Lines = std::vector<std::string>;
    EXPECT_EQ(
        EventLines(first.text, "onetime-202612-5@lunoria"),
        (Lines{"DTSTART;VALUE=DATE:20261205", "DTEND;VALUE=DATE:20261206", "SUMMARY:" + std::string(66, 'a') + "记记",
               "DESCRIPTION:" + std::string(66, 'a') + "记记\\na\\,b\\;c\\\\d😀", "COLOR:lightskyblue"}));
    EXPECT_EQ(
        EventLines(first.text, "solar-102-29@lunoria"),
        (Lines{"DTSTART;VALUE=DATE:20280229", "DTEND;VALUE=DATE:20280301", "RRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=29",
               "SUMMARY:leap day", "DESCRIPTION:\\nleap day", "COLOR:red"}));
    EXPECT_EQ(EventLines(first.text, "weekly-week-0@lunoria"),
              (Lines{"DTSTART;VALUE=DATE:20260104", "DTEND;VALUE=DATE:20260105", "RRULE:FREQ=WEEKLY;BYDAY=SU",
                     "SUMMARY:Sunday", "COLOR:red"}));
    EXPECT_EQ(EventLines(first.text, "lunar-012-1@lunoria").back(), "SUMMARY:x");

    // Lunar memos: every day from 2026 to 2100 with that lunar month number and day, the leap month's
    // too, day 30 only where the month has 30 days; no RRULE.
    for (int day : {15, 30}) {
        std::vector<int32_t> days;
        for (const std::string& line : EventLines(first.text, "lunar-006-" + std::to_string(day) + "@lunoria")) {
            ASSERT_EQ(line.find("RRULE"), std::string::npos);
            if (line.rfind("DTSTART;VALUE=DATE:", 0) == 0 || line.rfind("RDATE;VALUE=DATE:", 0) == 0)
                for (const std::string& date : Split(line.substr(line.find(':') + 1), ","))
                    days.push_back(DaysFromCivil(std::stoi(date.substr(0, 4)), std::stoi(date.substr(4, 2)),
                                                 std::stoi(date.substr(6))));
        }
        int inLeapMonth = 0, expected = 0;
        for (int32_t d = DaysFromCivil(2026, 1, 1); d <= DaysFromCivil(2100, 12, 31); ++d) {
            const CivilDate c = CivilFromDays(d);
            const LunarDate l = SolarToLunar(c.year, c.month, c.day);
            expected += l.month == 6 && l.day == day;
            inLeapMonth += l.month == 6 && l.day == day && l.inLeapMonth;
        }
        EXPECT_EQ(int(days.size()), expected);
        EXPECT_GT(inLeapMonth, 0);
        for (size_t i = 0; i < days.size(); ++i) {
            const CivilDate c = CivilFromDays(days[i]);
            const LunarDate l = SolarToLunar(c.year, c.month, c.day);
            EXPECT_TRUE(l.month == 6 && l.day == day && (i == 0 || days[i] > days[i - 1]))
                << c.year << c.month << c.day;
        }
    }

    // Another export time changes the stamps only: the UIDs stay, so an import again updates.
    const IcsExport later = ExportMemoFolder(root, {1796774400 + 3723, 2026});
    EXPECT_NE(later.text.find("DTSTAMP:20261209T010203Z\r\n"), std::string::npos);
    EXPECT_EQ(Split(later.text, "DTSTAMP:20261209T010203Z"), Split(first.text, "DTSTAMP:20261209T000000Z"));
    // 29 February skips 2100; past the lunar table no lunar memo has a day left.
    EXPECT_EQ(EventLines(ExportMemoFolder(root, {0, 2100}).text, "solar-102-29@lunoria")[0],
              "DTSTART;VALUE=DATE:21040229");
    EXPECT_EQ(ExportMemoFolder(root, {0, 2101}).events, 3);

    EXPECT_EQ(ExportMemoFolder(root + "/none", {}).status, IcsExportStatus::NoFolder);
    EXPECT_EQ(ExportMemoFolder(root + "/日历", {}).status, IcsExportStatus::NoCalendarFolder);
}
