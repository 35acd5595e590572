// Memo files for the grid tests, in the shared per-test memo folder.
#pragma once

#include "tests/common/memo_folder_test.h"

#include <cstdint>
#include <string>

// One memo file: the format word, then (slot, text, colour word) records in the given order.
struct MemoFileRecord {
    int slot;
    std::string text;
    uint32_t color;
};
inline std::string MemoFileBytes(std::initializer_list<MemoFileRecord> records) {
    std::string out = {100, 0};
    auto put = [&out](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    for (const MemoFileRecord& r : records) {
        put(static_cast<uint32_t>(r.slot), 2);
        put(static_cast<uint32_t>(r.text.size()), 2);
        put(r.color, 4);
        out += r.text;
    }
    return out;
}
