#include "memo/notepad_dlg.h"

#include "app/settings_parse.h"
#include "app/settings_store.h"
#include "app/companion_place.h"
#include "memo/memo_file.h"
#include "memo/notepad_page.h"
#include "res/resource.h"
#include "win/text.h"

#include <algorithm>
#include <utility>

namespace {

constexpr char kHeading[] = "记事小本";
constexpr char kHeadingUnsaved[] = "记事小本（未保存）";
// Until the first edit after a start that took up the text the last run could not save. As short as
// the unsaved mark: the heading ends where "-" begins.
constexpr char kHeadingRecovered[] = "记事小本（已恢复）";

} // namespace

NotepadDlg::NotepadDlg(std::string root, std::function<void()> hide)
    : memoRoot(std::move(root)), onHide(std::move(hide)) {}

void NotepadDlg::SetDefaultPosition(int x, int y) {
    defaultX = x;
    defaultY = y;
}

bool NotepadDlg::Create(HWND owner) {
    return CreateModeless(IDD_NOTEPAD, owner);
}

bool NotepadDlg::OnInitDialog() {
    // The heading is the one static; widen it up to "-" so the unsaved mark fits.
    heading = FindWindowExW(hwnd, nullptr, L"Static", nullptr);
    RECT span{1, 1, 98, 10};
    MapDialogRect(hwnd, &span);
    if (heading)
        SetWindowPos(heading, nullptr, 0, 0, span.right - span.left, span.bottom - span.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    FitPage();
    PlaceAtStoredPosition();
    HWND edit = Item(IDC_PAGE_EDIT);
    // The page has no length limit of its own; the edit control's default would stop typing at 32 K.
    SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
    // Multi-line edits send no EN_CHANGE for WM_SETTEXT, and `ready` is still false: nothing is saved.
    const FileStamp stamp = StampOf(NotepadPagePath(memoRoot, kNotepadPage));
    NotepadStart start = LoadNotepadStart(memoRoot, kNotepadPage);
    pageText = std::move(start.text);
    diskText = start.onDisk;
    diskStamp = stamp;
    pageFault = start.pageFault;
    const bool pageUnread = pageFault != FileFault::None && pageFault != FileFault::Missing;
    keepAside = pageUnread ? KeepAside::Damaged : start.recovered ? KeepAside::Older : KeepAside::None;
    recovered = dropUnsaved = pending = start.recovered;
    SetWindowTextW(edit, Cp936ToWide(pageText).c_str());
    ready = true;
    if (pending) TrySave(kOneAttempt);
    ShowHeading();
    return true;
}

// The page reaches the window's right and lower edges. In dialog units it does so exactly; in pixels
// the two are rounded apart and, at some scales, the page's lower border falls one pixel outside.
void NotepadDlg::FitPage() {
    HWND edit = Item(IDC_PAGE_EDIT);
    if (!edit) return;
    const RECT page = RectInParent(edit), client = ClientRect();
    if (page.right <= client.right && page.bottom <= client.bottom) return;
    MoveWindow(edit, page.left, page.top, std::min(page.right, client.right) - page.left,
               std::min(page.bottom, client.bottom) - page.top, TRUE);
}

void NotepadDlg::OnScaleChanged(int) {
    FitPage();
}

void NotepadDlg::PlaceAtStoredPosition() {
    StoredText memoX = ReadStored("MemoX");
    StoredText memoY = memoX.present ? ReadStored("MemoY") : StoredText{};
    ScreenPoint fallback{defaultX, defaultY};
    ScreenPoint pos = StoredWindowPos(memoX, memoY, fallback);
    // A place on no monitor (one was unplugged) would lose the notepad; a partly visible one is kept.
    RECT r = ScreenRect();
    pos = PlaceOnMonitors(pos, r.right - r.left, r.bottom - r.top, fallback);
    SetWindowPos(hwnd, HWND_TOP, pos.x, pos.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE); // not saved: not ready
}

void NotepadDlg::SaveText() {
    if (!ready || settingText) return;
    pageText = WideToCp936(WindowTextOf(Item(IDC_PAGE_EDIT)));
    pending = true;
    edited = true;
    TrySave(kOneAttempt);
    ShowHeading();
}

void NotepadDlg::NoteDisk(const std::string& text) {
    diskText = text;
    diskStamp = StampOf(NotepadPagePath(memoRoot, kNotepadPage));
}

bool NotepadDlg::PageChanged(std::string& now, bool evenSameStamp) {
    if (memoRoot.empty() || keepAside == KeepAside::Damaged) return false;
    const FileStamp stamp = StampOf(NotepadPagePath(memoRoot, kNotepadPage));
    if (stamp == diskStamp && !evenSameStamp) return false;
    FileFault fault = FileFault::None;
    if (LoadNotepadPage(memoRoot, kNotepadPage, now, &fault) != 0) return false; // not readable now: later
    diskStamp = stamp;
    return now != diskText;
}

// The text keeps the caret where it was; the texts a merge adds come after the user's.
void NotepadDlg::ShowPageText() {
    HWND edit = Item(IDC_PAGE_EDIT);
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    settingText = true;
    SetWindowTextW(edit, Cp936ToWide(pageText).c_str());
    settingText = false;
    SendMessageW(edit, EM_SETSEL, start, end);
}

void NotepadDlg::RefreshPage() {
    std::string now;
    if (!ready || !PageChanged(now, false)) return;
    pageText = PageAfterChange(pageText, diskText, now, pending);
    diskText = now;
    ShowPageText();
    if (pending) TrySave(kOneAttempt);
    ShowHeading();
}

bool NotepadDlg::TrySave(const RetryPolicy& retry) {
    // Never over a text this window did not read: one written elsewhere meanwhile stays below ours.
    std::string now;
    if (PageChanged(now, true)) {
        pageText = PageAfterChange(pageText, diskText, now, true);
        diskText = now;
        ShowPageText();
    }
    if (SaveNotepadPage(memoRoot, kNotepadPage, pageText, keepAside, retry) != 0) return false;
    NoteDisk(pageText);
    pending = false;
    keepAside = KeepAside::None;
    if (dropUnsaved && RemoveFile(UnsavedPagePath(memoRoot, kNotepadPage), kOneAttempt) == 0) dropUnsaved = false;
    return true;
}

void NotepadDlg::RetryPendingSave() {
    if (!ready || !pending) return;
    TrySave(kOneAttempt);
    ShowHeading();
}

void NotepadDlg::SaveBeforeExit() {
    if (!ready || !pending) return;
    if (TrySave(kRideOutHolds)) return;
    // The text taken up from default.unsaved at the start is in what is on screen now.
    KeepUnsavedPage(memoRoot, kNotepadPage, pageText, recovered);
}

// The text stays in the control either way; the heading tells the user whether it is on disk.
void NotepadDlg::ShowHeading() {
    const char* text = pending ? kHeadingUnsaved : recovered && !edited ? kHeadingRecovered : kHeading;
    if (!heading || headingShown == text) return;
    headingShown = text;
    SetWindowTextW(heading, ToWide(text).c_str());
}

LRESULT NotepadDlg::OnMove(int x, int y) {
    LRESULT result = Default();
    if (!ready || !PositionWorthStoring(IsIconic(hwnd) != FALSE, x, y)) return result;
    WriteSetting(kSettingsKey, "MemoX", FormatDecimal(x));
    WriteSetting(kSettingsKey, "MemoY", FormatDecimal(y));
    return result;
}

// The heading and the background drag the notepad; the edit and "-" take their own clicks.
LRESULT NotepadDlg::OnLButtonDown(int, int, UINT) {
    ReleaseCapture();
    SendMessageW(hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
    return 0;
}

LRESULT NotepadDlg::OnCommand(int id, int code, HWND control) {
    if (id == IDC_PAGE_EDIT && code == EN_CHANGE) {
        SaveText();
        return 0;
    }
    if (id == IDC_HIDE_NOTEPAD && code == BN_CLICKED) {
        if (onHide) onHide();
        return 0;
    }
    return Dialog::OnCommand(id, code, control);
}
