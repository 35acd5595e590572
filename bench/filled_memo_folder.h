// A memo folder with every file the December 2026 page reads, each holding a few memos, so a month
// change reads six files (five distinct) and a holiday list like a well-used calendar does; Fill writes
// more. Removed again at the end.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

class FilledMemoFolder {
public:
    explicit FilledMemoFolder(const char* tempName) {
        namespace fs = std::filesystem;
        base = fs::temp_directory_path() / fs::u8path(tempName);
        fs::create_directories(base / fs::u8path("我的记事/日历"));
        root = (base / fs::u8path("我的记事")).u8string();
        for (const char* name : {"202612", "112", "010", "011", "week"})
            Fill(name, 1, 6, [](int slot) { return "memo text of slot " + std::to_string(slot); });
        std::ofstream(fs::u8path(root + "/节假日.txt"), std::ios::binary) << "2027-01-01 休 元旦\n2027-01-04 班 元旦\n";
    }
    // Writes the memo file "日历/<name>" with slots first to last, slot i holding textOf(i) (up to 65,535 bytes).
    template <typename TextOf> void Fill(const std::string& name, int first, int last, TextOf textOf) const {
        std::string bytes = {100, 0};
        for (int slot = first; slot <= last; ++slot) {
            const std::string text = textOf(slot);
            bytes += {char(slot), 0, char(text.size() & 0xFF), char(text.size() >> 8), 0, 0, 0, 0};
            bytes += text;
        }
        std::ofstream(std::filesystem::u8path(root + "/日历/" + name), std::ios::binary) << bytes;
    }
    ~FilledMemoFolder() {
        std::error_code ec;
        std::filesystem::remove_all(base, ec);
    }
    FilledMemoFolder(const FilledMemoFolder&) = delete;
    FilledMemoFolder& operator=(const FilledMemoFolder&) = delete;

    std::string root; // UTF-8, what SetMemoRoot takes

private:
    std::filesystem::path base;
};
