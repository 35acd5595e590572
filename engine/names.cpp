#include "engine/names.h"

namespace {

const char* const kStems[10] = {"甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬", "癸"};
const char* const kBranches[12] = {"子", "丑", "寅", "卯", "辰", "巳", "午", "未", "申", "酉", "戌", "亥"};
const char* const kAnimals[12] = {"鼠", "牛", "虎", "兔", "龙", "蛇", "马", "羊", "猴", "鸡", "狗", "猪"};
const char* const kMonthNames[13] = {"", "正", "二", "三", "四", "五", "六", "七", "八", "九", "十", "十一", "十二"};
const char* const kDigits[10] = {"一", "二", "三", "四", "五", "六", "七", "八", "九", "十"};
const char* const kTens[3] = {"初", "十", "廿"};
const char* const kWeekdays[8] = {"日", "一", "二", "三", "四", "五", "六", "日"};

int FloorMod(int a, int b) {
    const int r = a % b;
    return r < 0 ? r + b : r;
}

struct Festival {
    int month;
    int day;
    const char* name;
};

const Festival kLunarFestivals[] = {
    {1, 1, "春节"}, {1, 2, "初二"},   {1, 3, "初三"},  {1, 15, "元宵节"},
    {5, 5, "端午"}, {7, 7, "七夕节"}, {8, 15, "中秋"}, {9, 9, "重阳节"},
};

const Festival kSolarFestivals[] = {{1, 1, "元旦"}, {5, 1, "劳动节"}, {6, 1, "儿童节"}, {10, 1, "国庆"}};

} // namespace

std::string StemBranchName(int cycle) {
    std::string name = kStems[FloorMod(cycle, 10)];
    name += kBranches[FloorMod(cycle, 12)];
    return name;
}

std::string ZodiacName(int lunarYear) {
    // Reduce first: lunarYear - 4 overflows for the smallest int.
    return kAnimals[FloorMod(lunarYear % 12 - 4, 12)];
}

std::string LunarMonthName(int month, bool leap) {
    if (month < 1 || month > 12) return std::string();
    std::string name = leap ? "闰" : "";
    name += kMonthNames[month];
    return name;
}

std::string LunarDayName(int day) {
    if (day < 1 || day > 30) return std::string();
    if (day == 20) return "二十";
    if (day == 30) return "三十";
    std::string name = kTens[(day - 1) / 10];
    name += kDigits[(day - 1) % 10];
    return name;
}

const char* WeekdayName(int weekday) {
    return weekday >= 0 && weekday <= 7 ? kWeekdays[weekday] : "";
}

const char* LunarFestival(const LunarDate& date) {
    if (!date.ok()) return nullptr;
    if (date.month == 12 && date.day == date.monthDays) {
        // New year's eve is the last day of the year: not when a leap twelfth month still follows.
        return !date.isLeapMonthNumber || date.inLeapMonth ? "除夕" : nullptr;
    }
    if (date.inLeapMonth) return nullptr;
    for (const Festival& f : kLunarFestivals) {
        if (f.month == date.month && f.day == date.day) return f.name;
    }
    return nullptr;
}

const char* SolarFestival(int month, int day) {
    for (const Festival& f : kSolarFestivals) {
        if (f.month == month && f.day == day) return f.name;
    }
    return nullptr;
}
