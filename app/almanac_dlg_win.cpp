#include "app/almanac_dlg.h"

#include "app/companion_place.h"
#include "app/exit_dlg.h"
#include "app/settings_parse.h"
#include "app/settings_store.h"
#include "app/startup_timeline.h"
#include "memo/memo_dlg_parts.h"
#include "memo/memo_file.h"
#include "net/headline.h"
#include "net/http_get.h"
#include "net/socket.h"
#include "res/resource.h"
#include "win/gdi.h"
#include "win/lazy_dll.h"
#include "win/text.h"

#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr UINT_PTR kClockTimer = 1;
// Fires once, as soon as nothing else is waiting: timer messages come after every paint.
constexpr UINT_PTR kCompanionTimer = 2;
constexpr int kNavBandHeight = 25;
// Posted by the headline worker when its reply is ready.
constexpr UINT kHeadlineReply = WM_APP + 12;

LocalDate LocalToday() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay};
}

// The configured headline server without its surrounding blanks; empty when none is set.
std::string HeadlineHost() {
    StoredText host = ReadStored("HeadlineHost");
    size_t first = host.text.find_first_not_of(' ');
    if (!host.present || first == std::string::npos) return {};
    return host.text.substr(first, host.text.find_last_not_of(' ') - first + 1);
}

} // namespace

AlmanacDlg::AlmanacDlg() = default;
AlmanacDlg::~AlmanacDlg() = default;

void AlmanacDlg::Run() {
    RunModal(IDD_MAIN, nullptr);
}

// The program's start-up work, in this order: the rest of the program relies on it (the memo
// folder before the grid loads a page, the position before the tabs are placed, ready last).
bool AlmanacDlg::OnInitDialog() {
    StartupMark("window"); // the dialog and its controls exist
    yearList = Item(IDC_YEAR_LIST);
    monthList = Item(IDC_MONTH_LIST);
    icon = LoadIconW(Instance(), MAKEINTRESOURCEW(IDI_PROGRAM));
    SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    StartSockets();
    PlaceAtStoredPosition();
    CheckAutostart();
    SetTitle("日历2.162");
    MakeMemoFolder();
    // The tabs and the notepad are three more top-level windows that the calendar's first paint
    // does not need: they are made right after it (MakeCompanions).
    SetTimer(hwnd, kCompanionTimer, 0, nullptr);
    CreateNavLinks();
    grid = std::make_unique<MonthGrid>();
    RECT gridRect{0, 22, windowWidth, gridHeight + 22};
    grid->Create(gridRect, hwnd, IDC_GRID, this);
    grid->SetMemoRoot(memoRoot);
    FillLists();
    GoToToday();
    CreateHeadlineLinks();
    prevLink.SetText("上月", true);
    nextLink.SetText("下月", true);
    todayLink.SetText("返回", false);
    ready = true;
    SetTimer(hwnd, kClockTimer, 1000, nullptr);
    StartupMark("init");
    return true;
}

// Only a calendar with a headline server needs sockets: without one, ws2_32.dll is never loaded.
void AlmanacDlg::StartSockets() {
    if (HeadlineHost().empty()) return;
    if (NetStartup()) {
        socketsStarted = true;
        return;
    }
    MessageBoxW(hwnd, ToWide("网络初始化失败，请报告管理员").c_str(), ToWide("警告").c_str(), MB_OK);
}

void AlmanacDlg::PlaceAtStoredPosition() {
    StoredText posX = ReadStored("PosX");
    StoredText posY = posX.present ? ReadStored("PosY") : StoredText{};
    ScreenPoint pos = StoredWindowPos(posX, posY);
    // A position that puts the window on no monitor at all (one was unplugged) would lose it.
    pos = PlaceOnMonitors(pos, windowWidth, kWindowHeight);
    MoveWindow(hwnd, pos.x, pos.y, windowWidth, kWindowHeight, TRUE); // not saved: ready is false
    gridHeight = 236;
    PlaceWindowButtons();
}

// In the template's dialog units "-" and "x" land under the "下月" and "返回" links once the window
// is cut to its pixel size, where nobody can click them; they belong in the top right corner.
void AlmanacDlg::PlaceWindowButtons() {
    int right = windowWidth - 1;
    for (int id : {IDC_EXIT, IDC_MINIMIZE}) {
        HWND button = Item(id);
        RECT r{};
        if (!button || !GetWindowRect(button, &r)) continue;
        int width = r.right - r.left;
        MoveWindow(button, right - width, 0, width, r.bottom - r.top, TRUE);
        right -= width;
    }
}

void AlmanacDlg::CheckAutostart() {
    StoredText run;
    run.present = ReadSetting(kRunKey, kAutostartName, &run.text) == 0;
    autostartOk = AutostartCurrent(run, ProgramPath());
    if (autostartOk) return;
    SetAutostart(true, kAutostartName);
    // Tell the task bar that the set of start-up programs changed. A hung shell must not hold up
    // the calendar's start, so the wait is bounded.
    if (HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr)) {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(tray, WM_HOTKEY, 501, 0, SMTO_ABORTIFHUNG, 2000, &result);
    }
}

// "我的记事" in the documents folder, with "日历" (calendar memos) and "备忘" (the notepad) inside.
// The documents folder may have been moved anywhere (another drive, inside a sync client's folder, a
// path with blanks and Chinese, longer than the classic limit); the memo files are named from the
// absolute path made here, so the current directory, set as before, matters to nobody.
void AlmanacDlg::MakeMemoFolder() {
    wchar_t documents[MAX_PATH] = {};
    std::string base;
    if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents)))
        base = ToUtf8(documents);
    // A documents folder at the root of a drive ends in a backslash already.
    while (!base.empty() && (base.back() == '\\' || base.back() == '/'))
        base.pop_back();
    std::string root = FullPathOf((base.empty() ? base : base + "\\") + "我的记事");
    if (root.empty() || MakeFolder(root) != 0) return;
    MakeFolder(root + "\\日历");
    MakeFolder(root + "\\备忘");
    EnterFolder(root);
    memoRoot = root;
}

// The "本" and "历" tabs hang off the right edge; the notepad starts under the calendar until the
// user moves it. All three start hidden.
void AlmanacDlg::CreateCompanions() {
    noteTab = std::make_unique<TabButtonDlg>(IDD_NOTE_TAB, [this] { ShowNotepad(); });
    calendarTab = std::make_unique<TabButtonDlg>(IDD_CALENDAR_TAB, [this] { ShowCalendar(); });
    noteTab->Create(hwnd);
    calendarTab->Create(hwnd);
    PlaceTabs();
    RECT r = ScreenRect();
    ScreenPoint at = NotepadDefaultPos({r.left, r.top, r.right, r.bottom});
    notepad = std::make_unique<NotepadDlg>(memoRoot, [this] { HideNotepad(); });
    notepad->SetDefaultPosition(at.x, at.y);
    notepad->Create(hwnd);
}

void AlmanacDlg::MakeCompanions() {
    KillTimer(hwnd, kCompanionTimer);
    if (noteTab) return;
    HWND active = GetActiveWindow();
    CreateCompanions();
    StoredText memoShow = ReadStored("MemoShow");
    if (memoShow.present && ReadsAsOne(memoShow.text))
        ShowNotepad();
    else
        HideNotepad();
    // The calendar keeps the keyboard it had before the notepad appeared.
    if (active == hwnd) SetActiveWindow(hwnd);
}

void AlmanacDlg::CreateNavLinks() {
    RECT prevRect{175, 3, 205, 20};
    RECT nextRect{215, 3, 245, 20};
    RECT todayRect{255, 3, 285, 20};
    prevLink.Create(prevRect, hwnd, IDC_PREV_LINK, navBackColor, navTextColor, 100, "楷体_gb2312");
    nextLink.Create(nextRect, hwnd, IDC_NEXT_LINK, navBackColor, navTextColor, 100, "楷体_gb2312");
    todayLink.Create(todayRect, hwnd, IDC_TODAY_LINK, navBackColor, navTextColor, 100, "楷体_gb2312");
}

void AlmanacDlg::FillLists() {
    for (int m = 1; m <= kMonthListCount; ++m)
        SendMessageW(monthList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(std::to_string(m) + "月").c_str()));
    for (int y = kFirstListYear; y < kFirstListYear + kYearListCount; ++y)
        SendMessageW(yearList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(std::to_string(y) + "年").c_str()));
}

void AlmanacDlg::CreateHeadlineLinks() {
    RECT headlineRect{2, 260, 190, 278};
    RECT moreRect{230, 261, 290, 279};
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    headlineLink.Create(headlineRect, hwnd, IDC_HEADLINE_LINK, face, RGB(0, 0, 208), 110, "宋体");
    headlineLink.SetNoPrefix(true); // the server's "&" is text, not a key mark
    moreLink.Create(moreRect, hwnd, IDC_MORE_LINK, face, RGB(0, 0, 208), 100, "楷体_gb2312");
    HWND self = hwnd;
    headlineFetch = std::make_unique<HeadlineFetcher>([self] { PostMessageW(self, kHeadlineReply, 0, 0); });
}

// The grid's tip with today's memos appears here, once, two seconds after start (grid interaction).
void AlmanacDlg::ShowTodayTip() {
    grid->ShowTodayTip();
}

// Starts an exchange with the configured server; the reply arrives as kHeadlineReply. With no
// server configured nothing is asked and nothing shows. A tick or a click while one runs is dropped.
void AlmanacDlg::FetchHeadline() {
    if (!headlineFetch) return;
    std::string host = HeadlineHost();
    if (host.empty()) return;
    StoredText port = ReadStored("HeadlinePort");
    headlineFetch->Start(host, HeadlinePortFrom(port.present, port.text));
}

LRESULT AlmanacDlg::OnHeadlineReply() {
    HeadlineReply reply;
    if (!headlineFetch || !headlineFetch->TakeReply(&reply) || reply.status != kHttpOk) return 0;
    Headline headline;
    if (ParseHeadlineBody(reply.body, &headline)) {
        headlineUrl = Cp936ToUtf8(headline.link);
        headlineText = Cp936ToUtf8(OneLineTitle(headline.title));
        headlineLink.SetText(headlineText, true);
    }
    moreLink.SetText("下一篇", true);
    return 0;
}

// The link came from the network: only a web address goes to the shell.
void AlmanacDlg::OpenHeadline() {
    if (!IsOpenableLink(headlineUrl)) return;
    ShellOpen(hwnd, ToWide(headlineUrl).c_str());
}

void AlmanacDlg::GoToToday() {
    today = LocalToday();
    YearMonth ym{today.year, today.month};
    if (!IsShownMonth(ym)) ym = today.year < kFirstShownMonth.year ? kFirstShownMonth : kLastShownMonth;
    grid->SetMonth(ym.year, ym.month, ym == YearMonth{today.year, today.month} ? today.day : 0);
    SelectLists(ym);
}

void AlmanacDlg::ShowNotepad() {
    if (notepad) notepad->Show(SW_SHOW);
    if (noteTab) noteTab->Show(SW_HIDE);
    WriteSetting(kSettingsKey, "MemoShow", "1");
}

void AlmanacDlg::HideNotepad() {
    if (notepad) notepad->Show(SW_HIDE);
    if (noteTab) noteTab->Show(SW_SHOW);
    WriteSetting(kSettingsKey, "MemoShow", "0");
}

void AlmanacDlg::ShowCalendar() {
    ShowWindow(hwnd, SW_SHOW);
    if (calendarTab) calendarTab->Show(SW_HIDE);
}

void AlmanacDlg::PlaceTabs() {
    // Minimised, the window is parked far off screen and the tabs are hidden with it; they keep the
    // place of the restored window.
    if (IsIconic(hwnd)) return;
    RECT r = ScreenRect();
    TabPlaces places = TabPlacesBeside({r.left, r.top, r.right, r.bottom});
    if (noteTab) noteTab->Place(places.noteTab);
    if (calendarTab) calendarTab->Place(places.calendarTab);
}

void AlmanacDlg::ShowTodayLink(bool show) {
    todayLink.Show(show ? SW_SHOW : SW_HIDE);
}

YearMonth AlmanacDlg::ShownMonth() const {
    return {grid->Year(), grid->Month()};
}

void AlmanacDlg::ShowMonth(YearMonth ym) {
    grid->SetMonth(ym.year, ym.month, 0);
    SelectLists(ym);
}

void AlmanacDlg::SelectLists(YearMonth ym) {
    SendMessageW(yearList, CB_SETCURSEL, YearListIndex(ym), 0);
    SendMessageW(monthList, CB_SETCURSEL, MonthListIndex(ym), 0);
}

void AlmanacDlg::OnListChanged() {
    int yearIndex = static_cast<int>(SendMessageW(yearList, CB_GETCURSEL, 0, 0));
    int monthIndex = static_cast<int>(SendMessageW(monthList, CB_GETCURSEL, 0, 0));
    int newMonthIndex = monthIndex;
    YearMonth ym = MonthFromLists(yearIndex, monthIndex, ShownMonth(), &newMonthIndex);
    if (newMonthIndex != monthIndex) SendMessageW(monthList, CB_SETCURSEL, newMonthIndex, 0);
    if (yearIndex != YearListIndex(ym)) SendMessageW(yearList, CB_SETCURSEL, YearListIndex(ym), 0);
    grid->SetMonth(ym.year, ym.month, 0);
}

LRESULT AlmanacDlg::OnPaint() {
    {
        PaintScope paint(hwnd);
        RECT band{0, 0, windowWidth, kNavBandHeight};
        Brush brush(CreateSolidBrush(navBackColor));
        FillRect(paint.Dc(), &band, brush.Get());
    }
    if (ready && !readyFileWritten) WriteReadyFile();
    return 0;
}

// Start-up measurements and tests set LUNORIA_READY_FILE; the file is written once the window and
// the grid have painted for the first time. Test builds only: the released program has no such hook.
void AlmanacDlg::WriteReadyFile() {
    readyFileWritten = true;
#ifdef LUNORIA_TEST_HOOKS
    StartupMark("paint");
    const wchar_t* path = _wgetenv(L"LUNORIA_READY_FILE");
    if (!path || !*path) return;
    if (grid && grid->Hwnd()) UpdateWindow(grid->Hwnd());
    StartupMark("grid");
    if (FILE* f = _wfopen(path, L"w")) {
        std::fputs(("ready\n" + StartupTimeline()).c_str(), f);
        std::fclose(f);
    }
#endif
}

LRESULT AlmanacDlg::OnMove(int x, int y) {
    LRESULT result = Default();
    if (!ready || !PositionWorthStoring(IsIconic(hwnd) != FALSE, x, y)) return result;
    // x and y arrive as signed 16-bit values: left of or above the primary screen is negative.
    WriteSetting(kSettingsKey, "PosX", FormatDecimal(x));
    WriteSetting(kSettingsKey, "PosY", FormatDecimal(y));
    PlaceTabs();
    return result;
}

// A press on the background (the grid and controls take their own) drags the window.
LRESULT AlmanacDlg::OnLButtonDown(int, int, UINT) {
    ReleaseCapture();
    SendMessageW(hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
    return 0;
}

LRESULT AlmanacDlg::OnTimer(UINT_PTR id) {
    if (id == kCompanionTimer) {
        MakeCompanions();
        return 0;
    }
    switch (ActionForTick(tick, !headlineText.empty())) {
    case TickAction::ShowTodayTip: ShowTodayTip(); break;
    case TickAction::FetchHeadline: FetchHeadline(); break;
    case TickAction::None: break;
    }
    if (DateChanged(today, LocalToday())) GoToToday();
    tick = NextTick(tick);
    // A notepad page that another program held at the last keystroke gets one more attempt.
    if (notepad) notepad->RetryPendingSave();
    TellOfflineFiles();
    return Default();
}

// Once per run, when a page or the notepad met a memo file that its cloud provider cannot deliver now.
void AlmanacDlg::TellOfflineFiles() {
    if (offlineTold || !grid) return;
    if (!grid->Page().MetOfflineFile() && !(notepad && notepad->PageOffline())) return;
    offlineTold = true; // before the box: the clock ticks on inside it
    MessageBoxW(hwnd,
                ToWide("有记事文件在云盘里，但云盘程序没有运行，现在读不出来。\n日历不会改写这些文件。"
                       "请先启动云盘程序，再重新打开日历。")
                    .c_str(),
                ToWide("记事读不出来").c_str(), MB_OK | MB_ICONWARNING);
}

// The notepad's last chance to put a pending page on disk; it may wait for a holder to let go.
void AlmanacDlg::SaveBeforeExit() {
    if (!notepad || notepad->Saved()) return;
    BusyCursor busy;
    notepad->SaveBeforeExit();
}

LRESULT AlmanacDlg::OnCommand(int id, int code, HWND control) {
    if ((id == IDC_YEAR_LIST || id == IDC_MONTH_LIST) && code == CBN_SELCHANGE) {
        OnListChanged();
        return 0;
    }
    if (code == BN_CLICKED && id == IDC_MINIMIZE) {
        ShowWindow(hwnd, SW_MINIMIZE);
        return 0;
    }
    if (code == BN_CLICKED && id == IDC_EXIT) {
        int choice = RunExitDlg(hwnd);
        if (choice == kUninstall) SetAutostart(false, kAutostartName);
        if (choice == kEndProgram || choice == kUninstall) {
            SaveBeforeExit();
            End(IDCANCEL);
        }
        return 0;
    }
    return Dialog::OnCommand(id, code, control);
}

LRESULT AlmanacDlg::OnLinkClicked(int id) {
    switch (id) {
    case IDC_PREV_LINK: ShowMonth(PrevMonth(ShownMonth())); break;
    case IDC_NEXT_LINK: ShowMonth(NextMonth(ShownMonth())); break;
    case IDC_TODAY_LINK: GoToToday(); break;
    case IDC_HEADLINE_LINK: OpenHeadline(); break;
    case IDC_MORE_LINK: FetchHeadline(); break;
    default: ShowMonth(ShownMonth()); break;
    }
    return 0;
}

LRESULT AlmanacDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_QUERYDRAGICON: return reinterpret_cast<LRESULT>(icon);
    case kHeadlineReply: return OnHeadlineReply();
    case WM_ENDSESSION:
        // Log-off or shutdown: the process may be ended as soon as this returns.
        if (wParam) SaveBeforeExit();
        return 0;
    default: return Dialog::OnMessage(msg, wParam, lParam);
    }
}
