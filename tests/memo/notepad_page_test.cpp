#include "memo/memo_file.h"
#include "memo/notepad_page.h"
#include "memo_test_dir.h"

#include <filesystem>

namespace {

class NotepadPage : public MemoDirTest {
protected:
    void SetUp() override {
        MemoDirTest::SetUp();
        std::filesystem::create_directories(std::filesystem::u8path(root + "/备忘"));
    }
    std::string File() const { return NotepadPagePath(root, kNotepadPage); }
};

TEST_F(NotepadPage, TheFileHoldsExactlyTheTextAndGoesWhenEmpty) {
    const std::string text = "Hello \xBC\xC7\xCA\xC2\r\nline";
    ASSERT_EQ(SaveNotepadPage(root, kNotepadPage, text), 0);
    std::string bytes;
    ASSERT_EQ(ReadWholeFile(File(), bytes), 0);
    EXPECT_EQ(bytes, text);
    std::string loaded = "stale";
    ASSERT_EQ(LoadNotepadPage(root, kNotepadPage, loaded), 0);
    EXPECT_EQ(loaded, text);

    ASSERT_EQ(SaveNotepadPage(root, kNotepadPage, ""), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::u8path(File())));
    EXPECT_EQ(LoadNotepadPage(root, kNotepadPage, loaded), 0);
    EXPECT_EQ(loaded, "");
}

TEST_F(NotepadPage, ForeignFileReadsUpToItsFirstNulAndFailuresKeepTheOldFile) {
    const std::string foreign("abc\0def", 7);
    ASSERT_EQ(WriteWholeFile(File(), foreign.data(), foreign.size()), 0);
    std::string loaded;
    ASSERT_EQ(LoadNotepadPage(root, kNotepadPage, loaded), 0);
    EXPECT_EQ(loaded, "abc");

    // The temporary file's name is taken by a folder: the save fails and the old page stays.
    std::filesystem::create_directory(std::filesystem::u8path(TempPathFor(File())));
    EXPECT_EQ(SaveNotepadPage(root, kNotepadPage, "abcx"), -1);
    std::string bytes;
    ASSERT_EQ(ReadWholeFile(File(), bytes), 0);
    EXPECT_EQ(bytes, foreign);
    // Without a memo folder there is nowhere to write, and nothing is read.
    EXPECT_EQ(SaveNotepadPage("", kNotepadPage, "x"), -1);
    EXPECT_EQ(LoadNotepadPage("", kNotepadPage, loaded), 0);
    EXPECT_EQ(loaded, "");
}

} // namespace
