#include "app/settings_parse.h"

#include "win/dpi_scale.h"

#include <climits>
#include <cstdio>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool Overlaps(const ScreenArea& a, const ScreenArea& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Moves [start, start + length) into [low, high); a span larger than the range starts at low.
int ClampSpan(int start, int length, int low, int high) {
    if (start + length > high) start = high - length;
    if (start < low) start = low;
    return start;
}

} // namespace

int ParseDecimal(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    return static_cast<int>(value);
}

std::string FormatDecimal(int value) {
    return std::to_string(value);
}

bool ReadsAsOne(const std::string& text) {
    return ParseDecimal(text) == 1;
}

bool HolidayMarksShown(const StoredText& value) {
    return !(value.present && value.text == "0");
}

bool HolidayUpdatesOn(const StoredText& value) {
    return !(value.present && value.text == "0");
}

bool TrayIconShown(const StoredText& value) {
    return !(value.present && value.text == "0");
}

int RemindDaysFrom(const StoredText& value) {
    if (!value.present) return 0;
    for (int days : kRemindChoices)
        if (value.text == FormatDecimal(days)) return days;
    return 0;
}

std::string IsoDate(int year, int month, int day) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    return text;
}

ScreenPoint StoredWindowPos(const StoredText& posX, const StoredText& posY, ScreenPoint fallback) {
    if (!posX.present) return fallback;
    return {ParseDecimal(posX.text), posY.present ? ParseDecimal(posY.text) : fallback.y};
}

ScreenPoint PlaceOnScreen(ScreenPoint pos, int width, int height, const ScreenArea* workAreas, int areaCount,
                          const ScreenArea& primaryArea, ScreenPoint fallback) {
    // Compute the far edges in 64 bits: a garbage position near INT_MAX must not wrap round.
    long long right = static_cast<long long>(pos.x) + width;
    long long bottom = static_cast<long long>(pos.y) + height;
    ScreenArea window{pos.x, pos.y, right > INT_MAX ? INT_MAX : static_cast<int>(right),
                      bottom > INT_MAX ? INT_MAX : static_cast<int>(bottom)};
    for (int i = 0; i < areaCount; ++i) {
        if (Overlaps(window, workAreas[i])) return pos;
    }
    return {ClampSpan(fallback.x, width, primaryArea.left, primaryArea.right),
            ClampSpan(fallback.y, height, primaryArea.top, primaryArea.bottom)};
}

ScreenPoint PlaceBeside(const ScreenArea& owner, int width, int height, const ScreenArea& workArea, int dpi) {
    const int kGap = Scaled(4, dpi);
    int y = ClampSpan(owner.top, height, workArea.top, workArea.bottom);
    if (owner.right + kGap + width <= workArea.right) return {owner.right + kGap, y};
    if (owner.left - kGap - width >= workArea.left) return {owner.left - kGap - width, y};
    return {(owner.left + owner.right - width) / 2, (owner.top + owner.bottom - height) / 2};
}

std::string AutostartCommand(const std::string& programPath) {
    return "\"" + programPath + "\"";
}

bool AutostartCurrent(const StoredText& runValue, const std::string& programPath) {
    return runValue.present && runValue.text == AutostartCommand(programPath);
}
