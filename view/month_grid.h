// MonthGrid: the child window of the main window that shows one month page and paints it.
//
// The page model and the memo stores live in a GridPage (view/grid_page.h); this class adds the
// window, its fonts, the year caption, the site-name link and the hover tip. Every paint redraws the
// whole client area from the model, so invalidations never erase. The grid is laid out at its main
// window's DPI, which the main window hands it (Create, SetDpi).
//
// Without a mouse: the grid is a tab stop with a focus day (view/grid_keys.h). The arrows move it, across
// month ends; Page Up / Page Down (with Ctrl: a year) and the wheel turn the page, Home goes to today, all
// through the owner so its lists follow; Enter or Space opens the focus day's memo editor as a click
// does, Ctrl+Enter the weekly reminder of its weekday. The focus day carries a focus rectangle only while
// the grid has the focus and the window's UI state shows focus cues, so a mouse user's page stays as it
// was. The grid's window text, which screen readers take as its name, describes the focus day.
#pragma once

#include <memory>
#include <string>

#include "view/grid_keys.h"
#include "view/grid_layout.h"
#include "view/grid_page.h"
#include "win/gdi.h"
#include "win/window.h"

class ColorLabel;
class LinkLabel;
class HoverTip;

// Implemented by the main window.
class MonthGridOwner {
public:
    virtual void ShowTodayLink(bool show) = 0; // the "返回" link (id 105)
    // The grid's keys and wheel ask for another page, or for today's: the owner shows it as its links
    // do, with its lists in step, through SetMonth.
    virtual void ShowMonthOf(int year, int month) = 0;
    virtual void ShowToday() = 0;

protected:
    ~MonthGridOwner() = default;
};

class MonthGrid : public Window {
public:
    MonthGrid();
    ~MonthGrid() override;

    // Creates the window at `rect` (parent client pixels), its fonts, caption, link and tip, for `dpi`.
    // False, with nothing else created, when the window cannot be made.
    bool Create(const RECT& rect, HWND parent, int id, MonthGridOwner* owner, int dpi);
    // The main window's DPI changed: the grid takes `rect` and makes its fonts and labels again.
    void SetDpi(int dpi, const RECT& rect);
    int Dpi() const { return dpi; }

    // The "我的记事" folder; the stores use <root>/日历/...
    void SetMemoRoot(const std::string& utf8Folder);
    // The 休 and 班 marks on or off, from the next SetMonth on.
    void SetShowHolidays(bool show) { model.SetShowHolidays(show); }
    // Reads the holiday data again (a fetched schedule was kept, a setting changed) and rebuilds the
    // shown page, which repaints at once.
    void ReloadHolidays() {
        model.ReloadFetchedHolidays();
        if (Year()) SetMonth(Year(), Month(), 0);
    }

    // Rebuilds the page of (year, month) and reloads its memo stores. A day other than 0 moves the mark
    // (today) there, lowered to the month's length. Shows the owner's today link unless the page shows
    // the mark, sets the caption and repaints. Returns 1; 0, with nothing changed, for a month outside
    // February 1900 - December 2049.
    int SetMonth(int year, int month, int day);
    int Year() const { return model.page().year; }
    int Month() const { return model.page().month; }
    HWND Hwnd() const { return hwnd; }

    // The whole page onto any DC, at the DC's origin; OnPaint wraps it. The DC's state is restored.
    // The focus day's focus rectangle is drawn when `focusCue` says so; the first form asks the window
    // (it has the focus and its UI state shows focus cues).
    void Paint(HDC dc);
    void Paint(HDC dc, bool focusCue);

    // The day's memo texts in the tip below `clientPoint`, or the tip hidden when the day has none.
    void ShowTipFor(int day, POINT clientPoint);
    // Today's memos, once after start-up: centred on the left edge of today's cell. hotDay stays, so
    // the tip stays until the pointer comes onto a day.
    void ShowTodayTip();

    // The memo dialogs' confirmed texts (code-page-936 bytes) for hotDay and for weeklyColumn: the
    // page's stores write their files and the grid repaints. 0, or −1 with the outcome of each memo
    // in `results` (see GridPage).
    int SaveDayMemos(const std::string& oneTime, uint32_t oneTimeColor, const std::string& solar, uint32_t solarColor,
                     const std::string& lunar, uint32_t lunarColor, MemoSaveResult results[3] = nullptr,
                     const MemoRecord* bases = nullptr);
    int SaveWeeklyMemo(const std::string& text, uint32_t color, MemoSaveResult* result = nullptr,
                       const MemoRecord* base = nullptr);
    // Memo files of the page changed elsewhere: the page shows them. The tip stays as it is, and an
    // open memo dialog keeps its texts (its save merges).
    void RefreshMemos();
    // The marked day's memo editor, as a click on it opens it; nothing when the page does not show it.
    void OpenMarkedDayEditor();
    int HotDay() const { return hotDay; }
    // The day the keys act on: the one they last moved to, else where the focus starts on this page.
    int FocusedDay() const;
    int WeeklyColumn() const { return weeklyColumn; }
    const HoverTip* Tip() const { return tip.get(); }

    GridPoint CellOrigin(int day) const { return ::CellOrigin(model.page(), day, dpi); }
    const MemoRecord& LunarMemoFor(int day) const { return model.LunarMemoFor(day); }
    const GridPage& Page() const { return model; }
    const GridPalette& Palette() const;
    const ColorLabel* YearCaption() const { return yearCaption.get(); }
    const LinkLabel* SiteLink() const { return siteLink.get(); }

protected:
    LRESULT OnPaint() override;
    LRESULT OnMouseMove(int x, int y, UINT keys) override;
    LRESULT OnLButtonUp(int x, int y, UINT keys) override;
    LRESULT OnLinkClicked(int id) override;
    LRESULT OnContextMenu(int screenX, int screenY) override;
    LRESULT OnKeyDown(UINT key, UINT flags) override;
    LRESULT OnMouseWheel(int delta, UINT keys) override;
    LRESULT OnSetFocus() override;
    LRESULT OnKillFocus() override;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void MakeFonts();
    void PlaceLabels();
    // The year caption shows the page's text; its window is made, at that text's size, with the first page.
    void ShowYearCaption();
    int S(int value96) const { return Scaled(value96, dpi); }
    void PaintHeader(HDC dc, int width, const GridPalette& palette);
    void PaintDays(HDC dc, const GridPalette& palette);
    CellTextPlace PlaceCellText(HDC dc, int day, int cellLeft);
    HFONT FitFont(int size);
    void PaintRing(HDC dc, const GridPalette& palette);
    void PaintFocus(HDC dc);
    bool FocusCueShown() const;
    void OpenDayEditor(int day);
    // A key or a wheel notch: the focus day moves, the owner turns the page when it leaves this one.
    void MoveFocus(GridKey key, bool fromKeyboard);
    void FocusMoved(bool fromKeyboard);
    // The window text (the accessible name) follows the focus day; screen readers are told.
    void UpdateName(bool focusMoved);

    GridPage model;
    // Day under the pointer (0 = none) and the header column of the last click (−1 = none), for the
    // mouse handling.
    int hotDay = 0;
    int weeklyColumn = -1;
    // The focus day's number on this page; 0 until the keys first act (FocusedDay then starts it).
    int focusDay = 0;
    int wheelDelta = 0; // wheel turns short of a notch
    std::string name;

    int dpi = kBaseDpi;
    Font numberFont;
    Font starFont;
    Font smallFont;
    Font smallBoldFont;
    Font headerNameFont; // the DC's own font made for this DPI, where that is not 96
    Font holidayFont;
    // Smaller bold fonts for a lunar month name too long for its cell (character heights at 96 DPI).
    static constexpr int kFitSizes = 4;
    static constexpr int kFitHeights[kFitSizes] = {12, 11, 10, 9};
    Font fitFonts[kFitSizes];
    CellTextPlace namePlace[kMaxDays + 1];
    bool namePlaced[kMaxDays + 1] = {};

    std::unique_ptr<HoverTip> tip;
    std::unique_ptr<ColorLabel> yearCaption;
    std::unique_ptr<LinkLabel> siteLink;
    MonthGridOwner* owner = nullptr;
};
