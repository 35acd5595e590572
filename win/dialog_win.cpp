#include "win/dialog.h"

#include "win/text.h"

Dialog::~Dialog() {
    // Detach before the window goes, while the object is still whole.
    if (!hwnd) return;
    HWND h = hwnd;
    Detach();
    if (modal)
        EndDialog(h, IDCANCEL);
    else
        DestroyWindow(h);
}

INT_PTR Dialog::RunModal(int templateId, HWND owner) {
    if (hwnd) return -1;
    modal = true;
    INT_PTR result =
        DialogBoxParamW(Instance(), MAKEINTRESOURCEW(templateId), owner, StaticDlgProc, reinterpret_cast<LPARAM>(this));
    modal = false;
    return result;
}

bool Dialog::CreateModeless(int templateId, HWND owner) {
    if (hwnd) return false;
    modal = false;
    return CreateDialogParamW(Instance(), MAKEINTRESOURCEW(templateId), owner, StaticDlgProc,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

void Dialog::End(INT_PTR result) {
    if (hwnd && modal) EndDialog(hwnd, result);
}

std::string Dialog::GetItemText(int id) const {
    return ToUtf8(WindowTextOf(Item(id)));
}

void Dialog::SetItemText(int id, const std::string& text) const {
    SetDlgItemTextW(hwnd, id, ToWide(text).c_str());
}

Dialog* Dialog::FromDialogHandle(HWND h) {
    if (!h || reinterpret_cast<DLGPROC>(GetWindowLongPtrW(h, DWLP_DLGPROC)) != StaticDlgProc) return nullptr;
    return reinterpret_cast<Dialog*>(GetWindowLongPtrW(h, DWLP_USER));
}

void Dialog::OnOK() {
    End(IDOK);
}
void Dialog::OnCancel() {
    End(IDCANCEL);
}

LRESULT Dialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG: return OnInitDialog() ? TRUE : FALSE;
    default: return Window::HandleMessage(msg, wParam, lParam);
    }
}

LRESULT Dialog::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED || (id != IDOK && id != IDCANCEL)) return Default();
    if (id == IDOK)
        OnOK();
    else
        OnCancel();
    return 0;
}

// The dialog manager does the default work itself once the procedure returns FALSE.
LRESULT Dialog::DefaultProc(UINT, WPARAM, LPARAM) {
    return 0;
}

INT_PTR CALLBACK Dialog::StaticDlgProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        auto* self = reinterpret_cast<Dialog*>(lParam);
        self->hwnd = h;
        SetWindowLongPtrW(h, DWLP_USER, lParam);
    }
    auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(h, DWLP_USER));
    if (!self) return FALSE;
    if (msg == WM_NCDESTROY) {
        self->Detach();
        return FALSE;
    }
    Message message{msg, wParam, lParam, false};
    LRESULT result = self->Dispatch(message);
    if (message.defaulted) return FALSE;
    switch (msg) {
    // These few return their result directly; every other answer goes through DWLP_MSGRESULT.
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON: return static_cast<INT_PTR>(result);
    default: SetWindowLongPtrW(h, DWLP_MSGRESULT, result); return TRUE;
    }
}
