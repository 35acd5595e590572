#include "app/exit_dlg.h"

#include "app/settings_parse.h"
#include "res/resource.h"
#include "win/dialog.h"

namespace {

class ExitDlg : public Dialog {
public:
    int choice = kKeepRunning;

protected:
    bool OnInitDialog() override {
        PlaceBesideOwner(hwnd, Dpi());
        return true;
    }
    LRESULT OnCommand(int id, int code, HWND control) override {
        if (code == BN_CLICKED && id == IDC_END_PROGRAM) return Choose(kEndProgram);
        if (code == BN_CLICKED && id == IDC_UNINSTALL) return Choose(kUninstall);
        return Dialog::OnCommand(id, code, control);
    }
    // Enter (IDOK, as there is no default button) presses the button that has the focus: at first
    // "结束程序". Not every dialog manager makes a focused push button the default one.
    void OnOK() override {
        HWND focus = GetFocus();
        if (focus == Item(IDC_END_PROGRAM)) Choose(kEndProgram);
        if (focus == Item(IDC_UNINSTALL)) Choose(kUninstall);
    }
    void OnCancel() override { Choose(kKeepRunning); }

private:
    LRESULT Choose(int what) {
        choice = what;
        End(IDCANCEL);
        return 0;
    }
};

} // namespace

void PlaceBesideOwner(HWND dialog, int dpi) {
    RECT own{}, mine{};
    HWND owner = GetWindow(dialog, GW_OWNER);
    if (!owner || !GetWindowRect(owner, &own) || !GetWindowRect(dialog, &mine)) return;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& w = monitor.rcWork;
    ScreenPoint at = PlaceBeside({own.left, own.top, own.right, own.bottom}, mine.right - mine.left,
                                 mine.bottom - mine.top, {w.left, w.top, w.right, w.bottom}, dpi);
    SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int RunExitDlg(HWND owner) {
    ExitDlg dlg;
    if (dlg.RunModal(IDD_EXIT, owner) == -1) return kKeepRunning;
    return dlg.choice;
}

bool IsEndProgramMessage(UINT msg) {
    static const UINT registered = RegisterWindowMessageW(L"Lunoria_end_program");
    return registered != 0 && msg == registered; // 0: registration failed, and WM_NULL is no request
}
