#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/gregorian.h"
#include "engine/holiday_mark.h"

// Statutory holidays: days off (休) and the weekend days made working days to pay for them (班). Four
// sources, day by day in this order: the user's own list, the schedules fetched from the published
// notices, the built-in table (holiday_table.h, from tools/holidays), and for the years after the last
// one with a schedule, the days the law fixes (no 班: make-up days exist only in a notice).

// One run of days of the generated table: `days` days from (year, month, day), all with the same
// kind: the name's index into kHolidayTableNames, plus kHolidayWork for make-up working days.
struct HolidayRun {
    uint16_t year;
    uint8_t month;
    uint8_t day;
    uint8_t days;
    uint8_t kind;
};
constexpr uint8_t kHolidayRest = 0;
constexpr uint8_t kHolidayWork = 0x80;

// The built-in data alone.
HolidayDay BuiltInHoliday(int year, int month, int day);
int BuiltInHolidayFirstYear();
int BuiltInHolidayLastYear();

// The days off the law fixes (全国年节及纪念日放假办法 as revised in 2024): 元旦, 除夕 and 正月初一至初三,
// the day of 清明, 5月1日至2日, 五月初五, 八月十五, 10月1日至3日. byLaw is set; 1900-2100 only.
HolidayDay LawHoliday(int year, int month, int day);
// The last year the law's days are given for.
constexpr int kLawHolidayLastYear = 2100;
// What the calendar says of a year that has the law's days only: "2027年的调休安排尚未公布".
std::string HolidayLawNote(int year);

// A line of a list: a mark for the date, or None to take a lower source's mark away.
struct HolidayEntry {
    CivilDate date;
    HolidayMark mark = HolidayMark::None;
    std::string name;
};

// One year's published schedule: the days its notice lists, which can include the last days of the
// year before. No days: the notice is not out yet.
struct HolidayYearFile {
    int year = 0;
    std::vector<HolidayEntry> days;
};

class HolidayCalendar : public HolidayLookup {
public:
    // Replaces the user's entries. Of two entries for the same date the later one counts.
    void SetUserEntries(const std::vector<HolidayEntry>& entries);
    // Replaces the fetched schedules. Where two name the same date, the later year's notice counts.
    void SetFetched(std::vector<HolidayYearFile> files);

    HolidayDay Lookup(int year, int month, int day) const override;

    // Whether the data knows the year's schedule: a built-in year, a fetched one with days, or one where
    // the user's entries mark at least one day.
    bool CoversYear(int year) const;
    // The last year with a schedule; the law's days fill every year after it.
    int LastYear() const;
    // Years the user's entries mark days in that the built-in data does not cover, in order.
    const std::vector<int>& AddedYears() const { return addedYears; }
    // Years with a fetched schedule (days listed), in order.
    const std::vector<int>& FetchedYears() const { return fetchedYears; }

private:
    struct ListDay {
        int32_t days; // DaysFromCivil
        HolidayMark mark;
        std::string name;
        size_t order; // index among the entries given
    };
    static void SetList(std::vector<ListDay>& list, const std::vector<HolidayEntry>& entries);
    static const ListDay* Find(const std::vector<ListDay>& list, int32_t days);

    std::vector<ListDay> user;    // sorted by day, one per date
    std::vector<ListDay> fetched; // the same
    std::vector<int> addedYears;
    std::vector<int> fetchedYears;
};
