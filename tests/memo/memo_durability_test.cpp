// The flushes a power cut needs: a killed process cannot show them (the page cache survives it), so
// this exe is linked with --wrap=fsync,rename and records every call the memo files make.
#include "memo/memo_file.h"
#include "memo/memo_store.h"
#include "memo_test_dir.h"

#include <climits>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Recorder {
    bool on = false;
    int failSyncOf = 0; // the n-th recorded fsync fails with EIO (0: none)
    std::string folder; // canonical path of the 日历 folder
    std::vector<std::string> events;
} rec;

std::string NameIn(const std::string& path) {
    if (path == rec.folder) return "folder";
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

extern "C" {
int __real_fsync(int fd);
int __real_rename(const char* from, const char* to);

int __wrap_fsync(int fd) {
    if (!rec.on) return __real_fsync(fd);
    char link[PATH_MAX] = {};
    ssize_t n = readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), link, sizeof link - 1);
    std::string event = "sync " + NameIn(std::string(link, n > 0 ? size_t(n) : 0));
    struct stat st;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) event += " " + std::to_string(st.st_size);
    rec.events.push_back(event);
    if (int(rec.events.size()) == rec.failSyncOf) {
        errno = EIO;
        return -1;
    }
    return __real_fsync(fd);
}

int __wrap_rename(const char* from, const char* to) {
    if (rec.on) rec.events.push_back("rename " + NameIn(from) + " " + NameIn(to));
    return __real_rename(from, to);
}
}

namespace {

class MemoDurability : public MemoDirTest {
protected:
    void SetUp() override {
        MemoDirTest::SetUp();
        rec = Recorder{};
        rec.folder = std::filesystem::canonical(Dir()).u8string();
        rec.on = true;
    }
    void TearDown() override {
        rec.on = false;
        MemoDirTest::TearDown();
    }
    using Events = std::vector<std::string>;
};

// Data reaches the disk before the name points at it, and the name before the save reports success.
TEST_F(MemoDurability, TempFlushedThenRenamedThenFolderFlushed) {
    MemoStore store(root);
    store.LoadMonth(2006, 12);
    ASSERT_EQ(store.Update(5, "abc", 0), 0);
    EXPECT_EQ(rec.events, (Events{"sync 200612.tmp 13", "rename 200612.tmp 200612", "sync folder"}));
}

// The copy of a damaged file is on the disk, name and all, before the file is replaced.
TEST_F(MemoDurability, DamagedCopyIsDurableBeforeTheReplace) {
    rec.on = false;
    Write("200612", Bytes({0x64, 0, 40, 0, 1, 0, 0, 0, 0, 0, 'z'}));
    MemoStore store(root);
    ASSERT_EQ(store.LoadMonth(2006, 12), -1);
    rec.on = true;
    ASSERT_EQ(store.Update(1, "new", 0), 0);
    EXPECT_EQ(rec.events, (Events{"sync 200612.bad 11", "sync folder", "sync 200612.tmp 13", "rename 200612.tmp 200612",
                                  "sync folder"}));
}

// A flush that fails is a failed save: nothing is renamed and the old file stays.
TEST_F(MemoDurability, FailedFlushFailsTheSave) {
    MemoStore store(root);
    store.LoadMonth(2006, 12);
    ASSERT_EQ(store.Update(5, "old", 0), 0);
    const std::string before = Read("200612");
    rec.events.clear();
    rec.failSyncOf = 1;
    EXPECT_EQ(store.Update(5, "new", 0), -1);
    EXPECT_EQ(rec.events, (Events{"sync 200612.tmp 13"}));
    EXPECT_EQ(Read("200612"), before);
    EXPECT_EQ(Names(), (std::vector<std::string>{"200612"}));
}

} // namespace
