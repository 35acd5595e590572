#include "app/tab_button_dlg.h"

#include "res/resource.h"

#include <utility>

TabButtonDlg::TabButtonDlg(int id, std::function<void()> click) : templateId(id), onClick(std::move(click)) {}

bool TabButtonDlg::Create(HWND owner) {
    return CreateModeless(templateId, owner);
}

void TabButtonDlg::Place(const ScreenArea& area) {
    MoveWindow(hwnd, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
}

LRESULT TabButtonDlg::OnCommand(int id, int code, HWND control) {
    if (id == IDC_TAB_BUTTON && code == BN_CLICKED) {
        if (onClick) onClick();
        return 0;
    }
    return Dialog::OnCommand(id, code, control);
}
