#pragma once

#include "app/settings_parse.h"
#include "win/dialog.h"

#include <functional>

// A tab hanging off the calendar's right edge: a tiny popup holding one button ("本" from template
// IDD_NOTE_TAB, "历" from IDD_CALENDAR_TAB) that calls `onClick`. Enter and Esc do nothing.
class TabButtonDlg : public Dialog {
public:
    TabButtonDlg(int templateId, std::function<void()> onClick);

    // Creates the tab, hidden, owned by the calendar.
    bool Create(HWND owner);
    // Moves and sizes the tab (screen coordinates).
    void Place(const ScreenArea& area);

protected:
    void OnOK() override {}
    void OnCancel() override {}
    LRESULT OnCommand(int id, int code, HWND control) override;

private:
    int templateId;
    std::function<void()> onClick;
};
