#include "view/grid_page.h"

#include "memo/memo_merge.h"

namespace {

const MemoRecord kNoRecord;

struct PendingSave {
    MemoStore* store;
    int slot;
    std::string text;
    uint32_t color;
    MemoSaveResult* result;
    const MemoRecord* base; // the slot as the editor showed it; null: as the store holds it
};

// Checks every text first, so a text over the limit stops the save before any file changes; then
// each store writes its own file.
int SaveAll(PendingSave* saves, int count, bool haveFolder) {
    bool fits = true;
    for (int i = 0; i < count; ++i) {
        PendingSave& s = saves[i];
        *s.result = MemoSaveResult();
        s.result->file = s.store->path();
        if (!MemoTextFits(s.text.size())) {
            s.result->problem = MemoSaveProblem::TooLong;
            s.result->length = s.text.size();
            fits = false;
        }
    }
    if (!fits) return -1;
    int rc = 0;
    for (int i = 0; i < count; ++i) {
        PendingSave& s = saves[i];
        SlotMerge merge;
        if (s.store->Update(s.slot, s.text, s.color, s.base, &merge) == 0) {
            s.result->bothKept = merge.bothKept;
            s.result->day = SlotTitle(s.store->FileName(), s.slot);
            s.result->leftFile = merge.leftFile;
            continue;
        }
        s.result->problem = !haveFolder          ? MemoSaveProblem::NoFolder
                            : s.store->offline() ? MemoSaveProblem::Offline
                                                 : MemoSaveProblem::WriteFailed;
        rc = -1;
    }
    return rc;
}

} // namespace

void GridPage::SetMemoRoot(const std::string& utf8Folder) {
    root = utf8Folder;
    for (MemoStore* store :
         {&monthMemos, &lunarMemosFirst, &lunarMemosMiddle, &lunarMemosLast, &yearlySolarMemos, &weeklyMemos})
        store->SetRoot(root);
    holidays.SetFolder(root);
}

bool GridPage::SetMonth(int year, int month, int day) {
    if (showHolidays) holidays.Refresh();
    if (!BuildMonthPage(monthPage, kDesktopRange, year, month, day, showHolidays ? &holidays.calendar() : nullptr))
        return false;
    const MonthPage& p = monthPage;
    // Load results are not acted on: a damaged file shows what could be read, and the store keeps a
    // copy of it aside before it is first rewritten.
    monthMemos.LoadMonth(year, month);
    yearlySolarMemos.LoadMonth(1, month);
    lunarMemosFirst.LoadMonth(0, p.cells[1].lunar.month);
    if (p.lunarMonthCount == 3) {
        lunarMemosMiddle.LoadMonth(0, p.lunarMonths[1]);
    } else {
        lunarMemosMiddle.Init(31, std::string()); // no file: reads and writes nothing
    }
    lunarMemosLast.LoadMonth(0, p.cells[p.dayCount].lunar.month);
    weeklyMemos.LoadWeek();
    for (const MemoStore* store :
         {&monthMemos, &yearlySolarMemos, &lunarMemosFirst, &lunarMemosMiddle, &lunarMemosLast, &weeklyMemos})
        metOffline = metOffline || store->offline();
    return true;
}

const MemoStore* GridPage::LunarStoreFor(int day) const {
    const MonthPage& p = monthPage;
    if (!p.ok() || day < 1 || day > p.dayCount) return nullptr;
    int number = p.cells[day].lunar.month;
    if (number == p.cells[1].lunar.month) return &lunarMemosFirst;
    if (p.lunarMonthCount == 3 && number == p.lunarMonths[1]) return &lunarMemosMiddle;
    return &lunarMemosLast;
}

MemoStore* GridPage::LunarStoreFor(int day) {
    return const_cast<MemoStore*>(static_cast<const GridPage*>(this)->LunarStoreFor(day));
}

const MemoRecord& GridPage::LunarMemoFor(int day) const {
    const MemoStore* store = LunarStoreFor(day);
    return store ? store->slot(monthPage.cells[day].lunar.day) : kNoRecord;
}

uint32_t MemoMarkColor(const GridPalette& palette, uint32_t colorWord, MemoKind kind, bool* picked) {
    const bool own = (colorWord & MEMO_CUSTOM_COLOR) && !palette.markColorsFixed;
    if (picked) *picked = own;
    if (own) return MemoColor(colorWord, kind);
    switch (kind) {
    case MemoKind::OneTime: return palette.oneTimeFill;
    case MemoKind::SolarYearly: return palette.solarStarColor;
    case MemoKind::LunarYearly: return palette.lunarStarColor;
    case MemoKind::Weekly: break;
    }
    return palette.weeklyDotColor;
}

DayMarks GridPage::MarksFor(int day, const GridPalette& palette) const {
    DayMarks marks;
    const MonthPage& p = monthPage;
    if (!p.ok() || day < 1 || day > p.dayCount) return marks;
    const DayCell& cell = p.cells[day];
    bool picked = false;

    const MemoRecord& oneTime = monthMemos.slot(day);
    if (oneTime.present()) {
        marks.filled = true;
        marks.fillColor = MemoMarkColor(palette, oneTime.color(), MemoKind::OneTime, &picked);
        marks.fillEdge = NeedsEdge(palette, marks.fillColor, picked, palette.cellBackColor, true);
        marks.fillEdgeColor = EdgeColor(palette, palette.cellBackColor);
    }
    // The dot and the stars sit on the fill where there is one.
    const uint32_t behind = marks.filled ? marks.fillColor : palette.cellBackColor;
    marks.edgeColor = EdgeColor(palette, behind);
    marks.weekly = WeeklyMark(cell.weekday, &marks.weeklyColor, palette, &picked);
    marks.weeklyEdge = marks.weekly && NeedsEdge(palette, marks.weeklyColor, picked, behind);
    const MemoRecord& solar = yearlySolarMemos.slot(day);
    if (solar.present()) {
        marks.solarStar = true;
        marks.solarStarColor = MemoMarkColor(palette, solar.color(), MemoKind::SolarYearly, &picked);
        marks.solarEdge = NeedsEdge(palette, marks.solarStarColor, picked, behind);
    }
    const MemoRecord& lunar = LunarMemoFor(day);
    if (lunar.present()) {
        marks.lunarStar = true;
        marks.lunarStarColor = MemoMarkColor(palette, lunar.color(), MemoKind::LunarYearly, &picked);
        marks.lunarEdge = NeedsEdge(palette, marks.lunarStarColor, picked, behind);
        marks.lunarHollow = palette.hollowLunarStar;
    }
    marks.numberColor = marks.filled ? TextOnFill(palette, marks.fillColor)
                                     : DayNumberColor(palette, cell, marks.solarStar || marks.lunarStar);
    marks.holiday = cell.holiday;
    marks.holidayColor = cell.holiday == HolidayMark::Work ? palette.workMarkColor : palette.restMarkColor;
    return marks;
}

bool GridPage::WeeklyMark(int weekday, uint32_t* color, const GridPalette& palette, bool* picked) const {
    if (weekday < 0 || weekday > 6) return false;
    const MemoRecord& record = weeklyMemos.slot(weekday);
    if (!record.present()) return false;
    const uint32_t c = MemoMarkColor(palette, record.color(), MemoKind::Weekly, picked);
    if (color) *color = c;
    return true;
}

std::array<const MemoRecord*, 4> GridPage::DayRecords(int day) const {
    const MonthPage& p = monthPage;
    if (!p.ok() || day < 1 || day > p.dayCount) return {&kNoRecord, &kNoRecord, &kNoRecord, &kNoRecord};
    return {&weeklyMemos.slot(p.cells[day].weekday), &monthMemos.slot(day), &yearlySolarMemos.slot(day),
            &LunarMemoFor(day)};
}

std::string GridPage::TipText(int day) const {
    std::string text;
    for (const MemoRecord* r : DayRecords(day)) {
        if (!r->present()) continue;
        if (!text.empty()) text += "\r\n";
        text += r->text();
    }
    return text;
}

std::string GridPage::HolidayNote(int day) const {
    const MonthPage& p = monthPage;
    if (!p.ok() || day < 1 || day > p.dayCount || !p.cells[day].holidayByLaw) return {};
    return p.cells[day].holidayName + "：" + HolidayLawNote(p.year);
}

void GridPage::ReloadFetchedHolidays() {
    holidays.ReloadFetched();
}

int GridPage::SaveDayMemos(int day, const std::string& oneTime, uint32_t oneTimeColor, const std::string& solar,
                           uint32_t solarColor, const std::string& lunar, uint32_t lunarColor,
                           MemoSaveResult results[3], const MemoRecord* bases) {
    MemoStore* lunarStore = LunarStoreFor(day);
    if (!lunarStore) return -1;
    MemoSaveResult local[3];
    if (!results) results = local;
    PendingSave saves[3] = {
        {&monthMemos, day, StripLeadingBlanks(oneTime), oneTimeColor, &results[0], bases ? &bases[0] : nullptr},
        {&yearlySolarMemos, day, StripLeadingBlanks(solar), solarColor, &results[1], bases ? &bases[1] : nullptr},
        {lunarStore, monthPage.cells[day].lunar.day, StripLeadingBlanks(lunar), lunarColor, &results[2],
         bases ? &bases[2] : nullptr},
    };
    return SaveAll(saves, 3, !root.empty());
}

int GridPage::SaveWeeklyMemo(int weekday, const std::string& text, uint32_t color, MemoSaveResult* result,
                             const MemoRecord* base) {
    if (weekday < 0 || weekday > 6) return -1;
    MemoSaveResult local;
    PendingSave save{&weeklyMemos, weekday, StripLeadingBlanks(text), color, result ? result : &local, base};
    return SaveAll(&save, 1, !root.empty());
}

bool GridPage::RefreshMemos() {
    bool changed = false;
    for (MemoStore* store :
         {&monthMemos, &yearlySolarMemos, &lunarMemosFirst, &lunarMemosMiddle, &lunarMemosLast, &weeklyMemos})
        changed = store->Refresh() || changed;
    return changed;
}
