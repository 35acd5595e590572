#include "app/exit_dlg.h"

#include "res/resource.h"
#include "win/dialog.h"

namespace {

class ExitDlg : public Dialog {
public:
    int choice = kKeepRunning;

protected:
    // Over the middle of the calendar, where the click on "x" left the user's eyes.
    bool OnInitDialog() override {
        RECT own{}, mine{};
        HWND owner = GetWindow(hwnd, GW_OWNER);
        if (owner && GetWindowRect(owner, &own) && GetWindowRect(hwnd, &mine)) {
            int width = mine.right - mine.left, height = mine.bottom - mine.top;
            SetWindowPos(hwnd, nullptr, (own.left + own.right - width) / 2, (own.top + own.bottom - height) / 2, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return true;
    }
    LRESULT OnCommand(int id, int code, HWND control) override {
        if (code == BN_CLICKED && id == IDC_END_PROGRAM) return Choose(kEndProgram);
        if (code == BN_CLICKED && id == IDC_UNINSTALL) return Choose(kUninstall);
        return Dialog::OnCommand(id, code, control);
    }
    void OnOK() override {} // no default button: Enter reaches the focused button instead
    void OnCancel() override { Choose(kKeepRunning); }

private:
    LRESULT Choose(int what) {
        choice = what;
        End(IDCANCEL);
        return 0;
    }
};

} // namespace

int RunExitDlg(HWND owner) {
    ExitDlg dlg;
    if (dlg.RunModal(IDD_EXIT, owner) == -1) return kKeepRunning;
    return dlg.choice;
}
