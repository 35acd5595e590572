#include "app/tray_icon.h"

#include "app/settings_parse.h"
#include "app/settings_store.h"
#include "app/tray_picture.h"
#include "res/resource.h"
#include "view/today_glance.h"
#include "win/lazy_dll.h"
#include "win/text.h"

#include <shellapi.h>
#include <windowsx.h>

#include <cwchar>

namespace {

constexpr wchar_t kClassName[] = L"LunoriaTrayIcon";
constexpr UINT kIconId = 1;
constexpr UINT kCallback = WM_APP + 20;
// The shell shows the tooltip a moment after the pointer arrives: the text is made fresh then (the
// memos may have changed), at most this often.
constexpr DWORD kTipRecheckMs = 2000;
constexpr DWORD kCloaked = 14; // DWMWA_CLOAKED

enum MenuCommand : UINT {
    kShowCalendar = 1,
    kNotepad,
    kTodayMemos,
    kExit,
    kRemindFirst = 10, // + index into kRemindChoices
};
const char* const kRemindNames[] = {"当天", "提前1天", "提前3天", "提前7天", "不提醒"};

using DwmGetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);

bool Cloaked(HWND w) {
    static const auto get = LazyFunction<DwmGetWindowAttributeFn>(L"dwmapi.dll", "DwmGetWindowAttribute");
    DWORD cloaked = 0;
    return get && SUCCEEDED(get(w, kCloaked, &cloaked, sizeof cloaked)) && cloaked;
}

template <size_t N> void CopyText(wchar_t (&to)[N], const std::string& utf8) {
    std::wstring text = ToWide(utf8);
    wcsncpy(to, text.c_str(), N - 1);
    to[N - 1] = L'\0';
}

void AddItem(HMENU menu, UINT id, const char* text, bool enabled = true) {
    AppendMenuW(menu, MF_STRING | (enabled ? 0 : MF_GRAYED), id, ToWide(text).c_str());
}

} // namespace

bool ShowsInFront(HWND window) {
    RECT mine, other, both;
    if (!IsWindowVisible(window) || IsIconic(window) || !GetWindowRect(window, &mine)) return false;
    const DWORD self = GetCurrentProcessId();
    for (HWND w = GetWindow(window, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV)) {
        DWORD process = 0;
        GetWindowThreadProcessId(w, &process);
        wchar_t cls[32] = {};
        GetClassNameW(w, cls, 32);
        // Our own popups and passing tooltips do not hide the calendar.
        if (process == self || !IsWindowVisible(w) || Cloaked(w) || wcscmp(cls, L"tooltips_class32") == 0) continue;
        if (GetWindowRect(w, &other) && IntersectRect(&both, &mine, &other)) return false;
    }
    return true;
}

TrayIcon::~TrayIcon() {
    Remove();
    if (icon) DestroyIcon(icon);
}

bool TrayIcon::Create(HWND calendarWindow, TrayIconOwner* trayOwner, const std::string& memoRoot) {
    calendar = calendarWindow;
    owner = trayOwner;
    page.SetMemoRoot(memoRoot);
    scratch.SetMemoRoot(memoRoot);
    scratch.SetShowHolidays(false); // the reminder names memos only
    taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    if (!Register(kClassName, 0, nullptr, nullptr)) return false;
    if (!Window::Create(kClassName, WS_POPUP, WS_EX_TOOLWINDOW, RECT{0, 0, 0, 0}, nullptr, 0)) return false;
    ApplySettings();
    return true;
}

void TrayIcon::ApplySettings() {
    wanted = TrayIconShown(ReadStored("TrayIcon"));
    remindDays = RemindDaysFrom(ReadStored("RemindDays"));
    page.SetShowHolidays(HolidayMarksShown(ReadStored("ShowHolidays")));
    if (wanted && !added) Add();
    if (!wanted && added && !transient) Remove();
    if (today.year) Refresh(true);
}

void TrayIcon::Update(const LocalDate& now, bool force) {
    if (!DateChanged(today, now)) {
        if (force) Refresh(true);
        return;
    }
    today = now;
    Refresh(true);
    Remind();
}

// The picture is made again only when the day, the size the task bar wants or its theme changed.
void TrayIcon::MakePicture() {
    const int size = TrayIconSize(TaskbarDpi());
    const bool light = TaskbarIsLight();
    if (icon && shownDay == today.day && shownSize == size && shownLight == light) return;
    if (HICON made = DayIcon(today.day, size, light)) {
        if (icon) DestroyIcon(icon);
        icon = made;
        shownDay = today.day;
        shownSize = size;
        shownLight = light;
    }
}

void TrayIcon::Refresh(bool force) {
    if (!today.year || !page.SetMonth(today.year, today.month, today.day)) return;
    const std::string text = TrayTipText(page, today.day);
    const HICON before = icon;
    MakePicture();
    if (!force && text == tip && icon == before) return;
    tip = text;
    SetTitle(tip);
    if (!added) return;
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = hwnd;
    data.uID = kIconId;
    data.uFlags = NIF_ICON | NIF_TIP | NIF_SHOWTIP;
    data.hIcon = icon;
    CopyText(data.szTip, tip);
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

// Fails while no shell runs (a log-on start can come before the task bar); "TaskbarCreated" then
// brings it.
bool TrayIcon::Add() {
    if (!hwnd) return false;
    if (today.year) MakePicture();
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = hwnd;
    data.uID = kIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
    data.uCallbackMessage = kCallback;
    data.hIcon = icon ? icon : LoadIconW(Instance(), MAKEINTRESOURCEW(IDI_PROGRAM));
    CopyText(data.szTip, tip);
    // An icon left behind by this window (a shell that came back) is taken over.
    if (!Shell_NotifyIconW(NIM_ADD, &data) && !Shell_NotifyIconW(NIM_MODIFY, &data)) return false;
    data.uVersion = NOTIFYICON_VERSION_4;
    Shell_NotifyIconW(NIM_SETVERSION, &data);
    added = true;
    return true;
}

void TrayIcon::Remove() {
    if (!added) return;
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = hwnd;
    data.uID = kIconId;
    Shell_NotifyIconW(NIM_DELETE, &data);
    added = false;
    transient = false;
}

// Once a day: the first time a day is seen (start or midnight) with something to say. The day counts
// as told only when the shell took the notification, so a start before the task bar exists tells it
// when the task bar comes.
void TrayIcon::Remind() {
    if (!today.year || remindDays < 0) return;
    const std::string day = IsoDate(today.year, today.month, today.day);
    if (ReadStored("RemindedOn").text == day) return;
    const std::vector<DueMemo> due = DueMemos(scratch, CivilDate{today.year, today.month, today.day}, remindDays);
    if (due.empty()) return;
    if (ShowBalloon(ReminderText(due))) WriteSetting(kSettingsKey, "RemindedOn", day);
}

// With the icon turned off, it comes for the notification alone and goes with it.
bool TrayIcon::ShowBalloon(const std::string& text) {
    if (!added) {
        transient = !wanted;
        if (!Add()) return false;
    }
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = hwnd;
    data.uID = kIconId;
    data.uFlags = NIF_INFO;
    data.dwInfoFlags = NIIF_INFO | NIIF_RESPECT_QUIET_TIME;
    CopyText(data.szInfoTitle, "记事提醒");
    CopyText(data.szInfo, text);
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

LRESULT TrayIcon::OnNotify(UINT event, int x, int y) {
    switch (event) {
    case NIN_SELECT:
    case NIN_KEYSELECT:
        if (owner->CalendarInFront())
            owner->HideCalendar();
        else
            owner->ShowCalendarToday();
        break;
    case WM_CONTEXTMENU: OnMenu(x, y); break;
    case NIN_BALLOONUSERCLICK:
        owner->ShowCalendarToday();
        if (transient) Remove();
        break;
    case NIN_BALLOONTIMEOUT:
    case NIN_BALLOONHIDE:
        if (transient) Remove();
        break;
    case WM_MOUSEMOVE:
        if (GetTickCount() - tipCheckedAt > kTipRecheckMs) {
            tipCheckedAt = GetTickCount();
            Refresh(false);
        }
        break;
    default: break;
    }
    return 0;
}

void TrayIcon::OnMenu(int x, int y) {
    // A dialog open over the calendar (a memo half typed) keeps it: only showing it is offered.
    const bool free = IsWindowEnabled(calendar) != FALSE;
    HMENU remind = CreatePopupMenu();
    for (int i = 0; i < 5; ++i) {
        AddItem(remind, kRemindFirst + i, kRemindNames[i]);
        if (kRemindChoices[i] == remindDays) CheckMenuRadioItem(remind, 0, 4, static_cast<UINT>(i), MF_BYPOSITION);
    }
    HMENU menu = CreatePopupMenu();
    AddItem(menu, kShowCalendar, "显示日历");
    AddItem(menu, kNotepad, "记事本");
    AddItem(menu, kTodayMemos, "今天的记事", free);
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(remind), ToWide("提醒").c_str());
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AddItem(menu, IDM_UPDATE_HOLIDAYS, "更新节假日", free);
    AddItem(menu, IDM_SETTINGS, "设置…", free);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AddItem(menu, kExit, "退出", free);
    SetMenuDefaultItem(menu, kShowCalendar, FALSE);
    // The menu closes on a click elsewhere only when its window is in front.
    SetForegroundWindow(hwnd);
    const UINT chosen =
        static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, 0, hwnd, nullptr));
    PostMessageW(hwnd, WM_NULL, 0, 0);
    DestroyMenu(menu); // and the submenu with it
    switch (chosen) {
    case kShowCalendar: owner->ShowCalendarToday(); break;
    case kNotepad: owner->ShowNotepadFromTray(); break;
    case kTodayMemos: owner->OpenTodayMemos(); break;
    case kExit: PostMessageW(calendar, WM_COMMAND, MAKEWPARAM(IDC_EXIT, BN_CLICKED), 0); break;
    case IDM_UPDATE_HOLIDAYS:
    case IDM_SETTINGS: PostMessageW(calendar, WM_COMMAND, MAKEWPARAM(chosen, 0), 0); break;
    default:
        if (chosen >= kRemindFirst && chosen < kRemindFirst + 5) {
            remindDays = kRemindChoices[chosen - kRemindFirst];
            WriteSetting(kSettingsKey, "RemindDays", FormatDecimal(remindDays));
        }
        break;
    }
}

LRESULT TrayIcon::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kCallback) return OnNotify(LOWORD(lParam), GET_X_LPARAM(wParam), GET_Y_LPARAM(wParam));
    if (msg == taskbarCreated && taskbarCreated) {
        // Explorer started again: it knows no icons. A reminder that found no shell goes now.
        added = false;
        if (wanted) Add();
        Refresh(true);
        Remind();
        return 0;
    }
    switch (msg) {
    case WM_SETTINGCHANGE:
        if (lParam && wcscmp(reinterpret_cast<const wchar_t*>(lParam), L"ImmersiveColorSet") == 0) Refresh(true);
        return Default();
    case WM_DISPLAYCHANGE: Refresh(true); return Default();
    default: return Default();
    }
}
