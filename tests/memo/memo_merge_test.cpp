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

std::vector<std::string> Parts(const std::string& text) {
    std::vector<std::string> parts;
    const std::string mark = kMergeMark;
    for (size_t pos = 0;;) {
        size_t at = text.find(mark, pos);
        std::string part = text.substr(pos, at == std::string::npos ? at : at - pos);
        if (!part.empty()) parts.push_back(part);
        if (at == std::string::npos) return parts;
        pos = at + mark.size();
    }
}

MemoStore Table(const std::string& bytes) {
    MemoStore t;
    t.Init(31, "");
    t.LoadBytes(bytes.data(), bytes.size());
    return t;
}

} // namespace

class MemoMerge : public MemoDirTest {
protected:
    std::string Merged() const {
        std::string all;
        std::error_code none;
        if (!std::filesystem::exists(Dir() / std::filesystem::u8path("已合并"), none)) return all;
        for (const auto& e : std::filesystem::directory_iterator(Dir() / std::filesystem::u8path("已合并")))
            if (e.path().extension() == ".txt") all += Read("已合并/" + e.path().filename().u8string()) + "\n";
        return all;
    }
};

TEST_F(MemoMerge, TwoWritersLoseNothing) {
    std::mt19937 rng(20261210);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const std::string patterns[] = {"202612-HOME-PC",
                                    "202612-WORK-1",
                                    "202612 (WORK's conflicted copy 2026-12-10)",
                                    "202612 (conflicted copy 2026-12-10 093612)",
                                    "202612.sync-conflict-20261210-093612-ABCDEFG",
                                    "202612 (1)",
                                    "202612 (2)"};
    // Near misses: no sync client's copy of a memo file. They stay where they are.
    const std::string strangers[] = {"202612.bad",
                                     "202612 (x)",
                                     "202612-",
                                     "202613-PC",
                                     "default-PC",
                                     "202612.sync-conflict-20261210-093612-ABCDEFGH",
                                     "202612 (PC's copy 2026-12-10)"};
    for (const std::string& s : strangers)
        Write(s, std::string("d\0", 2));
    for (int round = 0; round < 40; ++round) {
        const std::string file = root + "/日历/202612";
        RemoveFile(file);
        std::filesystem::remove_all(Dir() / std::filesystem::u8path("已合并"));
        std::map<int, std::set<std::string>> live; // slot: texts no writer has seen and replaced
        MemoStore mine(root);                      // the calendar here; the file's other writer works on bytes
        mine.LoadMonth(2026, 12);
        int serial = 0;
        auto text = [&] {
            std::string t = (pick(2) ? "[\xBC\xC7\xCA\xC2 " : "[memo ") + std::to_string(round) + "-" +
                            std::to_string(++serial) + "]";
            if (pick(25) == 0) t += std::string(30000, 'x'); // three of these pass the limit
            return pick(6) ? t : std::string();              // a clear
        };
        std::vector<std::string> damaged;
        for (int step = 0; step < 30; ++step) {
            const int slot = pick(kSlots);
            const uint32_t color = pick(3) ? 0 : MEMO_CUSTOM_COLOR | static_cast<uint32_t>(pick(0xFFFFFF));
            std::string now;
            ReadWholeFile(file, now);
            MemoStore there = Table(now);
            switch (pick(5)) {
            case 0:
            case 1: { // here: an editor opened on what this store shows, saved after the other writer's steps
                const MemoRecord seen = mine.slot(slot);
                std::string t = pick(4) ? text() : seen.text(); // or a colour alone
                MemoRecord m;
                m.SetSlot(t.data(), t.size(), color);
                ASSERT_EQ(mine.Update(slot, t, color, &seen, nullptr), 0);
                if (m.occupied() == seen.occupied() &&
                    (!m.occupied() || (m.text() == seen.text() && m.color() == seen.color())))
                    break; // no change: the file's slot stays as it is now
                for (const std::string& p : Parts(seen.text()))
                    live[slot].erase(p);
                for (const std::string& p : Parts(t))
                    live[slot].insert(p);
                if (pick(2)) mine.Refresh();
                break;
            }
            case 2: { // there: the file replaced by rename, from what it held
                std::string t = text();
                for (const std::string& p : Parts(there.slot(slot).text()))
                    live[slot].erase(p);
                MemoRecord r;
                r.SetSlot(t.data(), t.size(), color);
                there.Put(slot, r);
                if (!t.empty()) live[slot].insert(t);
                std::string bytes = there.Bytes();
                WriteWholeFile(file, bytes.data(), bytes.size());
                break;
            }
            case 3: { // a conflict copy, or a damaged one
                std::string t = text();
                MemoRecord r;
                r.SetSlot(t.data(), t.size(), color);
                there.Put(slot, r);
                std::string bytes = there.Bytes();
                const std::string name = patterns[pick(7)];
                if (Exists(name)) break;
                if (pick(5) == 0 && bytes.size() > 4) {
                    Write(name, bytes.substr(0, bytes.size() - 1));
                    damaged.push_back(name);
                } else {
                    Write(name, bytes);
                    if (!t.empty()) live[slot].insert(t);
                }
                break;
            }
            default: { // the merge pass, which must not depend on the copies' order, checked on the tables
                std::vector<MemoStore> copies;
                for (const std::string& n : Names())
                    if (ParseConflictName(n, nullptr) != ConflictPattern::None &&
                        std::find(damaged.begin(), damaged.end(), n) == damaged.end())
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
                const CopyMergeReport report = MergeConflictCopies(root);
                EXPECT_EQ(report.leftAlone, static_cast<int>(damaged.size()));
                for (const std::string& n : damaged)
                    EXPECT_TRUE(Exists(n)) << n;
                for (const std::string& n : patterns)
                    EXPECT_TRUE(!Exists(n) || std::count(damaged.begin(), damaged.end(), n)) << n;
            }
            }
            ReadWholeFile(file, now);
            const MemoStore result = Table(now);
            std::string merged = Merged(); // and the copies not merged yet
            for (const std::string& n : Names())
                if (ParseConflictName(n, nullptr) != ConflictPattern::None) merged += Read(n);
            for (const auto& [s, texts] : live)
                for (const std::string& t : texts)
                    ASSERT_TRUE(result.slot(s).text().find(t) != std::string::npos ||
                                merged.find(t) != std::string::npos)
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
    std::string text;
    ReadWholeFile(page, text);
    EXPECT_EQ(text, std::string("a") + kMergeMark + "b");
    EXPECT_TRUE(Exists("已合并/default-LAPTOP"));
    EXPECT_EQ(SlotTitle("010", 10), "农历每年十月初十");
    EXPECT_EQ(SlotTitle("week", 3), "每周三");
}
