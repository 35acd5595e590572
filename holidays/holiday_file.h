// The user's own holiday list, 节假日.txt in the memo folder (so it is backed up with the memos). It
// adds the schedule of a year the program does not know yet, and corrects single days:
//
//   # 2027年节假日安排
//   2027-01-01 休 元旦
//   2027-01-04 班 元旦
//   2026-10-08 -          (no mark on that day, whatever the built-in data says)
//
// One date a line, "#" starts a comment, blank lines are ignored, lines end in LF or CR LF. The file is
// UTF-8 (a BOM is allowed) when its bytes are valid UTF-8, else code page 936. A line that cannot be
// read is skipped; the rest still counts.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "holidays/holidays.h"
#include "memo/memo_file.h"

extern const char kHolidayFileName[];   // 节假日.txt
extern const char kHolidayFolderName[]; // 节假日: the fetched schedules, one <year>.json each

// <memo folder>/节假日/<year>.json
std::string FetchedHolidayPath(const std::string& memoFolder, int year);
// Every <year>.json of the memo folder's 节假日 that passes the reply check, in no set order.
std::vector<HolidayYearFile> ReadFetchedHolidays(const std::string& memoFolder);
// Keeps a reply for `year` that AcceptHolidayReply took, through the crash-safe write (the folder is
// made when missing). A reply without days never replaces a kept schedule. 0, or −1.
int KeepFetchedHolidays(const std::string& memoFolder, int year, std::string_view body);

// A file larger than this is no list of holidays; it is not read.
constexpr size_t kHolidayFileMaxBytes = 1 << 20;

struct HolidayFileProblem {
    int line = 0;       // 1-based
    std::string reason; // English, one phrase
};

struct HolidayFileContents {
    std::vector<HolidayEntry> entries;
    std::vector<HolidayFileProblem> problems; // one per line that was skipped, in line order
};

HolidayFileContents ParseHolidayFile(std::string_view bytes);

// The memo folder's holiday calendar: the user's file over the fetched schedules over the built-in
// data, the law's days after them. Refresh looks at the user file's size and modification time and
// reads it again when they changed; the fetched files are read with the folder and by ReloadFetched.
class HolidayFileWatch {
public:
    // The memo folder; empty for none (then only the built-in data counts).
    void SetFolder(const std::string& utf8Folder);
    // True when the file was read again (it changed, appeared or went away).
    bool Refresh();
    // Reads the fetched schedules again (after a fetch kept one).
    void ReloadFetched();

    const HolidayCalendar& calendar() const { return holidays; }
    const std::string& path() const { return filePath; }

private:
    std::string folder;
    std::string filePath;
    FileStamp stamp; // of the version read last
    HolidayCalendar holidays;
};
