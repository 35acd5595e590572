// The grid under the mouse, as a real window under Wine: the hover tip, today's tip, clicks that open
// the memo dialogs, and the link message. Dialogs are modal, so a thread timer (its messages go
// through every nested message loop) looks at them and closes them.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "res/resource.h"
#include "view/hover_tip.h"
#include "view/month_grid.h"
#include "view_test_dir.h"
#include "win/text.h"

namespace {

struct NullOwner : MonthGridOwner {
    void ShowTodayLink(bool) override {}
};

// Steps run one after another on a 50 ms thread timer; a step returns false to be tried again.
std::vector<std::function<bool()>> steps;
size_t nextStep = 0;
void CALLBACK RunStep(HWND, UINT, UINT_PTR, DWORD) {
    if (nextStep < steps.size() && steps[nextStep]()) ++nextStep;
}

std::string TextOf(HWND w) {
    wchar_t buf[256] = {};
    GetWindowTextW(w, buf, 256);
    return ToUtf8(buf);
}
HWND Top(const wchar_t* title) {
    return FindWindowW(nullptr, title);
}
std::string ItemText(const wchar_t* dialog, int id) {
    return TextOf(GetDlgItem(Top(dialog), id));
}
bool Press(const wchar_t* dialog, int id) {
    HWND w = Top(dialog);
    if (!w) return false;
    PostMessageW(w, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(w, id)));
    return true;
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
        ASSERT_TRUE(grid.Create(rect, parent, 107, &owner));
        grid.SetMemoRoot(root);
        steps.clear();
        nextStep = 0;
        timer = SetTimer(nullptr, 0, 50, RunStep);
    }
    void TearDown() override {
        KillTimer(nullptr, timer);
        grid.Destroy();
        DestroyWindow(parent);
        MemoFolderTest::TearDown();
    }
    void Move(int x, int y) { SendMessageW(grid.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
    // Runs the click; the steps queued before it act on the dialog it opens.
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
    grid.ShowTodayTip();
    EXPECT_TRUE(grid.Tip()->IsVisible());
    EXPECT_EQ(grid.Tip()->Text(), "tuesday");
    GridPoint o = grid.CellOrigin(8);
    EXPECT_TRUE(Same(TipOrigin(), TipAt(POINT{o.x, o.y + 12})));
    EXPECT_EQ(grid.HotDay(), 0);
    Move(200, 228); // the bottom strip
    Move(20, 30);   // an empty cell before day 1
    EXPECT_TRUE(grid.Tip()->IsVisible());
    POINT p9 = Inside(10); // Thursday: no memo
    Move(p9.x, p9.y);
    EXPECT_FALSE(grid.Tip()->IsVisible());
}

// At y = 20 a column before day 1 hits no day but lies on the header's edge: the weekly reminder
// opens for that column; one pixel lower nothing opens.
TEST_F(GridMouseTest, HeaderEdgeClickOpensTheWeeklyReminder) {
    ASSERT_EQ(grid.SetMonth(2026, 12, 0), 1);
    std::string caption, swatch;
    steps = {[&] {
        HWND dlg = Top(L"每周提示");
        if (!dlg) return false;
        HWND child = nullptr;
        while ((child = FindWindowExW(dlg, child, L"Static", nullptr)))
            if (TextOf(child).rfind("每周", 0) == 0) caption = TextOf(child);
        swatch = ItemText(L"每周提示", IDC_NOTE_SWATCH);
        SetDlgItemTextW(dlg, IDC_NOTE_EDIT, L"  周一\U0001F600");
        return Press(L"每周提示", IDOK);
    }};
    Click(52 + 10, 20);
    EXPECT_EQ(nextStep, 1u);
    EXPECT_EQ(grid.WeeklyColumn(), 1);
    EXPECT_EQ(caption, "每周一");
    EXPECT_EQ(swatch, "■");
    // GBK text keeps its bytes; the emoji outside GBK is kept as its four-byte code, not "?".
    EXPECT_EQ(Read("week"), MemoFileBytes({{1, "\xd6\xdc\xd2\xbb\x94\x39\xfc\x36", 0}}));

    steps.clear();
    nextStep = 0;
    Click(52 + 10, 21); // an empty cell: nothing opens, nothing changes
    EXPECT_EQ(grid.WeeklyColumn(), 1);
}

// A text over the limit is refused with a message; the editor stays open with the text, and nothing
// reaches the disk. "取消" then leaves everything as it was.
TEST_F(GridMouseTest, EditorKeepsTextTheStoreRefused) {
    ASSERT_EQ(grid.SetMonth(2006, 1, 0), 1);
    std::string dateLine, message;
    int kept = 0;
    std::wstring longText; // in lines: Wine's edit control is slow with one very long line
    for (int i = 0; i < 7000; ++i)
        longText += L"xxxxxxxx\r\n";
    steps = {
        [&] {
            if (!Top(L"输入记事")) return false;
            dateLine = ItemText(L"输入记事", IDC_DATE_LINE);
            SetDlgItemTextW(Top(L"输入记事"), IDC_ONE_TIME_EDIT, longText.c_str());
            SetDlgItemTextW(Top(L"输入记事"), IDC_SOLAR_EDIT, L"solar");
            return Press(L"输入记事", IDOK);
        },
        [&] {
            HWND box = Top(L"记事没有保存");
            if (!box) return false;
            HWND text = FindWindowExW(box, nullptr, L"Static", nullptr);
            while (text && TextOf(text).empty())
                text = FindWindowExW(box, text, L"Static", nullptr);
            message = TextOf(text);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            return true;
        },
        [&] {
            if (Top(L"记事没有保存")) return false;
            kept = GetWindowTextLengthW(GetDlgItem(Top(L"输入记事"), IDC_ONE_TIME_EDIT));
            return Press(L"输入记事", IDCANCEL);
        },
    };
    Click(Inside(29).x, Inside(29).y);
    EXPECT_EQ(nextStep, 3u);
    EXPECT_EQ(grid.HotDay(), 29);
    EXPECT_EQ(dateLine, "2006年1月29日星期日农历正月初一");
    EXPECT_NE(message.find("70000 字节"), std::string::npos) << message;
    EXPECT_EQ(kept, 70000);
    EXPECT_TRUE(Names().empty());
    EXPECT_FALSE(grid.Page().yearlySolarMemos.slot(29).occupied());
}

TEST_F(GridMouseTest, OtherLinksDoNothing) {
    ASSERT_EQ(grid.SetMonth(2026, 12, 0), 1);
    POINT p = Inside(3);
    Move(p.x, p.y);
    auto windows = [] {
        int n = 0;
        EnumThreadWindows(
            GetCurrentThreadId(), [](HWND, LPARAM count) { return ++*reinterpret_cast<int*>(count), TRUE; },
            reinterpret_cast<LPARAM>(&n));
        return n;
    };
    int before = windows();
    SendMessageW(grid.Hwnd(), WM_LINK_CLICKED, 1053, 0);
    EXPECT_EQ(windows(), before);
    EXPECT_EQ(grid.HotDay(), 3);
    EXPECT_EQ(grid.WeeklyColumn(), -1);
    EXPECT_TRUE(Names().empty());
}
