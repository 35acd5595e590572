// What the month grid shows: the page model of one month and the memo stores behind its marks.
//
// Every-year lunar memos live in one file per lunar month number. A page holds the store of the lunar
// month of day 1 and of the last day, and, on the few 31-day pages that touch three lunar months
// (July 2000: end of month 5, all of month 6, start of month 7), a third store for the middle month.
// A day's lunar memo always comes from the store whose month number equals the day's, so a day of the
// middle month never reads or writes another month's memos. Leap flags play no part: a leap month
// shares the file of the ordinary month of its number.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/month_page.h"
#include "holidays/holiday_file.h"
#include "memo/memo_edit_rules.h"
#include "memo/memo_store.h"
#include "view/grid_layout.h"

// The marks of one day cell.
struct DayMarks {
    bool filled = false; // one-time memo: the whole cell in fillColor
    uint32_t fillColor = 0;
    bool weekly = false; // "●" at the top left
    uint32_t weeklyColor = 0;
    bool solarStar = false; // "★" at the lower left
    uint32_t solarStarColor = 0;
    bool lunarStar = false; // "★" at the lower right
    uint32_t lunarStarColor = 0;
    uint32_t numberColor = 0;                // day number and the text under it
    HolidayMark holiday = HolidayMark::None; // 休 or 班 at the top right
    uint32_t holidayColor = 0;
    // Marks hard to see on what they sit on get an edge in edgeColor (palette.h: NeedsEdge): a frame
    // inside the filled cell, a hollow glyph over the dot or star.
    bool fillEdge = false, weeklyEdge = false, solarEdge = false, lunarEdge = false;
    uint32_t fillEdgeColor = 0;
    uint32_t edgeColor = 0;
    bool lunarHollow = false; // the lunar star drawn hollow (told apart by shape)
};

// The colour a memo is marked in: the user's as picked, else the palette's for its kind (high
// contrast: always the palette's). `picked` says which.
uint32_t MemoMarkColor(const GridPalette& palette, uint32_t colorWord, MemoKind kind, bool* picked = nullptr);

class GridPage {
public:
    // The memo folder ("我的记事"); the stores read and write <root>/日历/..., the user's holidays come
    // from <root>/节假日.txt. Without a root the page still builds, with empty stores.
    void SetMemoRoot(const std::string& utf8Folder);
    const std::string& memoRoot() const { return root; }

    // Whether days show their 休 and 班 (on unless turned off); from the next SetMonth on.
    void SetShowHolidays(bool show) { showHolidays = show; }

    // Rebuilds the page of (year, month), moves the mark when day is not 0 (lowered to the month's
    // length) and reloads every memo store from its file, and the holiday list when it changed. False,
    // with no page or store changed, for a month the calendar cannot show.
    bool SetMonth(int year, int month, int day);

    const MonthPage& page() const { return monthPage; }
    // Some page since the start met a memo file it could not read because it is a cloud file whose
    // provider is not running (see MemoStore::offline).
    bool MetOfflineFile() const { return metOffline; }

    // Store of every-year lunar memos for the lunar month of `day`, or null for a day not on the page.
    MemoStore* LunarStoreFor(int day);
    const MemoStore* LunarStoreFor(int day) const;
    // The day's every-year lunar memo (slot = its lunar day); an empty record for a day not on the page.
    const MemoRecord& LunarMemoFor(int day) const;

    DayMarks MarksFor(int day, const GridPalette& palette) const;
    // The "●" of a header column: true with its colour when the weekday has a weekly memo; `picked`
    // when the user chose that colour.
    bool WeeklyMark(int weekday, uint32_t* color, const GridPalette& palette = GridPalette(),
                    bool* picked = nullptr) const;

    // The day's four memo records in the tip's order: weekly, one-time, solar-yearly, lunar-yearly
    // (empty records for a day not on the page).
    std::array<const MemoRecord*, 4> DayRecords(int day) const;
    // Memo texts of a day for the hover tip: the present ones of DayRecords, joined with CR LF, as
    // code-page-936 bytes. Empty when the day has none.
    std::string TipText(int day) const;
    // The tip's first line for a day the law alone marks (UTF-8): "元旦：2027年的调休安排尚未公布"; else "".
    std::string HolidayNote(int day) const;
    // The holiday data the page was built with.
    const HolidayCalendar& holidayCalendar() const { return holidays.calendar(); }
    // Reads the fetched schedules again (after a fetch kept a file); from the next SetMonth on.
    void ReloadFetchedHolidays();

    // The day memo editor's confirmed texts (code-page-936 bytes) and colour words. Leading blanks are
    // removed; each store rewrites its file. 0, or −1 when a day is not on the page, a text is over the
    // limit (then nothing is written) or a store could not write (it keeps what its file holds; the
    // others are still updated). `results`, when given, gets the one-time, solar and lunar outcome.
    // `bases`, when given, are the three records as the editor showed them: a slot another computer
    // changed since keeps both texts (results[i].bothKept).
    int SaveDayMemos(int day, const std::string& oneTime, uint32_t oneTimeColor, const std::string& solar,
                     uint32_t solarColor, const std::string& lunar, uint32_t lunarColor,
                     MemoSaveResult results[3] = nullptr, const MemoRecord* bases = nullptr);
    int SaveWeeklyMemo(int weekday, const std::string& text, uint32_t color, MemoSaveResult* result = nullptr,
                       const MemoRecord* base = nullptr);

    // Reads again every store whose file changed since it was read or written here. True when the
    // page shows something else now.
    bool RefreshMemos();

    MemoStore monthMemos;       // one-time memos of the year and month, slot = day
    MemoStore lunarMemosFirst;  // every-year lunar memos of day 1's lunar month, slot = lunar day
    MemoStore lunarMemosMiddle; // of the middle lunar month; empty unless the page touches three
    MemoStore lunarMemosLast;   // of the last day's lunar month
    MemoStore yearlySolarMemos; // every-year solar memos of the month, slot = day
    MemoStore weeklyMemos;      // weekly memos, slot = weekday

private:
    MonthPage monthPage;
    std::string root;
    HolidayFileWatch holidays;
    bool showHolidays = true;
    bool metOffline = false;
};
