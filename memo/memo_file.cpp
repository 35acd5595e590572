#include "memo/memo_file.h"

// A fixed name per target: a temporary file left by a crash is simply overwritten by the next write.
std::string TempPathFor(const std::string& path) {
    return path + ".tmp";
}

int KeepDamagedCopy(const std::string& path) {
    // Enough numbered copies of a damaged file for any real use; past this, saving that file fails.
    constexpr int kMaxCopies = 999;
    std::string data;
    bool missing = false;
    if (ReadWholeFile(path, data, &missing) != 0) return missing ? 0 : -1;
    for (int n = 1; n <= kMaxCopies; ++n) {
        std::string copy = path + ".bad";
        if (n > 1) copy += std::to_string(n);
        int rc = CreateNewFile(copy, data.data(), data.size());
        if (rc == 0) return 0;
        if (rc < 0) return -1;
    }
    return -1;
}
