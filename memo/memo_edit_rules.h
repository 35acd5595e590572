// Rules of the day memo editor and the weekly reminder that need no window: the captions they show,
// the leading-blank rule and the length check a memo passes before it is stored, and the message that
// tells the user which memo could not be saved and why.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Removes the ASCII blanks (0x20) in front of a memo. Tabs, line breaks and the full-width space stay,
// and so do blanks inside and at the end.
std::string StripLeadingBlanks(std::string_view text);

// The editor's three captions for one day (UTF-8).
struct DayMemoCaptions {
    std::string dateLine;     // "2006年1月29日星期日农历正月初一"
    std::string solarCaption; // "阳历每年1月29日"
    std::string lunarCaption; // "农历每年正月初一"
};
// A day of a leap lunar month shows the plain month name: its yearly lunar memo is the ordinary
// month's.
DayMemoCaptions MakeDayMemoCaptions(int year, int month, int day, int weekday, int lunarMonth, int lunarDay);
// "每周三" for weekday 3.
std::string WeeklyCaption(int weekday);

// What became of one memo when the user confirmed a dialog.
enum class MemoSaveProblem {
    None,
    TooLong,     // over MEMO_MAX_TEXT bytes once converted: refused before anything was written
    NoFolder,    // the memo folder could not be made at start-up
    WriteFailed, // the file could not be replaced or removed; it holds what it held before
    Offline,     // a cloud file that could not be read when the page was loaded: it is never replaced unseen
};

struct MemoSaveResult {
    MemoSaveProblem problem = MemoSaveProblem::None;
    size_t length = 0; // bytes of the text, for TooLong
    std::string file;  // the memo file, relative to the memo folder ("日历/200601")
    // Saved, but the file's slot had been changed elsewhere too: both texts were kept.
    bool bothKept = false;
    std::string day;      // the slot's day ("2026年12月10日", see SlotTitle)
    std::string leftFile; // the other text, when it did not fit beside this one ("日历/已合并/….txt")
};

// True when a memo text of `length` bytes (code page 936, blanks in front already gone) fits a record.
bool MemoTextFits(size_t length);

// The one message shown when any memo of a dialog was not saved: each failed memo by its name
// ("当天的记事", …) with the reason in plain words, then what happened to the rest. `names` and
// `results` run in parallel. Empty when nothing failed.
std::string MemoSaveMessage(const char* const* names, const MemoSaveResult* results, int count);

// What the user is told after a save that kept two texts of the same memo (another computer changed it
// too): which day, and where the other text is. Empty when no memo was merged.
std::string MemoMergeMessage(const MemoSaveResult* results, int count);
