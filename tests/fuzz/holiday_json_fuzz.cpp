// libFuzzer target: arbitrary bytes as a fetched holiday schedule. A refused reply leaves the file as
// it was; an accepted one has its year, at most 60 days, each a real date within a year of it, once.
#include "holidays/holiday_json.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>

static void Check(bool ok, const char* what) {
    if (!ok) std::fprintf(stderr, "holiday fuzz: %s\n", what), std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    const int year = HolidayReplyYear(body);
    HolidayYearFile file;
    file.year = -1;
    const std::string why = AcceptHolidayReply(200, body, year ? year : 2027, file);
    if (!why.empty()) {
        Check(file.year == -1 && file.days.empty(), "a refused reply changed the file");
        return 0;
    }
    Check(year != 0 && file.year == year && file.days.size() <= kHolidayReplyMaxDays, "year or day count");
    std::set<int32_t> seen;
    for (const HolidayEntry& e : file.days) {
        Check(e.date.ok() && e.date.year >= year - 1 && e.date.year <= year + 1, "a date out of range");
        Check(seen.insert(DaysFromCivil(e.date.year, e.date.month, e.date.day)).second, "a date twice");
        Check(e.mark != HolidayMark::None && !e.name.empty(), "a day without mark or name");
    }
    return 0;
}
