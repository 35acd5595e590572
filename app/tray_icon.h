// The notification-area icon: today's day number as its picture, today at a glance as its tooltip,
// a menu of the calendar's everyday commands, and the once-a-day reminder of memos as its notification.
//
// A hidden top-level window owns the icon (a message-only window would miss the shell's
// "TaskbarCreated" broadcast after Explorer restarts) and takes its callbacks in the version 4 form.
// The window's text is the tooltip's text, so tools that read windows can see it.
#pragma once

#include "app/clock_schedule.h"
#include "view/grid_page.h"
#include "win/window.h"

#include <string>

// The window shows, is not minimised and no other program's window lies over any of it.
bool ShowsInFront(HWND window);

// Implemented by the calendar window.
class TrayIconOwner {
public:
    // The calendar shown (restored, in front) on today's page; a dialog open over it comes to the front.
    virtual void ShowCalendarToday() = 0;
    virtual void HideCalendar() = 0;
    // The calendar shows and no other program's window lies over it.
    virtual bool CalendarInFront() = 0;
    // Today's day editor, as a click on today opens it.
    virtual void OpenTodayMemos() = 0;
    virtual void ShowNotepadFromTray() = 0;

protected:
    ~TrayIconOwner() = default;
};

class TrayIcon : public Window {
public:
    ~TrayIcon() override;

    // Makes the window; menu commands for the calendar go to `calendar` as WM_COMMAND.
    bool Create(HWND calendar, TrayIconOwner* owner, const std::string& memoRoot);
    // TrayIcon and RemindDays as stored; the icon comes or goes.
    void ApplySettings();
    // Picture and tooltip for `today`, and the reminder when today has not been told yet. Cheap when
    // nothing changed; `force` draws again anyway.
    void Update(const LocalDate& today, bool force = false);

protected:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnNotify(UINT event, int x, int y);
    void OnMenu(int x, int y);
    bool Add();
    void Remove();
    void MakePicture();
    void Refresh(bool force);
    void Remind();
    bool ShowBalloon(const std::string& text);

    HWND calendar = nullptr;
    TrayIconOwner* owner = nullptr;
    GridPage page;    // today's month, for the tooltip
    GridPage scratch; // the reminder's pages
    LocalDate today;
    bool wanted = true;     // TrayIcon is not "0"
    bool added = false;     // the shell holds the icon
    bool transient = false; // added only to carry a reminder, gone with it
    int remindDays = 0;
    std::string tip;
    int shownDay = 0, shownSize = 0;
    bool shownLight = false;
    HICON icon = nullptr;
    DWORD tipCheckedAt = 0;
    UINT taskbarCreated = 0;
};
