#include "app/startup_timeline.h"

#ifdef LUNORIA_TEST_HOOKS

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string timeline;

double Milliseconds(FILETIME t) {
    return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
}

// One "step ms" line: the milliseconds since the process was made.
bool FormatMark(const char* step, char (&line)[64]) {
    FILETIME created, exited, kernel, user, now;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return false;
    GetSystemTimePreciseAsFileTime(&now);
    std::snprintf(line, sizeof line, "%s %.1f\n", step, Milliseconds(now) - Milliseconds(created));
    return true;
}

// The first of the static initialisers, before the timeline's own string exists: what comes before
// it is the loader's.
char crtLine[64];
__attribute__((constructor(101))) void MarkCrt() {
    FormatMark("crt", crtLine);
}

} // namespace

void StartupMark(const char* step) {
    char line[64];
    if (FormatMark(step, line)) timeline += line;
}

std::string StartupTimeline() {
    return timeline;
}

void WriteStartupReadyFile() {
    const wchar_t* path = _wgetenv(L"LUNORIA_READY_FILE");
    if (!path || !*path) return;
    // Written whole under another name and then renamed: whoever waits for the file finds it complete.
    const std::wstring temp = std::wstring(path) + L".tmp";
    FILE* f = _wfopen(temp.c_str(), L"w");
    if (!f) return;
    std::fputs(("ready\n" + std::string(crtLine) + timeline).c_str(), f);
    if (std::fclose(f) == 0) MoveFileExW(temp.c_str(), path, MOVEFILE_REPLACE_EXISTING);
}

#endif
