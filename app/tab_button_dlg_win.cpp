#include "app/tab_button_dlg.h"

#include "res/resource.h"

#include <utility>

TabButtonDlg::TabButtonDlg(int id, std::function<void()> click) : templateId(id), onClick(std::move(click)) {}

bool TabButtonDlg::Create(HWND owner) {
    return CreateModeless(templateId, owner);
}

void TabButtonDlg::Place(const ScreenArea& area) {
    int width = area.right - area.left;
    int height = area.bottom - area.top;
    MoveWindow(hwnd, area.left, area.top, width, height, TRUE);
    // The template's button is larger than the tab; cut off, it would lose its right and lower edges.
    MoveWindow(Item(IDC_TAB_BUTTON), 0, 0, width, height, TRUE);
}

LRESULT TabButtonDlg::OnCommand(int id, int code, HWND control) {
    if (id == IDC_TAB_BUTTON && code == BN_CLICKED) {
        if (onClick) onClick();
        return 0;
    }
    return Dialog::OnCommand(id, code, control);
}
