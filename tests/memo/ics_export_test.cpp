#include <gtest/gtest.h>

#include "memo/ics_export.h"
#include "memo/memo_store.h"
#include "memo_test_dir.h"

using IcsExportTest = MemoDirTest;

TEST_F(IcsExportTest, FoldingEscapingUidsAndTheDaysOfEachKind) {
    MemoStore store(root);
    const std::string a66(66, 'a');
    store.LoadMonth(2026, 12);
    store.Update(5, a66 + "\xbc\xc7\xbc\xc7\r\na,b;c\\d\x94\x39\xfc\x36\r\n", 0); // 记记 ... U+1F600
    store.LoadMonth(1, 2);
    store.Update(29, "\r\nleap day", MEMO_CUSTOM_COLOR | 0x0000FF);
    store.LoadWeek();
    store.Update(0, "Sunday", 0);
    store.LoadMonth(0, 1);
    store.Update(1, "Spring Festival", 0);

    const std::string text = ExportMemoFolder(root, {1796774400, 2026}).text; // 2026-12-09 00:00 UTC
    EXPECT_EQ(text.substr(0, 49), "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Lunoria//");
    // The 67th character of the summary would straddle octet 75: the line folds before it.
    EXPECT_NE(text.find("\r\nSUMMARY:" + a66 + "\r\n 记记\r\n"), std::string::npos);
    std::string unfolded = text;
    for (size_t fold = 0; (fold = unfolded.find("\r\n ", fold)) != std::string::npos;)
        unfolded.erase(fold, 3);
    // Each kind's event, from its UID on.
    auto lines = [](std::initializer_list<std::string> list) {
        std::string joined;
        for (const std::string& line : list)
            joined += "\r\n" + line;
        return joined + "\r\n";
    };
    const std::string stamp = "DTSTAMP:20261209T000000Z";
    for (const std::string& event :
         {lines({"UID:onetime-202612-5@lunoria", stamp, "DTSTART;VALUE=DATE:20261205", "DTEND;VALUE=DATE:20261206",
                 "SUMMARY:" + a66 + "记记", "DESCRIPTION:" + a66 + "记记\\na\\,b\\;c\\\\d😀", "COLOR:lightskyblue"}),
          lines({"UID:solar-102-29@lunoria", stamp, "DTSTART;VALUE=DATE:20280229", "DTEND;VALUE=DATE:20280301",
                 "RRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=29", "SUMMARY:leap day", "DESCRIPTION:\\nleap day",
                 "COLOR:red"}),
          lines({"UID:weekly-week-0@lunoria", stamp, "DTSTART;VALUE=DATE:20260104", "DTEND;VALUE=DATE:20260105",
                 "RRULE:FREQ=WEEKLY;BYDAY=SU", "SUMMARY:Sunday", "COLOR:red"}),
          // Lunar new years, listed day by day.
          lines({"UID:lunar-001-1@lunoria", stamp, "DTSTART;VALUE=DATE:20260217", "DTEND;VALUE=DATE:20260218",
                 "RDATE;VALUE=DATE:20270206,20280126,20290213,20300203,20310123,20320211"})})
        EXPECT_NE(unfolded.find(event), std::string::npos) << event;

    // Another time changes the stamps only: the same UIDs update what an earlier import made.
    std::string later = ExportMemoFolder(root, {1796774400 + 3723, 2026}).text;
    for (size_t at; (at = later.find("DTSTAMP:20261209T010203Z")) != std::string::npos;)
        later.replace(at, 24, "DTSTAMP:20261209T000000Z");
    EXPECT_EQ(later, text);
    // 29 February skips 2100; past the lunar table the lunar memos have no day left.
    EXPECT_NE(ExportMemoFolder(root, {0, 2100}).text.find("DTSTART;VALUE=DATE:21040229"), std::string::npos);
    EXPECT_EQ(ExportMemoFolder(root, {0, 2101}).events, 3);
}
