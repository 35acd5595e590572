// What to do when another computer (through a sync client) wrote the same memo file: the rules that
// merge two versions of a file slot by slot, and the names sync clients give their conflict copies.
//
// Nothing is dropped. A slot both versions hold with different texts keeps both: the text that stays
// first (the one saved here, or the main file's) as it is, then every other part below a mark line
// (kMergeMark). A part already contained in the text is not added again, and the added parts stand in
// byte order, so merging the same versions again, or in another order, gives the same bytes. Parts that
// would pass the length limit are handed back for a file in 日历/已合并 (conflict_copies.h).
#pragma once

#include "memo/memo_store.h"

#include <cstddef>
#include <string>
#include <vector>

// CR LF, "-------- 以下是另一处保存的文字 --------" in code page 936, CR LF.
extern const char kMergeMark[];

// `main` stays as it is (when it is empty, the smallest of `others` takes its place); each other text,
// cut at the marks into parts, adds the parts the result does not contain yet, in byte order. Parts that
// would take the result past `limit` bytes go to `left`.
std::string MergeTexts(const std::string& main, std::vector<std::string> others, size_t limit,
                       std::vector<std::string>* left);

// What one merge of a slot did.
struct SlotMerge {
    bool bothKept = false;         // two different texts were kept in the slot (or beside it, in `left`)
    std::vector<std::string> left; // parts that did not fit the slot
    std::string leftFile;          // where a store put them, relative to the memo folder
};

// A save over a file that changed since it was read. `base` is the slot as the user began to edit it,
// `mine` what the user saves, `theirs` the slot in the file now. The user's change wins where only
// the user changed the slot; where the file changed it too, both texts are kept, the user's first,
// in the user's colour (the file's when the user emptied the slot).
MemoRecord MergeSavedSlot(const MemoRecord& base, const MemoRecord& mine, const MemoRecord& theirs, SlotMerge* merge);

// Conflict copies into the main file's table: a slot only one of them holds is taken; different texts
// are all kept, the main file's first. Order of `copies` does not matter. `merges[i]` (sized to the
// table) says what became of slot i.
void MergeCopies(MemoStore& main, const std::vector<const MemoStore*>& copies, std::vector<SlotMerge>* merges);

// Sync clients' names for a conflict copy of memo file B (memo files have no extension):
//   OneDrive     B-PCNAME, B-PCNAME-1, B-PCNAME-2
//   Dropbox      B (PCNAME's conflicted copy 2026-12-10)
//   Nextcloud    B (conflicted copy 2026-12-10 093612)      (ownCloud alike)
//   Syncthing    B.sync-conflict-20261210-093612-ABCDEFG
//   Google Drive B (1)
enum class ConflictPattern { None, OneDrive, Dropbox, Nextcloud, Syncthing, GoogleDrive };
// The pattern of `name`, with `base` set to the memo file it is a copy of; None when `name` is no
// conflict copy of a memo file ("200612", "101", "001", "week", "default").
ConflictPattern ParseConflictName(const std::string& name, std::string* base);
// Names of memo files: month-type (6 digits of a year and month, or 3 for the yearly files), "week",
// and the notepad's "default".
bool IsMemoFileName(const std::string& name);

// The day (or page) a slot of a memo file stands for, in UTF-8: "2026年12月10日" (file 202612, slot
// 10), "每年12月10日" (112), "农历每年十月初十" (010), "每周三" (week, slot 3); the bare name for others.
std::string SlotTitle(const std::string& fileName, int slot);
