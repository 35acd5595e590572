// WeeklyNoteDlg: the weekly reminder (template IDD_WEEKLY_NOTE). Like the day memo editor, it moves
// the note between its edit control and the memo bytes through the GB18030 codec.
#include "memo/weekly_note_dlg.h"

#include "memo/memo_dlg_parts.h"
#include "memo/memo_edit_rules.h"
#include "res/resource.h"
#include "view/month_grid.h"
#include "win/dialog.h"
#include "win/link_label.h"
#include "win/text.h"
#include "win/theme.h"

namespace {

constexpr int kSwatchPointSize = 100; // 10 pt

class WeeklyNoteDlg : public Dialog {
public:
    explicit WeeklyNoteDlg(MonthGrid& owner);

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    LRESULT OnLinkClicked(int id) override;
    void OnScaleChanged(int oldDpi) override;
    void OnThemeChanged() override {
        noteSwatch.SetTextColor(MemoMarkColor(CurrentPalette().grid, noteColor, MemoKind::Weekly));
    }

private:
    MonthGrid& grid;
    int column = 0;
    std::string noteText; // UTF-8
    uint32_t noteColor = 0;
    MemoRecord base; // the note as the dialog opened (see the day memo editor)
    LinkLabel noteSwatch;
    Font labelFont;
    HWND caption = nullptr;
};

WeeklyNoteDlg::WeeklyNoteDlg(MonthGrid& owner) : grid(owner), column(owner.WeeklyColumn()) {
    const MemoRecord& note = grid.Page().weeklyMemos.slot(column);
    noteText = Cp936ToUtf8(note.text());
    noteColor = note.color();
    base = note;
}

bool WeeklyNoteDlg::OnInitDialog() {
    SendMessageW(Item(IDC_NOTE_EDIT), EM_SETLIMITTEXT, 0, 0);
    SetItemText(IDC_NOTE_EDIT, noteText);
    labelFont = CaptionFont(Dpi());
    caption = CreateCaption(hwnd, IDC_STATIC, RECT{20, 10, 80, 30}, WeeklyCaption(column), labelFont.Get());
    // The swatch starts where the caption ends and is 25 pixels wide.
    noteSwatch.SetTheme(LabelTheme::Swatch);
    noteSwatch.Create(DrawnRect(hwnd, RECT{80, 10, 105, 30}), hwnd, IDC_NOTE_SWATCH, 0,
                      MemoMarkColor(CurrentPalette().grid, noteColor, MemoKind::Weekly), kSwatchPointSize,
                      "楷体_gb2312", Dpi());
    noteSwatch.SetText("■", true);
    return true;
}

void WeeklyNoteDlg::OnScaleChanged(int) {
    Font previous = std::move(labelFont);
    labelFont = CaptionFont(Dpi());
    SetCaptionFont({caption}, labelFont.Get());
    noteSwatch.Rescale(noteSwatch.Rect().left, noteSwatch.Rect().top, Dpi());
}

LRESULT WeeklyNoteDlg::OnLinkClicked(int id) {
    if (id != IDC_NOTE_SWATCH) return 0;
    ChooseMemoColor(hwnd, {MemoColor(noteColor, MemoKind::Weekly)}, noteSwatch, &noteColor);
    return 0;
}

void WeeklyNoteDlg::OnOK() {
    noteText = GetItemText(IDC_NOTE_EDIT);
    MemoSaveResult result;
    int rc;
    {
        BusyCursor busy;
        rc = grid.SaveWeeklyMemo(Utf8ToCp936(noteText), noteColor, &result, &base);
    }
    if (rc == 0) {
        ShowMergeNotice(hwnd, MemoMergeMessage(&result, 1));
        End(IDOK);
        return;
    }
    static const char* const kNames[1] = {"每周提示"};
    ShowSaveFailure(hwnd, MemoSaveMessage(kNames, &result, 1));
}

} // namespace

bool RunWeeklyNoteDlg(MonthGrid& grid) {
    if (grid.WeeklyColumn() < 0 || grid.WeeklyColumn() > 6) return false;
    WeeklyNoteDlg dlg(grid);
    return dlg.RunModal(IDD_WEEKLY_NOTE, grid.Hwnd()) == IDOK;
}
