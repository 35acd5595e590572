// Conflict copies that sync clients leave beside the memo files (memo_merge.h names them): merged into
// their memo file, which is written crash-safely, and then moved, not deleted, into 日历/已合并, where
// the user can still open them. A text that no longer fits its slot after a merge goes there too, as a
// text file in code page 936 named after its day ("2026年12月10日.txt", then "2026年12月10日 (2).txt").
#pragma once

#include <string>
#include <vector>

extern const char kMergedFolder[]; // "日历/已合并", in the memo folder

// Keeps `text` as <memo folder>/日历/已合并/<title>.txt, or the first free "<title> (n).txt"; a file that
// holds this very text already counts. 0 with `file` (relative to the memo folder) set, or −1.
int KeepLeftText(const std::string& memoRoot, const std::string& title, const std::string& text, std::string* file);

struct CopyMergeReport {
    int merged = 0;                     // copies merged and moved into 已合并
    int leftAlone = 0;                  // copies that stay where they are (unreadable, damaged, or their
                                        // memo file is)
    std::vector<std::string> days;      // where two different texts were kept (see SlotTitle)
    std::vector<std::string> leftFiles; // texts that did not fit their slot, relative to the memo folder
    std::vector<std::string> files;     // memo files the pass rewrote ("日历/202612", "备忘/default")
};

// One pass over 日历 and 备忘 of the memo folder.
CopyMergeReport MergeConflictCopies(const std::string& memoRoot);

// What the user is told after a pass that kept two different texts of one memo: which days, and where
// texts that did not fit went. Empty when the pass merged nothing of the kind.
std::string CopyMergeMessage(const CopyMergeReport& report);
