// Memo store: rewriting a full month file (the atomic replace with its flushes included) and loading it.
// The files go to $TMPDIR (else /tmp), so the figures include that disk's fsync.
#include "memo/memo_file.h"
#include "memo/memo_store.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

class MemoBenchDir {
public:
    MemoBenchDir() {
        const char* tmp = std::getenv("TMPDIR");
        path = std::filesystem::path(tmp && *tmp ? tmp : "/tmp") /
               ("lunoria-memo-bench-" + std::to_string(reinterpret_cast<uintptr_t>(this)));
        std::filesystem::create_directories(path / std::filesystem::u8path("日历"));
    }
    ~MemoBenchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string root() const { return path.u8string(); }

private:
    std::filesystem::path path;
};

// Every slot 0-31 occupied with a text of `length` bytes of code-page-936 letters.
MemoStore FullMonth(const std::string& root, size_t length) {
    MemoStore store(root);
    store.LoadMonth(2006, 12);
    for (int day = 0; day <= 31; ++day)
        store.Update(day, std::string(length, static_cast<char>(0xB0 + day % 16)), 0);
    return store;
}

void BM_MemoUpdateFullMonth(benchmark::State& state) {
    MemoBenchDir dir;
    const size_t length = static_cast<size_t>(state.range(0));
    MemoStore store = FullMonth(dir.root(), length);
    const std::string texts[2] = {std::string(length, '\xC4'), std::string(length, '\xC5')};
    int n = 0;
    for (auto _ : state) {
        if (store.Update(1 + n % 31, texts[n % 2], 0) != 0) state.SkipWithError("update failed");
        ++n;
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(store.Bytes().size()));
}
// Wall time: the flushes wait for the disk, not the CPU.
BENCHMARK(BM_MemoUpdateFullMonth)->Arg(40)->Arg(2000)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The replace alone with nothing holding the file: one attempt (every save before saves rode out
// other programs' holds) against the retry budget (Arg 1), which must cost nothing here.
void BM_MemoReplaceFile(benchmark::State& state) {
    MemoBenchDir dir;
    const std::string bytes = FullMonth(dir.root(), 40).Bytes();
    const std::string path = dir.root() + "/日历/200612";
    const RetryPolicy& policy = state.range(0) ? kRideOutHolds : kOneAttempt;
    for (auto _ : state)
        if (WriteWholeFile(path, bytes.data(), bytes.size(), policy) != 0) state.SkipWithError("save failed");
}
BENCHMARK(BM_MemoReplaceFile)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_MemoLoadFullMonth(benchmark::State& state) {
    MemoBenchDir dir;
    const size_t length = static_cast<size_t>(state.range(0));
    FullMonth(dir.root(), length);
    MemoStore store(dir.root());
    for (auto _ : state) {
        if (store.LoadMonth(2006, 12) != 0) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(store.slot(31).length());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(store.Bytes().size()));
}
BENCHMARK(BM_MemoLoadFullMonth)->Arg(40)->Arg(2000)->Unit(benchmark::kMicrosecond);

} // namespace
