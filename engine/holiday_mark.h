// A day's statutory-holiday mark as the month page carries it. The data behind it (built-in table,
// fetched schedules, the user's list, the law's fixed days) lives in holidays/.
#pragma once
#include <cstdint>

enum class HolidayMark : uint8_t {
    None,
    Rest, // 休
    Work, // 班
};

struct HolidayDay {
    HolidayMark mark = HolidayMark::None;
    // The holiday the day belongs to (UTF-8), "" without a mark or name. A name from a list stays valid
    // until that list is replaced.
    const char* name = "";
    // Marked by the law alone: the year's schedule (its 调休) is not published yet.
    bool byLaw = false;
};

// "休" or "班" (UTF-8), "" for none.
inline const char* HolidayMarkText(HolidayMark mark) {
    return mark == HolidayMark::Rest ? "休" : mark == HolidayMark::Work ? "班" : "";
}

// What a month page asks for each day's mark.
class HolidayLookup {
public:
    virtual HolidayDay Lookup(int year, int month, int day) const = 0;

protected:
    ~HolidayLookup() = default;
};
