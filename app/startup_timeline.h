// Where a start's time goes, for the start-up benchmark: the milliseconds from the creation of the
// process to each step that leads to the first paint. Test builds only; elsewhere marks cost nothing.
#pragma once

#include <string>

#ifdef LUNORIA_TEST_HOOKS
void StartupMark(const char* step);
// One "step milliseconds" line per mark, in the order they were made.
std::string StartupTimeline();
// Writes "ready" and the timeline into the file LUNORIA_READY_FILE names, when it names one.
void WriteStartupReadyFile();
#else
inline void StartupMark(const char*) {}
#endif
