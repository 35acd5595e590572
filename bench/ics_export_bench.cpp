// The memo export over full memo folders: every slot of every file a year of use makes, with texts of
// the longest length a memo can have, and every slot of every month file the calendars show, with
// short texts. The counters give the calendar's size and its number of events.
#include "bench/filled_memo_folder.h"
#include "memo/ics_export.h"
#include "memo/memo_store.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

std::string FileName(int a, int b) {
    char name[16];
    std::snprintf(name, sizeof name, "%d%02d", a, b);
    return name;
}

// The longest memo text, 65,535 bytes of code-page-936 text in lines of 38 characters: 65,534 bytes of
// whole lines and characters, then one ASCII letter.
std::string LongestText() {
    std::string text;
    while (text.size() < MEMO_MAX_TEXT) {
        for (int i = 0; i < 38; ++i)
            text += i % 2 ? "\xca\xc2" : "\xbc\xc7"; // 事, 记
        text += "\r\n";
    }
    text.resize(MEMO_MAX_TEXT - 1);
    return text + "x";
}

void Export(benchmark::State& state, const FilledMemoFolder& folder) {
    IcsExport result;
    for (auto _ : state) {
        result = ExportMemoFolder(folder.root, {1796774400, 2026});
        benchmark::DoNotOptimize(result.text.data());
    }
    state.counters["ics_bytes"] = static_cast<double>(result.text.size());
    state.counters["events"] = result.events;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * result.text.size()));
}

void BM_IcsExportYearOfLongMemos(benchmark::State& state) {
    FilledMemoFolder folder("lunoria-ics-bench-year");
    const std::string text = LongestText();
    auto longText = [&text](int) { return text; };
    for (int m = 1; m <= 12; ++m)
        for (int key : {2026, 1, 0})
            folder.Fill(FileName(key, m), 0, 31, longText);
    folder.Fill("week", 0, 7, longText);
    Export(state, folder);
}
BENCHMARK(BM_IcsExportYearOfLongMemos)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_IcsExportEveryFile(benchmark::State& state) {
    FilledMemoFolder folder("lunoria-ics-bench-all");
    auto shortText = [](int slot) { return "\xbc\xc7\xca\xc2 memo of slot " + std::to_string(slot); };
    for (int y = 1900; y <= 2100; ++y)
        for (int m = 1; m <= 12; ++m)
            folder.Fill(FileName(y, m), 0, 31, shortText);
    for (int m = 1; m <= 12; ++m)
        for (int key : {1, 0})
            folder.Fill(FileName(key, m), 0, 31, shortText);
    folder.Fill("week", 0, 7, shortText);
    Export(state, folder);
}
BENCHMARK(BM_IcsExportEveryFile)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
