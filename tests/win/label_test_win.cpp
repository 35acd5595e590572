#include "win/dpi_scale.h"
#include "win/link_label.h"
#include "test_window.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kBack = RGB(50, 80, 90);
constexpr COLORREF kFore = RGB(189, 183, 107);

// The size a text block should have in the label's font, measured here on a screen-compatible DC.
SIZE Expected(const ColorLabel& label, const std::string& text) {
    WindowDc screen(nullptr);
    SelectScope f(screen.Dc(), label.FontHandle());
    BlockSize b = MeasureTextBlock(screen.Dc(), text);
    return {b.width, b.height};
}

int ExtentWidth(HFONT font, const wchar_t* text) {
    WindowDc screen(nullptr);
    SelectScope f(screen.Dc(), font);
    SIZE s{};
    GetTextExtentPoint32W(screen.Dc(), text, static_cast<int>(wcslen(text)), &s);
    return s.cx;
}

// Whether the label, painted into a memory DC, shows at least one pixel of `color`.
bool ShowsColor(ColorLabel& label, COLORREF color) {
    RECT r = label.ClientRect();
    MemoryDc mem(r.right, r.bottom);
    label.Paint(mem.Dc());
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x)
            if (GetPixel(mem.Dc(), x, y) == color) return true;
    return false;
}

class Labels : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(parent.Open()); }
    TestParent parent;
};

} // namespace

TEST_F(Labels, SizeThemselvesToTheirTextOnceShown) {
    ColorLabel label;
    ASSERT_TRUE(label.Create({175, 3, 205, 20}, parent.Handle(), 1044, kBack, kFore, 100, "楷体_gb2312", kBaseDpi));
    ASSERT_NE(label.FontHandle(), nullptr);
    EXPECT_FALSE(IsWindowVisible(label.Handle()));
    EXPECT_EQ(WindowSize(label.Handle()).cx, 30);

    // Never given a text: stays hidden and keeps its rectangle.
    PumpMessages();
    EXPECT_FALSE(IsWindowVisible(label.Handle()));
    EXPECT_EQ(WindowSize(label.Handle()).cy, 17);

    label.SetText("上月", true);
    EXPECT_TRUE(IsWindowVisible(label.Handle()));
    EXPECT_EQ(label.Title(), "上月"); // what accessibility tools read
    UpdateWindow(label.Handle());
    PumpMessages();
    SIZE want = Expected(label, "上月");
    EXPECT_EQ(WindowSize(label.Handle()).cx, want.cx);
    EXPECT_EQ(WindowSize(label.Handle()).cy, want.cy);
    EXPECT_EQ(want.cx, ExtentWidth(label.FontHandle(), L"上月"));
    EXPECT_GT(want.cx, 10);
    EXPECT_EQ(label.Rect().left, 175);
    EXPECT_EQ(label.Rect().right, 175 + want.cx);
    EXPECT_EQ(label.Rect().bottom, 3 + want.cy);
    EXPECT_TRUE(ShowsColor(label, kBack));
}

// A text given first makes the window at its size, with its title, shown or hidden as asked.
TEST_F(Labels, TextBeforeTheWindow) {
    for (bool show : {true, false}) {
        ColorLabel label;
        label.SetText("丙午【马】年", show);
        ASSERT_TRUE(label.Create({4, 219, 203, 236}, parent.Handle(), -1, kBack, kFore, 110, "宋体", kBaseDpi));
        EXPECT_EQ(WindowSize(label.Handle()).cx, Expected(label, label.Text()).cx);
        EXPECT_EQ(WindowSize(label.Handle()).cy, Expected(label, label.Text()).cy);
        EXPECT_EQ(label.Title(), "丙午【马】年"); // what accessibility tools read
        EXPECT_EQ(IsWindowVisible(label.Handle()) != FALSE, show);
    }
}

TEST_F(Labels, MeasureLinesAtCrLfOnly) {
    ColorLabel label;
    ASSERT_TRUE(label.Create({10, 40, 20, 50}, parent.Handle(), 1, kBack, kFore, 120, "宋体", kBaseDpi));
    label.SetText("短\r\n长一些的一行", true);
    UpdateWindow(label.Handle());
    PumpMessages();
    int lineHeight = Expected(label, "a").cy;
    EXPECT_EQ(WindowSize(label.Handle()).cy, 2 * lineHeight);
    EXPECT_EQ(WindowSize(label.Handle()).cx, ExtentWidth(label.FontHandle(), L"长一些的一行"));

    label.SetText("一行\n还是一行", true);
    UpdateWindow(label.Handle());
    PumpMessages();
    EXPECT_EQ(WindowSize(label.Handle()).cy, lineHeight);
}

TEST_F(Labels, HiddenLabelFollowsItsTextWhenShownLater) {
    ColorLabel label;
    ASSERT_TRUE(label.Create({10, 80, 20, 90}, parent.Handle(), 2, kBack, kFore, 100, "宋体", kBaseDpi));
    label.SetText("下月", false);
    PumpMessages();
    EXPECT_FALSE(IsWindowVisible(label.Handle()));
    label.Show(SW_SHOW);
    UpdateWindow(label.Handle());
    PumpMessages();
    EXPECT_EQ(WindowSize(label.Handle()).cx, Expected(label, "下月").cx);
}

TEST_F(Labels, LinkTurnsHoverColourWhileThePointerIsOverIt) {
    LinkLabel link;
    ASSERT_TRUE(link.Create({20, 120, 50, 140}, parent.Handle(), 1045, kBack, kFore, 120, "楷体_gb2312", kBaseDpi));
    link.SetText("■", true);
    EXPECT_EQ(link.Title(), "■");
    UpdateWindow(link.Handle());
    PumpMessages();
    EXPECT_TRUE(ShowsColor(link, kFore));

    SendMessageW(link.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(link.IsHovering());
    EXPECT_EQ(link.TextColor(), LinkLabel::kHoverColor);
    EXPECT_EQ(GetCapture(), link.Handle());
    EXPECT_TRUE(ShowsColor(link, RGB(255, 64, 64)));
    EXPECT_FALSE(ShowsColor(link, kFore));

    // Still over it: nothing changes. Off it (client coordinates left of the window): back to normal.
    SendMessageW(link.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
    EXPECT_EQ(link.TextColor(), LinkLabel::kHoverColor);
    SendMessageW(link.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(static_cast<WORD>(-5), 3));
    EXPECT_FALSE(link.IsHovering());
    EXPECT_EQ(link.TextColor(), kFore);
    EXPECT_NE(GetCapture(), link.Handle());
    EXPECT_TRUE(ShowsColor(link, kFore));

    // A colour set while hovering lasts only until the pointer leaves.
    SendMessageW(link.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    link.SetTextColor(RGB(0, 0, 208));
    SendMessageW(link.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 500));
    EXPECT_EQ(link.TextColor(), kFore);
}

TEST_F(Labels, ClickPostsOneLinkClickedAfterTheClickIsHandled) {
    LinkLabel link;
    ASSERT_TRUE(link.Create({20, 160, 50, 180}, parent.Handle(), 1053, kBack, kFore, 110, "宋体", kBaseDpi));
    link.SetText("头条", true);
    UpdateWindow(link.Handle());
    PumpMessages();

    SendMessageW(link.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    SendMessageW(link.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(link.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    // Posted, not sent: the parent has not seen it while the click was handled.
    EXPECT_TRUE(parent.clicked.empty());
    EXPECT_EQ(link.TextColor(), kFore);
    EXPECT_NE(GetCapture(), link.Handle());
    PumpMessages();
    ASSERT_EQ(parent.clicked.size(), 1u);
    EXPECT_EQ(parent.clicked[0], 1053);
    PumpMessages();
    EXPECT_EQ(parent.clicked.size(), 1u);

    // A button-up without a hover before it keeps the colour the owner chose.
    link.SetTextColor(RGB(0, 128, 0));
    SendMessageW(link.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    PumpMessages();
    EXPECT_EQ(link.TextColor(), RGB(0, 128, 0));
    EXPECT_EQ(parent.clicked.size(), 2u);
}

TEST_F(Labels, ParentChangingTheTextOnClickResizesTheLink) {
    LinkLabel more;
    ASSERT_TRUE(
        more.Create({230, 261, 290, 279}, parent.Handle(), 1054, kBack, RGB(0, 0, 208), 100, "楷体_gb2312", kBaseDpi));
    more.SetText("下一篇", true);
    UpdateWindow(more.Handle());
    PumpMessages();
    int before = WindowSize(more.Handle()).cx;
    parent.onLinkClicked = [&](int) { more.SetText("下一篇\r\n第二行也更长一些", false); };

    SendMessageW(more.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    SendMessageW(more.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    PumpMessages();
    UpdateWindow(more.Handle());
    PumpMessages();
    SIZE want = Expected(more, "下一篇\r\n第二行也更长一些");
    EXPECT_GT(want.cx, before);
    EXPECT_EQ(WindowSize(more.Handle()).cx, want.cx);
    EXPECT_EQ(WindowSize(more.Handle()).cy, want.cy);
    EXPECT_TRUE(IsWindowVisible(more.Handle()));
}

TEST(LabelsWithoutWindow, OperationsOnlyUpdateFields) {
    LinkLabel link;
    link.SetText("上月", true);
    link.SetTextColor(RGB(1, 2, 3));
    EXPECT_EQ(link.Handle(), nullptr);
    EXPECT_EQ(link.Text(), "上月");
    EXPECT_EQ(link.TextColor(), RGB(1, 2, 3));
    ColorLabel bad;
    EXPECT_FALSE(bad.Create({0, 0, 10, 10}, reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234)), 1, 0, 0, 100, "宋体",
                            kBaseDpi));
    EXPECT_EQ(bad.Id(), 0);
}

// Whether anything but the background shows in the right half of the label.
static bool InkInRightHalf(ColorLabel& label) {
    RECT r = label.ClientRect();
    MemoryDc mem(r.right, r.bottom);
    label.Paint(mem.Dc());
    for (int y = 0; y < r.bottom; ++y)
        for (int x = r.right / 2 + 1; x < r.right; ++x)
            if (GetPixel(mem.Dc(), x, y) != kBack) return true;
    return false;
}

TEST_F(Labels, NoPrefixDrawsTheAmpersand) {
    ColorLabel label;
    ASSERT_TRUE(label.Create({2, 260, 190, 278}, parent.Handle(), 1053, kBack, kFore, 110, "宋体", kBaseDpi));
    label.SetText("&&", true); // sized for two glyphs
    UpdateWindow(label.Handle());
    PumpMessages();
    EXPECT_FALSE(InkInRightHalf(label)); // prefix processing draws one "&"
    label.SetNoPrefix(true);
    EXPECT_TRUE(InkInRightHalf(label));
}
