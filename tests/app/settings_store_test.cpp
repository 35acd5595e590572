// The registry settings and the folder step, against the real registry (under Wine in the tests).
// Keys and values of their own, so a calendar running in the same prefix is not disturbed.
#include "app/settings_parse.h"
#include "app/settings_store.h"
#include "win/text.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

const std::string kTestKey = "SOFTWARE\\Quorvel\\LunoriaSettingsTest";
const std::string kTestRunName = "LunoriaSettingsTest";

class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, ToWide(kTestKey).c_str()); }
    void TearDown() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, ToWide(kTestKey).c_str());
        SetAutostart(false, kTestRunName);
    }

    static void StoreRaw(const std::string& name, DWORD type, const void* data, DWORD bytes) {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, ToWide(kTestKey).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                  &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(key, ToWide(name).c_str(), 0, type, static_cast<const BYTE*>(data), bytes);
        RegCloseKey(key);
    }
};

TEST_F(SettingsStore, MissingKeyOrValueFailsAndWritesCreateTheKey) {
    std::string text = "untouched";
    EXPECT_EQ(ReadSetting(kTestKey, "PosX", &text), -1);
    EXPECT_EQ(text, "untouched");
    ASSERT_EQ(WriteSetting(kTestKey, "PosX", FormatDecimal(-12)), 0);
    EXPECT_EQ(ReadSetting(kTestKey, "PosY", &text), -1);
    ASSERT_EQ(ReadSetting(kTestKey, "PosX", &text), 0);
    EXPECT_EQ(text, "-12");
    EXPECT_EQ(ParseDecimal(text), -12);
    ASSERT_EQ(WriteSetting(kTestKey, "PosX", "7"), 0); // overwrite, shorter
    ASSERT_EQ(ReadSetting(kTestKey, "PosX", &text), 0);
    EXPECT_EQ(text, "7");
}

TEST_F(SettingsStore, ReadsTextsOthersStoredWithAndWithoutNul) {
    const wchar_t noNul[] = {L'4', L'2'};
    StoreRaw("NoNul", REG_SZ, noNul, sizeof noNul);
    const wchar_t withNul[] = L"123";
    StoreRaw("WithNul", REG_SZ, withNul, sizeof withNul);
    const wchar_t empty[] = L"";
    StoreRaw("Empty", REG_SZ, empty, 0);
    DWORD number = 5;
    StoreRaw("Dword", REG_DWORD, &number, sizeof number);
    const wchar_t odd[] = L"99";
    StoreRaw("Odd", REG_SZ, odd, 3); // a torn wide string: the half character is dropped
    std::string text;
    ASSERT_EQ(ReadSetting(kTestKey, "NoNul", &text), 0);
    EXPECT_EQ(text, "42");
    ASSERT_EQ(ReadSetting(kTestKey, "WithNul", &text), 0);
    EXPECT_EQ(text, "123");
    ASSERT_EQ(ReadSetting(kTestKey, "Empty", &text), 0);
    EXPECT_EQ(text, "");
    EXPECT_EQ(ReadSetting(kTestKey, "Dword", &text), -1);
    ASSERT_EQ(ReadSetting(kTestKey, "Odd", &text), 0);
    EXPECT_EQ(text, "9");
}

TEST_F(SettingsStore, ChineseTextsSurviveTheRoundTrip) {
    ASSERT_EQ(WriteSetting(kTestKey, "名字", "日历 2.162"), 0);
    std::string text;
    ASSERT_EQ(ReadSetting(kTestKey, "名字", &text), 0);
    EXPECT_EQ(text, "日历 2.162");
}

TEST_F(SettingsStore, AutostartStoresTheQuotedPathAndRemovesOnlyItsValue) {
    ASSERT_EQ(SetAutostart(true, kTestRunName), 0);
    std::string text;
    ASSERT_EQ(ReadSetting(kRunKey, kTestRunName, &text), 0);
    std::string path = ProgramPath();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(text, "\"" + path + "\"");
    EXPECT_TRUE(AutostartCurrent({true, text}, path));
    ASSERT_EQ(WriteSetting(kTestKey, "PosX", "1"), 0);
    EXPECT_EQ(SetAutostart(false, kTestRunName), 0);
    EXPECT_EQ(ReadSetting(kRunKey, kTestRunName, &text), -1);
    EXPECT_EQ(ReadSetting(kTestKey, "PosX", &text), 0);
    EXPECT_EQ(SetAutostart(false, kTestRunName), -1); // already gone
}

TEST(EnterFolder, CreatesMissingFoldersAndEntersThem) {
    wchar_t temp[MAX_PATH];
    ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
    std::string base = ToUtf8(temp) + "lunoria-enter-" + std::to_string(GetCurrentProcessId());
    std::string inner = base + "\\我的记事";
    ASSERT_EQ(EnterFolder(base), 0);
    ASSERT_EQ(EnterFolder("我的记事"), 0); // relative to the folder just entered
    wchar_t current[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, current);
    EXPECT_EQ(ToUtf8(current), inner);
    EXPECT_EQ(EnterFolder(inner), 0); // existing: entered, nothing created
    // A name that cannot be a folder (an existing file) fails.
    HANDLE f = CreateFileW(L"plain", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    CloseHandle(f);
    EXPECT_EQ(EnterFolder("plain"), -1);
    SetCurrentDirectoryW(temp);
    DeleteFileW(ToWide(inner + "\\plain").c_str());
    RemoveDirectoryW(ToWide(inner).c_str());
    RemoveDirectoryW(ToWide(base).c_str());
}

} // namespace
