// The main window's pure rules: navigation range, list rule, tick schedule, midnight check,
// setting texts, window placement and the autostart command.
#include "app/clock_schedule.h"
#include "app/companion_place.h"
#include "app/nav_rules.h"
#include "app/settings_form.h"
#include "app/settings_parse.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <vector>

TEST(NavRules, LinksStopAtTheEndsOfTheRange) {
    EXPECT_EQ(PrevMonth({1900, 2}), (YearMonth{1900, 2}));
    EXPECT_EQ(NextMonth({2049, 12}), (YearMonth{2049, 12}));
    EXPECT_EQ(NextMonth({2048, 12}), (YearMonth{2049, 1}));
    EXPECT_EQ(NextMonth({2049, 11}), (YearMonth{2049, 12}));
    EXPECT_EQ(PrevMonth({1900, 3}), (YearMonth{1900, 2}));
    EXPECT_EQ(PrevMonth({1901, 1}), (YearMonth{1900, 12}));
    EXPECT_EQ(NextMonth({2026, 12}), (YearMonth{2027, 1}));
    // Out of range (never shown) stays put rather than walking further out.
    EXPECT_EQ(PrevMonth({1900, 1}), (YearMonth{1900, 1}));
    EXPECT_EQ(NextMonth({2050, 1}), (YearMonth{2050, 1}));
}

TEST(NavRules, StepsWalkTheWholeRangeBothWays) {
    YearMonth ym = kFirstShownMonth;
    int steps = 0;
    while (ym != kLastShownMonth) {
        YearMonth next = NextMonth(ym);
        ASSERT_TRUE(IsShownMonth(next));
        ASSERT_EQ(PrevMonth(next), ym);
        ASSERT_GE(YearListIndex(next), 0);
        ASSERT_LT(YearListIndex(next), kYearListCount);
        ASSERT_EQ(MonthListIndex(next), next.month - 1);
        ym = next;
        ++steps;
    }
    EXPECT_EQ(steps, 150 * 12 - 2);
}

TEST(NavRules, ListsNeverShowJanuary1900) {
    int monthIndex = -5;
    EXPECT_EQ(MonthFromLists(0, 0, {2026, 1}, &monthIndex), (YearMonth{1900, 2}));
    EXPECT_EQ(monthIndex, 1);
    EXPECT_EQ(MonthFromLists(149, 11, {2026, 1}, &monthIndex), (YearMonth{2049, 12}));
    EXPECT_EQ(monthIndex, 11);
    EXPECT_EQ(MonthFromLists(126, 4, {1900, 2}, &monthIndex), (YearMonth{2026, 5}));
    EXPECT_EQ(monthIndex, 4);
}

TEST(NavRules, ListIndexWithoutSelectionKeepsTheShownPart) {
    int monthIndex = 0;
    EXPECT_EQ(MonthFromLists(-1, 6, {2026, 3}, &monthIndex), (YearMonth{2026, 7}));
    EXPECT_EQ(MonthFromLists(10, -1, {2026, 3}, &monthIndex), (YearMonth{1910, 3}));
    EXPECT_EQ(MonthFromLists(150, 12, {2026, 3}, &monthIndex), (YearMonth{2026, 3}));
    EXPECT_EQ(monthIndex, 2);
    // Shown month January 1900 can only come from a caller's slip; still never shown.
    EXPECT_EQ(MonthFromLists(-1, -1, {1900, 1}, &monthIndex), (YearMonth{1900, 2}));
    EXPECT_EQ(MonthFromLists(-1, -1, {0, 0}, &monthIndex), (YearMonth{1900, 2}));
}

TEST(ClockSchedule, TipThenFetchesOnTheMinuteAndHour) {
    EXPECT_EQ(ActionForTick(-2, false), TickAction::None);
    EXPECT_EQ(ActionForTick(-1, false), TickAction::ShowTodayTip);
    EXPECT_EQ(ActionForTick(-1, true), TickAction::ShowTodayTip);
    EXPECT_EQ(ActionForTick(0, false), TickAction::FetchHeadline);
    EXPECT_EQ(ActionForTick(0, true), TickAction::FetchHeadline);
    EXPECT_EQ(ActionForTick(1, false), TickAction::None);
    EXPECT_EQ(ActionForTick(59, false), TickAction::None);
    EXPECT_EQ(ActionForTick(60, false), TickAction::FetchHeadline);
    EXPECT_EQ(ActionForTick(60, true), TickAction::None);
    EXPECT_EQ(ActionForTick(3540, true), TickAction::None);
    EXPECT_EQ(ActionForTick(3600, true), TickAction::FetchHeadline);
    EXPECT_EQ(ActionForTick(3600, false), TickAction::FetchHeadline);
    EXPECT_EQ(ActionForTick(7200, true), TickAction::FetchHeadline);
}

TEST(ClockSchedule, CounterCountsFromMinusTwoAndWrapsInStep) {
    int tick = kFirstTick;
    int tips = 0, fetches = 0;
    for (int second = 0; second < 2 + 7200; ++second) {
        TickAction a = ActionForTick(tick, second > 2);
        tips += a == TickAction::ShowTodayTip;
        fetches += a == TickAction::FetchHeadline;
        tick = NextTick(tick);
    }
    EXPECT_EQ(tips, 1);
    EXPECT_EQ(fetches, 2); // tick 0, then 3600 (the headline arrived at the first fetch)
    // Near the top the counter wraps to a value with the same remainder modulo 3600.
    int top = INT_MAX - INT_MAX % 3600;
    EXPECT_EQ(NextTick(top - 1), top);
    EXPECT_EQ(NextTick(top) % 3600, 1);
    EXPECT_GT(NextTick(top), 0);
}

TEST(ClockSchedule, AnyChangeOfTheLocalDateCounts) {
    EXPECT_FALSE(DateChanged({2026, 12, 8}, {2026, 12, 8}));
    EXPECT_TRUE(DateChanged({2026, 12, 8}, {2026, 12, 9}));
    EXPECT_TRUE(DateChanged({2026, 12, 31}, {2027, 1, 1}));
    EXPECT_TRUE(DateChanged({2026, 11, 8}, {2026, 12, 8}));
    EXPECT_TRUE(DateChanged({2027, 12, 8}, {2026, 12, 8})); // clock set back a year
}

TEST(SettingsParse, DecimalTextsReadLikeAtoi) {
    EXPECT_EQ(ParseDecimal("abc"), 0);
    EXPECT_EQ(ParseDecimal(""), 0);
    EXPECT_EQ(ParseDecimal("-12"), -12);
    EXPECT_EQ(ParseDecimal("500"), 500);
    EXPECT_EQ(ParseDecimal("  42px"), 42);
    EXPECT_EQ(ParseDecimal("+7"), 7);
    EXPECT_EQ(ParseDecimal("-"), 0);
    EXPECT_EQ(ParseDecimal("1 2"), 1);
    EXPECT_EQ(ParseDecimal("99999999999999999999"), INT_MAX);
    EXPECT_EQ(ParseDecimal("-99999999999999999999"), INT_MIN);
    EXPECT_EQ(ParseDecimal("-2147483648"), INT_MIN);
    for (int v : {0, 1, -1, -12, 32767, -32768, INT_MAX, INT_MIN})
        EXPECT_EQ(ParseDecimal(FormatDecimal(v)), v);
    EXPECT_EQ(FormatDecimal(-12), "-12");
    EXPECT_TRUE(ReadsAsOne("1"));
    EXPECT_FALSE(ReadsAsOne("0"));
    EXPECT_FALSE(ReadsAsOne("yes"));
    EXPECT_FALSE(ReadsAsOne(""));
    EXPECT_FALSE(HolidayMarksShown({true, "0"}));
    EXPECT_TRUE(HolidayMarksShown({true, "00"}) && HolidayMarksShown({true, ""}) && HolidayMarksShown({}));
    EXPECT_TRUE(!TrayIconShown({true, "0"}) && TrayIconShown({true, "1"}) && TrayIconShown({}));
    // Only the menu's choices count; anything else is the day itself.
    for (int days : kRemindChoices)
        EXPECT_EQ(RemindDaysFrom({true, FormatDecimal(days)}), days);
    EXPECT_EQ(RemindDaysFrom({true, "5"}) + RemindDaysFrom({true, "3x"}) + RemindDaysFrom({}), 0);
    EXPECT_EQ(IsoDate(2026, 1, 9), "2026-01-09");
}

TEST(SettingsParse, StoredPositionFallsBackPerValue) {
    EXPECT_EQ(StoredWindowPos({}, {true, "7"}), (ScreenPoint{500, 300})); // PosY not read without PosX
    EXPECT_EQ(StoredWindowPos({true, "40"}, {}), (ScreenPoint{40, 300}));
    EXPECT_EQ(StoredWindowPos({true, "abc"}, {true, "-5"}), (ScreenPoint{0, -5}));
    EXPECT_EQ(StoredWindowPos({true, "-12"}, {true, "20"}), (ScreenPoint{-12, 20}));
}

TEST(Placement, OnlyAWhollyLostWindowMoves) {
    const ScreenArea primary{0, 0, 1024, 738};
    const ScreenArea two[] = {primary, {1024, 0, 2944, 1050}};
    auto placeIn = [&](ScreenPoint p, int n) { return PlaceOnScreen(p, kWindowWidth, kWindowHeight, two, n, primary); };
    auto place = [&](ScreenPoint p) { return placeIn(p, 2); };
    EXPECT_EQ(place({500, 300}), (ScreenPoint{500, 300}));
    EXPECT_EQ(place({-12, 20}), (ScreenPoint{-12, 20}));   // partly visible
    EXPECT_EQ(place({-362, 20}), (ScreenPoint{-362, 20})); // one column still on screen
    EXPECT_EQ(place({-363, 20}), (ScreenPoint{500, 300}));
    EXPECT_EQ(place({2000, 500}), (ScreenPoint{2000, 500})); // on the second monitor
    EXPECT_EQ(placeIn({2000, 500}, 1), (ScreenPoint{500, 300}));
    EXPECT_EQ(place({30000, 30000}), (ScreenPoint{500, 300}));
    EXPECT_EQ(place({INT_MAX, INT_MAX}), (ScreenPoint{500, 300}));
    EXPECT_EQ(place({INT_MIN, 0}), (ScreenPoint{500, 300}));
    // Below the task bar only: not in any work area.
    EXPECT_EQ(place({100, 740}), (ScreenPoint{500, 300}));
}

TEST(Placement, NotepadComesBackUnderTheCalendar) {
    const ScreenArea screen{0, 0, 1024, 768};
    const ScreenPoint under = NotepadDefaultPos({500, 300, 863, 578}, kBaseDpi);
    EXPECT_EQ(under, (ScreenPoint{500, 588}));
    EXPECT_EQ(StoredWindowPos({}, {true, "7"}, under), under);
    EXPECT_EQ(StoredWindowPos({true, "-40"}, {}, under), (ScreenPoint{-40, 588}));
    auto place = [&](ScreenPoint p) { return PlaceOnScreen(p, 193, 170, &screen, 1, screen, under); };
    EXPECT_EQ(place({-40, 588}), (ScreenPoint{-40, 588})); // partly visible: kept
    EXPECT_EQ(place({30000, 30000}), under);
    // Under a calendar at the screen's foot, the fallback itself is pulled into view.
    EXPECT_EQ(PlaceOnScreen({30000, 30000}, 193, 170, &screen, 1, screen, {0, 760}), (ScreenPoint{0, 598}));
}

TEST(Placement, TabsHangOffTheRightEdgeAndMinimisedMovesAreNotStored) {
    TabPlaces tabs = TabPlacesBeside({500, 300, 863, 578}, kBaseDpi);
    auto box = [](ScreenArea a) { return std::vector<int>{a.left, a.top, a.right, a.bottom}; };
    EXPECT_EQ(box(tabs.noteTab), (std::vector<int>{873, 560, 899, 578}));
    EXPECT_EQ(box(tabs.calendarTab), (std::vector<int>{873, 524, 899, 542}));
    EXPECT_TRUE(PositionWorthStoring(false, -12, 5));
    EXPECT_TRUE(PositionWorthStoring(false, -32000, 5));
    EXPECT_FALSE(PositionWorthStoring(true, 0, 744));
    EXPECT_FALSE(PositionWorthStoring(false, -32000, -32000));
}

TEST(Placement, DefaultIsClampedIntoASmallPrimaryArea) {
    const ScreenArea small{0, 0, 640, 480};
    EXPECT_EQ(PlaceOnScreen({9000, 9000}, kWindowWidth, kWindowHeight, &small, 1, small),
              (ScreenPoint{640 - 363, 480 - 278}));
    const ScreenArea tiny{100, 50, 300, 200}; // smaller than the window: keep its top-left
    EXPECT_EQ(PlaceOnScreen({9000, 9000}, kWindowWidth, kWindowHeight, &tiny, 1, tiny), (ScreenPoint{100, 50}));
    // No monitor known at all: the default, clamped into the primary area.
    EXPECT_EQ(PlaceOnScreen({-5000, 0}, kWindowWidth, kWindowHeight, nullptr, 0, small),
              (ScreenPoint{640 - 363, 480 - 278}));
}

TEST(Placement, DialogsGoBesideTheCalendar) {
    const ScreenArea screen{0, 0, 1024, 738};
    EXPECT_EQ(PlaceBeside({500, 300, 863, 578}, 150, 100, screen, kBaseDpi), (ScreenPoint{867, 300}));
    EXPECT_EQ(PlaceBeside({500, 300, 863, 578}, 157, 100, screen, kBaseDpi), (ScreenPoint{867, 300})); // fits exactly
    EXPECT_EQ(PlaceBeside({600, 300, 963, 578}, 150, 100, screen, kBaseDpi), (ScreenPoint{446, 300})); // no room right
    EXPECT_EQ(PlaceBeside({600, 700, 963, 978}, 150, 100, screen, kBaseDpi), (ScreenPoint{446, 638})); // kept on screen
    EXPECT_EQ(PlaceBeside({100, 0, 463, 278}, 700, 100, screen, kBaseDpi), (ScreenPoint{-68, 89})); // no room: middle
}

TEST(Autostart, StoredValueMustBeTheQuotedPath) {
    const std::string path = "C:\\Program Files\\Lunoria\\lunoria.exe";
    EXPECT_EQ(AutostartCommand(path), "\"C:\\Program Files\\Lunoria\\lunoria.exe\"");
    EXPECT_TRUE(AutostartCurrent({true, AutostartCommand(path)}, path));
    EXPECT_FALSE(AutostartCurrent({false, AutostartCommand(path)}, path));
    EXPECT_FALSE(AutostartCurrent({true, path}, path)); // an old unquoted value is repaired
    EXPECT_FALSE(AutostartCurrent({true, "\"c:\\program files\\lunoria\\lunoria.exe\""}, path));
    EXPECT_FALSE(AutostartCurrent({true, ""}, path));
}

TEST(NavRules, TypedYearsAndMonthsOrNothing) {
    YearMonth out;
    for (const char* text : {"2030", "2030年", " ２０３０ 年\u3000"})
        EXPECT_TRUE(MonthFromTypedYear(text, {2026, 5}, &out) && out == (YearMonth{2030, 5})) << text;
    for (const char* text : {"11", "11月", "１１月"})
        EXPECT_TRUE(MonthFromTypedMonth(text, {2026, 5}, &out) && out == (YearMonth{2026, 11})) << text;
    for (const char* text : {"abc", "1899", "2050", "", " 年", "02030", "2030年年", "20３0x", "2030月"})
        EXPECT_FALSE(MonthFromTypedYear(text, {2026, 5}, &out)) << text;
    for (const char* text : {"0", "13", "5日", "-5"})
        EXPECT_FALSE(MonthFromTypedMonth(text, {2026, 5}, &out)) << text;
    EXPECT_TRUE(MonthFromTypedYear("1900", {2026, 1}, &out) && out == (YearMonth{1900, 2}));
    EXPECT_TRUE(MonthFromTypedMonth("1月", {1900, 7}, &out) && out == (YearMonth{1900, 2}));
}

// The settings dialog's fields from the stored texts and back: defaults for what is missing or not
// ours, the port refused only where a headline is asked for, every choice read back as written.
TEST(SettingsForm, StoredTextsToFieldsAndBack) {
    using Stored = std::map<std::string, std::string>;
    auto read = [](const Stored& stored) {
        return ReadSettingsForm([&](const char* name) {
            auto it = stored.find(name);
            return it == stored.end() ? StoredText{} : StoredText{true, it->second};
        });
    };
    auto shown = [](const SettingsForm& f) {
        return std::to_string(f.autostart) + std::to_string(f.showHolidays) + std::to_string(f.updateHolidays) +
               std::to_string(f.trayIcon) + " " + std::to_string(f.theme) + " " + std::to_string(f.remindDays) + " [" +
               f.headlineHost + "]:" + f.headlinePort;
    };
    const std::pair<Stored, const char*> reads[] = {
        {{}, "1111 0 0 []:80"},
        {{{"Autostart", "0"}, {"ShowHolidays", "0"}, {"HolidayUpdate", "0"}, {"TrayIcon", "0"}}, "0000 0 0 []:80"},
        {{{"Autostart", " 0"}, {"ShowHolidays", "00"}, {"HolidayUpdate", "off"}, {"TrayIcon", ""}}, "1111 0 0 []:80"},
        {{{"Theme", "2"}, {"RemindDays", "-1"}, {"HeadlineHost", " a.example "}, {"HeadlinePort", " 8080 "}},
         "1111 2 -1 [a.example]:8080"},
        {{{"Theme", " 1 "}, {"RemindDays", "7"}, {"HeadlinePort", "65535"}}, "1111 1 7 []:65535"},
        {{{"Theme", "3"}, {"RemindDays", "2"}, {"HeadlinePort", "65536"}}, "1111 0 0 []:80"},
        {{{"Theme", "1x"}, {"RemindDays", "+3"}, {"HeadlinePort", "0"}, {"HeadlineHost", "  "}}, "1111 0 0 []:80"},
    };
    for (const auto& [stored, expected] : reads)
        EXPECT_EQ(shown(read(stored)), expected);

    // Typed ports: refused, with the field named, when a host is given; never asked for without one.
    const std::pair<const char*, const char*> ports[] = {
        {"8080", "8080"},   {" 443 ", "443"}, {"1", "1"},       {"65535", "65535"}, {"００８０", "80"},  {"0", nullptr},
        {"65536", nullptr}, {"", nullptr},    {"80a", nullptr}, {"-1", nullptr},    {"123456", nullptr},
    };
    for (const auto& [typed, written] : ports)
        for (const char* host : {"10.0.0.5", "  "}) {
            SettingsForm form;
            form.headlineHost = host, form.headlinePort = typed;
            const bool refused = !written && host[0] != ' ';
            EXPECT_EQ(SettingsFormProblem(form), refused ? "头条服务器端口必须是 1 到 65535 之间的数字。" : "")
                << typed;
            std::vector<SettingText> texts = SettingsFormTexts(form);
            EXPECT_EQ(texts[6].text, host[0] == ' ' ? "" : host);
            EXPECT_EQ(texts.back().text, written ? written : texts[6].text) << typed;
        }

    // Every choice comes back as it went: written, then read.
    for (int choice = 0; choice < 16 * 3 * 5; ++choice) {
        SettingsForm form;
        form.autostart = choice & 1, form.showHolidays = choice & 2, form.updateHolidays = choice & 4;
        form.trayIcon = choice & 8, form.theme = choice / 16 % 3, form.remindDays = kRemindChoices[choice / 48];
        form.headlineHost = "h", form.headlinePort = "81";
        Stored stored;
        for (const SettingText& t : SettingsFormTexts(form))
            stored[t.name] = t.text;
        EXPECT_EQ(shown(read(stored)), shown(form));
    }
    EXPECT_EQ(SettingsWriteFailure({"Autostart", "Run", "HeadlinePort"}, true),
              "这些设置没有保存：开机时启动日历、头条服务器端口\n其他设置已经保存，并且已经生效。");
    EXPECT_EQ(SettingsWriteFailure({"Theme"}, false), "这些设置没有保存：外观"); // nothing else was saved either
}
