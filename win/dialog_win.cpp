#include "win/dialog.h"

#include "win/dpi.h"
#include "win/text.h"
#include "win/theme.h"

namespace {

// Posted to itself by a dialog that the system rescales, to follow up once that is done.
constexpr UINT kScaleChangedMessage = WM_APP + 0x3F00;

} // namespace

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
    case WM_INITDIALOG:
        if (CurrentPalette().variant != ThemeVariant::Light) ApplyThemeToWindow(hwnd);
        return OnInitDialog() ? TRUE : FALSE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
        if (HBRUSH brush = ThemedControlColor(msg, reinterpret_cast<HDC>(wParam)))
            return reinterpret_cast<LRESULT>(brush);
        return Window::HandleMessage(msg, wParam, lParam);
    case kScaleChangedMessage: OnScaleChanged(static_cast<int>(wParam)); return 0;
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

void Dialog::KeepOwnLayout() {
    ownLayout = true;
    if (hwnd) ::KeepOwnLayout(hwnd);
}

LRESULT Dialog::OnDpiChanged(int newDpi, const RECT& suggested) {
    const int oldDpi = dpi;
    dpi = newDpi;
    if (!ownLayout && SystemRescalesDialogs()) {
        // The dialog manager rescales the template once we return; what is ours follows after it.
        PostMessageW(hwnd, kScaleChangedMessage, static_cast<WPARAM>(oldDpi), 0);
        return Default();
    }
    SetWindowPos(hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RescaleChildren(oldDpi, newDpi);
    OnScaleChanged(oldDpi);
    return 0;
}

void Dialog::RescaleChildren(int oldDpi, int newDpi) {
    if (oldDpi <= 0 || newDpi <= 0 || oldDpi == newDpi) return;
    HFONT previous = rescaledFont ? rescaledFont.Get() : reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
    Font next;
    LOGFONTW lf{};
    if (previous && GetObjectW(previous, sizeof lf, &lf)) {
        lf.lfHeight = MulDiv(lf.lfHeight, newDpi, oldDpi);
        next.Reset(CreateFontIndirectW(&lf));
    }
    auto scale = [&](LONG v) { return MulDiv(v, newDpi, oldDpi); };
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r = RectInParent(child);
        // A drop-down list's window is its closed field; the height it is given includes the list.
        wchar_t cls[16] = {};
        RECT dropped{};
        if (GetClassNameW(child, cls, 16) && lstrcmpiW(cls, L"ComboBox") == 0 &&
            SendMessageW(child, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped)))
            r.bottom = r.top + (dropped.bottom - dropped.top);
        if (next && reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)) == previous)
            SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(next.Get()), TRUE);
        SetWindowPos(child, nullptr, scale(r.left), scale(r.top), scale(r.right) - scale(r.left),
                     scale(r.bottom) - scale(r.top), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (next) rescaledFont = std::move(next);
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
        // The dialog manager has made the template at the DPI of the monitor it opens on.
        self->dpi = WindowDpi(h);
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
