#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/gregorian.h"

// Statutory holidays as the State Council's yearly notices set them: days off (休) and the weekend
// days made working days to pay for them (班). Built in for the years of the generated table
// (holiday_table.h, from tools/holidays); a user's own entries add years and override single days.
// No mark is guessed: a date outside the data has none.

enum class HolidayMark : uint8_t {
    None,
    Rest, // 休
    Work, // 班
};

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

struct HolidayDay {
    HolidayMark mark = HolidayMark::None;
    // The holiday the day belongs to (UTF-8), "" without a mark or name. A user's name stays valid
    // until that calendar's entries are replaced.
    const char* name = "";
};

// The built-in data alone.
HolidayDay BuiltInHoliday(int year, int month, int day);
int BuiltInHolidayFirstYear();
int BuiltInHolidayLastYear();

// "休" or "班" (UTF-8), "" for none.
const char* HolidayMarkText(HolidayMark mark);

// A line of the user's own list: a mark for the date, or None to take the built-in mark away.
struct HolidayEntry {
    CivilDate date;
    HolidayMark mark = HolidayMark::None;
    std::string name;
};

// The built-in data with the user's entries over it.
class HolidayCalendar {
public:
    // Replaces the user's entries. Of two entries for the same date the later one counts.
    void SetUserEntries(const std::vector<HolidayEntry>& entries);

    HolidayDay Lookup(int year, int month, int day) const;

    // Whether the data knows the year's schedule: a built-in year, or one where the user's entries
    // mark at least one day.
    bool CoversYear(int year) const;
    int LastYear() const;
    // Years the user's entries mark days in that the built-in data does not cover, in order.
    const std::vector<int>& AddedYears() const { return addedYears; }

private:
    struct UserDay {
        int32_t days; // DaysFromCivil
        HolidayMark mark;
        std::string name;
        size_t order; // index among the entries given
    };
    std::vector<UserDay> user; // sorted by day, one per date
    std::vector<int> addedYears;
};
