#include "memo/conflict_copies.h"

#include "memo/memo_file.h"
#include "memo/memo_merge.h"
#include "memo/memo_store.h"

#include <algorithm>
#include <cstdint>
#include <map>

const char kMergedFolder[] = "日历/已合并";

namespace {

// Enough numbered names for any real use.
constexpr int kMaxNames = 999;

std::string Numbered(const std::string& name, const std::string& extension, int n) {
    return n == 1 ? name + extension : name + " (" + std::to_string(n) + ")" + extension;
}

// Moves a merged copy into 已合并 under its own name, or the first free numbered one.
int MoveToMerged(const std::string& memoRoot, const std::string& from, const std::string& name) {
    const std::string folder = memoRoot + "/" + kMergedFolder;
    if (MakeFolder(folder) != 0) return -1;
    for (int n = 1; n <= kMaxNames; ++n) {
        int rc = MoveFileTo(from, folder + "/" + Numbered(name, std::string(), n));
        if (rc <= 0) return rc;
    }
    return -1;
}

struct Copy {
    std::string name;
    std::string bytes;
};

// Reads the copies of one memo file; those that cannot be read stay where they are.
std::vector<Copy> ReadCopies(const std::string& folder, const std::vector<std::string>& names,
                             CopyMergeReport& report) {
    std::vector<Copy> copies;
    for (const std::string& name : names) {
        Copy copy{name, std::string()};
        if (ReadWholeFile(folder + "/" + name, copy.bytes) == 0)
            copies.push_back(std::move(copy));
        else
            ++report.leftAlone;
    }
    return copies;
}

// The notepad's page: its text first, the copies' texts below the mark.
bool MergePage(const std::string& path, const std::string& page, const std::vector<Copy>& copies, std::string& merged) {
    std::vector<std::string> texts;
    for (const Copy& c : copies)
        texts.push_back(c.bytes);
    merged = MergeTexts(page, texts, SIZE_MAX, nullptr);
    if (merged == page) return true;
    return WriteWholeFile(path, merged.data(), merged.size()) == 0;
}

// A memo file of 日历 and its copies, slot by slot. False when nothing may move.
bool MergeMemoFile(const std::string& memoRoot, const std::string& base, const std::string& path,
                   const std::string& data, std::vector<Copy>& copies, CopyMergeReport& report) {
    const int maxIndex = base == "week" ? 7 : 31;
    MemoStore main;
    main.Init(maxIndex, std::string());
    if (main.LoadBytes(data.data(), data.size()) != 0) return false; // a damaged memo file waits for the user
    std::vector<MemoStore> tables;
    tables.reserve(copies.size());
    for (auto c = copies.begin(); c != copies.end();) {
        MemoStore table;
        table.Init(maxIndex, std::string());
        if (table.LoadBytes(c->bytes.data(), c->bytes.size()) != 0) {
            ++report.leftAlone; // damaged: merges nothing and stays
            c = copies.erase(c);
            continue;
        }
        tables.push_back(std::move(table));
        ++c;
    }
    if (copies.empty()) return false;
    std::vector<const MemoStore*> pointers;
    for (const MemoStore& t : tables)
        pointers.push_back(&t);
    std::vector<SlotMerge> merges;
    MergeCopies(main, pointers, &merges);
    for (int i = 0; i <= maxIndex; ++i) {
        const SlotMerge& m = merges[static_cast<size_t>(i)];
        if (m.bothKept) report.days.push_back(SlotTitle(base, i));
        for (const std::string& part : m.left) {
            std::string file;
            if (KeepLeftText(memoRoot, SlotTitle(base, i), part, &file) != 0) return false;
            report.leftFiles.push_back(file);
        }
    }
    const std::string bytes = main.Bytes();
    if (bytes == data || bytes.empty()) return true;
    if (WriteWholeFile(path, bytes.data(), bytes.size()) != 0) return false;
    report.files.push_back("日历/" + base);
    return true;
}

void MergeFolder(const std::string& memoRoot, const std::string& sub, CopyMergeReport& report) {
    const std::string folder = memoRoot + "/" + sub;
    std::vector<std::string> names;
    if (ListFiles(folder, names) != 0) return;
    std::map<std::string, std::vector<std::string>> groups;
    for (const std::string& name : names) {
        std::string base;
        if (ParseConflictName(name, &base) == ConflictPattern::None) continue;
        // Each folder has its own memo files: the notepad's page in 备忘, the rest in 日历.
        if ((base == "default") != (sub == "备忘")) continue;
        groups[base].push_back(name);
    }
    for (auto& [base, copyNames] : groups) {
        std::sort(copyNames.begin(), copyNames.end());
        const std::string path = folder + "/" + base;
        std::string data;
        bool missing = false;
        if (ReadWholeFile(path, data, &missing) != 0 && !missing) {
            report.leftAlone += static_cast<int>(copyNames.size());
            continue;
        }
        std::vector<Copy> copies = ReadCopies(folder, copyNames, report);
        if (copies.empty()) continue;
        bool ok;
        if (base == "default") {
            std::string merged;
            ok = MergePage(path, data, copies, merged);
            if (ok && merged != data) report.files.push_back(sub + "/" + base);
        } else {
            ok = MergeMemoFile(memoRoot, base, path, data, copies, report);
        }
        if (!ok) {
            report.leftAlone += static_cast<int>(copies.size());
            continue;
        }
        for (const Copy& c : copies) {
            if (MoveToMerged(memoRoot, folder + "/" + c.name, c.name) == 0)
                ++report.merged;
            else
                ++report.leftAlone; // merged already; the next pass finds nothing new in it
        }
    }
}

} // namespace

int KeepLeftText(const std::string& memoRoot, const std::string& title, const std::string& text, std::string* file) {
    if (memoRoot.empty()) return -1;
    const std::string folder = memoRoot + "/" + kMergedFolder;
    if (MakeFolder(folder) != 0) return -1;
    for (int n = 1; n <= kMaxNames; ++n) {
        const std::string name = Numbered(title, ".txt", n);
        std::string there;
        bool missing = false;
        int rc;
        if (ReadWholeFile(folder + "/" + name, there, &missing) == 0) {
            if (there != text) continue;
            rc = 0;
        } else {
            rc = missing ? CreateNewFile(folder + "/" + name, text.data(), text.size()) : 1;
        }
        if (rc < 0) return -1;
        if (rc > 0) continue;
        if (file) *file = std::string(kMergedFolder) + "/" + name;
        return 0;
    }
    return -1;
}

CopyMergeReport MergeConflictCopies(const std::string& memoRoot) {
    CopyMergeReport report;
    if (memoRoot.empty()) return report;
    MergeFolder(memoRoot, "日历", report);
    MergeFolder(memoRoot, "备忘", report);
    return report;
}

std::string CopyMergeMessage(const CopyMergeReport& report) {
    if (report.days.empty()) return std::string();
    std::string text = "同步程序留下的冲突副本已经合并，副本移到了“日历\\已合并”。\n"
                       "这些记事两处写的不一样，两处的文字都保留了（另一处的在“以下是另一处保存的文字”一行之下）：\n\n";
    for (const std::string& day : report.days)
        text += day + "\n";
    for (std::string file : report.leftFiles) {
        for (char& ch : file)
            if (ch == '/') ch = '\\';
        text += "放不进记事的文字存在“" + file + "”里。\n";
    }
    return text;
}
