// libFuzzer target: arbitrary bytes as a memo file, loaded into a month store and the weekly store.
// Beyond crashes and sanitizer reports it checks that what a load keeps saves and reloads unchanged,
// and that a damaged file is kept byte for byte beside the rewritten one.
#include "memo/memo_file.h"
#include "memo/memo_store.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void Check(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "memo fuzz: %s\n", what);
    std::abort();
}

// One memo folder for the whole run: $LUNORIA_FUZZ_DIR (tools/fuzz.sh puts it on tmpfs, where fsync is
// free, and removes it), else a temporary folder removed at a normal exit. Held by a pointer so it
// outlives that exit handler.
const std::string& Root() {
    static const std::string* root = [] {
        if (const char* given = std::getenv("LUNORIA_FUZZ_DIR")) {
            auto* r = new std::string(given);
            mkdir((*r + "/日历").c_str(), 0700);
            return r;
        }
        char pattern[] = "/dev/shm/lunoria-fuzz-XXXXXX";
        char fallback[] = "/tmp/lunoria-fuzz-XXXXXX";
        const char* dir = mkdtemp(pattern);
        if (!dir) dir = mkdtemp(fallback);
        Check(dir != nullptr, "no temporary folder");
        auto* r = new std::string(dir);
        mkdir((*r + "/日历").c_str(), 0700);
        std::atexit([] {
            std::string cmd = "rm -rf '" + Root() + "'";
            if (std::system(cmd.c_str()) != 0) std::fprintf(stderr, "memo fuzz: could not remove %s\n", Root().c_str());
        });
        return r;
    }();
    return *root;
}

void OneStore(bool weekly, const char* data, size_t size) {
    const std::string input(data, size);
    MemoStore store(Root());
    store.Init(weekly ? 7 : 31, weekly ? "日历/week" : "日历/200612");
    const std::string file = store.FullPath();
    Check(WriteWholeFile(file, input.data(), input.size()) == 0, "write failed");

    int rc = store.Load();
    MemoStore fromBytes;
    fromBytes.Init(store.maxIndex(), store.path());
    // The fuzzer's own buffer has no slack after it: any read past the end is reported.
    Check(fromBytes.LoadBytes(data, size) == rc, "Load and LoadBytes disagree");
    const std::string kept = store.Bytes();
    Check(fromBytes.Bytes() == kept, "Load and LoadBytes keep different slots");

    // What was kept is a well-formed file that reloads to itself.
    MemoStore again;
    again.Init(store.maxIndex(), store.path());
    Check(again.LoadBytes(kept.data(), kept.size()) == 0, "saved bytes do not load");
    Check(again.Bytes() == kept, "saved bytes do not round-trip");
    for (int i = 0; i <= store.maxIndex(); ++i) {
        const MemoRecord& r = store.slot(i);
        Check(!r.present() || r.occupied(), "present but not occupied");
        Check(r.occupied() || r.text().empty(), "empty slot with text");
    }

    Check(store.Save() == 0, "save failed");
    std::string now;
    bool missing = false;
    if (kept.empty()) {
        Check(ReadWholeFile(file, now, &missing) == -1 && missing, "empty store left a file");
    } else {
        Check(ReadWholeFile(file, now) == 0 && now == kept, "saved file differs");
    }
    std::string copy;
    if (rc != 0) {
        Check(ReadWholeFile(file + ".bad", copy) == 0 && copy == input, "damaged file not kept");
        Check(RemoveFile(file + ".bad") == 0, "cannot remove copy");
    } else {
        Check(ReadWholeFile(file + ".bad", copy, &missing) == -1 && missing, "copy of a sound file");
    }
    RemoveFile(file);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    OneStore(false, reinterpret_cast<const char*>(data), size);
    OneStore(true, reinterpret_cast<const char*>(data), size);
    return 0;
}
