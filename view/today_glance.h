// Today at a glance: the notification-area icon's tooltip and the memos its daily reminder names.
// Both read GridPage, the grid's own page and stores, so they name exactly the memos the grid marks.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/gregorian.h"
#include "engine/lunar.h"
#include "memo/memo_store.h"

class GridPage;

// Longest texts the shell takes, in UTF-16 units without the terminator (NOTIFYICONDATAW).
constexpr size_t kTrayTipLimit = 127;
constexpr size_t kBalloonTextLimit = 255;

// One memo a reminder names.
struct DueMemo {
    int daysAhead = 0; // 0: today
    MemoKind kind = MemoKind::OneTime;
    CivilDate date;   // the day it falls on
    LunarDate lunar;  // that day's lunar date
    std::string text; // code-page-936 bytes, as stored
};

// The memos to remind of on `today`: first today's memos of all four kinds in the hover tip's order
// (weekly, one-time, solar, lunar), then day by day over the next `advance` days the every-year
// memos, solar before lunar. A yearly memo is named on the days the grid puts its star, so never on a
// day it does not show (the 30th of a 29-day lunar month). `advance` < 0 names nothing. `scratch` is
// a page with the memo folder set; it is left on some month of the range.
std::vector<DueMemo> DueMemos(GridPage& scratch, CivilDate today, int advance);

// The reminder's text, UTF-8, one line a memo: "今天：…", "明天（12月11日）：…",
// "3天后（农历十一月初五）：…". A memo's own line breaks become blanks. Lines that do not fit in
// `limit` UTF-16 units are left out for a last line "……".
std::string ReminderText(const std::vector<DueMemo>& due, size_t limit = kBalloonTextLimit);

// The tooltip of day `day` of the page, one item a line ('\n'): "2026年12月10日 星期四",
// "农历十一月初二", the festival and solar term, 休 or 班 with the holiday, "今天有2条记事" (or
// "今天没有记事"). Lines without content are left out; within kTrayTipLimit.
std::string TrayTipText(const GridPage& page, int day);

// The UTF-16 length of a UTF-8 text.
size_t Utf16Length(const std::string& utf8);
