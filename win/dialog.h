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
//
// Theme: every dialog takes the current palette (win/theme.h) by itself: its caption and controls at
// creation, the WM_CTLCOLOR* colours whenever they paint.
//
// Display scale: a dialog knows its DPI (Dpi(), its monitor's when it was made, then what WM_DPICHANGED
// says). On a change, the template's controls are rescaled (by the system where it does that, else
// here, as it would), then OnScaleChanged remakes what the subclass placed or drew itself.
#pragma once

#include "win/dpi_scale.h"
#include "win/gdi.h"
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

    int Dpi() const { return dpi; }
    // The palette changed (win/theme.h, which redraws the window afterwards).
    void ThemeChanged() { OnThemeChanged(); }
    // A length or coordinate at 96 DPI in this dialog's pixels.
    int Scale(int value96) const { return Scaled(value96, dpi); }

protected:
    virtual bool OnInitDialog() { return true; }
    virtual void OnOK();
    virtual void OnCancel();
    // The DPI went from oldDpi to Dpi(): remake the fonts of our own and re-place what we placed.
    virtual void OnScaleChanged(int /*oldDpi*/) {}
    // What the dialog keeps of the palette (colours given to labels) follows it here.
    virtual void OnThemeChanged() {}

    // Every child is placed by the subclass: the system leaves them alone on a DPI change (only their
    // rectangles and the template font are rescaled here, for OnScaleChanged to refine).
    void KeepOwnLayout();
    // Sets the DPI the dialog is laid out for (a popup takes its owner's), without rescaling anything.
    void SetDpi(int value) { dpi = value; }

    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCommand(int id, int code, HWND control) override;
    LRESULT OnDpiChanged(int newDpi, const RECT& suggested) override;
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // What the system does to a template's children where it does not do it itself: every child's
    // rectangle scaled by newDpi / oldDpi, the dialog font remade and given to those that use it.
    void RescaleChildren(int oldDpi, int newDpi);

    static INT_PTR CALLBACK StaticDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    bool modal = false;
    int dpi = kBaseDpi;
    bool ownLayout = false;
    Font rescaledFont; // the template font at the present DPI, once RescaleChildren made one
};
