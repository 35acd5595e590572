#include "res/resource.h"
#include "test_window.h"
#include "win/dialog.h"

#include <gtest/gtest.h>

namespace {

// Runs the day memo editor's template: fills an edit, then presses a button from inside the loop.
class ScriptedDialog : public Dialog {
public:
    int pressOnStart = IDOK;
    std::string typed;
    std::string readOnOk;
    int initCalls = 0;

protected:
    bool OnInitDialog() override {
        ++initCalls;
        SetItemText(IDC_ONE_TIME_EDIT, typed);
        PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(pressOnStart, BN_CLICKED), 0);
        return true;
    }
    void OnOK() override {
        readOnOk = GetItemText(IDC_ONE_TIME_EDIT);
        Dialog::OnOK();
    }
};

// Counts the messages it sees, and answers WM_USER with the nesting depth it is sent at.
class Counter : public Window {
public:
    int paints = 0;
    int depth = 0;

protected:
    LRESULT OnPaint() override {
        ++paints;
        return Default(); // validates the window
    }
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg != WM_USER) return Default();
        ++depth;
        LRESULT inner = wParam > 0 ? SendMessageW(hwnd, WM_USER, wParam - 1, lParam) : 0;
        --depth;
        return inner + 1;
    }
};

} // namespace

TEST(DialogBase, ModalRunReturnsTheButtonAndKeepsUtf8Text) {
    ScriptedDialog ok;
    ok.typed = "生日 A&B 😀\r\n第二行";
    EXPECT_EQ(ok.RunModal(IDD_MEMO_EDIT, nullptr), IDOK);
    EXPECT_EQ(ok.initCalls, 1);
    EXPECT_EQ(ok.readOnOk, ok.typed);
    EXPECT_EQ(ok.Handle(), nullptr); // the window is gone, the object may be reused

    ScriptedDialog cancel;
    cancel.pressOnStart = IDCANCEL;
    EXPECT_EQ(cancel.RunModal(IDD_MEMO_EDIT, nullptr), IDCANCEL);
    EXPECT_EQ(cancel.readOnOk, "");
}

TEST(DialogBase, ModelessIgnoresOkAndCancelAndIsFoundFromItsHandle) {
    Dialog dlg;
    ASSERT_TRUE(dlg.CreateModeless(IDD_NOTEPAD, nullptr));
    SendMessageW(dlg.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    SendMessageW(dlg.Handle(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    PumpMessages();
    EXPECT_TRUE(IsWindow(dlg.Handle()));
    EXPECT_EQ(Window::FromHandle(dlg.Handle()), &dlg);
    EXPECT_EQ(Window::FromHandle(dlg.Item(IDC_PAGE_EDIT)), nullptr);
    HWND h = dlg.Handle();
    dlg.Destroy();
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(dlg.Handle(), nullptr);
}

TEST(WindowBase, DispatchesAndNestsMessages) {
    TestParent parent;
    ASSERT_TRUE(parent.Open());
    EXPECT_EQ(Window::FromHandle(parent.Handle()), &parent);
    EXPECT_EQ(parent.Title(), "测试");
    parent.SetTitle("日历2.162");
    EXPECT_EQ(parent.Title(), "日历2.162");

    Counter counter;
    Window::Register(L"LunoriaTestCounter", 0, nullptr, nullptr);
    ASSERT_TRUE(counter.Create(L"LunoriaTestCounter", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, {0, 0, 50, 50},
                               parent.Handle(), 7));
    EXPECT_EQ(GetDlgCtrlID(counter.Handle()), 7);
    EXPECT_EQ(SendMessageW(counter.Handle(), WM_USER, 3, 0), 4);
    EXPECT_EQ(counter.depth, 0);
    counter.Invalidate(false);
    UpdateWindow(counter.Handle());
    EXPECT_EQ(counter.paints, 1);
    UpdateWindow(counter.Handle()); // Default() validated it: no second paint
    EXPECT_EQ(counter.paints, 1);
    HDC frame = GetWindowDC(counter.Handle()); // a frame is still painted, by the default
    EXPECT_EQ(GetPixel(frame, 0, 0), GetSysColor(COLOR_WINDOWFRAME));
    ReleaseDC(counter.Handle(), frame);

    // Destroying the parent takes the child with it; the objects notice.
    parent.Destroy();
    EXPECT_EQ(counter.Handle(), nullptr);
}
