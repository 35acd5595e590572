#include "memo/memo_file.h"

#include <vector>

// A fixed name per target: a temporary file left by a crash is simply overwritten by the next write.
std::string TempPathFor(const std::string& path) {
    return path + ".tmp";
}

int KeepCopy(const std::string& path, const std::string& suffix, const std::string& data) {
    // Enough numbered copies of one file for any real use; past this, keeping another fails.
    constexpr int kMaxCopies = 999;
    for (int n = 1; n <= kMaxCopies; ++n) {
        std::string copy = path + suffix;
        if (n > 1) copy += std::to_string(n);
        int rc = CreateNewFile(copy, data.data(), data.size());
        if (rc == 0) return 0;
        if (rc < 0) return -1;
    }
    return -1;
}

int KeepDamagedCopy(const std::string& path, const RetryPolicy& retry) {
    std::string data;
    FileFault fault = FileFault::None;
    if (ReadWholeFile(path, data, &fault, retry) != 0) return fault == FileFault::Missing ? 0 : -1;
    return KeepCopy(path, ".bad", data);
}

std::string ExtendedLengthPath(const std::string& path) {
    std::string p = path;
    for (char& c : p)
        if (c == '/') c = '\\';
    if (p.rfind("\\\\?\\", 0) == 0) return p;
    std::string head;
    size_t pos = 0;
    bool unc = false;
    if (p.size() >= 3 && p[1] == ':' && p[2] == '\\' && ((p[0] | 0x20) >= 'a' && (p[0] | 0x20) <= 'z')) {
        head = "\\\\?\\" + p.substr(0, 2);
        pos = 3;
    } else if (p.size() > 2 && p[0] == '\\' && p[1] == '\\' && p[2] != '\\') {
        head = "\\\\?\\UNC";
        pos = 2;
        unc = true;
    } else {
        return std::string();
    }
    // A UNC path keeps its server and share: ".." never climbs above them.
    const size_t fixedSteps = unc ? 2 : 0;
    std::string out = head;
    std::vector<size_t> stepStarts;
    while (pos <= p.size()) {
        size_t end = p.find('\\', pos);
        if (end == std::string::npos) end = p.size();
        std::string step = p.substr(pos, end - pos);
        pos = end + 1;
        if (step.empty() || step == ".") continue;
        if (step == ".." && stepStarts.size() > fixedSteps) {
            out.resize(stepStarts.back());
            stepStarts.pop_back();
            continue;
        }
        if (step == "..") continue;
        stepStarts.push_back(out.size());
        out += '\\' + step;
    }
    if (stepStarts.empty()) out += '\\'; // the drive's root
    return out;
}
