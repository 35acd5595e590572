#include "app/almanac_dlg.h"

#include "app/companion_place.h"
#include "app/exit_dlg.h"
#include "app/settings_dlg.h"
#include "app/settings_form.h"
#include "app/settings_parse.h"
#include "app/settings_store.h"
#include "app/startup_timeline.h"
#include "holidays/holiday_file.h"
#include "memo/conflict_copies.h"
#include "memo/memo_dlg_parts.h"
#include "memo/memo_file.h"
#include "net/headline.h"
#include "net/http_get.h"
#include "net/socket.h"
#include "res/resource.h"
#include "win/dpi.h"
#include "win/gdi.h"
#include "win/lazy_dll.h"
#include "win/text.h"
#include "win/theme.h"

#include <shlobj.h>
#include <windowsx.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

constexpr UINT_PTR kClockTimer = 1;
// Fires once, as soon as nothing else is waiting: timer messages come after every paint.
constexpr UINT_PTR kCompanionTimer = 2;
constexpr int kNavBandHeight = 25;
// Where the run-time controls go, in the window's client pixels at 96 DPI (left, top).
constexpr POINT kPrevLinkAt{175, 3};
constexpr POINT kNextLinkAt{215, 3};
constexpr POINT kTodayLinkAt{255, 3};
constexpr POINT kHeadlineAt{2, 260};
constexpr POINT kMoreAt{230, 261};
constexpr int kGridTop = 22;
// Posted by the headline worker when its reply is ready.
constexpr UINT kHeadlineReply = WM_APP + 12;
// The holiday schedules: the next round is due; posted by its worker when a round is over.
constexpr UINT_PTR kHolidayTimer = 3;
constexpr UINT kHolidayRound = WM_APP + 13;
#ifdef LUNORIA_TEST_HOOKS
// Test builds: wParam = a DPI, lParam = a screen point. The window is told, as Windows would tell it
// on a monitor of that DPI, that its DPI changed and the system suggests that corner (WM_DPICHANGED
// carries a pointer, which no other process can send).
constexpr UINT kTestDpiChange = WM_APP + 90;
#endif

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

// The configured server as "host:port"; empty when none is set.
std::string HeadlineServer() {
    std::string host = HeadlineHost();
    StoredText port = ReadStored("HeadlinePort");
    return host.empty() ? host : host + ":" + std::to_string(HeadlinePortFrom(port.present, port.text));
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
    // Before anything paints: the palette of the system's app mode (or the Theme setting).
    const StoredText theme = ReadStored("Theme");
    if (RefreshTheme(ThemeSettingFrom(theme.present, theme.text))) ApplyThemeToWindow(hwnd);
    // Placed in scaled pixels at run time, the window lays itself out again when its DPI changes.
    KeepOwnLayout();
    yearList = Item(IDC_YEAR_LIST);
    monthList = Item(IDC_MONTH_LIST);
    // The big icon only: the system makes the small one from it, as it did from this same icon given
    // as both, and under Wine each WM_SETICON converts every icon the window has (3-5 ms at start).
    icon = LoadIconW(Instance(), MAKEINTRESOURCEW(IDI_PROGRAM));
    SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    StartSockets();
    PlaceAtStoredPosition();
    SetTitle("日历2.162");
    StartupMark("placed"); // position, title
    MakeMemoFolder();
    StartupMark("folder");
    // The tabs and the notepad are three more top-level windows that the calendar's first paint
    // does not need, and so are the lists' 162 entries (the lists show only their chosen text until
    // they drop down) and the headline links (hidden until a headline comes): they are made right
    // after it (MakeCompanions).
    SetTimer(hwnd, kCompanionTimer, 0, nullptr);
    CreateNavLinks();
    grid = std::make_unique<MonthGrid>();
    grid->Create(GridRect(), hwnd, IDC_GRID, this, Dpi());
    grid->SetMemoRoot(memoRoot);
    grid->SetShowHolidays(HolidayMarksShown(ReadStored("ShowHolidays")));
    StartupMark("controls"); // links, grid
    GoToToday();
    StartupMark("page"); // today's page with its memo files
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
    pos = PlaceOnMonitors(pos, Scale(windowWidth), Scale(kWindowHeight));
    // The stored corner stays what it is at any scale. The dialog was made on the primary monitor; one
    // of another DPI gets the window laid out for it first (the move's own WM_DPICHANGED then finds
    // nothing left to do). With one monitor there is nothing to ask (and shcore.dll stays unloaded).
    RECT target{pos.x, pos.y, pos.x + Scale(windowWidth), pos.y + Scale(kWindowHeight)};
    if (int monitorDpi = GetSystemMetrics(SM_CMONITORS) > 1 ? MonitorDpi(target) : Dpi(); monitorDpi != Dpi())
        OnDpiChanged(monitorDpi, {pos.x, pos.y, pos.x + Scaled(windowWidth, monitorDpi),
                                  pos.y + Scaled(kWindowHeight, monitorDpi)});
    MoveWindow(hwnd, pos.x, pos.y, Scale(windowWidth), Scale(kWindowHeight), TRUE); // not saved: ready is false
    gridHeight = 236;
    PlaceWindowButtons();
}

// A label's first rectangle: it sizes itself to its text at its first paint, and only its corner lasts.
RECT AlmanacDlg::LabelRect(POINT at, int width, int height) const {
    return {Scale(at.x), Scale(at.y), Scale(at.x + width), Scale(at.y + height)};
}

RECT AlmanacDlg::GridRect() const {
    return {0, Scale(kGridTop), Scale(windowWidth), Scale(gridHeight + kGridTop)};
}

// In the template's dialog units "-" and "x" land under the "下月" and "返回" links once the window
// is cut to its pixel size, where nobody can click them; they belong in the top right corner.
void AlmanacDlg::PlaceWindowButtons() {
    int right = Scale(windowWidth - 1);
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
    // Turned off in the settings: the entry stays away.
    if (!OnUnlessZero(ReadStored("Autostart"))) return;
    StoredText run;
    run.present = ReadSetting(kRunKey, kAutostartName, &run.text) == 0;
    autostartOk = AutostartCurrent(run, ProgramPath());
    if (autostartOk) return;
    SetAutostart(true, kAutostartName);
    // Tell the task bar that the set of start-up programs changed. A hung shell must not hold up
    // the calendar's start, so the wait is bounded.
    if (HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr)) {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(taskbar, WM_HOTKEY, 501, 0, SMTO_ABORTIFHUNG, 2000, &result);
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
    ScreenPoint at = NotepadDefaultPos({r.left, r.top, r.right, r.bottom}, Dpi());
    notepad = std::make_unique<NotepadDlg>(memoRoot, [this] { HideNotepad(); });
    notepad->SetDefaultPosition(at.x, at.y);
    notepad->Create(hwnd);
}

void AlmanacDlg::MakeCompanions() {
    KillTimer(hwnd, kCompanionTimer);
    if (noteTab) return;
    // Neither shows, so the first paint does not wait for them: the wheel's route (a message hook) and
    // the autostart entry in the registry.
    wheelRoute.Start(grid->Hwnd());
    CheckAutostart();
    FillLists();
    CreateHeadlineLinks();
    StartHolidaySchedule();
    tray = std::make_unique<TrayIcon>();
    if (tray->Create(hwnd, this, memoRoot)) tray->Update(today);
    HWND active = GetActiveWindow();
    StartMemoWatch();
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
    // Texts first: each link is made at its size and shown (返回 only away from today's month).
    prevLink.SetText("上月", true);
    nextLink.SetText("下月", true);
    todayLink.SetText("返回", false);
    for (LinkLabel* link : {&prevLink, &nextLink, &todayLink})
        link->SetTheme(LabelTheme::NavBand);
    prevLink.Create(LabelRect(kPrevLinkAt, 30, 17), hwnd, IDC_PREV_LINK, 0, 0, 100, "楷体_gb2312", Dpi());
    nextLink.Create(LabelRect(kNextLinkAt, 30, 17), hwnd, IDC_NEXT_LINK, 0, 0, 100, "楷体_gb2312", Dpi());
    todayLink.Create(LabelRect(kTodayLinkAt, 30, 17), hwnd, IDC_TODAY_LINK, 0, 0, 100, "楷体_gb2312", Dpi());
}

void AlmanacDlg::FillLists() {
    if (listsFilled) return;
    listsFilled = true;
    for (int m = 1; m <= kMonthListCount; ++m)
        SendMessageW(monthList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(std::to_string(m) + "月").c_str()));
    for (int y = kFirstListYear; y < kFirstListYear + kYearListCount; ++y)
        SendMessageW(yearList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(std::to_string(y) + "年").c_str()));
    if (grid) SelectLists(ShownMonth());
}

void AlmanacDlg::CreateHeadlineLinks() {
    headlineLink.SetTheme(LabelTheme::Headline);
    moreLink.SetTheme(LabelTheme::Headline);
    headlineLink.Create(LabelRect(kHeadlineAt, 188, 18), hwnd, IDC_HEADLINE_LINK, 0, 0, 110, "宋体", Dpi());
    headlineLink.SetNoPrefix(true); // the server's "&" is text, not a key mark
    moreLink.Create(LabelRect(kMoreAt, 60, 18), hwnd, IDC_MORE_LINK, 0, 0, 100, "楷体_gb2312", Dpi());
    MakeHeadlineFetcher();
    headlineServer = HeadlineServer();
}

void AlmanacDlg::MakeHeadlineFetcher() {
    HWND self = hwnd;
    headlineFetch = std::make_unique<HeadlineFetcher>([self] { PostMessageW(self, kHeadlineReply, 0, 0); });
}

// Another server (or none): the old one's headline goes, with any reply of it still under way (a new
// fetcher; the old worker finds nobody to tell), and a server now named is asked at once.
void AlmanacDlg::ApplyHeadlineServer() {
    std::string server = HeadlineServer();
    if (!headlineFetch || server == headlineServer) return;
    headlineServer = server;
    headlineText.clear();
    headlineUrl.clear();
    headlineLink.Show(SW_HIDE);
    moreLink.Show(SW_HIDE);
    MakeHeadlineFetcher();
    if (server.empty()) return;
    if (!socketsStarted) StartSockets();
    FetchHeadline();
}

void AlmanacDlg::ApplySettings() {
    ApplyHolidaySettings();
    ApplyTraySettings();
    ApplyTheme();
    ApplyHeadlineServer();
}

// One dialog holds the calendar at a time: "设置…" while one is open brings that one to the front.
void AlmanacDlg::OpenSettings() {
    if (IsIconic(hwnd)) ShowWindow(hwnd, SW_RESTORE);
    if (!IsWindowEnabled(hwnd)) {
        HWND open = settings ? settings->Handle() : GetLastActivePopup(hwnd);
        if (open && open != hwnd) SetForegroundWindow(open);
        return;
    }
    SettingsDlg dlg(
        memoRoot, [this] { return HolidayYearsText(); }, [this] { ApplySettings(); });
    settings = &dlg;
    dlg.Run(hwnd);
    settings = nullptr;
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

// The first round about ten seconds after the first paint, then one a day; none with HolidayUpdate "0".
void AlmanacDlg::StartHolidaySchedule() {
    if (!holidayFetch) {
        HWND self = hwnd;
        holidayFetch =
            std::make_unique<HolidayFetcher>(HolidayHttpGet, [self] { PostMessageW(self, kHolidayRound, 0, 0); });
    }
    if (HolidayUpdatesOn(ReadStored("HolidayUpdate")))
        SetTimer(hwnd, kHolidayTimer, kHolidayFirstFetchMs, nullptr);
    else
        KillTimer(hwnd, kHolidayTimer);
}

// A scheduled round asks for the years that are due; "更新节假日" for this year and the next.
void AlmanacDlg::FetchHolidays(bool onDemand) {
    if (!holidayFetch || !HolidayUpdatesOn(ReadStored("HolidayUpdate"))) return;
    const int64_t now = static_cast<int64_t>(std::time(nullptr));
    const int year = LocalToday().year;
    std::vector<int> years = HolidayYearsDue({}, year, now);
    if (!onDemand) years = HolidayYearsDue(ParseHolidayAsks(ReadStored("HolidayAsked").text), year, now);
    if (!holidayFetch->Start(years, ReadStored("HolidaySource").text, now, onDemand) && onDemand &&
        holidayFetch->Busy())
        holidayReportPending = true; // the running round answers the user
}

void AlmanacDlg::UpdateHolidaysNow() {
    if (!HolidayUpdatesOn(ReadStored("HolidayUpdate"))) {
        MessageBoxW(hwnd, ToWide("节假日更新已关闭，可在“设置”里打开“自动更新节假日”。").c_str(),
                    ToWide("更新节假日").c_str(), MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (!holidayFetch) StartHolidaySchedule();
    FetchHolidays(true);
}

// Keeps the accepted files, remembers the answers so a restart does not ask again too soon, and shows
// a new schedule on the page at once.
LRESULT AlmanacDlg::OnHolidayRound() {
    HolidayRound round;
    if (!holidayFetch || !holidayFetch->TakeRound(&round)) return 0;
    bool kept = false;
    for (const auto& [year, body] : round.bodies) {
        if (KeepFetchedHolidays(memoRoot, year, body) == 0) {
            kept = true;
            continue;
        }
        for (HolidayAsk& a : round.answers)
            if (a.year == year) a.answer = HolidayAnswer::Failed;
        round.failure = "无法写入 " + FetchedHolidayPath(memoRoot, year);
    }
    std::vector<HolidayAsk> asked = ParseHolidayAsks(ReadStored("HolidayAsked").text);
    for (const HolidayAsk& a : round.answers)
        NoteHolidayAnswer(asked, a);
    WriteSetting(kSettingsKey, "HolidayAsked", FormatHolidayAsks(asked));
    if (kept && grid) grid->ReloadHolidays();
    if (round.onDemand || holidayReportPending) {
        holidayReportPending = false;
        MessageBoxW(hwnd, ToWide(HolidayOutcomeText(round.answers, round.failure)).c_str(),
                    ToWide("更新节假日").c_str(), MB_OK | MB_ICONINFORMATION);
    }
    return 0;
}

void AlmanacDlg::ApplyHolidaySettings() {
    if (!grid) return;
    grid->SetShowHolidays(HolidayMarksShown(ReadStored("ShowHolidays")));
    grid->ReloadHolidays();
    StartHolidaySchedule();
}

std::string AlmanacDlg::HolidayYearsText() const {
    if (!grid) return {};
    const HolidayCalendar& h = grid->Page().holidayCalendar();
    auto years = [](const std::vector<int>& list) {
        std::string text;
        for (int y : list)
            text += (text.empty() ? "" : "、") + std::to_string(y);
        return text + "年";
    };
    std::string text =
        "内置" + std::to_string(BuiltInHolidayFirstYear()) + "-" + std::to_string(BuiltInHolidayLastYear()) + "年";
    if (!h.FetchedYears().empty()) text += "；已下载" + years(h.FetchedYears());
    if (!h.AddedYears().empty()) text += "；节假日.txt：" + years(h.AddedYears());
    if (h.LastYear() < kLawHolidayLastYear)
        text += "；" + std::to_string(h.LastYear() + 1) + "-" + std::to_string(kLawHolidayLastYear) + "年只标法定假日";
    return text;
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

void AlmanacDlg::ApplyTraySettings() {
    if (tray) tray->ApplySettings();
}

void AlmanacDlg::ShowCalendarToday() {
    ShowWindow(hwnd, IsIconic(hwnd) ? SW_RESTORE : SW_SHOW);
    ShowOwnedPopups(hwnd, TRUE); // the notepad and its tab, as they were
    // A dialog open over the calendar belongs to a day of this page: the page stays and the dialog comes first.
    if (IsWindowEnabled(hwnd)) GoToToday();
    SetForegroundWindow(GetLastActivePopup(hwnd));
}

void AlmanacDlg::HideCalendar() {
    if (!IsWindowEnabled(hwnd)) return;
    ShowOwnedPopups(hwnd, FALSE);
    ShowWindow(hwnd, SW_HIDE);
}

void AlmanacDlg::OpenTodayMemos() {
    ShowCalendarToday();
    if (IsWindowEnabled(hwnd)) grid->OpenMarkedDayEditor();
}

void AlmanacDlg::ShowNotepadFromTray() {
    ShowNotepad();
    if (notepad) SetForegroundWindow(notepad->Handle());
}

void AlmanacDlg::FollowDate() {
    if (DateChanged(today, LocalToday())) GoToToday();
    if (tray) tray->Update(today);
}

void AlmanacDlg::PlaceTabs() {
    // Minimised, the window is parked far off screen and the tabs are hidden with it; they keep the
    // place of the restored window.
    if (IsIconic(hwnd)) return;
    RECT r = ScreenRect();
    const ScreenArea calendar{r.left, r.top, r.right, r.bottom};
    // Each tab is scaled for its own monitor.
    if (noteTab) noteTab->Place(TabPlacesBeside(calendar, noteTab->Dpi()).noteTab);
    if (calendarTab) calendarTab->Place(TabPlacesBeside(calendar, calendarTab->Dpi()).calendarTab);
}

// After a DPI change the template's lists and buttons have been rescaled with the window (Dialog);
// everything placed here in pixels is placed again at the new scale, the window keeps the top-left
// corner the system suggested and takes its own size.
void AlmanacDlg::OnScaleChanged(int) {
    RECT r = ScreenRect();
    SetWindowPos(hwnd, nullptr, r.left, r.top, Scale(windowWidth), Scale(kWindowHeight), SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceWindowButtons();
    PlaceLinks();
    if (grid) grid->SetDpi(Dpi(), GridRect());
    PlaceTabs();
    Invalidate(false);
}

void AlmanacDlg::PlaceLinks() {
    const std::pair<LinkLabel*, POINT> links[] = {{&prevLink, kPrevLinkAt},
                                                  {&nextLink, kNextLinkAt},
                                                  {&todayLink, kTodayLinkAt},
                                                  {&headlineLink, kHeadlineAt},
                                                  {&moreLink, kMoreAt}};
    for (const auto& [link, at] : links)
        link->Rescale(Scale(at.x), Scale(at.y), Dpi());
}

void AlmanacDlg::ApplyTheme() {
    const StoredText theme = ReadStored("Theme");
    RefreshTheme(ThemeSettingFrom(theme.present, theme.text));
    // Every window, also when nothing changed here: the system's own colours may have.
    ApplyThemeToThreadWindows();
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

void AlmanacDlg::ShowMonthOf(int year, int month) {
    if (IsShownMonth({year, month})) ShowMonth({year, month});
}

HWND AlmanacDlg::ListWithFocus() const {
    HWND focus = GetFocus();
    for (HWND list : {yearList, monthList})
        if (focus && (focus == list || IsChild(list, focus))) return list;
    return nullptr;
}

void AlmanacDlg::CommitTypedText(HWND list) {
    const YearMonth shown = ShownMonth();
    const std::string text = ToUtf8(WindowTextOf(list));
    YearMonth typed;
    // With a dialog open over the calendar (the focus left for it) the page must stay: that dialog
    // belongs to a day of this page.
    const bool named = IsWindowEnabled(hwnd) && (list == yearList ? MonthFromTypedYear(text, shown, &typed)
                                                                  : MonthFromTypedMonth(text, shown, &typed));
    if (named && typed != shown)
        ShowMonth(typed);
    else
        PutBackListText(list);
}

void AlmanacDlg::PutBackListText(HWND list) {
    // No selection first: selecting the entry that is already selected may leave the typed text.
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SelectLists(ShownMonth());
}

void AlmanacDlg::OnOK() {
    if (HWND list = ListWithFocus()) CommitTypedText(list);
}

void AlmanacDlg::OnCancel() {
    if (HWND list = ListWithFocus()) PutBackListText(list);
}

// Before the lists are filled, they show the month's texts, which their entries would show.
void AlmanacDlg::SelectLists(YearMonth ym) {
    if (!listsFilled) {
        SetWindowTextW(yearList, ToWide(std::to_string(ym.year) + "年").c_str());
        SetWindowTextW(monthList, ToWide(std::to_string(ym.month) + "月").c_str());
        return;
    }
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
        RECT band{0, 0, Scale(windowWidth), Scale(kNavBandHeight)};
        Brush brush(CreateSolidBrush(CurrentPalette().navBackColor));
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
    if (!_wgetenv(L"LUNORIA_READY_FILE")) return;
    if (grid && grid->Hwnd()) UpdateWindow(grid->Hwnd());
    StartupMark("grid");
    WriteStartupReadyFile();
#endif
}

#ifdef LUNORIA_TEST_HOOKS
LRESULT AlmanacDlg::SendDpiChange(int newDpi, int x, int y) {
    RECT r = ScreenRect();
    RECT suggested{x, y, x + MulDiv(r.right - r.left, newDpi, Dpi()), y + MulDiv(r.bottom - r.top, newDpi, Dpi())};
    return SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(newDpi, newDpi), reinterpret_cast<LPARAM>(&suggested));
}
#endif

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
    if (id == kHolidayTimer) {
        SetTimer(hwnd, kHolidayTimer, kHolidayFetchPeriodMs, nullptr);
        FetchHolidays(false);
        return 0;
    }
    switch (ActionForTick(tick, !headlineText.empty())) {
    case TickAction::ShowTodayTip: ShowTodayTip(); break;
    case TickAction::FetchHeadline: FetchHeadline(); break;
    case TickAction::None: break;
    }
    FollowDate();
    tick = NextTick(tick);
    // A notepad page that another program held at the last keystroke gets one more attempt.
    if (notepad) notepad->RetryPendingSave();
    LookAtMemos();
    TellOfflineFiles();
    return Default();
}

// After the first paint: conflict copies left while the calendar was not running are merged at once.
void AlmanacDlg::StartMemoWatch() {
    if (memoRoot.empty()) return;
    memoWatch.Start({memoRoot + "\\日历", memoRoot + "\\备忘"});
    MergeMemoCopies();
    grid->RefreshMemos();
}

// Within a tick of a notification, or on every tick where the folders give none (then the shown files'
// stamps are compared, and the folders searched for conflict copies twice a minute).
void AlmanacDlg::LookAtMemos() {
    if (memoRoot.empty() || lookingAtMemos) return;
    const bool notified = memoWatch.Changed();
    if (!notified && memoWatch.Active()) return;
    lookingAtMemos = true; // a message box below runs its own loop, and the clock ticks on
    if (notified || tick % 30 == 0) MergeMemoCopies();
    grid->RefreshMemos();
    if (notepad) notepad->RefreshPage();
    lookingAtMemos = false;
}

void AlmanacDlg::MergeMemoCopies() {
    const CopyMergeReport report = MergeConflictCopies(memoRoot);
    const std::string message = CopyMergeMessage(report);
    if (!message.empty()) MessageBoxW(hwnd, ToWide(message).c_str(), L"两处的记事都保留了", MB_OK | MB_ICONINFORMATION);
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
    if (id == IDM_UPDATE_HOLIDAYS) {
        UpdateHolidaysNow();
        return 0;
    }
    if (id == IDM_SETTINGS) {
        OpenSettings();
        return 0;
    }
    if ((id == IDC_YEAR_LIST || id == IDC_MONTH_LIST) && code == CBN_SELCHANGE) {
        OnListChanged();
        return 0;
    }
    if ((id == IDC_YEAR_LIST || id == IDC_MONTH_LIST) && code == CBN_DROPDOWN) {
        FillLists(); // in case it drops down before the first paint is over
        return 0;
    }
    if ((id == IDC_YEAR_LIST || id == IDC_MONTH_LIST) && code == CBN_KILLFOCUS) {
        CommitTypedText(control);
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
    case kHolidayRound: return OnHolidayRound();
    case WM_TIMECHANGE: FollowDate(); return 0;
    case WM_POWERBROADCAST:
        if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) FollowDate();
        return TRUE;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
        // Top-level windows hear of the app mode and high contrast; the calendar turns them all.
        if (IsThemeChange(msg, wParam, lParam)) ApplyTheme();
        return Default();
    case WM_ENDSESSION:
        // Log-off or shutdown: the process may be ended as soon as this returns.
        if (wParam) SaveBeforeExit();
        return 0;
#ifdef LUNORIA_TEST_HOOKS
    case kTestDpiChange: return SendDpiChange(static_cast<int>(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
#endif
    default: return IsEndProgramMessage(msg) ? OnEndRequest() : Dialog::OnMessage(msg, wParam, lParam);
    }
}

// From setup or uninstall, which must replace or remove the program file. An open dialog (the
// calendar is disabled under it) may hold a memo being typed: then the user ends the calendar.
LRESULT AlmanacDlg::OnEndRequest() {
    if (!IsWindowEnabled(hwnd)) return 0;
    End(IDCANCEL);
    return 1;
}
