// Notepad: what one keystroke costs on a 100 KB page. Each change converts the whole text to code
// page 936 and rewrites the file through the crash-safe write (temporary file, flush, rename, folder
// flush). The files go to $TMPDIR (else /tmp), so the figures include that disk's fsync.
#include "memo/notepad_page.h"
#include "win/gb18030.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

class NotepadBenchDir {
public:
    NotepadBenchDir() {
        const char* tmp = std::getenv("TMPDIR");
        path = std::filesystem::path(tmp && *tmp ? tmp : "/tmp") /
               ("lunoria-notepad-bench-" + std::to_string(reinterpret_cast<uintptr_t>(this)));
        std::filesystem::create_directories(path / std::filesystem::u8path("备忘"));
    }
    ~NotepadBenchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string root() const { return path.u8string(); }

private:
    std::filesystem::path path;
};

// A page of 100 KB in code page 936: Chinese lines (two bytes a character) or ASCII lines.
std::u16string Page(bool chinese) {
    const std::u16string line =
        chinese ? u"今天记事农历十一月初八，冬至前后记得买菜。\r\n" : u"Meeting at 10, call back later.\r\n";
    std::u16string page;
    while (Utf16ToGb18030(page).size() < 100 * 1024)
        page += line;
    return page;
}

void BM_NotepadKeystroke100KB(benchmark::State& state) {
    NotepadBenchDir dir;
    std::u16string page = Page(state.range(0) != 0);
    size_t bytes = 0;
    for (auto _ : state) {
        page.push_back(u'x'); // the keystroke
        std::string text = Utf16ToGb18030(page);
        if (SaveNotepadPage(dir.root(), kNotepadPage, text) != 0) state.SkipWithError("save failed");
        bytes = text.size();
        page.pop_back();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}
// Wall time: the flushes wait for the disk, not the CPU. Arg: 1 Chinese, 0 ASCII.
BENCHMARK(BM_NotepadKeystroke100KB)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

// The conversion alone, to tell the CPU's share from the disk's.
void BM_NotepadConvert100KB(benchmark::State& state) {
    std::u16string page = Page(true);
    for (auto _ : state)
        benchmark::DoNotOptimize(Utf16ToGb18030(page));
}
BENCHMARK(BM_NotepadConvert100KB)->Unit(benchmark::kMillisecond);

} // namespace
