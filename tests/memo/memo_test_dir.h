// Helpers shared by the memo store and memo file tests.
#pragma once

#include "tests/common/memo_folder_test.h"

using MemoDirTest = MemoFolderTest;

// Bytes from a list of byte values, for exact file contents.
inline std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values)
        s.push_back(static_cast<char>(v));
    return s;
}
