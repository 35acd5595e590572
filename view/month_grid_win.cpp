#include "view/month_grid.h"

#include <algorithm>
#include <cstdio>

#include "engine/names.h"
#include "memo/ics_export_dlg.h"
#include "memo/memo_edit_dlg.h"
#include "memo/weekly_note_dlg.h"
#include "view/hover_tip.h"
#include "win/color_label.h"
#include "win/dpi.h"
#include "win/link_label.h"
#include "win/font.h"
#include "win/lazy_dll.h"
#include "win/text.h"
#include "win/theme.h"

#include <iterator>
#include <vector>

namespace {

const wchar_t kClassName[] = L"LunoriaMonthGrid";
constexpr int kSiteLinkId = 1052;
constexpr int kLabelPointSize = 110; // 11 pt
const char kLabelFace[] = "宋体";
const char kSiteName[] = "Nimbrel";
// The site link opens this page and nothing else.
const wchar_t kSiteAddress[] = L"https://www.nimbrel.com/";
// The caption and the link sit in the bottom strip (96-DPI pixels of the grid).
constexpr int kCaptionTop = kGridHeight - kStripHeight;
constexpr int kCaptionRight = kGridWidth - 160;
constexpr int kSiteLinkLeft = kCaptionRight + 40;
constexpr int kSiteLinkRight = kCaptionRight + 85;

void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF color) {
    RECT r{left, top, right, bottom};
    Brush brush(CreateSolidBrush(color));
    FillRect(dc, &r, brush.Get());
}

void Text(HDC dc, int x, int y, const std::string& utf8) {
    std::wstring wide = ToWide(utf8);
    TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

} // namespace

MonthGrid::MonthGrid() = default;

MonthGrid::~MonthGrid() {
    // The window goes first, so no message reaches the members while they are torn down.
    Destroy();
}

bool MonthGrid::Create(const RECT& rect, HWND parent, int id, MonthGridOwner* gridOwner, int windowDpi) {
    // No background brush: erasing paints nothing, and every client pixel comes from Paint.
    Register(kClassName, 0, LoadCursorW(nullptr, IDC_ARROW), nullptr);
    // A tab stop: the keyboard reaches the days (OnKeyDown).
    if (!Window::Create(kClassName, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, rect, parent, id)) return false;
    owner = gridOwner;
    dpi = windowDpi;
    MakeFonts();

    // Caption and link sit in the bottom strip, each made at the size of its text: the link now, the
    // caption with the first page (ShowYearCaption).
    RECT linkRect{S(kSiteLinkLeft), S(kCaptionTop), S(kSiteLinkRight), S(kGridHeight)};
    siteLink = std::make_unique<LinkLabel>();
    siteLink->SetText(kSiteName, true);
    siteLink->SetTheme(LabelTheme::Strip);
    siteLink->Create(linkRect, hwnd, kSiteLinkId, 0, 0, kLabelPointSize, kLabelFace, dpi);
    yearCaption = std::make_unique<ColorLabel>();
    if (model.page().ok()) ShowYearCaption();

    // The tip's popup window is made when it first has a text to show (ShowTipFor): start-up does
    // not wait for a window nobody sees yet.
    tip = std::make_unique<HoverTip>();
    return true;
}

void MonthGrid::ShowYearCaption() {
    yearCaption->SetText(model.page().yearCaption, true);
    if (yearCaption->Handle()) return;
    RECT captionRect{0, S(kCaptionTop), S(kCaptionRight), S(kGridHeight)};
    yearCaption->SetTheme(LabelTheme::Strip);
    yearCaption->Create(captionRect, hwnd, -1, 0, 0, kLabelPointSize, kLabelFace, dpi);
}

// Pixel heights are cell heights (positive). Only the day numbers are Latin. The other three fonts
// draw Chinese text, "★" and "●", so they ask for GB2312: the font mapper then picks a face that
// holds those glyphs (宋体 on Chinese Windows) instead of an "Arial" without them.
void MonthGrid::MakeFonts() {
    numberFont = CreatePixelFont(S(17), "Arial Black", FW_NORMAL, ANSI_CHARSET);
    starFont = CreatePixelFont(S(19), "宋体", FW_NORMAL, GB2312_CHARSET);
    smallFont = CreatePixelFont(S(14), "Arial", FW_NORMAL, GB2312_CHARSET);
    smallBoldFont = CreatePixelFont(S(14), "Arial", FW_BOLD, GB2312_CHARSET);
    // One small character: smoothing would leave it pale, so at small sizes its pixels are whole, as
    // 宋体's own bitmaps at those sizes are on Windows.
    const int markSize = S(kHolidayMarkSize);
    holidayFont = CreatePixelFont(markSize, "宋体", FW_NORMAL, GB2312_CHARSET,
                                  markSize < 16 ? NONANTIALIASED_QUALITY : DEFAULT_QUALITY);
    // The header's names are drawn in the DC's own font: GDI's system font, made for the system DPI
    // (and under Wine only taller, not wider). At 96 DPI that stays as it is; at any other DPI the
    // names get the same face at this DPI's height and its own width.
    for (Font& font : fitFonts)
        font.Reset();
    std::fill(std::begin(namePlaced), std::end(namePlaced), false);
    headerNameFont.Reset();
    LOGFONTW system{};
    if (dpi != kBaseDpi && GetObjectW(GetStockObject(SYSTEM_FONT), sizeof system, &system)) {
        system.lfHeight = MulDiv(system.lfHeight, dpi, SystemDpi());
        system.lfWidth = 0;
        headerNameFont.Reset(CreateFontIndirectW(&system));
    }
}

void MonthGrid::PlaceLabels() {
    if (yearCaption) yearCaption->Rescale(0, S(kCaptionTop), dpi);
    if (siteLink) siteLink->Rescale(S(kSiteLinkLeft), S(kCaptionTop), dpi);
}

void MonthGrid::SetDpi(int windowDpi, const RECT& rect) {
    if (!hwnd) return;
    MoveWindow(hwnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, FALSE);
    if (windowDpi != dpi) {
        dpi = windowDpi;
        MakeFonts();
        PlaceLabels();
    }
    Invalidate(false);
}

void MonthGrid::SetMemoRoot(const std::string& utf8Folder) {
    model.SetMemoRoot(utf8Folder);
}

int MonthGrid::SetMonth(int year, int month, int day) {
    if (!model.SetMonth(year, month, day)) return 0;
    std::fill(std::begin(namePlaced), std::end(namePlaced), false);
    // A page turned by the lists or links keeps the focus day's number, as the page keys do.
    focusDay = std::min(focusDay, model.page().dayCount);
    if (owner) owner->ShowTodayLink(!model.page().MarkShown());
    if (yearCaption && hwnd) ShowYearCaption();
    if (hwnd) Invalidate(false);
    UpdateName(false);
    return 1;
}

int MonthGrid::FocusedDay() const {
    return focusDay ? focusDay : StartFocusDay(model.page());
}

void MonthGrid::UpdateName(bool focusMoved) {
    if (!hwnd) return;
    std::string text = DayDescription(model, FocusedDay());
    if (text != name) {
        name = text;
        SetTitle(name);
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, hwnd, OBJID_CLIENT, CHILDID_SELF);
    }
    if (focusMoved && GetFocus() == hwnd) NotifyWinEvent(EVENT_OBJECT_FOCUS, hwnd, OBJID_CLIENT, CHILDID_SELF);
}

void MonthGrid::MoveFocus(GridKey key, bool fromKeyboard) {
    const MonthPage& page = model.page();
    if (!page.ok()) return;
    const FocusDay from{page.year, page.month, FocusedDay()};
    const FocusDay to = MoveFocusDay(from, key);
    if (to == from) return; // an end of the range
    // Set first: the owner's SetMonth keeps it, and the name changes once.
    focusDay = to.day;
    if ((to.year != from.year || to.month != from.month) && owner) owner->ShowMonthOf(to.year, to.month);
    if (page.year != to.year || page.month != to.month) focusDay = from.day; // the page did not turn
    FocusMoved(fromKeyboard);
}

// A keyboard user cannot hover: the focus day's memos show in the tip, where today's show at start.
void MonthGrid::FocusMoved(bool fromKeyboard) {
    Invalidate(false);
    UpdateName(true);
    if (!fromKeyboard) return;
    GridPoint o = ::CellOrigin(model.page(), FocusedDay(), kBaseDpi);
    ShowTipFor(FocusedDay(), POINT{S(o.x), S(o.y + 12)});
}

void MonthGrid::OpenMarkedDayEditor() {
    const MonthPage& p = model.page();
    if (p.MarkShown() && p.mark.day >= 1 && p.mark.day <= p.dayCount) OpenDayEditor(p.mark.day);
}

void MonthGrid::OpenDayEditor(int day) {
    hotDay = day;
    focusDay = day;
    UpdateName(false);
    if (tip) tip->Show(SW_HIDE);
    RunMemoEditDlg(*this);
}

LRESULT MonthGrid::OnKeyDown(UINT key, UINT flags) {
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    switch (key) {
    case VK_LEFT: MoveFocus(GridKey::PrevDay, true); break;
    case VK_RIGHT: MoveFocus(GridKey::NextDay, true); break;
    case VK_UP: MoveFocus(GridKey::PrevWeek, true); break;
    case VK_DOWN: MoveFocus(GridKey::NextWeek, true); break;
    case VK_PRIOR: MoveFocus(ctrl ? GridKey::PrevYear : GridKey::PrevMonth, true); break;
    case VK_NEXT: MoveFocus(ctrl ? GridKey::NextYear : GridKey::NextMonth, true); break;
    case VK_HOME:
        if (owner) owner->ShowToday();
        focusDay = StartFocusDay(model.page());
        FocusMoved(true);
        break;
    case VK_RETURN:
    case VK_SPACE:
        // A held key opens one dialog, not one after another.
        if ((flags & KF_REPEAT) || !FocusedDay()) break;
        if (key == VK_RETURN && ctrl) {
            weeklyColumn = model.page().cells[FocusedDay()].weekday;
            RunWeeklyNoteDlg(*this);
        } else {
            OpenDayEditor(FocusedDay());
        }
        break;
    default: return Default();
    }
    // Keys are in use: focus cues show from now on, as the dialog manager shows them after a Tab.
    SendMessageW(hwnd, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    return 0;
}

// One month a notch, turned up: earlier. Turns short of a notch add up until they make one.
LRESULT MonthGrid::OnMouseWheel(int delta, UINT) {
    if ((delta > 0) != (wheelDelta > 0)) wheelDelta = 0;
    wheelDelta += delta;
    for (; wheelDelta >= WHEEL_DELTA; wheelDelta -= WHEEL_DELTA)
        MoveFocus(GridKey::PrevMonth, false);
    for (; wheelDelta <= -WHEEL_DELTA; wheelDelta += WHEEL_DELTA)
        MoveFocus(GridKey::NextMonth, false);
    return 0;
}

LRESULT MonthGrid::OnSetFocus() {
    Invalidate(false);
    return Default();
}

LRESULT MonthGrid::OnKillFocus() {
    Invalidate(false);
    return Default();
}

LRESULT MonthGrid::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_GETDLGCODE: {
        // The arrows, and Enter, which the dialog manager would take as "OK"; Tab and Esc stay its own.
        const MSG* key = reinterpret_cast<const MSG*>(lParam);
        LRESULT code = DLGC_WANTARROWS;
        if (key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN) code |= DLGC_WANTMESSAGE;
        return code;
    }
    case WM_UPDATEUISTATE: {
        LRESULT result = Default();
        if (HIWORD(wParam) & UISF_HIDEFOCUS) Invalidate(false);
        return result;
    }
    default: return Default();
    }
}

bool MonthGrid::FocusCueShown() const {
    return hwnd && GetFocus() == hwnd && !(SendMessageW(hwnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
}

LRESULT MonthGrid::OnMouseMove(int x, int y, UINT) {
    int day = HitTestDay(model.page(), x, y, dpi);
    // Within one day the tip stays where it first appeared.
    if (day != hotDay) {
        if (day)
            ShowTipFor(day, POINT{x, y});
        else if (tip)
            tip->Show(SW_HIDE);
        hotDay = day;
    }
    return Default();
}

LRESULT MonthGrid::OnLButtonUp(int x, int y, UINT) {
    if (int day = HitTestDay(model.page(), x, y, dpi)) {
        OpenDayEditor(day);
    } else if (int column = HitTestHeaderColumn(x, y, dpi); column >= 0) {
        weeklyColumn = column;
        RunWeeklyNoteDlg(*this);
    }
    return Default();
}

// The right button's menu (the memo export); the left button's work stays as it is.
LRESULT MonthGrid::OnContextMenu(int screenX, int screenY) {
    POINT at{screenX, screenY};
    if (screenX == -1 && screenY == -1) { // from the keyboard: under the header
        at = POINT{S(kColumnPitch / 2), S(kHeaderHeight + kCellHeight / 2)};
        ClientToScreen(hwnd, &at);
    }
    if (tip) tip->Show(SW_HIDE);
    RunMemoExportMenu(hwnd, at, model.memoRoot());
    return 0;
}

LRESULT MonthGrid::OnLinkClicked(int id) {
    if (id == kSiteLinkId) ShellOpen(hwnd, kSiteAddress);
    return 0;
}

void MonthGrid::ShowTipFor(int day, POINT point) {
    if (!tip) return;
    // The stores keep the files' code-page-936 bytes; the tip draws UTF-8.
    std::string text = model.HolidayNote(day);
    const std::string memos = Cp936ToUtf8(model.TipText(day));
    text += (text.empty() || memos.empty() ? "" : "\r\n") + memos;
    ClientToScreen(hwnd, &point);
    if (text.empty()) {
        tip->Show(SW_HIDE);
        return;
    }
    if (!tip->Handle() && !tip->Create(hwnd)) return;
    tip->SetTipText(text, point, dpi);
    // Never activate: the tip must not take the keys from the notepad or whatever the user types in.
    tip->Show(SW_SHOWNOACTIVATE);
}

void MonthGrid::ShowTodayTip() {
    const MonthPage& page = model.page();
    if (!page.ok() || !page.MarkShown()) return;
    GridPoint o = ::CellOrigin(page, page.mark.day, kBaseDpi);
    ShowTipFor(page.mark.day, POINT{S(o.x), S(o.y + 12)});
}

int MonthGrid::SaveDayMemos(const std::string& oneTime, uint32_t oneTimeColor, const std::string& solar,
                            uint32_t solarColor, const std::string& lunar, uint32_t lunarColor,
                            MemoSaveResult results[3], const MemoRecord* bases) {
    int rc = model.SaveDayMemos(hotDay, oneTime, oneTimeColor, solar, solarColor, lunar, lunarColor, results, bases);
    // The page stays; the next paint takes the marks from the updated stores.
    if (hwnd) Invalidate(false);
    UpdateName(false);
    return rc;
}

int MonthGrid::SaveWeeklyMemo(const std::string& text, uint32_t color, MemoSaveResult* result, const MemoRecord* base) {
    int rc = model.SaveWeeklyMemo(weeklyColumn, text, color, result, base);
    if (hwnd) Invalidate(false);
    UpdateName(false);
    return rc;
}

void MonthGrid::RefreshMemos() {
    if (!model.RefreshMemos()) return;
    if (hwnd) Invalidate(false);
    UpdateName(false);
}

const GridPalette& MonthGrid::Palette() const {
    return CurrentPalette().grid;
}

LRESULT MonthGrid::OnPaint() {
    PaintScope paint(hwnd);
    Paint(paint.Dc());
    return 0;
}

void MonthGrid::Paint(HDC dc) {
    Paint(dc, FocusCueShown());
}

void MonthGrid::Paint(HDC dc, bool focusCue) {
    const GridPalette& palette = CurrentPalette().grid;
    RECT client{0, 0, S(kGridWidth), S(kGridHeight)};
    if (hwnd) client = ClientRect();
    const int width = client.right, height = client.bottom;
    const int stripTop = height - (S(kGridHeight) - S(kGridHeight - kStripHeight));

    // Fonts are selected as the page goes; the caller's font, text colour and mode come back at the end.
    HGDIOBJ callerFont = GetCurrentObject(dc, OBJ_FONT);
    COLORREF callerColor = GetTextColor(dc);
    int callerMode = SetBkMode(dc, TRANSPARENT);

    Fill(dc, 0, 0, width, stripTop, palette.fieldColor);
    Fill(dc, 0, stripTop, width, height, palette.stripColor);
    PaintHeader(dc, width, palette);

    Brush cellBrush(CreateSolidBrush(palette.cellBackColor));
    for (int row = 0; row < kGridRows; ++row) {
        for (int column = 0; column < kGridColumns; ++column) {
            GridRect cell = CellRect(row, column, dpi);
            RECT r{cell.left, cell.top, cell.right, cell.bottom};
            FillRect(dc, &r, cellBrush.Get());
        }
    }
    PaintDays(dc, palette);
    PaintRing(dc, palette);
    if (focusCue) PaintFocus(dc);

    SelectObject(dc, callerFont);
    SetTextColor(dc, callerColor);
    SetBkMode(dc, callerMode);
}

void MonthGrid::PaintHeader(HDC dc, int width, const GridPalette& palette) {
    Fill(dc, 0, 0, width, S(kHeaderHeight), palette.headerBackColor);
    if (headerNameFont) SelectObject(dc, headerNameFont.Get());
    for (int i = 0; i < kGridColumns; ++i) {
        uint32_t color = 0;
        bool picked = false;
        if (model.WeeklyMark(i, &color, palette, &picked)) {
            SelectObject(dc, smallBoldFont.Get());
            if (NeedsEdge(palette, color, picked, palette.headerBackColor)) {
                SetTextColor(dc, EdgeColor(palette, palette.headerBackColor));
                Text(dc, S(2 + kColumnPitch * i), S(2), "○");
            }
            SetTextColor(dc, color);
            Text(dc, S(2 + kColumnPitch * i), S(2), "●");
        }
        // The names take whatever font the DC holds: its own until a "●" has been drawn in this pass,
        // the bold small font after it.
        SetTextColor(dc, HeaderNameColor(palette, model.page(), i));
        Text(dc, S(10 + kColumnPitch * i), S(2), WeekdayName(i));
    }
}

// The days go in passes, one font each, every cell keeping its own order (fill, dot, stars, number,
// text, 休 or 班): no two cells' drawings overlap, and each font is selected once, not once a day
// (under Wine each change of font costs as much as a few glyphs).
void MonthGrid::PaintDays(HDC dc, const GridPalette& palette) {
    struct Shown {
        int day;
        GridPoint corner; // 96 DPI
        DayMarks marks;
    };
    Shown days[kMaxDays];
    int count = 0;
    const MonthPage& page = model.page();
    for (int row = 0; row < kGridRows; ++row)
        for (int column = 0; column < kGridColumns; ++column)
            if (int day = DayAtCell(page, row, column))
                days[count++] = {day, CellCorner96(row, column), model.MarksFor(day, palette)};
    auto at = [&](const Shown& d, int dx, int dy, const std::string& text) {
        Text(dc, S(d.corner.x + dx), S(d.corner.y + dy), text);
    };
    // A hollow glyph in the edge colour over (or, hollow alone, instead of) the full one.
    auto mark = [&](const Shown& d, int dx, int dy, uint32_t color, bool edge, bool hollow, const char* full,
                    const char* outline) {
        SetTextColor(dc, color);
        at(d, dx, dy, hollow ? outline : full);
        if (!edge) return;
        SetTextColor(dc, d.marks.edgeColor);
        at(d, dx, dy, outline);
    };

    for (int i = 0; i < count; ++i) {
        const Shown& d = days[i];
        if (!d.marks.filled) continue;
        const int x = S(d.corner.x), y = S(d.corner.y);
        const int right = S(d.corner.x + kCellWidth), bottom = S(d.corner.y + kCellHeight);
        Fill(dc, x, y, right, bottom, d.marks.fillColor);
        if (d.marks.fillEdge) {
            RECT r{x, y, right, bottom};
            Brush edge(CreateSolidBrush(d.marks.fillEdgeColor));
            FrameRect(dc, &r, edge.Get());
        }
    }
    SelectObject(dc, smallBoldFont.Get());
    for (int i = 0; i < count; ++i)
        if (days[i].marks.weekly)
            mark(days[i], 2, 0, days[i].marks.weeklyColor, days[i].marks.weeklyEdge, false, "●", "○");
    SelectObject(dc, starFont.Get());
    for (int i = 0; i < count; ++i) {
        const DayMarks& m = days[i].marks;
        if (m.solarStar) mark(days[i], -1, 15, m.solarStarColor, m.solarEdge, false, "★", "☆");
        if (m.lunarStar) mark(days[i], 34, 15, m.lunarStarColor, m.lunarEdge, m.lunarHollow, "★", "☆");
    }
    SelectObject(dc, numberFont.Get());
    for (int i = 0; i < count; ++i) {
        char number[8];
        std::snprintf(number, sizeof number, "%2d", days[i].day);
        SetTextColor(dc, days[i].marks.numberColor);
        at(days[i], 10, 2, number);
    }
    SelectObject(dc, smallFont.Get());
    for (int i = 0; i < count; ++i) {
        const DayCell& cell = page.cells[days[i].day];
        if (cell.textIsMonthName) continue;
        SetTextColor(dc, days[i].marks.numberColor);
        at(days[i], kCellTextLeft, kCellTextTop, cell.text);
    }
    // Month names in bold; a long one (十一月大, 闰十二月小) further left, smaller where it must be, so it
    // stays in its cell.
    for (int i = 0; i < count; ++i) {
        const DayCell& cell = page.cells[days[i].day];
        if (!cell.textIsMonthName) continue;
        SelectObject(dc, smallBoldFont.Get());
        const CellTextPlace place = PlaceCellText(dc, days[i].day, days[i].corner.x);
        if (place.size >= 0) SelectObject(dc, FitFont(place.size));
        SetTextColor(dc, days[i].marks.numberColor);
        if (!place.width) {
            at(days[i], place.left, kCellTextTop, cell.text);
            continue;
        }
        const std::wstring wide = ToWide(cell.text);
        std::vector<INT> advance(wide.size(), place.width / static_cast<int>(wide.size()));
        ExtTextOutW(dc, S(days[i].corner.x + place.left), S(days[i].corner.y + kCellTextTop), 0, nullptr, wide.c_str(),
                    static_cast<UINT>(wide.size()), advance.data());
    }
    // Last in the cell, so nothing drawn there covers it; it keeps to a corner nothing else uses.
    SelectObject(dc, holidayFont.Get());
    for (int i = 0; i < count; ++i) {
        const DayMarks& m = days[i].marks;
        if (m.holiday == HolidayMark::None) continue;
        SetTextColor(dc, m.holidayColor);
        Text(dc, S(days[i].corner.x + kHolidayMarkLeft), S(days[i].corner.y + kHolidayMarkTop),
             HolidayMarkText(m.holiday));
    }
}

// Where a month name goes, measured once per page and scale: in the usual bold font (selected) and,
// only when that does not fit, in the fitting sizes.
CellTextPlace MonthGrid::PlaceCellText(HDC dc, int day, int cellLeft) {
    if (namePlaced[day]) return namePlace[day];
    const std::wstring wide = ToWide(model.page().cells[day].text);
    auto measure = [&] {
        SIZE extent{};
        GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
        return static_cast<int>(extent.cx);
    };
    int widths[1 + kFitSizes] = {measure()};
    int count = 1;
    CellTextPlace place = FitCellText(widths, count, cellLeft, dpi);
    // Largest first, and only until one fits unsqueezed: each size is a font to make on today's page.
    while (place.width != 0 && count < 1 + kFitSizes) {
        SelectScope select(dc, FitFont(count - 1));
        widths[count++] = measure();
        place = FitCellText(widths, count, cellLeft, dpi);
    }
    namePlaced[day] = true;
    return namePlace[day] = place;
}

HFONT MonthGrid::FitFont(int size) {
    Font& font = fitFonts[size];
    // Made on the first page that needs it: most months have no long name.
    if (!font) font = CreatePixelFont(-S(kFitHeights[size]), "Arial", FW_BOLD, GB2312_CHARSET);
    return font.Get();
}

void MonthGrid::PaintRing(HDC dc, const GridPalette& palette) {
    const MonthPage& page = model.page();
    if (!page.ok() || !page.MarkShown()) return;
    GridPoint o = ::CellOrigin(page, page.mark.day, kBaseDpi);
    Pen pen(CreatePen(PS_DOT, S(2), palette.todayColor));
    SelectScope selectPen(dc, pen.Get());
    SelectScope selectBrush(dc, GetStockObject(NULL_BRUSH));
    // Larger than the hit area: it overlaps the neighbours, the header in row 0 and the strip in row 5.
    Ellipse(dc, S(o.x - 7), S(o.y - 7), S(o.x + 58), S(o.y + 41));
}

// A dotted rectangle one pixel inside the focus day's painted cell, drawn last (it inverts what is under it).
void MonthGrid::PaintFocus(HDC dc) {
    const int day = FocusedDay();
    if (!day) return;
    const GridPoint o = ::CellOrigin(model.page(), day, kBaseDpi);
    const int top = o.y + kFirstCellTop - kHeaderHeight;
    RECT r{S(o.x + 1), S(top + 1), S(o.x + kCellWidth - 1), S(top + kCellHeight - 1)};
    // The pattern takes the DC's colours: black on white inverts every pixel it touches.
    COLORREF callerBack = SetBkColor(dc, RGB(255, 255, 255));
    SetTextColor(dc, RGB(0, 0, 0));
    DrawFocusRect(dc, &r);
    SetBkColor(dc, callerBack);
}
