#include "holidays/holiday_file.h"

#include <map>

#include "holidays/holiday_json.h"
#include "win/gb18030.h"

const char kHolidayFileName[] = "节假日.txt";
const char kHolidayFolderName[] = "节假日";

namespace {

// Whether the bytes are well-formed UTF-8: shortest forms only, no surrogates, nothing past U+10FFFF.
bool IsUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        const unsigned char b = static_cast<unsigned char>(s[i]);
        int length = b < 0x80                 ? 1
                     : b >= 0xC2 && b <= 0xDF ? 2
                     : b >= 0xE0 && b <= 0xEF ? 3
                     : b >= 0xF0 && b <= 0xF4 ? 4
                                              : 0;
        if (length == 0 || i + length > s.size()) return false;
        unsigned char low = 0x80, high = 0xBF; // range of the second byte
        if (b == 0xE0) low = 0xA0;
        if (b == 0xED) high = 0x9F;
        if (b == 0xF0) low = 0x90;
        if (b == 0xF4) high = 0x8F;
        for (int k = 1; k < length; ++k) {
            const unsigned char c = static_cast<unsigned char>(s[i + k]);
            if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF)) return false;
        }
        i += length;
    }
    return true;
}

// ASCII blanks and the full-width space a Chinese input method types.
const char kWideSpace[] = "\xE3\x80\x80";

void SkipBlanks(std::string_view& s) {
    for (;;) {
        if (!s.empty() && (s[0] == ' ' || s[0] == '\t')) {
            s.remove_prefix(1);
        } else if (s.substr(0, 3) == kWideSpace) {
            s.remove_prefix(3);
        } else {
            return;
        }
    }
}

void TrimBlanks(std::string_view& s) {
    SkipBlanks(s);
    for (;;) {
        if (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
            s.remove_suffix(1);
        } else if (s.size() >= 3 && s.substr(s.size() - 3) == kWideSpace) {
            s.remove_suffix(3);
        } else {
            return;
        }
    }
}

// `least` to `most` decimal digits, not followed by another digit.
bool TakeNumber(std::string_view& s, size_t least, size_t most, int& value) {
    size_t n = 0;
    value = 0;
    while (n < s.size() && n <= most && s[n] >= '0' && s[n] <= '9')
        value = value * 10 + (s[n++] - '0');
    if (n < least || n > most) return false;
    s.remove_prefix(n);
    return true;
}

bool TakeChar(std::string_view& s, char c) {
    if (s.empty() || s[0] != c) return false;
    s.remove_prefix(1);
    return true;
}

// One line without its comment and line end: "" when it holds an entry, else why not.
std::string ParseLine(std::string_view s, HolidayEntry& entry) {
    CivilDate& date = entry.date;
    if (!(TakeNumber(s, 4, 4, date.year) && TakeChar(s, '-') && TakeNumber(s, 1, 2, date.month) && TakeChar(s, '-') &&
          TakeNumber(s, 1, 2, date.day)))
        return "no date (YYYY-MM-DD) at the start";
    if (!date.ok()) return "no such date";
    if (date.year < 1900 || date.year > 2100) return "year outside 1900-2100";
    SkipBlanks(s);
    if (s.substr(0, 3) == "休") {
        entry.mark = HolidayMark::Rest;
    } else if (s.substr(0, 3) == "班") {
        entry.mark = HolidayMark::Work;
    } else if (s.substr(0, 1) == "-") {
        entry.mark = HolidayMark::None;
        s.remove_prefix(1);
        TrimBlanks(s);
        return s.empty() ? "" : "text after \"-\"";
    } else {
        return "no 休, 班 or - after the date";
    }
    s.remove_prefix(3);
    TrimBlanks(s);
    entry.name = std::string(s);
    return "";
}

} // namespace

HolidayFileContents ParseHolidayFile(std::string_view bytes) {
    HolidayFileContents out;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    std::string text = IsUtf8(bytes) ? std::string(bytes) : Gb18030ToUtf8(bytes);

    std::map<int32_t, int> lineOf; // day -> line that gave it
    std::string_view rest = text;
    for (int number = 1; !rest.empty(); ++number) {
        size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        line = line.substr(0, line.find('#'));
        TrimBlanks(line);
        if (line.empty()) continue;

        HolidayEntry entry;
        std::string why = ParseLine(line, entry);
        if (why.empty()) {
            auto given = lineOf.emplace(DaysFromCivil(entry.date.year, entry.date.month, entry.date.day), number);
            if (!given.second) why = "date already given on line " + std::to_string(given.first->second);
        }
        if (why.empty())
            out.entries.push_back(std::move(entry));
        else
            out.problems.push_back({number, why});
    }
    return out;
}

namespace {

std::string InFolder(const std::string& folder, const std::string& name) {
    if (folder.empty()) return "";
    const bool slash = folder.back() == '/' || folder.back() == '\\';
    return folder + (slash ? "" : "/") + name;
}

} // namespace

std::string FetchedHolidayPath(const std::string& memoFolder, int year) {
    return InFolder(InFolder(memoFolder, kHolidayFolderName), std::to_string(year) + ".json");
}

std::vector<HolidayYearFile> ReadFetchedHolidays(const std::string& memoFolder) {
    std::vector<HolidayYearFile> files;
    std::vector<std::string> names;
    if (memoFolder.empty() || ListFiles(InFolder(memoFolder, kHolidayFolderName), names) != 0) return files;
    for (const std::string& name : names) {
        int year = 0;
        if (name.size() != 9 || name.substr(4) != ".json") continue;
        for (size_t i = 0; i < 4; ++i)
            year = name[i] >= '0' && name[i] <= '9' ? year * 10 + (name[i] - '0') : -1000000;
        if (year < 1900 || year > 2100) continue;
        std::string bytes;
        HolidayYearFile file;
        if (StampOf(FetchedHolidayPath(memoFolder, year)).size > kHolidayReplyMaxBytes ||
            ReadWholeFile(FetchedHolidayPath(memoFolder, year), bytes) != 0 ||
            !AcceptHolidayReply(200, bytes, year, file).empty())
            continue;
        files.push_back(std::move(file));
    }
    return files;
}

int KeepFetchedHolidays(const std::string& memoFolder, int year, std::string_view body) {
    HolidayYearFile file;
    if (memoFolder.empty() || !AcceptHolidayReply(200, body, year, file).empty()) return -1;
    const std::string path = FetchedHolidayPath(memoFolder, year);
    if (file.days.empty() && StampOf(path).exists) return 0;
    MakeFolder(InFolder(memoFolder, kHolidayFolderName));
    return WriteWholeFile(path, body.data(), body.size());
}

void HolidayFileWatch::SetFolder(const std::string& utf8Folder) {
    folder = utf8Folder;
    filePath = InFolder(utf8Folder, kHolidayFileName);
    stamp = FileStamp();
    holidays.SetUserEntries({});
    ReloadFetched();
    Refresh();
}

void HolidayFileWatch::ReloadFetched() {
    holidays.SetFetched(ReadFetchedHolidays(folder));
}

bool HolidayFileWatch::Refresh() {
    const FileStamp now = filePath.empty() ? FileStamp() : StampOf(filePath);
    if (now == stamp) return false;
    const bool wanted = now.exists && now.size <= kHolidayFileMaxBytes;
    std::string bytes;
    // A file that cannot be read just now (an editor is saving it) keeps the entries read before,
    // and the next look tries again.
    if (wanted && ReadWholeFile(filePath, bytes) != 0) return false;
    stamp = now;
    holidays.SetUserEntries(ParseHolidayFile(bytes).entries);
    return true;
}
