// A fresh memo folder ("我的记事" with its 日历 subfolder) per test, under a non-ASCII path so the
// wide file API is exercised on Windows.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

class MemoFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        namespace fs = std::filesystem;
        auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
        base = fs::temp_directory_path() /
               fs::u8path(std::string("lunoria-") + ::testing::UnitTest::GetInstance()->current_test_info()->name() +
                          "-" + std::to_string(ticks));
        fs::create_directories(base / fs::u8path("我的记事/日历"));
        root = (base / fs::u8path("我的记事")).u8string();
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(base, ec);
    }

    std::filesystem::path Dir() const { return std::filesystem::u8path(root + "/日历"); }
    std::filesystem::path FileOf(const std::string& name) const { return Dir() / std::filesystem::u8path(name); }
    bool Exists(const std::string& name) const { return std::filesystem::exists(FileOf(name)); }
    std::string Read(const std::string& name) const {
        std::ifstream in(FileOf(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream out(FileOf(name), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    // Names in the 日历 folder, sorted.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(Dir()))
            names.push_back(e.path().filename().u8string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::filesystem::path base;
    std::string root;
};
