// MemoEditDlg: the day memo editor (template IDD_MEMO_EDIT). Texts cross between the edit controls and
// the memo bytes through the GB18030 codec, so GBK text keeps its bytes and characters outside GBK
// are kept, never turned into "?".
#include "memo/memo_edit_dlg.h"

#include "memo/memo_dlg_parts.h"
#include "memo/memo_edit_rules.h"
#include "res/resource.h"
#include "view/month_grid.h"
#include "win/dialog.h"
#include "win/link_label.h"
#include "win/text.h"
#include "win/theme.h"

namespace {

constexpr int kSwatchPointSize = 120; // 12 pt
const char kSwatchFace[] = "楷体_gb2312";
const char kSwatch[] = "■";

class MemoEditDlg : public Dialog {
public:
    explicit MemoEditDlg(MonthGrid& owner);

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    LRESULT OnLinkClicked(int id) override;
    void OnScaleChanged(int oldDpi) override;
    void OnThemeChanged() override;

private:
    void MakeSwatch(LinkLabel& swatch, const RECT& rect, int id, COLORREF color);
    void ColorSwatches();
    void MakeRoom();

    MonthGrid& grid;
    int day = 0;
    std::string oneTimeText; // UTF-8, as the edit controls hold them
    std::string solarText;
    std::string lunarText;
    uint32_t oneTimeColor = 0;
    uint32_t solarColor = 0;
    uint32_t lunarColor = 0;
    // The three records as the dialog opened: the page may be read again meanwhile (another computer
    // wrote the file), and the save keeps what changed there too.
    MemoRecord bases[3];
    LinkLabel oneTimeSwatch;
    LinkLabel solarSwatch;
    LinkLabel lunarSwatch;
    Font labelFont;
    HWND captions[3] = {};
};

MemoEditDlg::MemoEditDlg(MonthGrid& owner) : grid(owner), day(owner.HotDay()) {
    const GridPage& page = grid.Page();
    const MemoRecord& oneTime = page.monthMemos.slot(day);
    const MemoRecord& solar = page.yearlySolarMemos.slot(day);
    const MemoRecord& lunar = page.LunarMemoFor(day);
    oneTimeText = Cp936ToUtf8(oneTime.text());
    oneTimeColor = oneTime.color();
    solarText = Cp936ToUtf8(solar.text());
    solarColor = solar.color();
    lunarText = Cp936ToUtf8(lunar.text());
    lunarColor = lunar.color();
    bases[0] = oneTime;
    bases[1] = solar;
    bases[2] = lunar;
}

void MemoEditDlg::MakeSwatch(LinkLabel& swatch, const RECT& rect, int id, COLORREF color) {
    swatch.SetTheme(LabelTheme::Swatch);
    swatch.Create(DrawnRect(hwnd, rect), hwnd, id, 0, color, kSwatchPointSize, kSwatchFace, Dpi());
}

// Each swatch shows its memo's mark as the grid shows it in the present palette.
void MemoEditDlg::ColorSwatches() {
    const GridPalette& palette = CurrentPalette().grid;
    oneTimeSwatch.SetTextColor(MemoMarkColor(palette, oneTimeColor, MemoKind::OneTime));
    solarSwatch.SetTextColor(MemoMarkColor(palette, solarColor, MemoKind::SolarYearly));
    lunarSwatch.SetTextColor(MemoMarkColor(palette, lunarColor, MemoKind::LunarYearly));
}

void MemoEditDlg::OnThemeChanged() {
    ColorSwatches();
}

bool MemoEditDlg::OnInitDialog() {
    const MonthPage& page = grid.Page().page();
    const DayCell& cell = page.cells[day];
    DayMemoCaptions texts =
        MakeDayMemoCaptions(page.year, page.month, day, cell.weekday, cell.lunar.month, cell.lunar.day);

    // Pasted texts may be longer than an edit control takes by default; the length check on "确定"
    // says so instead of the text being cut without a word.
    for (int id : {IDC_ONE_TIME_EDIT, IDC_SOLAR_EDIT, IDC_LUNAR_EDIT})
        SendMessageW(Item(id), EM_SETLIMITTEXT, 0, 0);
    SetItemText(IDC_ONE_TIME_EDIT, oneTimeText);
    SetItemText(IDC_SOLAR_EDIT, solarText);
    SetItemText(IDC_LUNAR_EDIT, lunarText);

    // Run-time controls are placed from their drawn pixel rectangles, in fonts of the dialog's DPI.
    labelFont = CaptionFont(Dpi());
    captions[0] = CreateCaption(hwnd, IDC_DATE_LINE, RECT{10, 10, 330, 30}, texts.dateLine, labelFont.Get());
    const GridPalette& palette = CurrentPalette().grid;
    MakeSwatch(oneTimeSwatch, RECT{340, 10, 365, 30}, IDC_ONE_TIME_SWATCH,
               MemoMarkColor(palette, oneTimeColor, MemoKind::OneTime));
    captions[1] = CreateCaption(hwnd, IDC_SOLAR_CAPTION, RECT{10, 230, 120, 250}, texts.solarCaption, labelFont.Get());
    MakeSwatch(solarSwatch, RECT{130, 230, 155, 250}, IDC_SOLAR_SWATCH,
               MemoMarkColor(palette, solarColor, MemoKind::SolarYearly));
    captions[2] = CreateCaption(hwnd, IDC_LUNAR_CAPTION, RECT{10, 280, 120, 300}, texts.lunarCaption, labelFont.Get());
    MakeSwatch(lunarSwatch, RECT{130, 280, 155, 300}, IDC_LUNAR_SWATCH,
               MemoMarkColor(palette, lunarColor, MemoKind::LunarYearly));
    for (LinkLabel* swatch : {&oneTimeSwatch, &solarSwatch, &lunarSwatch})
        swatch->SetText(kSwatch, true);
    MakeRoom();
    return true; // the focus goes to the first tab stop, "取消"
}

// The dialog's controls have moved with the new scale; the fonts of our own follow.
void MemoEditDlg::OnScaleChanged(int) {
    Font previous = std::move(labelFont);
    labelFont = CaptionFont(Dpi());
    SetCaptionFont({captions[0], captions[1], captions[2]}, labelFont.Get());
    for (LinkLabel* swatch : {&oneTimeSwatch, &solarSwatch, &lunarSwatch})
        swatch->Rescale(swatch->Rect().left, swatch->Rect().top, Dpi());
    MakeRoom();
}

void MemoEditDlg::MakeRoom() {
    MakeRoomAfter(captions[0], oneTimeSwatch, nullptr, Dpi());
    MakeRoomAfter(captions[1], solarSwatch, Item(IDC_SOLAR_EDIT), Dpi());
    MakeRoomAfter(captions[2], lunarSwatch, Item(IDC_LUNAR_EDIT), Dpi());
}

LRESULT MemoEditDlg::OnLinkClicked(int id) {
    LinkLabel* swatch = nullptr;
    uint32_t* color = nullptr;
    if (id == IDC_ONE_TIME_SWATCH) {
        swatch = &oneTimeSwatch;
        color = &oneTimeColor;
    } else if (id == IDC_SOLAR_SWATCH) {
        swatch = &solarSwatch;
        color = &solarColor;
    } else if (id == IDC_LUNAR_SWATCH) {
        swatch = &lunarSwatch;
        color = &lunarColor;
    } else {
        return 0;
    }
    // The chooser offers the three memos' present colours first.
    ChooseMemoColor(hwnd,
                    {MemoColor(oneTimeColor, MemoKind::OneTime), MemoColor(solarColor, MemoKind::SolarYearly),
                     MemoColor(lunarColor, MemoKind::LunarYearly)},
                    *swatch, color);
    return 0;
}

void MemoEditDlg::OnOK() {
    oneTimeText = GetItemText(IDC_ONE_TIME_EDIT);
    solarText = GetItemText(IDC_SOLAR_EDIT);
    lunarText = GetItemText(IDC_LUNAR_EDIT);
    MemoSaveResult results[3];
    int rc;
    {
        BusyCursor busy;
        rc = grid.SaveDayMemos(Utf8ToCp936(oneTimeText), oneTimeColor, Utf8ToCp936(solarText), solarColor,
                               Utf8ToCp936(lunarText), lunarColor, results, bases);
    }
    if (rc == 0) {
        ShowMergeNotice(hwnd, MemoMergeMessage(results, 3));
        End(IDOK);
        return;
    }
    static const char* const kNames[3] = {"当天的记事", "阳历每年的记事", "农历每年的记事"};
    ShowSaveFailure(hwnd, MemoSaveMessage(kNames, results, 3));
}

} // namespace

bool RunMemoEditDlg(MonthGrid& grid) {
    if (grid.HotDay() < 1 || grid.HotDay() > grid.Page().page().dayCount) return false;
    MemoEditDlg dlg(grid);
    return dlg.RunModal(IDD_MEMO_EDIT, grid.Hwnd()) == IDOK;
}
