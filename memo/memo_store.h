// Memo store: one memo file held as a table of slots (a day number or a weekday per slot).
//
// File format (little-endian, no padding): a format word (written as 100, never checked on load), then
// for each occupied slot in ascending order: index int16, text length uint16, colour word uint32, text bytes.
// Texts are the raw code-page-936 bytes of the file; the store never converts them.
//
// Every write replaces the file atomically (see memo_file.h). A file that loads damaged or could not be read
// is copied aside as <name>.bad, .bad2, ... before the store first replaces or removes it.
//
// Another computer may write the same file (a synced memo folder). A save never replaces what it did not
// read: Update reads the file again, and changes only its own slot over what the file holds now
// (memo_merge.h). Refresh, for the watch, looks at the stamp (size and time) first and at the bytes
// only when it moved.
#pragma once

#include "memo/memo_file.h"
#include "memo/save_retry.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct SlotMerge; // memo_merge.h

enum class MemoKind : int { OneTime = 1, SolarYearly = 2, LunarYearly = 3, Weekly = 4 };

// Colour word: 0 (or any word without this bit) means the kind's default colour; with it, bits 0-23
// hold a COLORREF (0x00BBGGRR) the user chose.
constexpr uint32_t MEMO_CUSTOM_COLOR = 0x01000000;

// Longest text a record can hold: its length is a 16-bit field.
constexpr size_t MEMO_MAX_TEXT = 65535;

// The COLORREF in which a record of this kind is marked and shown.
uint32_t MemoColor(uint32_t color, MemoKind kind);

// One slot. Occupied: it holds a text (possibly empty, which only a custom colour keeps).
// Present: occupied and its first text byte is not 0; only present records mark a day.
class MemoRecord {
public:
    // Replaces the record. A text that is null or starts with byte 0 empties the slot unless `color`
    // carries MEMO_CUSTOM_COLOR. Texts longer than MEMO_MAX_TEXT are refused (−1) and change nothing.
    int SetSlot(const char* text, size_t length, uint32_t color);

    bool occupied() const { return isOccupied; }
    bool present() const { return isOccupied && !bytes.empty() && bytes[0] != '\0'; }
    // The text bytes (without terminator; c_str() adds one). Empty when the slot is empty.
    const std::string& text() const { return bytes; }
    uint16_t length() const { return static_cast<uint16_t>(bytes.size()); }
    uint32_t color() const { return colorWord; }

private:
    std::string bytes;
    uint32_t colorWord = 0;
    bool isOccupied = false;
};

// One memo file's slot table. Paths are UTF-8; the memo folder (root) is held explicitly, so the
// process's current directory never matters. A store without a root reads and writes nothing.
class MemoStore {
public:
    MemoStore() = default;
    explicit MemoStore(std::string memoRoot) : rootDir(std::move(memoRoot)) {}

    // The memo folder ("我的记事" in the user's documents). Files live in <root>/日历/<name>.
    void SetRoot(const std::string& memoRoot) { rootDir = memoRoot; }
    const std::string& root() const { return rootDir; }

    // Empties the table to maxIndex + 1 slots and sets the file name, relative to the root with '/'
    // separators (e.g. "日历/200612").
    void Init(int maxIndex, const std::string& relativePath);
    // Empties every slot; keeps the table size and the path.
    void Clear();

    // Reads the file: 0, or −1 when the file holds a slot index outside the table, ends inside a record,
    // or exists but cannot be read. The slots read before the fault stay loaded.
    int Load();
    // The last Load found the file there but unreadable because it is a cloud file that cannot be
    // fetched now; the store shows nothing of it and will not replace it.
    bool offline() const { return readFault == FileFault::Offline; }
    // Writes the occupied slots, or removes the file when none is occupied: 0, or −1 when the old file
    // stays as it was.
    int Save();
    // SetSlot on slot `index`, then Save. −1 when the index or text is refused or the write fails; then
    // nothing changes, neither the slot nor the file.
    int Update(int index, const char* text, size_t length, uint32_t color);
    int Update(int index, const std::string& text, uint32_t color) {
        return Update(index, text.data(), text.size(), color);
    }

    // Month-type file "日历/<a><b:02>": (year, month), (1, month) yearly solar, (0, lunar month) yearly lunar.
    int LoadMonth(int a, int b);
    // The weekly file "日历/week", slots 0 (Sunday) to 7.
    int LoadWeek();

    // As Update, over the file as it is now: `base` is the slot as the user began to edit it (the
    // table's own slot when null); where the file's slot changed since, both texts are kept and `merge`
    // says so (a part past the length limit goes to a file in 日历/已合并, named in merge->leftFile).
    int Update(int index, const std::string& text, uint32_t color, const MemoRecord* base, SlotMerge* merge);

    // The file changed since it was read or written here (another program, a sync client): reads it
    // again. True when the table changed. Its size and time are looked at first, its bytes after.
    bool Refresh();

    int maxIndex() const { return static_cast<int>(slots.size()) - 1; }
    // Sets slot i without writing (merges); an index outside the table is ignored.
    void Put(int i, const MemoRecord& record);
    // The file's name in 日历 ("200612", "week").
    std::string FileName() const;
    // Slot i; an index outside the table gives an empty record.
    const MemoRecord& slot(int i) const;
    // Relative path set by Init, and the full path of the file.
    const std::string& path() const { return relPath; }
    std::string FullPath() const;

    // The file as Save would write it; empty when no slot is occupied.
    std::string Bytes() const;
    // Load from bytes already in memory (the file's whole contents): 0 or −1 as Load.
    int LoadBytes(const char* data, size_t size);

private:
    // The table becomes what the file holds now (taken only when its bytes changed): 0, or −1 when it
    // is there but cannot be read.
    int TakeFileNow();
    void NoteFile(const std::string& bytes, const FileStamp& stamp);

    std::vector<MemoRecord> slots;
    std::string relPath;
    std::string rootDir;
    // The last Load did not read the whole file cleanly; its bytes go aside before the first replace.
    bool fileDamaged = false;
    FileFault readFault = FileFault::None; // why the last Load could not read the file
    std::string fileBytes;                 // the file as last read or written here
    FileStamp fileStamp;                   // and its stamp then
};
