#include "engine/solar_terms.h"

#include "engine/solar_term_table.h"

namespace {

const char* const kTermNames[24] = {
    "小寒", "大寒", "立春", "雨水", "惊蛰", "春分", "清明", "谷雨", "立夏", "小满", "芒种", "夏至",
    "小暑", "大暑", "立秋", "处暑", "白露", "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至",
};

SolarTerm Read(const uint8_t* p) {
    SolarTerm term;
    term.day = p[0];
    term.hour = p[1];
    term.minute = p[2];
    return term;
}

} // namespace

bool SolarTermDays(int year, int month, SolarTerm& first, SolarTerm& second) {
    first = SolarTerm{};
    second = SolarTerm{};
    if (year < kSolarTermFirstYear || year > kSolarTermLateLastYear || month < 1 || month > 12) return false;
    const uint8_t* record = year <= kSolarTermLastYear
                                ? SolarTermTable + ((year - kSolarTermFirstYear) * 12 + (month - 1)) * 6
                                : SolarTermTableLate + ((year - kSolarTermLateFirstYear) * 12 + (month - 1)) * 6;
    first = Read(record);
    second = Read(record + 3);
    return true;
}

const char* SolarTermName(int month, int mark) {
    if (month < 1 || month > 12 || mark < 1 || mark > 2) return "";
    return kTermNames[(month - 1) * 2 + (mark - 1)];
}
