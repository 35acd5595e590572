// One year's schedule in the holiday-cn format (MIT), as served per year:
//   {"year": 2027, "papers": ["https://..."], "days": [{"name": "元旦", "date": "2027-01-01", "isOffDay": true}]}
// A file may also list the last days of the year before; its "days" is empty until the notice is out.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "holidays/holidays.h"

constexpr size_t kHolidayReplyMaxBytes = 64 * 1024;
constexpr size_t kHolidayReplyMaxDays = 60;

// Checks a reply for `year` and fills `file` from it: "" when it is accepted, else why not (English, one
// phrase), with `file` untouched. Any reply but status 200 of the schema, for that year, with dates in
// that year ± 1 and at most kHolidayReplyMaxDays days, is refused. A kept file is checked with status 200.
std::string AcceptHolidayReply(int status, std::string_view body, int year, HolidayYearFile& file);

// The "year" of a reply, 0 when it has none (for a file whose year is not known beforehand).
int HolidayReplyYear(std::string_view body);
