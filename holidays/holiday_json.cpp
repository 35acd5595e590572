#include "holidays/holiday_json.h"

#include <rapidjson/document.h>

namespace {

// "YYYY-MM-DD" exactly.
bool ParseDate(std::string_view s, CivilDate& date) {
    if (s.size() != 10 || s[4] != '-' || s[7] != '-') return false;
    int parts[3] = {0, 0, 0};
    const size_t starts[3] = {0, 5, 8}, lengths[3] = {4, 2, 2};
    for (int k = 0; k < 3; ++k) {
        for (size_t i = starts[k]; i < starts[k] + lengths[k]; ++i) {
            if (s[i] < '0' || s[i] > '9') return false;
            parts[k] = parts[k] * 10 + (s[i] - '0');
        }
    }
    date = {parts[0], parts[1], parts[2]};
    return date.ok();
}

std::string_view View(const rapidjson::Value& v) {
    return {v.GetString(), v.GetStringLength()};
}

} // namespace

std::string AcceptHolidayReply(int status, std::string_view body, int year, HolidayYearFile& file) {
    if (status != 200) return "status " + std::to_string(status);
    if (body.size() > kHolidayReplyMaxBytes) return "larger than 64 KB";
    rapidjson::Document doc;
    // Names end up on screen: malformed UTF-8 is refused with the rest.
    doc.Parse<rapidjson::kParseDefaultFlags | rapidjson::kParseValidateEncodingFlag>(body.data(), body.size());
    if (doc.HasParseError()) return "not JSON (at byte " + std::to_string(doc.GetErrorOffset()) + ")";
    if (!doc.IsObject()) return "not an object";
    auto yearValue = doc.FindMember("year");
    auto papers = doc.FindMember("papers");
    auto days = doc.FindMember("days");
    if (yearValue == doc.MemberEnd() || !yearValue->value.IsInt()) return "no year";
    if (yearValue->value.GetInt() != year) return "of another year";
    if (papers == doc.MemberEnd() || !papers->value.IsArray()) return "no papers";
    for (const rapidjson::Value& paper : papers->value.GetArray())
        if (!paper.IsString()) return "a paper is not a string";
    if (days == doc.MemberEnd() || !days->value.IsArray()) return "no days";
    if (days->value.Size() > kHolidayReplyMaxDays) return "more than 60 days";

    HolidayYearFile out;
    out.year = year;
    const int32_t first = DaysFromCivil(year - 1, 1, 1), last = DaysFromCivil(year + 1, 12, 31);
    for (const rapidjson::Value& day : days->value.GetArray()) {
        if (!day.IsObject()) return "a day is not an object";
        auto name = day.FindMember("name");
        auto date = day.FindMember("date");
        auto off = day.FindMember("isOffDay");
        if (name == day.MemberEnd() || !name->value.IsString() || date == day.MemberEnd() || !date->value.IsString() ||
            off == day.MemberEnd() || !off->value.IsBool())
            return "a day lacks its name, date or isOffDay";
        HolidayEntry entry;
        if (!ParseDate(View(date->value), entry.date)) return "a date is not YYYY-MM-DD";
        const int32_t n = DaysFromCivil(entry.date.year, entry.date.month, entry.date.day);
        if (n < first || n > last) return "a date outside the year and the years beside it";
        for (const HolidayEntry& e : out.days)
            if (e.date.year == entry.date.year && e.date.month == entry.date.month && e.date.day == entry.date.day)
                return "a date listed twice";
        if (name->value.GetStringLength() == 0 || name->value.GetStringLength() > 60) return "a name empty or too long";
        entry.name = std::string(View(name->value));
        entry.mark = off->value.GetBool() ? HolidayMark::Rest : HolidayMark::Work;
        out.days.push_back(std::move(entry));
    }
    file = std::move(out);
    return "";
}

int HolidayReplyYear(std::string_view body) {
    if (body.size() > kHolidayReplyMaxBytes) return 0;
    rapidjson::Document doc;
    doc.Parse(body.data(), body.size());
    if (doc.HasParseError() || !doc.IsObject()) return 0;
    auto year = doc.FindMember("year");
    return year != doc.MemberEnd() && year->value.IsInt() ? year->value.GetInt() : 0;
}
