#include "memo/memo_file.h"
#include "memo/memo_store.h"
#include "memo_test_dir.h"

#include <random>

namespace {

constexpr uint32_t kRed = MEMO_CUSTOM_COLOR | 0x000000FF; // RGB(255, 0, 0) chosen by the user

using MemoFormat = MemoDirTest;
using MemoLoad = MemoDirTest;
using MemoDamaged = MemoDirTest;

TEST(MemoColorRule, DefaultsPerKindAndCustomColour) {
    EXPECT_EQ(MemoColor(0, MemoKind::OneTime), 0x00FACE87u);
    EXPECT_EQ(MemoColor(0, MemoKind::SolarYearly), 0x000000FFu);
    EXPECT_EQ(MemoColor(0, MemoKind::LunarYearly), 0x00FF0080u);
    EXPECT_EQ(MemoColor(0, MemoKind::Weekly), 0x000000FFu);
    // Without the custom bit the low bits mean nothing; with it, the top byte is dropped.
    EXPECT_EQ(MemoColor(0x00123456, MemoKind::OneTime), 0x00FACE87u);
    EXPECT_EQ(MemoColor(0xFF123456, MemoKind::Weekly), 0x00123456u);
}

TEST(MemoRecordSlot, EmptyTextDeletesUnlessColourCustom) {
    MemoRecord r;
    ASSERT_EQ(r.SetSlot("abc", 3, 0), 0);
    EXPECT_TRUE(r.present());
    ASSERT_EQ(r.SetSlot("", 0, 0), 0);
    EXPECT_FALSE(r.occupied());
    ASSERT_EQ(r.SetSlot(nullptr, 5, 0), 0);
    EXPECT_FALSE(r.occupied());
    ASSERT_EQ(r.SetSlot("\0ab", 3, 0), 0);
    EXPECT_FALSE(r.occupied());
    ASSERT_EQ(r.SetSlot("", 0, kRed), 0);
    EXPECT_TRUE(r.occupied());
    EXPECT_FALSE(r.present());
    ASSERT_EQ(r.SetSlot("\0ab", 3, kRed), 0);
    EXPECT_EQ(r.length(), 3);
    EXPECT_FALSE(r.present());
    ASSERT_EQ(r.SetSlot("\r\n", 2, 0), 0);
    EXPECT_TRUE(r.present());
}

TEST_F(MemoFormat, ExactBytesAndRemovalOfTheLastMemo) {
    MemoStore store(root);
    store.LoadMonth(2006, 12);
    ASSERT_EQ(store.Update(5, "abc", 0), 0);
    EXPECT_EQ(Read("200612"), Bytes({0x64, 0, 5, 0, 3, 0, 0, 0, 0, 0, 'a', 'b', 'c'}));

    ASSERT_EQ(store.Update(5, "abc", kRed), 0);
    EXPECT_EQ(Read("200612"), Bytes({0x64, 0, 5, 0, 3, 0, 0xFF, 0, 0, 1, 'a', 'b', 'c'}));

    // Cleared text with a custom colour: an 8-byte record stays, the day shows no mark.
    ASSERT_EQ(store.Update(5, "", kRed), 0);
    EXPECT_EQ(Read("200612"), Bytes({0x64, 0, 5, 0, 0, 0, 0xFF, 0, 0, 1}));
    MemoStore again(root);
    ASSERT_EQ(again.LoadMonth(2006, 12), 0);
    EXPECT_TRUE(again.slot(5).occupied());
    EXPECT_FALSE(again.slot(5).present());
    EXPECT_EQ(again.slot(5).color(), kRed);

    // Deleting the only memo removes the file; no header-only file, no temporary file.
    ASSERT_EQ(store.Update(5, "", 0), 0);
    EXPECT_TRUE(Names().empty());
}

TEST_F(MemoFormat, FileNamesAndUnseenSlotsRoundTrip) {
    MemoStore store(root);
    store.LoadMonth(2006, 3);
    ASSERT_EQ(store.Update(0, "zero", 0), 0);
    store.LoadMonth(1, 2);
    ASSERT_EQ(store.Update(29, "leap", 0), 0);
    store.LoadMonth(0, 12);
    ASSERT_EQ(store.Update(30, "x", 0), 0);
    store.LoadWeek();
    ASSERT_EQ(store.Update(7, "seven", 0), 0);
    EXPECT_EQ(Names(), (std::vector<std::string>{"012", "102", "200603", "week"}));

    MemoStore month(root), week(root);
    ASSERT_EQ(month.LoadMonth(2006, 3), 0);
    ASSERT_EQ(week.LoadWeek(), 0);
    EXPECT_EQ(month.maxIndex(), 31);
    EXPECT_EQ(week.maxIndex(), 7);
    EXPECT_EQ(month.slot(0).text(), "zero");
    EXPECT_EQ(week.slot(7).text(), "seven");
    // Saving again writes the unseen slots back unchanged.
    std::string before = Read("week");
    ASSERT_EQ(week.Update(1, "mon", 0), 0);
    ASSERT_EQ(week.Update(1, "", 0), 0);
    EXPECT_EQ(Read("week"), before);
}

TEST_F(MemoLoad, ShortFilesWrongFormatWordAndRepeatedIndex) {
    MemoStore store(root);
    for (const std::string& bytes : {std::string(), Bytes({0x64}), Bytes({0x64, 0})}) {
        Write("200612", bytes);
        EXPECT_EQ(store.LoadMonth(2006, 12), 0);
        for (int i = 0; i <= 31; ++i)
            EXPECT_FALSE(store.slot(i).occupied());
    }
    // The format word is never checked.
    Write("200612", Bytes({0xFF, 0xFF, 2, 0, 1, 0, 0, 0, 0, 0, 'q'}));
    EXPECT_EQ(store.LoadMonth(2006, 12), 0);
    EXPECT_EQ(store.slot(2).text(), "q");

    // The last record for an index wins; a zero-length record without custom colour empties the slot.
    Write("200612", Bytes({0x64, 0,   4, 0, 1, 0, 0, 0, 0, 0, 'a', 4, 0, 2, 0, 0, 0, 0, 0,
                           'b',  'c', 6, 0, 1, 0, 0, 0, 0, 0, 'x', 6, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(store.LoadMonth(2006, 12), 0);
    EXPECT_EQ(store.slot(4).text(), "bc");
    EXPECT_FALSE(store.slot(6).occupied());

    // Missing file: an empty store; a store without a root touches nothing.
    EXPECT_EQ(store.LoadMonth(1999, 1), 0);
    MemoStore rootless;
    EXPECT_EQ(rootless.LoadMonth(2006, 12), 0);
    EXPECT_FALSE(rootless.slot(4).occupied());
    EXPECT_EQ(rootless.Update(4, "a", 0), -1);
    EXPECT_FALSE(rootless.slot(4).present());
}

TEST_F(MemoLoad, FaultsKeepTheSlotsReadBefore) {
    const std::string good = Bytes({0x64, 0, 3, 0, 1, 0, 0, 0, 0, 0, 'a'});
    const std::string faults[] = {
        Bytes({5, 0, 3, 0, 0, 0, 0, 0, 'x', 'y'}),  // text cut short
        Bytes({5, 0, 3, 0, 0}),                     // head cut short
        Bytes({0xFF, 0xFF, 1, 0, 0, 0, 0, 0, 'x'}), // index -1
        Bytes({8, 0, 1, 0, 0, 0, 0, 0, 'x'}),       // index 8 in the weekly file
    };
    MemoStore store(root);
    for (const std::string& fault : faults) {
        Write("week", good + fault);
        EXPECT_EQ(store.LoadWeek(), -1);
        EXPECT_EQ(store.slot(3).text(), "a");
        EXPECT_FALSE(store.slot(5).occupied());
    }
}

TEST_F(MemoDamaged, OriginalKeptAsBadCopyBeforeRewrite) {
    const std::string first = Bytes({0x64, 0, 3, 0,   3,   0,   0, 0, 0, 0, 'a', 'b', 'c', 40, 0,   3,   0,  0,
                                     0,    0, 0, 'x', 'y', 'z', 5, 0, 3, 0, 0,   0,   0,   0,  'd', 'e', 'f'});
    Write("200612", first);
    MemoStore store(root);
    EXPECT_EQ(store.LoadMonth(2006, 12), -1);
    EXPECT_EQ(store.slot(3).text(), "abc");
    EXPECT_FALSE(store.slot(5).occupied());

    ASSERT_EQ(store.Update(10, "new", 0), 0);
    EXPECT_EQ(Read("200612"),
              Bytes({0x64, 0, 3, 0, 3, 0, 0, 0, 0, 0, 'a', 'b', 'c', 10, 0, 3, 0, 0, 0, 0, 0, 'n', 'e', 'w'}));
    EXPECT_EQ(Read("200612.bad"), first);
    // One copy per damaged load: the next save of the now clean file makes none.
    ASSERT_EQ(store.Update(11, "more", 0), 0);
    EXPECT_EQ(Names(), (std::vector<std::string>{"200612", "200612.bad"}));

    // A second damaged version goes to .bad2; the earlier copy is never overwritten. Here the only
    // record is the bad one, so the save removes the file, but the copy still holds it.
    const std::string second = Bytes({0x64, 0, 40, 0, 1, 0, 0, 0, 0, 0, 'z'});
    Write("200612", second);
    EXPECT_EQ(store.LoadMonth(2006, 12), -1);
    ASSERT_EQ(store.Update(1, "", 0), 0);
    EXPECT_EQ(Names(), (std::vector<std::string>{"200612.bad", "200612.bad2"}));
    EXPECT_EQ(Read("200612.bad"), first);
    EXPECT_EQ(Read("200612.bad2"), second);
}

TEST_F(MemoDamaged, UnreadableFileIsNeverReplaced) {
    // A folder where the file should be cannot be read, copied or replaced.
    std::filesystem::create_directory(FileOf("200612"));
    MemoStore store(root);
    EXPECT_EQ(store.LoadMonth(2006, 12), -1);
    EXPECT_EQ(store.Update(1, "a", 0), -1);
    EXPECT_FALSE(store.slot(1).present());
    EXPECT_TRUE(std::filesystem::is_directory(FileOf("200612")));
    EXPECT_EQ(Names(), (std::vector<std::string>{"200612"}));
}

TEST_F(MemoFormat, OverlongTextRefusedLongestKept) {
    MemoStore store(root);
    store.LoadMonth(2006, 12);
    ASSERT_EQ(store.Update(2, "keep", 0), 0);
    const std::string before = Read("200612");
    std::string text(65536, '\xB0');
    EXPECT_EQ(store.Update(2, text, 0), -1);
    EXPECT_EQ(store.Update(3, text, kRed), -1);
    EXPECT_EQ(store.slot(2).text(), "keep");
    EXPECT_FALSE(store.slot(3).occupied());
    EXPECT_EQ(Read("200612"), before);

    text.pop_back();
    ASSERT_EQ(store.Update(3, text, 0), 0);
    MemoStore again(root);
    ASSERT_EQ(again.LoadMonth(2006, 12), 0);
    EXPECT_EQ(again.slot(3).text(), text);
    EXPECT_EQ(again.slot(2).text(), "keep");
    EXPECT_EQ(store.Update(32, "a", 0), -1);
    EXPECT_EQ(store.Update(-1, "a", 0), -1);
}

TEST_F(MemoFormat, RandomStoresRoundTrip) {
    std::mt19937 rng(20061229);
    const char alphabet[] = "\r\n\0a ";
    for (int round = 0; round < 150; ++round) {
        // Filled without a root (nothing written), then saved once.
        MemoStore store;
        if (round % 2) {
            store.LoadWeek();
        } else {
            store.LoadMonth(2006, round % 12 + 1);
        }
        for (int i = 0; i <= store.maxIndex(); ++i) {
            if (rng() % 3 == 0) continue;
            std::string text(rng() % 200, ' ');
            for (char& c : text)
                c = rng() % 4 ? static_cast<char>(0x80 + rng() % 0x80) : alphabet[rng() % 5];
            uint32_t color = rng() % 2 ? 0 : (MEMO_CUSTOM_COLOR | (rng() & 0xFFFFFF));
            store.Update(i, text, color);
            ASSERT_EQ(store.slot(i).text(), store.slot(i).occupied() ? text : "");
        }
        store.SetRoot(root);
        ASSERT_EQ(store.Save(), 0);
        const std::string written = store.Bytes();
        const std::string name = store.path().substr(store.path().find('/') + 1);
        if (!written.empty()) {
            ASSERT_EQ(Read(name), written);
        }

        MemoStore loaded(root);
        ASSERT_EQ(round % 2 ? loaded.LoadWeek() : loaded.LoadMonth(2006, round % 12 + 1), 0);
        for (int i = 0; i <= store.maxIndex(); ++i) {
            ASSERT_EQ(loaded.slot(i).occupied(), store.slot(i).occupied()) << "slot " << i;
            if (!store.slot(i).occupied()) continue;
            EXPECT_EQ(loaded.slot(i).text(), store.slot(i).text());
            EXPECT_EQ(loaded.slot(i).color(), store.slot(i).color());
        }
        EXPECT_EQ(loaded.Bytes(), written);
        ASSERT_EQ(loaded.Save(), 0);
        EXPECT_EQ(Read(name), written);
    }
}

} // namespace
