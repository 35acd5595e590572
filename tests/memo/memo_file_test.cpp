#include "memo/memo_file.h"
#include "memo/memo_store.h"
#include "memo/notepad_page.h"
#include "memo_test_dir.h"

#ifdef _WIN32
#include <windows.h>
#endif

#ifndef _WIN32
#include <chrono>
#include <csignal>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

using MemoFile = MemoDirTest;

TEST_F(MemoFile, ReplaceCreateReadRemove) {
    const std::string path = root + "/日历/f";
    ASSERT_EQ(WriteWholeFile(path, "one", 3), 0);
    ASSERT_EQ(WriteWholeFile(path, "second", 6), 0);
    std::string data;
    ASSERT_EQ(ReadWholeFile(path, data), 0);
    EXPECT_EQ(data, "second");

    // A temporary file left by a crash is taken over by the next write and never read as the file.
    Write("f.tmp", "stale stale stale");
    ASSERT_EQ(WriteWholeFile(path, "third", 5), 0);
    EXPECT_EQ(Names(), (std::vector<std::string>{"f"}));
    Write("f.tmp", "stale");
    ASSERT_EQ(RemoveFile(path), 0);
    EXPECT_TRUE(Names().empty());
    EXPECT_EQ(RemoveFile(path), 0);

    bool missing = false;
    EXPECT_EQ(ReadWholeFile(path, data, &missing), -1);
    EXPECT_TRUE(missing);
    EXPECT_EQ(ReadWholeFile(root + "/nowhere/f", data, &missing), -1);
    EXPECT_TRUE(missing);
    EXPECT_EQ(WriteWholeFile(root + "/nowhere/f", "x", 1), -1);

    ASSERT_EQ(CreateNewFile(path, "new", 3), 0);
    EXPECT_EQ(CreateNewFile(path, "other", 5), 1);
    EXPECT_EQ(Read("f"), "new");
    // A plain file where a folder should be: nothing there either.
    EXPECT_EQ(ReadWholeFile(path + "/g", data, &missing), -1);
    EXPECT_TRUE(missing);
}

#ifndef _WIN32

// Runs `body` in a child process and returns its exit code (or 128 + signal).
template <class Body> int InChild(Body body) {
    pid_t pid = fork();
    if (pid == 0) _exit(body());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

MemoStore FilledMonth(const std::string& root, char fill, size_t length) {
    MemoStore store(root);
    store.Init(31, "日历/200612");
    for (int day = 1; day <= 31; ++day)
        store.Update(day, std::string(length, fill), 0);
    return store;
}

// A writer killed at any moment leaves the old or the new file, never a mix; the temporary file it
// may leave is gone after the next normal save.
TEST_F(MemoFile, KilledWriterLeavesOneWholeVersion) {
    MemoStore a = FilledMonth(root, 'a', 2000);
    MemoStore b = FilledMonth(root, 'b', 1500);
    const std::string bytesA = a.Bytes(), bytesB = b.Bytes();
    ASSERT_EQ(a.Save(), 0);

    // Kill within the time of a few saves, measured here: the machine may be busy or its disk slow.
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 4; ++i)
        ASSERT_EQ((i % 2 ? a : b).Save(), 0);
    auto saveMicros =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count() / 4 +
        20;

    std::mt19937 rng(7);
    int tempsLeft = 0, sawA = 0, sawB = 0, unchanged = 0;
    for (int round = 0; round < 200; ++round) {
        // The child first writes the version the file does not hold, so every round can change it.
        const bool holdsA = Read("200612") == bytesA;
        MemoStore& first = holdsA ? b : a;
        MemoStore& second = holdsA ? a : b;
        pid_t pid = fork();
        if (pid == 0) {
            for (;;) {
                first.Save();
                second.Save();
            }
        }
        usleep(static_cast<useconds_t>(rng() % (3 * saveMicros)));
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        const std::string now = Read("200612");
        ASSERT_TRUE(now == bytesA || now == bytesB) << "round " << round << ": " << now.size() << " bytes";
        (now == bytesA ? sawA : sawB)++;
        // Ten kills in a row before any save was done: the machine got busier than when the saves were
        // timed, so the window widens.
        unchanged = (now == bytesA) == holdsA ? unchanged + 1 : 0;
        if (unchanged == 10) saveMicros *= 2, unchanged = 0;
        tempsLeft += Exists("200612.tmp");
    }
    std::printf("kills: %d left A, %d left B, %d left a temporary file\n", sawA, sawB, tempsLeft);
    EXPECT_GT(sawA, 0);
    EXPECT_GT(sawB, 0);
    ASSERT_EQ(b.Save(), 0);
    EXPECT_EQ(Names(), (std::vector<std::string>{"200612"}));
    EXPECT_EQ(Read("200612"), bytesB);
}

// Full disk, simulated with a file-size limit (works for root too): writes fail with EFBIG.
TEST_F(MemoFile, FullDiskSaveFailsOldFileIntact) {
    MemoStore store(root);
    store.LoadMonth(2006, 12);
    ASSERT_EQ(store.Update(1, "old", 0), 0);
    const std::string before = Read("200612");

    int code = InChild([&] {
        rlimit limit{4096, 4096};
        signal(SIGXFSZ, SIG_IGN);
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
        return store.Update(2, std::string(10000, 'x'), 0) == -1 ? 0 : 1;
    });
    ASSERT_EQ(code, 0);
    EXPECT_EQ(Read("200612"), before);
    EXPECT_EQ(Names(), (std::vector<std::string>{"200612"}));

    // A damaged file whose copy cannot be written is not replaced either.
    const std::string damaged = Bytes({0x64, 0, 40, 0}) + std::string(6000, 'd');
    Write("200612", damaged);
    code = InChild([&] {
        rlimit limit{4096, 4096};
        signal(SIGXFSZ, SIG_IGN);
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
        MemoStore s(root);
        if (s.LoadMonth(2006, 12) != -1) return 3;
        return s.Update(1, "new", 0) == -1 ? 0 : 1;
    });
    ASSERT_EQ(code, 0);
    EXPECT_EQ(Read("200612"), damaged);
    EXPECT_EQ(Names(), (std::vector<std::string>{"200612"}));
}

// Read-only folder. Root ignores permissions, so as root the child drops to nobody (uid 65534);
// skipped where that is not allowed.
TEST_F(MemoFile, ReadOnlyFolderSaveFailsOldFileIntact) {
    MemoStore store(root);
    store.LoadMonth(2006, 12);
    ASSERT_EQ(store.Update(1, "old", 0), 0);
    const std::string before = Read("200612");
    chmod(base.c_str(), 0755);
    chmod(root.c_str(), 0755);
    chmod(Dir().c_str(), 0555);

    int code = InChild([&] {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) return 2;
        if (store.Update(2, "new", 0) != -1) return 1;
        return store.Update(1, "", 0) == -1 ? 0 : 1;
    });
    chmod(Dir().c_str(), 0755);
    if (code == 2) GTEST_SKIP() << "cannot drop privileges here";
    ASSERT_EQ(code, 0);
    EXPECT_EQ(Read("200612"), before);
    EXPECT_EQ(Names(), (std::vector<std::string>{"200612"}));
}

#endif

#ifdef _WIN32
// A memo file the user made read-only is refused, as Windows refuses to replace it; Wine alone
// would rename over it.
TEST_F(MemoFile, ReadOnlyFileStaysAsItIs) {
    const std::string path = root + "/日历/f";
    ASSERT_EQ(WriteWholeFile(path, "kept", 4), 0);
    const std::wstring wide = std::filesystem::u8path(path).wstring();
    ASSERT_TRUE(SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(WriteWholeFile(path, "lost", 4), -1);
    EXPECT_EQ(Read("f"), "kept");
    EXPECT_EQ(Names(), (std::vector<std::string>{"f"}));
    SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
}
#endif

// A notepad page that could not be read when it was loaded is never replaced unseen: its bytes go
// to default.bad first, and while they cannot be kept nothing is written.
TEST_F(MemoFile, UnreadNotepadPageIsKeptAsideBeforeTheFirstSave) {
    namespace fs = std::filesystem;
    const std::string page = NotepadPagePath(root, kNotepadPage);
    fs::create_directories(fs::u8path(root + "/备忘"));
    ASSERT_EQ(WriteWholeFile(page, "old page", 8), 0);
    std::string data;
    ASSERT_EQ(SaveNotepadPage(root, kNotepadPage, "typed", KeepAside::Damaged), 0);
    ASSERT_EQ(ReadWholeFile(page + ".bad", data), 0);
    EXPECT_EQ(data, "old page");
    ASSERT_EQ(ReadWholeFile(page, data), 0);
    EXPECT_EQ(data, "typed");
    ASSERT_EQ(SaveNotepadPage(root, kNotepadPage, "typed more"), 0); // read fine: no further copy
    EXPECT_FALSE(fs::exists(fs::u8path(page + ".bad2")));

    // Still unreadable at the save (here a folder where the page should be): the save fails.
    const std::string other = NotepadPagePath(root, "other");
    fs::create_directory(fs::u8path(other));
    EXPECT_EQ(LoadNotepadPage(root, "other", data), -1);
    EXPECT_EQ(SaveNotepadPage(root, "other", "x", KeepAside::Damaged), -1);
    EXPECT_TRUE(fs::is_directory(fs::u8path(other)));
}

// A text the last run could not save comes back at the next start; the page's older text is kept
// aside before it is replaced; an unsaved text not taken up this run is never overwritten, and one
// the page holds already is simply dropped.
TEST_F(MemoFile, UnsavedNotepadTextComesBackAndNothingIsOverwritten) {
    const std::string page = NotepadPagePath(root, kNotepadPage);
    auto text = [&](const char* suffix) {
        std::string data;
        return ReadWholeFile(page + suffix, data) == 0 ? data : "-";
    };
    std::filesystem::create_directories(std::filesystem::u8path(root + "/备忘"));
    ASSERT_EQ(WriteWholeFile(page, "old", 3), 0);
    ASSERT_EQ(KeepUnsavedPage(root, kNotepadPage, "typed", false), 0);
    NotepadStart start = LoadNotepadStart(root, kNotepadPage);
    ASSERT_TRUE(start.recovered);
    ASSERT_EQ(SaveNotepadPage(root, kNotepadPage, start.text, KeepAside::Older), 0);
    EXPECT_EQ(text("") + " " + text(".old"), "typed old");
    ASSERT_EQ(KeepUnsavedPage(root, kNotepadPage, "later", false), 0);
    ASSERT_EQ(KeepUnsavedPage(root, kNotepadPage, "typed", false), 0);
    EXPECT_EQ(text(".unsaved") + " " + text(".unsaved2") + " " + text(".unsaved3"), "typed later -");
    ASSERT_EQ(KeepUnsavedPage(root, kNotepadPage, "newest", true), 0);
    ASSERT_EQ(WriteWholeFile(page, "newest", 6), 0);
    EXPECT_FALSE(LoadNotepadStart(root, kNotepadPage).recovered);
    EXPECT_EQ(text(".unsaved"), "-");
}

} // namespace
