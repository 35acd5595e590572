#include <gtest/gtest.h>

#include <string>

#include "holidays/holiday_file.h"
#include "tests/common/memo_folder_test.h"

namespace {

std::string Describe(const HolidayFileContents& c) {
    std::string out;
    for (const HolidayEntry& e : c.entries)
        out += std::to_string(e.date.year * 10000 + e.date.month * 100 + e.date.day) + HolidayMarkText(e.mark) +
               (e.mark == HolidayMark::None ? "-" : "") + e.name + ";";
    for (const HolidayFileProblem& p : c.problems)
        out += " " + std::to_string(p.line) + ": " + p.reason + ";";
    return out;
}

} // namespace

// Good lines, every kind of bad one, CR LF and code page 936, then the entries over the built-in data.
TEST(HolidayFile, LinesEncodingsAndOverrides) {
    const std::string utf8 = "\xEF\xBB\xBF# 2027\r\n"
                             "2027-01-01 休 元旦  # 新年\r\n"
                             "\r\n"
                             "2027-1-4\t班\r\n"
                             "\xE3\x80\x80"
                             "2026-10-07 -\r\n"
                             "2026-10-01 休 国庆\n"
                             "2027-02-30 休\n"
                             "27-01-05 休\n"
                             "2101-01-01 休\n"
                             "2027-01-06 放\n"
                             "2027-01-07 - 休\n"
                             "2027-01-01 班\n"
                             "2027-01-08休假";
    EXPECT_EQ(Describe(ParseHolidayFile(utf8)),
              "20270101休元旦;20270104班;20261007-;20261001休国庆;20270108休假;"
              " 7: no such date; 8: no date (YYYY-MM-DD) at the start; 9: year outside 1900-2100;"
              " 10: no 休, 班 or - after the date; 11: text after \"-\"; 12: date already given on line 2;");
    // The same in code page 936: 休 D0 DD, 班 B0 E0, 元旦 D4 AA B5 A9.
    EXPECT_EQ(Describe(ParseHolidayFile("2027-01-01 \xD0\xDD \xD4\xAA\xB5\xA9\r\n2027-01-04 \xB0\xE0\r\n")),
              "20270101休元旦;20270104班;");

    // Over the built-in data: a year added, a day cleared (10-07), a built-in day renamed (10-01).
    HolidayCalendar calendar;
    calendar.SetUserEntries(ParseHolidayFile(utf8).entries);
    EXPECT_TRUE(calendar.CoversYear(2027) && !calendar.CoversYear(2028) && calendar.LastYear() == 2027);
    EXPECT_EQ(calendar.AddedYears(), std::vector<int>{2027});
    std::string seen;
    for (int d : {20270101, 20270104, 20270102, 20261007, 20261006, 20261001}) {
        HolidayDay day = calendar.Lookup(d / 10000, d / 100 % 100, d % 100);
        seen += HolidayMarkText(day.mark) + std::string(day.name) + ";";
    }
    EXPECT_EQ(seen, "休元旦;班;;;休国庆节;休国庆;");
    calendar.SetUserEntries({{{2026, 10, 7}, HolidayMark::None, ""}, {{2026, 10, 7}, HolidayMark::Work, "x"}});
    EXPECT_TRUE(calendar.Lookup(2026, 10, 7).mark == HolidayMark::Work && calendar.LastYear() == 2026); // the later
}

// The watch reads the file again only when its size or time changed, and forgets it when it goes.
TEST_F(MemoFolderTest, HolidayFileWatchRereadsChanges) {
    HolidayFileWatch watch;
    watch.SetFolder(root);
    EXPECT_TRUE(!watch.Refresh() && watch.calendar().LastYear() == 2026);
    std::filesystem::path file = std::filesystem::u8path(watch.path());
    std::ofstream(file, std::ios::binary) << "2027-01-01 休\n";
    EXPECT_TRUE(watch.Refresh() && !watch.Refresh());
    EXPECT_EQ(watch.calendar().Lookup(2027, 1, 1).mark, HolidayMark::Rest);
    std::ofstream(file, std::ios::binary) << "2028-01-01 班 元旦\n";
    EXPECT_TRUE(watch.Refresh());
    EXPECT_EQ(watch.calendar().LastYear(), 2028);
    std::filesystem::remove(file);
    EXPECT_TRUE(watch.Refresh());
    EXPECT_TRUE(watch.calendar().Lookup(2028, 1, 1).byLaw); // the law's 元旦 again
}
