#include "res/resource.h"
#include "test_window.h"
#include "win/dialog.h"
#include "win/text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string ClassOf(HWND w) {
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    std::string out;
    for (wchar_t* p = name; *p; ++p)
        out += static_cast<char>(*p);
    return out;
}

// Statics share the id -1, which GetDlgItem cannot look up: find them by their text.
HWND StaticWithText(const Dialog& dlg, const std::string& text) {
    for (HWND c = GetWindow(dlg.Handle(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (ClassOf(c) != "Static") continue;
        wchar_t buf[64] = {};
        GetWindowTextW(c, buf, 64);
        if (ToUtf8(buf) == text) return c;
    }
    return nullptr;
}

LONG Style(HWND w) {
    return GetWindowLongW(w, GWL_STYLE);
}

// The client size a template of w x h dialog units gets with its own font.
SIZE DialogUnits(HWND dlg, int w, int h) {
    RECT r{0, 0, w, h};
    MapDialogRect(dlg, &r);
    return {r.right, r.bottom};
}

struct Control {
    int id;
    const char* className;
    const char* text;
};

class Templates : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(parent.Open()); }

    // Creates the template modeless and checks its controls.
    void Expect(Dialog& dlg, int templateId, std::initializer_list<Control> controls) {
        ASSERT_TRUE(dlg.CreateModeless(templateId, parent.Handle())) << templateId;
        for (const Control& c : controls) {
            if (c.id == IDC_STATIC) {
                EXPECT_NE(StaticWithText(dlg, c.text), nullptr) << templateId << " static " << c.text;
                continue;
            }
            HWND item = dlg.Item(c.id);
            ASSERT_NE(item, nullptr) << templateId << " control " << c.id;
            EXPECT_EQ(ClassOf(item), c.className) << templateId << " control " << c.id;
            EXPECT_EQ(dlg.GetItemText(c.id), c.text) << templateId << " control " << c.id;
        }
    }
    TestParent parent;
};

} // namespace

TEST_F(Templates, MainWindow) {
    Dialog dlg;
    Expect(dlg, IDD_MAIN,
           {{IDC_YEAR_LIST, "ComboBox", ""},
            {IDC_MONTH_LIST, "ComboBox", ""},
            {IDC_MINIMIZE, "Button", "-"},
            {IDC_EXIT, "Button", "x"}});
    HWND h = dlg.Handle();
    EXPECT_EQ(Style(h) & (WS_POPUP | WS_CAPTION | WS_BORDER), WS_POPUP);
    EXPECT_TRUE(GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_EQ(Style(dlg.Item(IDC_YEAR_LIST)) & 3, CBS_DROPDOWN);
    EXPECT_TRUE(Style(dlg.Item(IDC_EXIT)) & BS_FLAT);
    SIZE want = DialogUnits(h, 243, 214);
    RECT c = dlg.ClientRect();
    EXPECT_EQ(c.right, want.cx);
    EXPECT_EQ(c.bottom, want.cy);
}

TEST_F(Templates, ExitDialog) {
    Dialog dlg;
    Expect(dlg, IDD_EXIT,
           {{IDC_STATIC, "Static", "请选择您的操作"},
            {IDC_END_PROGRAM, "Button", "结束程序"},
            {IDC_UNINSTALL, "Button", "卸载"}});
    EXPECT_EQ(dlg.Title(), "提示");
    EXPECT_TRUE(Style(dlg.Handle()) & WS_CAPTION);
    EXPECT_FALSE(Style(dlg.Item(IDC_END_PROGRAM)) & BS_DEFPUSHBUTTON);
    EXPECT_EQ(GetNextDlgTabItem(dlg.Handle(), nullptr, FALSE), dlg.Item(IDC_END_PROGRAM));
}

TEST_F(Templates, DayMemoEditor) {
    Dialog dlg;
    Expect(dlg, IDD_MEMO_EDIT,
           {{IDCANCEL, "Button", "取消"},
            {IDC_ONE_TIME_EDIT, "Edit", ""},
            {IDC_SOLAR_EDIT, "Edit", ""},
            {IDC_LUNAR_EDIT, "Edit", ""},
            {IDOK, "Button", "确定"},
            {IDC_STATIC, "Static", "2.16版"}});
    EXPECT_EQ(dlg.Title(), "输入记事");
    LONG multi = Style(dlg.Item(IDC_ONE_TIME_EDIT));
    EXPECT_TRUE(multi & ES_MULTILINE);
    EXPECT_TRUE(multi & ES_WANTRETURN);
    EXPECT_TRUE(multi & WS_VSCROLL);
    EXPECT_FALSE(Style(dlg.Item(IDC_SOLAR_EDIT)) & ES_MULTILINE);
    // "取消" comes first in the tab order, so it has the focus when the dialog opens.
    EXPECT_EQ(GetNextDlgTabItem(dlg.Handle(), nullptr, FALSE), dlg.Item(IDCANCEL));
}

TEST_F(Templates, HoverTipNotepadAndTabs) {
    Dialog tip, notepad, noteTab, calendarTab;
    Expect(tip, IDD_HOVER_TIP, {});
    EXPECT_FALSE(IsWindowVisible(tip.Handle()));
    EXPECT_EQ(Style(tip.Handle()) & (WS_POPUP | WS_CAPTION | WS_BORDER), WS_POPUP);
    EXPECT_EQ(GetWindow(tip.Handle(), GW_CHILD), nullptr);

    Expect(notepad, IDD_NOTEPAD,
           {{IDC_HIDE_NOTEPAD, "Button", "-"}, {IDC_PAGE_EDIT, "Edit", ""}, {IDC_STATIC, "Static", "记事小本"}});
    EXPECT_FALSE(IsWindowVisible(notepad.Handle()));
    EXPECT_EQ(notepad.Title(), "");
    LONG page = Style(notepad.Item(IDC_PAGE_EDIT));
    EXPECT_TRUE(page & ES_MULTILINE);
    EXPECT_TRUE(page & ES_AUTOHSCROLL); // lines do not wrap
    EXPECT_FALSE(Style(notepad.Item(IDC_HIDE_NOTEPAD)) & WS_TABSTOP);

    Expect(noteTab, IDD_NOTE_TAB, {{IDC_TAB_BUTTON, "Button", "本"}});
    Expect(calendarTab, IDD_CALENDAR_TAB, {{IDC_TAB_BUTTON, "Button", "历"}});
    EXPECT_FALSE(IsWindowVisible(noteTab.Handle()));
    EXPECT_FALSE(IsWindowVisible(calendarTab.Handle()));
}

TEST_F(Templates, WeeklyReminder) {
    Dialog dlg;
    Expect(dlg, IDD_WEEKLY_NOTE, {{IDCANCEL, "Button", "取消"}, {IDC_NOTE_EDIT, "Edit", ""}, {IDOK, "Button", "确定"}});
    EXPECT_EQ(dlg.Title(), "每周提示");
    SIZE want = DialogUnits(dlg.Handle(), 259, 60);
    EXPECT_EQ(dlg.ClientRect().right, want.cx);
    EXPECT_EQ(dlg.ClientRect().bottom, want.cy);
}

TEST(Resources, IconAndVersion) {
    HICON icon =
        static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON, 32, 32, 0));
    EXPECT_NE(icon, nullptr);
    if (icon) DestroyIcon(icon);
    HRSRC version = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16));
    ASSERT_NE(version, nullptr);
    auto* info = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, version)));
    // VS_FIXEDFILEINFO follows the "VS_VERSION_INFO" key; its file version is 2.162.0.0.
    const auto* fixed = reinterpret_cast<const VS_FIXEDFILEINFO*>(info + 40);
    ASSERT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, (2u << 16) | 162u);
}
