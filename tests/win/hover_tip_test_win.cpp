#include "view/hover_tip.h"

#include "win/dpi_scale.h"
#include "win/color_label.h"
#include "test_window.h"
#include "win/font.h"

#include <gtest/gtest.h>

namespace {

RECT WorkAreaAt(POINT p) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

int TextWidth(const wchar_t* text) {
    Font font = CreatePixelFont(15, "宋体", FW_NORMAL, ANSI_CHARSET);
    WindowDc screen(nullptr);
    SelectScope f(screen.Dc(), font.Get());
    SIZE s{};
    GetTextExtentPoint32W(screen.Dc(), text, static_cast<int>(wcslen(text)), &s);
    return s.cx;
}

bool IsTextRed(COLORREF c) {
    return GetRValue(c) == 255 && GetGValue(c) < 160 && GetBValue(c) == 0;
}

class Tip : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(parent.Open());
        ASSERT_TRUE(tip.Create(parent.Handle()));
    }
    // Paints the tip into a memory DC the size of its window, over a black background.
    void PaintTip(MemoryDc& mem) {
        RECT all{0, 0, tip.Width(), tip.Height()};
        FillRect(mem.Dc(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        tip.Paint(mem.Dc());
    }
    int RedPixels(HDC dc, int x0, int x1) {
        int n = 0;
        for (int y = 0; y < tip.Height(); ++y)
            for (int x = x0; x < x1; ++x)
                n += IsTextRed(GetPixel(dc, x, y));
        return n;
    }
    TestParent parent;
    HoverTip tip;
};

} // namespace

TEST_F(Tip, CreatedHiddenAndNotShownBySettingText) {
    EXPECT_FALSE(IsWindowVisible(tip.Handle()));
    EXPECT_EQ(GetWindow(tip.Handle(), GW_OWNER), parent.Handle());
    tip.SetTipText("记事", {500, 300}, kBaseDpi);
    EXPECT_FALSE(IsWindowVisible(tip.Handle()));
}

TEST_F(Tip, MeasuresItsTextBlock) {
    tip.SetTipText("每周三开会\r\n元旦\r\n生日快乐，记得买蛋糕", {500, 300}, kBaseDpi);
    EXPECT_EQ(tip.Height(), 45); // three lines of 15 pixels
    EXPECT_EQ(tip.Width(), TextWidth(L"生日快乐，记得买蛋糕"));
    EXPECT_EQ(WindowSize(tip.Handle()).cx, tip.Width());
    EXPECT_EQ(WindowSize(tip.Handle()).cy, 45);

    // A trailing line break adds one (empty) line.
    tip.SetTipText("元旦\r\n", {500, 300}, kBaseDpi);
    EXPECT_EQ(tip.Height(), 30);
    EXPECT_EQ(tip.Width(), TextWidth(L"元旦"));
}

TEST_F(Tip, SitsBelowThePointerInsideTheWorkArea) {
    tip.SetTipText("中秋节", {500, 300}, kBaseDpi);
    RECT r{};
    GetWindowRect(tip.Handle(), &r);
    EXPECT_EQ(r.left, 500 - tip.Width() / 2 + 2);
    EXPECT_EQ(r.top, 312);

    // At the right edge it moves left instead of running off the screen.
    RECT work = WorkAreaAt({500, 300});
    tip.SetTipText("很长的一条记事文字，放在屏幕右边", {work.right - 3, 300}, kBaseDpi);
    GetWindowRect(tip.Handle(), &r);
    EXPECT_EQ(r.right, work.right);
    EXPECT_EQ(r.top, 312);

    // At the bottom it goes above the pointer instead of below the edge or over the pointer.
    tip.SetTipText("第一行\r\n第二行", {400, work.bottom - 4}, kBaseDpi);
    GetWindowRect(tip.Handle(), &r);
    EXPECT_LE(r.bottom, work.bottom);
    EXPECT_EQ(r.bottom, work.bottom - 4 - 12);
    EXPECT_EQ(r.left, 400 - tip.Width() / 2 + 2);
}

TEST_F(Tip, PaintsRedTextOnYellow) {
    tip.SetTipText("春节\r\n记事", {300, 200}, kBaseDpi);
    MemoryDc mem(tip.Width(), tip.Height());
    PaintTip(mem);
    int yellow = 0, red = 0, other = 0;
    for (int y = 0; y < tip.Height(); ++y) {
        for (int x = 0; x < tip.Width(); ++x) {
            COLORREF c = GetPixel(mem.Dc(), x, y);
            if (c == RGB(255, 255, 0))
                ++yellow;
            else if (IsTextRed(c))
                ++red;
            else if (!(GetRValue(c) == 255 && GetBValue(c) == 0)) // anti-aliased edges blend red and yellow
                ++other;
        }
    }
    EXPECT_GT(yellow, tip.Width() * tip.Height() / 3);
    EXPECT_GT(red, 20);
    EXPECT_EQ(other, 0); // the whole block is covered: nothing of the black underneath shows
}

TEST_F(Tip, DrawsAmpersandsAsTyped) {
    tip.SetTipText("A&B", {300, 200}, kBaseDpi);
    EXPECT_EQ(tip.Width(), TextWidth(L"A&B"));
    MemoryDc mem(tip.Width(), tip.Height());
    PaintTip(mem);
    // With "&" taken as a mnemonic prefix, "B" would end at the width of "AB" and the columns after it
    // would be empty; drawn as typed, "B" sits there.
    int ab = TextWidth(L"AB");
    ASSERT_LT(ab + 1, tip.Width());
    EXPECT_GT(RedPixels(mem.Dc(), ab + 1, tip.Width()), 3);
    EXPECT_GT(RedPixels(mem.Dc(), TextWidth(L"A"), TextWidth(L"A&")), 3);
}

TEST_F(Tip, ShownOnScreenWithTheSamePixels) {
    tip.SetTipText("国庆节", {300, 200}, kBaseDpi);
    tip.Show(SW_SHOWNOACTIVATE);
    UpdateWindow(tip.Handle());
    PumpMessages();
    WindowDc dc(tip.Handle());
    EXPECT_EQ(GetPixel(dc.Dc(), 0, 0), RGB(255, 255, 0));
    tip.Show(SW_HIDE);
}
