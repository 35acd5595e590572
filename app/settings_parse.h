#pragma once
#include <string>

// Registry values are decimal texts ("%d"). These rules turn them into numbers and back, and
// decide where the main window goes; the registry calls themselves live in settings_win.cpp.

// Like atoi: leading blanks, an optional sign, then digits up to the first non-digit. Text that
// is not a number reads as 0; values beyond the int range are clamped to it.
int ParseDecimal(const std::string& text);

std::string FormatDecimal(int value);

// MemoShow: only a value that reads as 1 means shown.
bool ReadsAsOne(const std::string& text);

struct ScreenPoint {
    int x = 0;
    int y = 0;

    bool operator==(const ScreenPoint& o) const { return x == o.x && y == o.y; }
};

constexpr ScreenPoint kDefaultWindowPos{500, 300};
constexpr int kWindowWidth = 363;
constexpr int kWindowHeight = 278;

// A setting as read: present or not, and its text.
struct StoredText {
    bool present = false;
    std::string text;
};

// ShowHolidays: exactly "0" turns the 休 and 班 marks off; missing or anything else leaves them on.
bool HolidayMarksShown(const StoredText& value);
// HolidayUpdate: exactly "0" fetches no holiday schedule; missing or anything else fetches.
bool HolidayUpdatesOn(const StoredText& value);

// TrayIcon: exactly "0" hides the notification-area icon; missing or anything else shows it.
bool TrayIconShown(const StoredText& value);

// RemindDays: how many days ahead the daily reminder looks for every-year memos: 0 (the day itself,
// also for a missing or unknown value), 1, 3 or 7; -1 for no reminders at all.
int RemindDaysFrom(const StoredText& value);
constexpr int kRemindChoices[] = {0, 1, 3, 7, -1}; // the order of 提醒 (tray menu) and 记事提醒 (settings)

// RemindedOn: the date last reminded of, as "2026-12-10".
std::string IsoDate(int year, int month, int day);

// PosX absent: (500, 300) and PosY is not looked at. PosX present: (PosX, PosY or 300). The notepad
// reads MemoX / MemoY the same way with its own fallback.
ScreenPoint StoredWindowPos(const StoredText& posX, const StoredText& posY, ScreenPoint fallback = kDefaultWindowPos);

struct ScreenArea {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// A window at `pos` of the given size that overlaps no work area at all would be lost off
// screen (a monitor was removed, or the stored value is garbage): it then goes to the default
// position (`fallback`), moved into the primary work area if needed. A partly visible window keeps `pos`.
ScreenPoint PlaceOnScreen(ScreenPoint pos, int width, int height, const ScreenArea* workAreas, int areaCount,
                          const ScreenArea& primaryArea, ScreenPoint fallback = kDefaultWindowPos);

// Where a small dialog of the calendar goes: beside the calendar (`owner`), right of it when it
// fits into the work area, else left of it, top edges aligned and kept inside the work area; when
// neither side has room, over the middle of the calendar. The calendar stays in view while the
// user decides. The gap between them is 4 pixels at 96 DPI.
ScreenPoint PlaceBeside(const ScreenArea& owner, int width, int height, const ScreenArea& workArea, int dpi);

// The Run value holds the program's path in double quotes, so a path with blanks starts the
// program and not some other file.
std::string AutostartCommand(const std::string& programPath);

// True when the stored Run value already starts this program (compared byte for byte).
bool AutostartCurrent(const StoredText& runValue, const std::string& programPath);
