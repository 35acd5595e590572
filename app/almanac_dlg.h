#pragma once

#include "app/clock_schedule.h"
#include "win/link_label.h"
#include "app/nav_rules.h"
#include "app/tab_button_dlg.h"
#include "memo/memo_watch.h"
#include "app/tray_icon.h"
#include "memo/notepad_dlg.h"
#include "holidays/holiday_fetch.h"
#include "net/headline_fetch.h"
#include "view/month_grid.h"
#include "win/dialog.h"
#include "win/wheel_route.h"

#include <memory>
#include <string>

class SettingsDlg;

// The calendar's one top-level window: a borderless popup with the month grid, the year and month
// lists, the "上月" / "下月" / "返回" links, "-" and "x". Run modally by AlmanacApp; its dialog
// initialisation does the program's start-up work, its one-second timer follows the clock, and only
// the exit dialog behind "x" ends it.
class AlmanacDlg : public Dialog, private MonthGridOwner, private TrayIconOwner {
public:
    AlmanacDlg();
    ~AlmanacDlg() override;

    // Runs the window until the user ends the program.
    void Run();

    // Shows today's month with today marked.
    void GoToToday();
    // The notepad and its "本" tab stand in for each other; MemoShow remembers which one shows.
    void ShowNotepad();
    void HideNotepad();
    void ShowCalendar();
    void PlaceTabs();
    // "更新节假日": asks for this year's and next year's schedules at once and tells what it found in a
    // message box when the answers are in.
    void UpdateHolidaysNow();
    // Re-reads ShowHolidays, HolidayUpdate and HolidaySource: rebuilds the page, starts or stops the
    // fetch schedule.
    void ApplyHolidaySettings();
    // One line naming the years the calendar holds per source.
    std::string HolidayYearsText() const;
    // Re-reads TrayIcon and RemindDays: the notification-area icon comes or goes.
    void ApplyTraySettings();
    // The settings dialog ("设置…" of the menus); a second call while it is open brings it to the front.
    void OpenSettings();
    // Takes up the stored settings at once, without a restart (after the settings dialog's "确定").
    void ApplySettings();
    // Re-reads Theme and the system's app mode and high contrast; every open window repaints in the
    // new palette.
    void ApplyTheme();

protected:
    bool OnInitDialog() override;
    // Enter never closes the calendar: in a list it commits the typed text. Nor do Esc, Alt+F4 and the
    // task bar's close (they arrive as Cancel); Esc in a list puts back the shown month's text.
    void OnOK() override;
    void OnCancel() override;
    LRESULT OnPaint() override;
    LRESULT OnMove(int x, int y) override;
    LRESULT OnLButtonDown(int x, int y, UINT keys) override;
    LRESULT OnTimer(UINT_PTR id) override;
    LRESULT OnCommand(int id, int code, HWND control) override;
    LRESULT OnLinkClicked(int id) override;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnScaleChanged(int oldDpi) override;

private:
    void ShowTodayLink(bool show) override;
    void ShowMonthOf(int year, int month) override;
    void ShowToday() override { GoToToday(); }
    void ShowCalendarToday() override;
    void HideCalendar() override;
    bool CalendarInFront() override { return ShowsInFront(hwnd); }
    void OpenTodayMemos() override;
    void ShowNotepadFromTray() override;
    // Midnight, a clock change or a resume: the page, its ring and the icon follow the new date.
    void FollowDate();

    void StartSockets();
    void PlaceAtStoredPosition();
    void PlaceWindowButtons();
    void CheckAutostart();
    void MakeMemoFolder();
    void CreateCompanions();
    void MakeCompanions();
    void CreateNavLinks();
    void FillLists();
    void CreateHeadlineLinks();
    RECT GridRect() const;
    RECT LabelRect(POINT at, int width, int height) const;
    void PlaceLinks();
    void ShowTodayTip();
    void FetchHeadline();
    void MakeHeadlineFetcher();
    void ApplyHeadlineServer();
    void OpenHeadline();
    LRESULT OnHeadlineReply();
    void StartHolidaySchedule();
    void FetchHolidays(bool onDemand);
    LRESULT OnHolidayRound();
    LRESULT OnEndRequest();
    void OnListChanged();
    // The list (yearList or monthList) whose field holds the keyboard focus, or null.
    HWND ListWithFocus() const;
    // A year or month typed into a list's field: shown when it names one, else the text is put back.
    void CommitTypedText(HWND list);
    void PutBackListText(HWND list);
    void ShowMonth(YearMonth ym);
    YearMonth ShownMonth() const;
    void SelectLists(YearMonth ym);
    void WriteReadyFile();
    void TellOfflineFiles();
    void SaveBeforeExit();
    // Memos another computer wrote (a synced memo folder): conflict copies merged, the page and the
    // notepad shown as the files are now.
    void StartMemoWatch();
    void LookAtMemos();
    void MergeMemoCopies();
#ifdef LUNORIA_TEST_HOOKS
    LRESULT SendDpiChange(int newDpi, int x, int y);
#endif

    LinkLabel prevLink;
    LinkLabel nextLink;
    LinkLabel todayLink;
    int windowWidth = 363; // pixels at 96 DPI, as every place below
    HWND yearList = nullptr;
    HWND monthList = nullptr;
    int gridHeight = 236;
    bool autostartOk = false;
    HICON icon = nullptr;
    std::unique_ptr<MonthGrid> grid;
    WheelRoute wheelRoute; // the wheel over the grid reaches it wherever the focus is
    bool ready = false;
    LocalDate today;
    int tick = kFirstTick;
    LinkLabel headlineLink;
    LinkLabel moreLink;
    std::unique_ptr<NotepadDlg> notepad;
    std::unique_ptr<TabButtonDlg> noteTab;     // "本": brings the notepad back
    std::unique_ptr<TabButtonDlg> calendarTab; // "历": created hidden, never shown
    std::unique_ptr<TrayIcon> tray;            // made right after the first paint
    std::string headlineText;
    std::string headlineUrl;
    std::unique_ptr<HeadlineFetcher> headlineFetch; // the exchange runs off this thread
    std::unique_ptr<HolidayFetcher> holidayFetch;   // so do the holiday rounds
    bool holidayReportPending = false;              // "更新节假日" waits for the running round
    std::string headlineServer;                     // "host:port" the headline came from; empty: none
    SettingsDlg* settings = nullptr;                // while the settings dialog is open
    std::string memoRoot;
    bool socketsStarted = false;
    bool readyFileWritten = false;
    bool listsFilled = false; // the lists' entries come right after the first paint
    bool offlineTold = false; // the cloud-file warning shows once per run
    FolderWatch memoWatch;    // 日历 and 备忘
    bool lookingAtMemos = false;
};
