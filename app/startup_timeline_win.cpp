#include "app/startup_timeline.h"

#ifdef LUNORIA_TEST_HOOKS

#include <windows.h>

#include <cstdio>

namespace {

std::string timeline;

double Milliseconds(FILETIME t) {
    return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
}

} // namespace

void StartupMark(const char* step) {
    FILETIME created, exited, kernel, user, now;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return;
    GetSystemTimePreciseAsFileTime(&now);
    char line[64];
    std::snprintf(line, sizeof line, "%s %.1f\n", step, Milliseconds(now) - Milliseconds(created));
    timeline += line;
}

std::string StartupTimeline() {
    return timeline;
}

#endif
