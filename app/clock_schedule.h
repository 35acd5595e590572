#pragma once

// What the main window's one-second tick does. The counter starts at kFirstTick and only ever
// counts up: the tick that sees -1 (the second one) shows today's memos, the one that sees 0
// fetches the first headline, and afterwards a fetch runs every minute while no headline has
// arrived and every hour once one has.

constexpr int kFirstTick = -2;

enum class TickAction { None, ShowTodayTip, FetchHeadline };

TickAction ActionForTick(int tick, bool haveHeadline);

// The counter after a tick. Short of overflow (after 68 years) it wraps to the value with the
// same remainder modulo 3600, so the hourly fetch keeps its rhythm and the arithmetic stays defined.
int NextTick(int tick);

struct LocalDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

// The local date moved on (midnight, or the clock was changed) since `seen`: the page must go
// back to today.
bool DateChanged(const LocalDate& seen, const LocalDate& now);
