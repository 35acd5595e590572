// A memo save under Wine when nothing holds the file: the full month file replaced with one attempt
// (what every save did before saves rode out other programs' holds) against the save with its retry
// budget, side by side, in rounds that alternate so the machine's load falls on both alike; and the
// same save under a path too long for the classic limit (the long-path form), and the store's whole
// save, which reads the file again before it writes. Prints the median and the mean of each.   lunoria-memo-bench
// [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/filled_memo_folder.h"
#include "memo/memo_file.h"
#include "memo/memo_store.h"

namespace {

struct Timing {
    const char* name;
    std::string path;
    RetryPolicy policy;
    std::vector<double> micros;
};

} // namespace

int wmain(int argc, wchar_t** argv) {
    int rounds = argc > 1 ? _wtoi(argv[1]) : 300;
    if (rounds < 1) rounds = 300;
    FilledMemoFolder folder("lunoria-memo-bench");
    MemoStore month(folder.root);
    month.LoadMonth(2026, 12);
    for (int day = 0; day <= 31; ++day)
        month.Update(day, std::string(40, static_cast<char>(0xB0 + day % 16)), 0);
    const std::string bytes = month.Bytes();

    // A folder deep enough that its memo files pass the classic limit of 260 characters.
    std::string deep = folder.root;
    for (int i = 0; i < 20; ++i) {
        deep += "/长路径 folder";
        MakeFolder(deep);
    }

    std::vector<Timing> timings = {
        {"one attempt (the save before)", folder.root + "/日历/202612", kOneAttempt, {}},
        {"with the retry budget", folder.root + "/日历/202612", kRideOutHolds, {}},
        {"with the retry budget, long path", deep + "/202612", kRideOutHolds, {}},
    };
    // The store's save as the editor makes it: the file read again, one slot changed over it, written.
    timings.push_back({"store update (reads the file first)", std::string(), kRideOutHolds, {}});
    const std::string texts[2] = {std::string(40, '\xC4'), std::string(40, '\xC5')};
    MemoStore own(folder.root); // a file of its own, as full as the one above
    own.LoadMonth(2026, 11);
    for (int day = 0; day <= 31; ++day)
        own.Update(day, std::string(40, static_cast<char>(0xB0 + day % 16)), 0);
    for (int i = 0; i < rounds; ++i) {
        for (Timing& t : timings) {
            auto start = std::chrono::steady_clock::now();
            if (t.path.empty()) {
                if (own.Update(1 + i % 31, texts[i % 2], 0) != 0) {
                    std::printf("%s: the save failed\n", t.name);
                    return 1;
                }
            } else if (WriteWholeFile(t.path, bytes.data(), bytes.size(), t.policy) != 0) {
                std::printf("%s: the save failed\n", t.name);
                return 1;
            }
            t.micros.push_back(
                std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
        }
    }
    std::printf("memo save of a full month file (%zu bytes), %d rounds:\n", bytes.size(), rounds);
    for (Timing& t : timings) {
        std::sort(t.micros.begin(), t.micros.end());
        double sum = 0;
        for (double m : t.micros)
            sum += m;
        std::printf("  %-36s median %7.1f us, mean %7.1f us\n", t.name, t.micros[t.micros.size() / 2],
                    sum / static_cast<double>(t.micros.size()));
    }
    return 0;
}
