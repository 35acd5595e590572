#include "memo/memo_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace {

// Which faults pass, how often a step is tried and how long it waits, on a fake clock.
TEST(SaveRetry, RidesOutTransientFaultsOnly) {
    for (uint32_t code : {5u, 32u, 33u, 55u, 64u, 121u, 1231u, 391u})
        EXPECT_TRUE(IsTransient(FaultFromWin32(code))) << code;
    for (uint32_t code : {2u, 3u, 19u, 112u, 362u, 377u, 388u})
        EXPECT_FALSE(IsTransient(FaultFromWin32(code))) << code;
    EXPECT_EQ(FaultFromWin32(362), FileFault::Offline);
    EXPECT_EQ(FaultFromErrno(EACCES), FileFault::ReadOnly); // POSIX permissions do not pass
    EXPECT_EQ(FaultFromErrno(EBUSY), FileFault::Busy);
    for (FileFault fault : {FileFault::Busy, FileFault::ReadOnly, FileFault::Missing, FileFault::Offline}) {
        for (int failures : {0, 3, 10, 50}) { // failed tries before the holder lets go
            std::vector<int> waits;
            SaveRetry retry(kRideOutHolds, [&](int ms) { waits.push_back(ms); });
            for (int tries = 0; tries < failures && retry.Again(fault); ++tries) {
            }
            std::vector<int> expected;
            for (int n = 0; IsTransient(fault) && n < std::min(failures, 10); ++n)
                expected.push_back(25 * (n + 1)); // 1375 ms in all after 10, then the step gives up
            EXPECT_EQ(waits, expected) << static_cast<int>(fault) << " " << failures;
        }
    }
    SaveRetry once(kOneAttempt, [](int) { ADD_FAILURE() << "one attempt waited"; });
    EXPECT_FALSE(once.Again(FileFault::Busy));
}

TEST(SaveRetry, ExtendedLengthPaths) {
    EXPECT_EQ(ExtendedLengthPath("D:/My Docs//我的记事/./日历/../备忘/default"),
              "\\\\?\\D:\\My Docs\\我的记事\\备忘\\default");
    EXPECT_EQ(ExtendedLengthPath("C:\\"), "\\\\?\\C:\\");
    EXPECT_EQ(ExtendedLengthPath("\\\\server\\share\\..\\..\\a"), "\\\\?\\UNC\\server\\share\\a");
    EXPECT_EQ(ExtendedLengthPath("\\\\?\\C:\\a\\..\\b"), "\\\\?\\C:\\a\\..\\b");
    EXPECT_EQ(ExtendedLengthPath("我的记事/日历"), "");
}

} // namespace
