#include "win/text_block.h"
#include "view/tip_placement.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Every byte one pixel wide, so widths can be read off the texts.
BlockSize Measure(std::string_view text) {
    return MeasureBlock(text, 15, [](std::string_view line) { return static_cast<int>(line.size()); });
}

const ScreenBox kScreen{0, 0, 1024, 768};

} // namespace

TEST(TextBlock, LinesSplitOnlyAtCrLf) {
    using Lines = std::vector<std::string_view>;
    EXPECT_EQ(SplitBlockLines(""), Lines{""});
    EXPECT_EQ(SplitBlockLines("上月"), Lines{"上月"});
    EXPECT_EQ(SplitBlockLines("ab\r\ncdef"), (Lines{"ab", "cdef"}));
    EXPECT_EQ(SplitBlockLines("ab\ncd\rx"), Lines{"ab\ncd\rx"});
    EXPECT_EQ(SplitBlockLines("ab\r\n"), (Lines{"ab", ""}));
    EXPECT_EQ(SplitBlockLines("\r\n\r\n"), (Lines{"", "", ""}));
    EXPECT_EQ(SplitBlockLines("a\r\r\nb"), (Lines{"a\r", "b"}));
    EXPECT_EQ(SplitBlockLines(std::string_view("ab\0\r\ncd", 6)), Lines{"ab"}); // a C string ends at NUL
}

TEST(TextBlock, SizeIsWidestLineByLineCount) {
    EXPECT_EQ(Measure("").width, 0);
    EXPECT_EQ(Measure("").height, 15);
    EXPECT_EQ(Measure("abc").width, 3);
    EXPECT_EQ(Measure("ab\r\nabcde\r\nx").width, 5);
    EXPECT_EQ(Measure("ab\r\nabcde\r\nx").height, 45);
    EXPECT_EQ(Measure("abc\r\n").height, 30); // the empty last line still counts
    EXPECT_EQ(Measure("ab\ncd").height, 15);
}

TEST(TipPlacement, BelowAndCentredOnThePointer) {
    TipOrigin o = PlaceTip(500, 300, 100, 45, kScreen, kBaseDpi);
    EXPECT_EQ(o.left, 452);
    EXPECT_EQ(o.top, 312);
    // Odd widths: the half is truncated, as the original arithmetic did.
    EXPECT_EQ(PlaceTip(500, 300, 101, 15, kScreen, kBaseDpi).left, 452);
    // The same rule right up to the edges.
    EXPECT_EQ(PlaceTip(972, 300, 100, 15, kScreen, kBaseDpi).left, 924);
    EXPECT_EQ(PlaceTip(500, 741, 100, 15, kScreen, kBaseDpi).top, 753);
}

TEST(TipPlacement, StaysInsideTheWorkArea) {
    // Right edge: moved left so that it ends at the edge, still below the pointer.
    TipOrigin o = PlaceTip(1020, 300, 100, 45, kScreen, kBaseDpi);
    EXPECT_EQ(o.left, 924);
    EXPECT_EQ(o.top, 312);
    // Bottom edge: above the pointer with the same gap, never over it.
    o = PlaceTip(500, 760, 100, 45, kScreen, kBaseDpi);
    EXPECT_EQ(o.left, 452);
    EXPECT_EQ(o.top, 760 - 12 - 45);
    // Bottom-right corner: both.
    o = PlaceTip(1023, 767, 300, 60, kScreen, kBaseDpi);
    EXPECT_EQ(o.left, 724);
    EXPECT_EQ(o.top, 695);
    // Left edge: moved right.
    EXPECT_EQ(PlaceTip(10, 300, 100, 45, kScreen, kBaseDpi).left, 0);
}

TEST(TipPlacement, FollowsTheMonitorsWorkArea) {
    // A second monitor left of the primary one, with a task bar at its bottom.
    const ScreenBox left{-1280, 0, 0, 984};
    TipOrigin o = PlaceTip(-5, 500, 100, 30, left, kBaseDpi);
    EXPECT_EQ(o.left, -100);
    EXPECT_EQ(o.top, 512);
    o = PlaceTip(-640, 980, 100, 30, left, kBaseDpi);
    EXPECT_EQ(o.top, 938);
    // A tip larger than the area keeps its top-left corner inside.
    o = PlaceTip(100, 100, 2000, 2000, kScreen, kBaseDpi);
    EXPECT_EQ(o.left, 0);
    EXPECT_EQ(o.top, 0);
}
