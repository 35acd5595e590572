// Two writers over one memo folder, as two computers behind a sync client: random histories of edits,
// clears, colour changes, replaced files, conflict copies in every client's naming, damaged copies and
// names that only look like copies. After every step no text either writer saved is lost, and merging
// copies does not depend on their order, nor changes anything when done again.
#include "memo/conflict_copies.h"
#include "memo/memo_file.h"
#include "memo/memo_merge.h"
#include "memo/memo_store.h"
#include "memo/notepad_page.h"
#include "tests/memo/memo_test_dir.h"

#include <map>
#include <random>
#include <set>

namespace {

constexpr int kSlots = 4; // few slots: the writers meet often

// A memo's texts: the parts between merge marks.
std::vector<std::string> Parts(const std::string& text) {
    std::vector<std::string> parts;
    const std::string mark = kMergeMark;
    size_t pos = 0;
    for (size_t at; (at = text.find(mark, pos)) != std::string::npos; pos = at + mark.size())
        if (at > pos) parts.push_back(text.substr(pos, at - pos));
    if (pos < text.size()) parts.push_back(text.substr(pos));
    return parts;
}

MemoStore Table(const std::string& bytes) {
    MemoStore t;
    t.Init(31, "");
    t.LoadBytes(bytes.data(), bytes.size());
    return t;
}

} // namespace

using MemoMerge = MemoDirTest;

TEST_F(MemoMerge, TwoWritersLoseNothing) {
    std::mt19937 rng(20261210);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    // clang-format off
    const std::string patterns[] = {"202612-HOME-PC", "202612-WORK-1", "202612 (WORK's conflicted copy 2026-12-10)",
                                    "202612 (conflicted copy 2026-12-10 093612)",
                                    "202612.sync-conflict-20261210-093612-ABCDEFG", "202612 (1)", "202612 (2)"};
    // Near misses: no sync client's copy of a memo file. They stay where they are.
    const std::string strangers[] = {"202612.bad", "202612 (x)", "202612-", "202613-PC", "default-PC",
                                     "202612.sync-conflict-20261210-093612-ABCDEFGH", "202612 (PC's copy 2026-12-10)"};
    // clang-format on
    for (const std::string& s : strangers)
        Write(s, std::string("d\0", 2));
    // Where a text may be besides the memo file: kept in 已合并, or in a copy not merged yet.
    auto elsewhere = [this] {
        std::string all;
        std::error_code none; // no 已合并 yet
        for (const auto& e : std::filesystem::directory_iterator(Dir() / std::filesystem::u8path("已合并"), none))
            if (e.path().extension() == ".txt") all += Read("已合并/" + e.path().filename().u8string()) + "\n";
        for (const std::string& n : Names())
            if (ParseConflictName(n, nullptr) != ConflictPattern::None) all += Read(n);
        return all;
    };
    const std::string file = root + "/日历/202612";
    for (int round = 0; round < 40; ++round) {
        RemoveFile(file);
        std::filesystem::remove_all(Dir() / std::filesystem::u8path("已合并"));
        std::map<int, std::set<std::string>> live; // slot: texts no writer has seen and replaced
        auto replaced = [&live](int slot, const std::string& was, const std::string& now) {
            for (const std::string& p : Parts(was))
                live[slot].erase(p);
            for (const std::string& p : Parts(now))
                live[slot].insert(p);
        };
        MemoStore mine(root); // the calendar here; the file's other writer works on bytes
        mine.LoadMonth(2026, 12);
        int serial = 0;
        auto text = [&] {
            std::string t = (pick(2) ? "[\xBC\xC7\xCA\xC2 " : "[memo ") + std::to_string(round) + "-" +
                            std::to_string(++serial) + "]";
            if (pick(25) == 0) t += std::string(30000, 'x'); // three of these pass the limit
            return pick(6) ? t : std::string();              // a clear
        };
        std::vector<std::string> damaged;
        auto isDamaged = [&damaged](const std::string& n) { return std::count(damaged.begin(), damaged.end(), n) > 0; };
        for (int step = 0; step < 30; ++step) {
            const int slot = pick(kSlots);
            const uint32_t color = pick(3) ? 0 : MEMO_CUSTOM_COLOR | static_cast<uint32_t>(pick(0xFFFFFF));
            const std::string now = Read("202612");
            MemoStore there = Table(now);
            const int kind = pick(5);
            if (kind < 2) { // here: an editor opened on what this store shows, saved after the other writer's steps
                const MemoRecord seen = mine.slot(slot);
                const std::string t = pick(4) ? text() : seen.text(); // or a colour alone
                MemoRecord m;
                m.SetSlot(t.data(), t.size(), color);
                ASSERT_EQ(mine.Update(slot, t, color, &seen, nullptr), 0);
                // Without a change the file's slot stays as it is now.
                if (m.occupied() != seen.occupied() ||
                    (m.occupied() && (m.text() != seen.text() || m.color() != seen.color()))) {
                    replaced(slot, seen.text(), t);
                    if (pick(2)) mine.Refresh();
                }
            } else if (kind < 4) { // there: the file replaced by rename, or a conflict copy (maybe damaged) made
                const std::string t = text(), was = there.slot(slot).text();
                MemoRecord r;
                r.SetSlot(t.data(), t.size(), color);
                there.Put(slot, r);
                const std::string bytes = there.Bytes();
                if (kind == 2) {
                    replaced(slot, was, t);
                    WriteWholeFile(file, bytes.data(), bytes.size());
                } else if (const std::string name = patterns[pick(7)]; !Exists(name)) {
                    const bool damage = pick(5) == 0 && bytes.size() > 4;
                    Write(name, damage ? bytes.substr(0, bytes.size() - 1) : bytes);
                    if (damage) damaged.push_back(name);
                    if (!damage) replaced(slot, "", t); // a damaged copy's text is merged nowhere
                }
            } else { // the merge pass, which must not depend on the copies' order, checked on the tables
                std::vector<MemoStore> copies;
                for (const std::string& n : Names())
                    if (ParseConflictName(n, nullptr) != ConflictPattern::None && !isDamaged(n))
                        copies.push_back(Table(Read(n)));
                std::vector<const MemoStore*> order;
                for (const MemoStore& c : copies)
                    order.push_back(&c);
                MemoStore a = Table(now), b = Table(now);
                MergeCopies(a, order, nullptr);
                std::shuffle(order.begin(), order.end(), rng);
                MergeCopies(b, order, nullptr);
                ASSERT_EQ(a.Bytes(), b.Bytes()) << "round " << round << " step " << step;
                MergeCopies(b, order, nullptr);
                ASSERT_EQ(a.Bytes(), b.Bytes()) << "merged twice";
                EXPECT_EQ(MergeConflictCopies(root).leftAlone, static_cast<int>(damaged.size()));
                for (const std::string& n : patterns) // merged copies move to 已合并, damaged ones stay
                    EXPECT_EQ(Exists(n), isDamaged(n)) << n;
            }
            const MemoStore result = Table(Read("202612"));
            const std::string kept = elsewhere();
            for (const auto& [s, texts] : live)
                for (const std::string& t : texts)
                    ASSERT_TRUE(result.slot(s).text().find(t) != std::string::npos || kept.find(t) != std::string::npos)
                        << "lost in round " << round << " step " << step << ", slot " << s << ": " << t.substr(0, 40);
        }
        for (const std::string& n : damaged)
            RemoveFile(root + "/日历/" + n);
    }
    for (const std::string& s : strangers)
        EXPECT_TRUE(Exists(s)) << s << " was taken for a conflict copy";
}

// The notepad's page: its own text first, the other one below the mark; the copies alike.
TEST_F(MemoMerge, NotepadKeepsBothTexts) {
    EXPECT_EQ(PageAfterChange("mine", "old", "old", true), "mine");
    EXPECT_EQ(PageAfterChange("old", "old", "theirs", false), "theirs");
    EXPECT_EQ(PageAfterChange("mine", "old", "theirs", true), std::string("mine") + kMergeMark + "theirs");
    std::filesystem::create_directories(Dir().parent_path() / std::filesystem::u8path("备忘"));
    const std::string page = root + "/备忘/default";
    WriteWholeFile(page, "a", 1);
    WriteWholeFile(page + "-LAPTOP", "b", 1);
    WriteWholeFile(page + " (1)", "a", 1);
    EXPECT_EQ(MergeConflictCopies(root).merged, 2);
    EXPECT_EQ(Read("../备忘/default"), std::string("a") + kMergeMark + "b");
    EXPECT_TRUE(Exists("已合并/default-LAPTOP"));
    EXPECT_EQ(SlotTitle("010", 10), "农历每年十月初十");
    EXPECT_EQ(SlotTitle("week", 3), "每周三");
}
