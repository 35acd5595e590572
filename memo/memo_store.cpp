#include "memo/memo_store.h"

#include "memo/conflict_copies.h"
#include "memo/memo_file.h"
#include "memo/memo_merge.h"

#include <cstdio>

namespace {

constexpr uint16_t kFormatWord = 100;
constexpr size_t kRecordHead = 8;
// Slot indexes are 16-bit signed in the file.
constexpr int kMaxSlots = 32768;

uint16_t Get16(const unsigned char* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
uint32_t Get32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}
void Put16(std::string& out, uint16_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}
void Put32(std::string& out, uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((v >> shift) & 0xFF));
}

const MemoRecord kEmptyRecord;

} // namespace

uint32_t MemoColor(uint32_t color, MemoKind kind) {
    if (color & MEMO_CUSTOM_COLOR) return color & 0x00FFFFFF;
    switch (kind) {
    case MemoKind::OneTime: return 0x00FACE87;     // RGB(135, 206, 250)
    case MemoKind::SolarYearly: return 0x000000FF; // RGB(255, 0, 0)
    case MemoKind::LunarYearly: return 0x00FF0080; // RGB(128, 0, 255)
    case MemoKind::Weekly: return 0x000000FF;      // RGB(255, 0, 0)
    }
    return 0x000000FF;
}

int MemoRecord::SetSlot(const char* text, size_t length, uint32_t color) {
    // A longer text would wrap the 16-bit length in the file and corrupt every record after it.
    if (length > MEMO_MAX_TEXT) return -1;
    if (!text) length = 0;
    bytes.clear();
    isOccupied = false;
    colorWord = color;
    // An empty text is a deletion, unless the user chose a colour for the day: that is kept.
    if (!(color & MEMO_CUSTOM_COLOR) && (length == 0 || text[0] == '\0')) return 0;
    bytes.assign(text ? text : "", length);
    isOccupied = true;
    return 0;
}

void MemoStore::Init(int maxIndex, const std::string& relativePath) {
    int count = maxIndex + 1;
    if (count < 0) count = 0;
    if (count > kMaxSlots) count = kMaxSlots;
    slots.assign(static_cast<size_t>(count), MemoRecord());
    relPath = relativePath;
    fileDamaged = false;
    readFault = FileFault::None;
}

void MemoStore::Clear() {
    for (MemoRecord& r : slots)
        r = MemoRecord();
}

const MemoRecord& MemoStore::slot(int i) const {
    if (i < 0 || i > maxIndex()) return kEmptyRecord;
    return slots[static_cast<size_t>(i)];
}

std::string MemoStore::FullPath() const {
    if (rootDir.empty() || relPath.empty()) return std::string();
    std::string full = rootDir;
    if (full.back() != '/' && full.back() != '\\') full += '/';
    return full + relPath;
}

std::string MemoStore::Bytes() const {
    size_t total = 0;
    for (const MemoRecord& r : slots)
        if (r.occupied()) total += kRecordHead + r.length();
    std::string out;
    if (total == 0) return out;
    out.reserve(2 + total);
    Put16(out, kFormatWord);
    for (size_t i = 0; i < slots.size(); ++i) {
        const MemoRecord& r = slots[i];
        if (!r.occupied()) continue;
        Put16(out, static_cast<uint16_t>(i));
        Put16(out, r.length());
        Put32(out, r.color());
        out += r.text();
    }
    return out;
}

int MemoStore::LoadBytes(const char* data, size_t size) {
    Clear();
    // Files of up to 2 bytes hold no record; the format word is not checked.
    if (!data || size <= 2) return 0;
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(data);
    size_t pos = 2;
    while (pos < size) {
        if (size - pos < kRecordHead) return -1;
        const unsigned char* head = bytes + pos;
        int index = static_cast<int16_t>(Get16(head));
        size_t length = Get16(head + 2);
        uint32_t color = Get32(head + 4);
        if (index < 0 || index > maxIndex()) return -1;
        if (size - pos - kRecordHead < length) return -1;
        // A later record for the same index replaces the earlier one.
        slots[static_cast<size_t>(index)].SetSlot(data + pos + kRecordHead, length, color);
        pos += kRecordHead + length;
    }
    return 0;
}

void MemoStore::Put(int i, const MemoRecord& record) {
    if (i >= 0 && i <= maxIndex()) slots[static_cast<size_t>(i)] = record;
}

std::string MemoStore::FileName() const {
    size_t slash = relPath.find_last_of("/\\");
    return slash == std::string::npos ? relPath : relPath.substr(slash + 1);
}

void MemoStore::NoteFile(const std::string& bytes, const FileStamp& stamp) {
    fileBytes = bytes;
    fileStamp = stamp;
}

int MemoStore::Load() {
    Clear();
    fileDamaged = false;
    readFault = FileFault::None;
    NoteFile(std::string(), FileStamp());
    std::string full = FullPath();
    if (full.empty()) return 0;
    std::string data;
    // The stamp before the bytes: a change made while they are read shows at the next look.
    const FileStamp stamp = StampOf(full);
    if (ReadWholeFile(full, data, &readFault) != 0) {
        fileStamp = stamp;
        if (readFault == FileFault::Missing) return 0;
        // It exists but could not be read (held past the retries, no permission, a cloud file whose
        // provider is not running): it is not empty, so it is never replaced blindly.
        fileDamaged = true;
        return -1;
    }
    int rc = LoadBytes(data.data(), data.size());
    fileDamaged = rc != 0;
    NoteFile(data, stamp);
    return rc;
}

bool MemoStore::Refresh() {
    const std::string full = FullPath();
    if (full.empty() || StampOf(full) == fileStamp) return false;
    const std::string before = Bytes();
    Load();
    return Bytes() != before;
}

int MemoStore::TakeFileNow() {
    const std::string full = FullPath();
    if (full.empty()) return -1;
    // The bytes even when the stamp is the same: a file of the same size replaced within the file
    // system's time granularity (10-16 ms on Windows) keeps its stamp.
    const FileStamp stamp = StampOf(full);
    std::string data;
    FileFault fault = FileFault::None;
    if (ReadWholeFile(full, data, &fault) != 0 && fault != FileFault::Missing) {
        readFault = fault;
        fileDamaged = true;
        return -1;
    }
    readFault = FileFault::None;
    const bool same = data == fileBytes && !fileDamaged;
    fileStamp = stamp;
    if (same) return 0;
    fileBytes = data;
    fileDamaged = LoadBytes(data.data(), data.size()) != 0;
    return 0;
}

int MemoStore::Save() {
    std::string full = FullPath();
    if (full.empty()) return -1;
    if (fileDamaged) {
        // The store holds only part of what the file held; replacing it without a copy would lose the rest.
        if (KeepDamagedCopy(full) != 0) return -1;
        fileDamaged = false;
    }
    std::string bytes = Bytes();
    int rc = bytes.empty() ? RemoveFile(full) : WriteWholeFile(full, bytes.data(), bytes.size());
    // Our own write: a look at the file that finds this stamp finds these bytes.
    if (rc == 0) NoteFile(bytes, StampOf(full));
    return rc;
}

int MemoStore::Update(int index, const char* text, size_t length, uint32_t color) {
    if (index < 0 || index > maxIndex()) return -1;
    return Update(index, std::string(text ? text : "", text ? length : 0), color, nullptr, nullptr);
}

int MemoStore::Update(int index, const std::string& text, uint32_t color, const MemoRecord* base, SlotMerge* merge) {
    if (index < 0 || index > maxIndex()) return -1;
    MemoRecord mine;
    if (mine.SetSlot(text.data(), text.size(), color) != 0) return -1;
    const MemoRecord was = base ? *base : slots[static_cast<size_t>(index)];
    SlotMerge local;
    if (!merge) merge = &local;
    *merge = SlotMerge();
    if (TakeFileNow() != 0) return -1;
    MemoRecord& record = slots[static_cast<size_t>(index)];
    const MemoRecord result = MergeSavedSlot(was, mine, record, merge);
    // A text that does not fit beside the user's is on disk before the slot is written without it.
    for (const std::string& part : merge->left)
        if (KeepLeftText(rootDir, SlotTitle(FileName(), index), part, &merge->leftFile) != 0) return -1;
    const MemoRecord before = record;
    record = result;
    if (!fileDamaged && Bytes() == fileBytes) return 0; // the file holds it already
    if (Save() == 0) return 0;
    // What the file did not take must not show as if it had: the user would trust a memo that is
    // gone at the next start.
    record = before;
    return -1;
}

int MemoStore::LoadMonth(int a, int b) {
    char name[32];
    std::snprintf(name, sizeof name, "%d%02d", a, b);
    Init(31, std::string("日历/") + name);
    return Load();
}

int MemoStore::LoadWeek() {
    Init(7, "日历/week");
    return Load();
}
