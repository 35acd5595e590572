#include "memo/memo_merge.h"

#include "engine/names.h"

#include <algorithm>
#include <cctype>

// "-------- 以下是另一处保存的文字 --------" in code page 936.
const char kMergeMark[] =
    "\r\n-------- \xD2\xD4\xCF\xC2\xCA\xC7\xC1\xED\xD2\xBB\xB4\xA6\xB1\xA3\xB4\xE6\xB5\xC4\xCE\xC4"
    "\xD7\xD6 --------\r\n";

namespace {

void SplitParts(const std::string& text, std::vector<std::string>& parts) {
    const std::string mark = kMergeMark;
    size_t pos = 0;
    for (;;) {
        size_t at = text.find(mark, pos);
        std::string part = text.substr(pos, at == std::string::npos ? std::string::npos : at - pos);
        if (!part.empty()) parts.push_back(part);
        if (at == std::string::npos) return;
        pos = at + mark.size();
    }
}

bool SameRecord(const MemoRecord& a, const MemoRecord& b) {
    if (a.occupied() != b.occupied()) return false;
    return !a.occupied() || (a.text() == b.text() && a.color() == b.color());
}

// A record holds `text` in `color`; an empty text without a chosen colour empties it.
MemoRecord Record(const std::string& text, uint32_t color) {
    MemoRecord r;
    r.SetSlot(text.data(), text.size(), color);
    return r;
}

bool AllDigits(const std::string& s, size_t from, size_t count) {
    if (from + count > s.size()) return false;
    for (size_t i = from; i < from + count; ++i)
        if (!std::isdigit(static_cast<unsigned char>(s[i]))) return false;
    return true;
}

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// "2026-12-10" at `from`.
bool IsDashedDate(const std::string& s, size_t from) {
    return AllDigits(s, from, 4) && s[from + 4] == '-' && AllDigits(s, from + 5, 2) && s[from + 7] == '-' &&
           AllDigits(s, from + 8, 2);
}

ConflictPattern ParenPattern(const std::string& inner) {
    if (!inner.empty() && inner.size() <= 4 && AllDigits(inner, 0, inner.size())) return ConflictPattern::GoogleDrive;
    const std::string nextcloud = "conflicted copy ";
    // "conflicted copy 2026-12-10 093612"
    if (inner.size() == nextcloud.size() + 17 && inner.compare(0, nextcloud.size(), nextcloud) == 0 &&
        IsDashedDate(inner, nextcloud.size()) && inner[nextcloud.size() + 10] == ' ' &&
        AllDigits(inner, nextcloud.size() + 11, 6))
        return ConflictPattern::Nextcloud;
    // "PCNAME's conflicted copy 2026-12-10"
    const std::string dropbox = "'s conflicted copy ";
    if (inner.size() > dropbox.size() + 10) {
        size_t at = inner.size() - 10 - dropbox.size();
        if (at > 0 && inner.compare(at, dropbox.size(), dropbox) == 0 && IsDashedDate(inner, at + dropbox.size()))
            return ConflictPattern::Dropbox;
    }
    return ConflictPattern::None;
}

// "20261210-093612-ABCDEFG": the date, the time and the first seven characters of the device id.
bool IsSyncthingTail(const std::string& tail) {
    if (tail.size() != 23 || !AllDigits(tail, 0, 8) || tail[8] != '-' || !AllDigits(tail, 9, 6) || tail[15] != '-')
        return false;
    for (size_t i = 16; i < tail.size(); ++i)
        if (!std::isalnum(static_cast<unsigned char>(tail[i]))) return false;
    return true;
}

// A Windows computer name (NetBIOS: up to 15 letters, digits and hyphens), then OneDrive's "-1", "-2", ...
bool IsOneDriveTail(const std::string& tail) {
    if (tail.empty() || tail.size() > 20) return false;
    for (char c : tail)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_') return false;
    return tail.front() != '-';
}

} // namespace

std::string MergeTexts(const std::string& main, std::vector<std::string> others, size_t limit,
                       std::vector<std::string>* left) {
    std::sort(others.begin(), others.end());
    std::string result = main;
    // An empty slot takes the smallest other text as it is, so the result depends on the set alone.
    auto first = std::find_if(others.begin(), others.end(), [](const std::string& t) { return !t.empty(); });
    if (result.empty() && first != others.end()) {
        result = *first;
        others.erase(first);
    }
    std::vector<std::string> parts;
    for (const std::string& text : others)
        SplitParts(text, parts);
    std::sort(parts.begin(), parts.end());
    const std::string mark = kMergeMark;
    for (const std::string& part : parts) {
        if (result.find(part) != std::string::npos) continue;
        if (left && std::find(left->begin(), left->end(), part) != left->end()) continue;
        const std::string joined = result.empty() ? part : result + mark + part;
        if (joined.size() <= limit) {
            result = joined;
        } else if (left) {
            left->push_back(part);
        }
    }
    return result;
}

MemoRecord MergeSavedSlot(const MemoRecord& base, const MemoRecord& mine, const MemoRecord& theirs, SlotMerge* merge) {
    if (SameRecord(mine, base)) return theirs; // the user left it: the file's stays
    if (SameRecord(theirs, base) || SameRecord(theirs, mine) || !theirs.occupied()) return mine;
    if (mine.text() == theirs.text()) return mine; // only the colour differs: the user's
    SlotMerge local;
    if (!merge) merge = &local;
    merge->bothKept = true;
    const std::string text = MergeTexts(mine.text(), {theirs.text()}, MEMO_MAX_TEXT, &merge->left);
    return Record(text, mine.occupied() ? mine.color() : theirs.color());
}

void MergeCopies(MemoStore& main, const std::vector<const MemoStore*>& copies, std::vector<SlotMerge>* merges) {
    if (merges) merges->assign(static_cast<size_t>(main.maxIndex() + 1), SlotMerge());
    for (int i = 0; i <= main.maxIndex(); ++i) {
        // The record that leads: the main file's, else the smallest of the copies' (by text, then colour).
        const MemoRecord* lead = main.slot(i).occupied() ? &main.slot(i) : nullptr;
        std::vector<std::string> texts;
        for (const MemoStore* copy : copies) {
            const MemoRecord& r = copy->slot(i);
            if (!r.occupied()) continue;
            texts.push_back(r.text());
            if (lead == &main.slot(i)) continue;
            if (!lead || r.text() < lead->text() || (r.text() == lead->text() && r.color() < lead->color())) lead = &r;
        }
        if (!lead) continue;
        SlotMerge local;
        SlotMerge& merge = merges ? (*merges)[static_cast<size_t>(i)] : local;
        const std::string text = MergeTexts(lead->text(), texts, MEMO_MAX_TEXT, &merge.left);
        // One text taken as it was is no merge the user needs to hear of.
        const bool single = text == lead->text() || std::find(texts.begin(), texts.end(), text) != texts.end();
        merge.bothKept = !single || !merge.left.empty();
        const uint32_t color = lead->color();
        main.Put(i, Record(text, color));
    }
}

bool IsMemoFileName(const std::string& name) {
    if (name == "week" || name == "default") return true;
    if ((name.size() != 3 && name.size() != 6) || !AllDigits(name, 0, name.size())) return false;
    const int month = std::stoi(name.substr(name.size() - 2));
    if (month < 1 || month > 12) return false;
    return name.size() == 6 || name[0] == '0' || name[0] == '1';
}

ConflictPattern ParseConflictName(const std::string& name, std::string* base) {
    std::string b;
    ConflictPattern pattern = ConflictPattern::None;
    size_t at;
    if ((at = name.find(".sync-conflict-")) != std::string::npos) {
        b = name.substr(0, at);
        if (IsSyncthingTail(name.substr(at + 15))) pattern = ConflictPattern::Syncthing;
    } else if ((at = name.find(" (")) != std::string::npos) {
        b = name.substr(0, at);
        if (EndsWith(name, ")")) pattern = ParenPattern(name.substr(at + 2, name.size() - at - 3));
    } else if ((at = name.find('-')) != std::string::npos) {
        b = name.substr(0, at);
        if (IsOneDriveTail(name.substr(at + 1))) pattern = ConflictPattern::OneDrive;
    }
    if (pattern == ConflictPattern::None || !IsMemoFileName(b)) return ConflictPattern::None;
    if (base) *base = b;
    return pattern;
}

std::string SlotTitle(const std::string& fileName, int slot) {
    if (fileName == "week" && slot >= 0 && slot <= 6) return std::string("每周") + WeekdayName(slot);
    if (!IsMemoFileName(fileName) || fileName == "week" || fileName == "default") return fileName;
    const int month = std::stoi(fileName.substr(fileName.size() - 2));
    const std::string day = std::to_string(slot);
    if (fileName.size() == 6) return fileName.substr(0, 4) + "年" + std::to_string(month) + "月" + day + "日";
    if (fileName[0] == '1') return "每年" + std::to_string(month) + "月" + day + "日";
    if (slot < 1 || slot > 30) return fileName;
    return "农历每年" + LunarMonthName(month, false) + "月" + LunarDayName(slot);
}
