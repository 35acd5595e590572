// The grid under the mouse, as a real window under Wine: the hover tip, today's tip, clicks that open
// the memo dialogs, and the link message.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>

#include "res/resource.h"
#include "view/hover_tip.h"
#include "view/month_grid.h"
#include "view_test_dir.h"
#include "win/text.h"

namespace {

struct NullOwner : MonthGridOwner {
    void ShowTodayLink(bool) override {}
    void ShowMonthOf(int, int) override {}
    void ShowToday() override {}
};

// Runs on a 50 ms thread timer (its messages pass through the dialog's modal loop) until it returns true.
std::function<bool()> whenShown;
bool acted = false;
void CALLBACK Act(HWND, UINT, UINT_PTR, DWORD) {
    if (whenShown && !acted) acted = whenShown();
}

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

std::string TextOf(HWND w) {
    wchar_t buf[256] = {};
    GetWindowTextW(w, buf, 256);
    return ToUtf8(buf);
}

class GridMouseTest : public MemoFolderTest {
protected:
    void SetUp() override {
        MemoFolderTest::SetUp();
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"LunoriaGridMouseParent";
        RegisterClassW(&wc);
        parent = CreateWindowExW(0, wc.lpszClassName, L"grid mouse", WS_POPUP | WS_VISIBLE, 100, 100, kGridWidth,
                                 kGridHeight, nullptr, nullptr, wc.hInstance, nullptr);
        RECT rect{0, 0, kGridWidth, kGridHeight};
        ASSERT_TRUE(grid.Create(rect, parent, 107, &owner, kBaseDpi));
        grid.SetMemoRoot(root);
        whenShown = nullptr;
        acted = false;
        timer = SetTimer(nullptr, 0, 50, Act);
    }
    void TearDown() override {
        KillTimer(nullptr, timer);
        grid.Destroy();
        DestroyWindow(parent);
        MemoFolderTest::TearDown();
    }
    void Move(int x, int y) { SendMessageW(grid.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
    // Runs the click; whenShown acts on the dialog it opens.
    void Click(int x, int y) { SendMessageW(grid.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }
    POINT Inside(int day, int dx = 10, int dy = 10) const {
        GridPoint o = grid.CellOrigin(day);
        return {o.x + dx, o.y + dy};
    }
    // Where the tip should be for a pointer at client point p: centred below it.
    POINT TipAt(POINT p) const {
        ClientToScreen(grid.Hwnd(), &p);
        return {p.x - grid.Tip()->Width() / 2 + 2, p.y + 12};
    }
    POINT TipOrigin() const {
        RECT r = grid.Tip()->ScreenRect();
        return {r.left, r.top};
    }

    HWND parent = nullptr;
    NullOwner owner;
    MonthGrid grid;
    UINT_PTR timer = 0;
};

bool Same(POINT a, POINT b) {
    return a.x == b.x && a.y == b.y;
}

} // namespace

TEST_F(GridMouseTest, TipFollowsTheDayUnderThePointer) {
    // 1 December 2026 is a Tuesday: day 5 ends row 0, day 6 starts row 1. "六日" in code page 936.
    Write("202612", MemoFileBytes({{5, "five", 0}, {6, "\xc1\xf9\xc8\xd5", 0}}));
    ASSERT_EQ(grid.SetMonth(2026, 12, 0), 1);
    const HoverTip* tip = grid.Tip();

    POINT p5 = Inside(5);
    Move(p5.x, p5.y);
    EXPECT_TRUE(tip->IsVisible());
    EXPECT_EQ(tip->Text(), "five");
    EXPECT_TRUE(Same(TipOrigin(), TipAt(p5)));

    POINT p6 = Inside(6, 3, 4);
    Move(p6.x, p6.y);
    EXPECT_TRUE(tip->IsVisible());
    EXPECT_EQ(tip->Text(), "六日");
    POINT at6 = TipOrigin();
    EXPECT_TRUE(Same(at6, TipAt(p6)));
    Move(p6.x + 30, p6.y + 20); // within day 6: the tip stays put
    EXPECT_TRUE(Same(TipOrigin(), at6));
    EXPECT_EQ(grid.HotDay(), 6);

    Move(100, 5); // header
    EXPECT_FALSE(tip->IsVisible());
    EXPECT_EQ(grid.HotDay(), 0);
    Move(p6.x, p6.y);
    EXPECT_TRUE(tip->IsVisible());
    POINT p7 = Inside(7); // no memo
    Move(p7.x, p7.y);
    EXPECT_FALSE(tip->IsVisible());
}

TEST_F(GridMouseTest, TodaysTipStaysOverNoDay) {
    Write("week", MemoFileBytes({{2, "tuesday", 0}}));
    ASSERT_EQ(grid.SetMonth(2026, 11, 8), 1); // today is on another page: nothing to show
    grid.ShowTodayTip();
    EXPECT_FALSE(grid.Tip()->IsVisible());
    ASSERT_EQ(grid.SetMonth(2026, 12, 8), 1);
    SetActiveWindow(parent);
    grid.ShowTodayTip();
    EXPECT_TRUE(grid.Tip()->IsVisible());
    EXPECT_EQ(GetActiveWindow(), parent) << "the tip took the keyboard from the window the user types in";
    EXPECT_EQ(grid.Tip()->Text(), "tuesday");
    GridPoint o = grid.CellOrigin(8);
    EXPECT_TRUE(Same(TipOrigin(), TipAt(POINT{o.x, o.y + 12})));
    EXPECT_EQ(grid.HotDay(), 0);
    Move(200, 228); // the bottom strip
    Move(20, 30);   // an empty cell before day 1
    EXPECT_TRUE(grid.Tip()->IsVisible());
    POINT p10 = Inside(10); // Thursday: no memo
    Move(p10.x, p10.y);
    EXPECT_FALSE(grid.Tip()->IsVisible());
}

// At y = 20 a column before day 1 hits no day but lies on the header's edge: the weekly reminder
// opens for that column; one pixel lower nothing opens.
TEST_F(GridMouseTest, HeaderEdgeClickOpensTheWeeklyReminder) {
    ASSERT_EQ(grid.SetMonth(2026, 12, 0), 1);
    std::string caption, swatch;
    whenShown = [&] {
        HWND dlg = FindWindowW(nullptr, L"每周提示");
        if (!dlg) return false;
        for (HWND child = nullptr; (child = FindWindowExW(dlg, child, L"Static", nullptr));)
            if (TextOf(child).rfind("每周", 0) == 0) caption = TextOf(child);
        swatch = TextOf(GetDlgItem(dlg, IDC_NOTE_SWATCH));
        SetDlgItemTextW(dlg, IDC_NOTE_EDIT, L"  周一\U0001F600");
        PostMessageW(dlg, WM_COMMAND, IDOK, 0);
        return true;
    };
    Click(52 + 10, 20);
    EXPECT_TRUE(acted);
    EXPECT_EQ(grid.WeeklyColumn(), 1);
    EXPECT_EQ(caption, "每周一");
    EXPECT_EQ(swatch, "■");
    // GBK text keeps its bytes; the emoji outside GBK is kept as its four-byte code, not "?".
    EXPECT_EQ(Read("week"), MemoFileBytes({{1, "\xd6\xdc\xd2\xbb\x94\x39\xfc\x36", 0}}));

    acted = false;
    Click(52 + 10, 21); // an empty cell: nothing opens, nothing changes
    EXPECT_FALSE(acted);
    EXPECT_EQ(grid.WeeklyColumn(), 1);
}

// The day editor's captions show their whole text on one line: the longest lunar one too (the last
// character used to wrap out of sight).
TEST_F(GridMouseTest, DayEditorCaptionsShowTheirWholeText) {
    ASSERT_EQ(grid.SetMonth(2006, 1, 0), 1); // the 15th is lunar 十二月十六
    int cut = 0;
    whenShown = [&] {
        HWND dlg = FindWindowW(nullptr, L"输入记事");
        if (!dlg) return false;
        for (int id : {IDC_DATE_LINE, IDC_SOLAR_CAPTION, IDC_LUNAR_CAPTION}) {
            HWND caption = GetDlgItem(dlg, id);
            std::wstring text = ToWide(TextOf(caption));
            HDC dc = GetDC(caption);
            SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(caption, WM_GETFONT, 0, 0)));
            SIZE extent{};
            RECT r{};
            GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
            ReleaseDC(caption, dc);
            cut += GetClientRect(caption, &r) && extent.cx > r.right;
        }
        PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
        return true;
    };
    POINT p = Inside(15);
    Click(p.x, p.y);
    EXPECT_TRUE(acted);
    EXPECT_EQ(cut, 0);
}

TEST_F(GridMouseTest, OtherLinksDoNothing) {
    ASSERT_EQ(grid.SetMonth(2026, 12, 0), 1);
    POINT p = Inside(3);
    Move(p.x, p.y);
    auto windows = [] {
        int n = 0;
        EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&n));
        return n;
    };
    int before = windows();
    SendMessageW(grid.Hwnd(), WM_LINK_CLICKED, 1053, 0);
    EXPECT_EQ(windows(), before);
    EXPECT_EQ(grid.HotDay(), 3);
    EXPECT_EQ(grid.WeeklyColumn(), -1);
    EXPECT_TRUE(Names().empty());
}
