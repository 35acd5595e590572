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

void WriteStartupReadyFile() {
    const wchar_t* path = _wgetenv(L"LUNORIA_READY_FILE");
    if (!path || !*path) return;
    // Written whole under another name and then renamed: whoever waits for the file finds it complete.
    const std::wstring temp = std::wstring(path) + L".tmp";
    FILE* f = _wfopen(temp.c_str(), L"w");
    if (!f) return;
    std::fputs(("ready\n" + timeline).c_str(), f);
    if (std::fclose(f) == 0) MoveFileExW(temp.c_str(), path, MOVEFILE_REPLACE_EXISTING);
}

#endif
