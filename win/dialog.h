// A Window built from a dialog template of the program's resources.
//
// RunModal runs the template as a modal dialog and returns the code given to End; CreateModeless makes
// a modeless dialog (hidden unless its template says WS_VISIBLE) that lives until it is destroyed or
// the object goes. The dialog procedure attaches `this` at WM_INITDIALOG and dispatches like a Window;
// a message left to Default() goes to the dialog manager.
//
// Hooks: OnInitDialog (return true to let the dialog manager set the focus), OnOK and OnCancel (the
// IDOK and IDCANCEL commands: Enter, Esc, the close box). A modal dialog ends with IDOK / IDCANCEL by
// default; a modeless one ignores both unless a subclass says otherwise.
#pragma once

#include "win/window.h"

#include <string>

class Dialog : public Window {
public:
    ~Dialog() override;

    INT_PTR RunModal(int templateId, HWND owner);
    bool CreateModeless(int templateId, HWND owner);
    // Ends a modal run with `result`.
    void End(INT_PTR result);
    bool IsModal() const { return modal; }

    HWND Item(int id) const { return GetDlgItem(hwnd, id); }
    std::string GetItemText(int id) const;
    void SetItemText(int id, const std::string& text) const;

    // The Dialog object attached to a dialog window, or null.
    static Dialog* FromDialogHandle(HWND hwnd);

protected:
    virtual bool OnInitDialog() { return true; }
    virtual void OnOK();
    virtual void OnCancel();

    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCommand(int id, int code, HWND control) override;
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    static INT_PTR CALLBACK StaticDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    bool modal = false;
};
