// The month grid as a real window under Wine: pages, owner calls and the painted pixels.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

#include "win/color_label.h"
#include "win/link_label.h"
#include "view/month_grid.h"
#include "view_test_dir.h"
#include "win/text.h"
#include "win/theme.h"

namespace {

// A 32-bit top-down DIB in a memory DC: the grid paints into it and the test reads its pixels.
class Surface {
public:
    Surface(int w, int h) : width(w), height(h) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc = CreateCompatibleDC(nullptr);
        void* p = nullptr;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &p, nullptr, 0);
        bits = static_cast<uint32_t*>(p);
        previous = SelectObject(dc, bitmap);
    }
    ~Surface() {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // COLORREF of a pixel (the DIB holds 0x00RRGGBB).
    COLORREF At(int x, int y) const {
        GdiFlush();
        uint32_t v = bits[y * width + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    // Pixels of exactly `color` in [left, right) x [top, bottom), clipped to the surface.
    int Count(int left, int top, int right, int bottom, COLORREF color) const {
        int n = 0;
        for (int y = top < 0 ? 0 : top; y < bottom && y < height; ++y)
            for (int x = left < 0 ? 0 : left; x < right && x < width; ++x)
                n += At(x, y) == color;
        return n;
    }
    int CountAll(COLORREF color) const { return Count(0, 0, width, height, color); }

    // A bottom-up 24-bit BMP, the plainest form every converter reads.
    bool SaveBmp(const std::wstring& path) const {
        int stride = (width * 3 + 3) & ~3;
        BITMAPFILEHEADER file{};
        BITMAPINFOHEADER head{};
        head.biSize = sizeof head;
        head.biWidth = width;
        head.biHeight = height;
        head.biPlanes = 1;
        head.biBitCount = 24;
        head.biCompression = BI_RGB;
        head.biSizeImage = static_cast<DWORD>(stride * height);
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof file + sizeof head;
        file.bfSize = file.bfOffBits + head.biSizeImage;
        std::string data(head.biSizeImage, '\0');
        for (int y = 0; y < height; ++y) {
            char* row = &data[static_cast<size_t>(stride * (height - 1 - y))];
            for (int x = 0; x < width; ++x) {
                COLORREF c = At(x, y);
                row[3 * x] = static_cast<char>(GetBValue(c));
                row[3 * x + 1] = static_cast<char>(GetGValue(c));
                row[3 * x + 2] = static_cast<char>(GetRValue(c));
            }
        }
        FILE* f = _wfopen(path.c_str(), L"wb");
        if (!f) return false;
        bool ok = fwrite(&file, sizeof file, 1, f) == 1 && fwrite(&head, sizeof head, 1, f) == 1 &&
                  fwrite(data.data(), 1, data.size(), f) == data.size();
        return fclose(f) == 0 && ok;
    }

    HDC Dc() const { return dc; }

private:
    int width, height;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    uint32_t* bits = nullptr;
};

struct RecordingOwner : MonthGridOwner {
    void ShowTodayLink(bool show) override {
        ++calls;
        linkShown = show;
    }
    void ShowMonthOf(int, int) override {}
    void ShowToday() override {}
    int calls = 0;
    bool linkShown = false;
};

const wchar_t kParentClass[] = L"LunoriaGridTestParent";

HWND MakeParent(int width, int height) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kParentClass;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    RegisterClassW(&wc); // fails harmlessly when already registered
    return CreateWindowExW(0, kParentClass, L"grid test", WS_POPUP | WS_CLIPCHILDREN, 0, 0, width, height, nullptr,
                           nullptr, wc.hInstance, nullptr);
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Where the harness collects screenshots; a Unix path is reached through Wine's Z: drive.
std::wstring ShotDir() {
    const char* dir = std::getenv("LUNORIA_SCREENSHOT_DIR");
    if (!dir || !*dir) return {};
    std::wstring out = dir[0] == '/' ? L"Z:" : L"";
    for (const char* p = dir; *p; ++p)
        out += *p == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*p));
    return out;
}

constexpr uint32_t Custom(int r, int g, int b) {
    return MEMO_CUSTOM_COLOR | RGB(r, g, b);
}
std::string LunarFile(int month) {
    return (month < 10 ? "00" : "0") + std::to_string(month);
}

class MonthGridTest : public MemoFolderTest {
protected:
    void SetUp() override {
        MemoFolderTest::SetUp();
        parent = MakeParent(kGridWidth, kGridHeight);
        ASSERT_NE(parent, nullptr);
        RECT rect{0, 0, kGridWidth, kGridHeight};
        ASSERT_TRUE(grid.Create(rect, parent, 107, &owner, kBaseDpi));
        grid.SetMemoRoot(root);
    }
    void TearDown() override {
        grid.Destroy();
        DestroyWindow(parent);
        MemoFolderTest::TearDown();
    }

    void Paint() {
        surface = std::make_unique<Surface>(kGridWidth, kGridHeight);
        grid.Paint(surface->Dc());
    }
    // Top-left corner of a day's painted cell.
    POINT CellOf(int day) const {
        GridPoint o = grid.CellOrigin(day);
        return {o.x, o.y + 1};
    }
    // Pixels of `color` in the day number's box of a day, and in its whole cell.
    int InNumber(int day, COLORREF color) const {
        POINT c = CellOf(day);
        return surface->Count(c.x + 12, c.y + 2, c.x + 44, c.y + 19, color);
    }
    int InCell(int day, COLORREF color) const {
        POINT c = CellOf(day);
        return surface->Count(c.x, c.y, c.x + kCellWidth, c.y + kCellHeight, color);
    }

    HWND parent = nullptr;
    RecordingOwner owner;
    MonthGrid grid;
    std::unique_ptr<Surface> surface;
    const GridPalette palette;
};

} // namespace

TEST_F(MonthGridTest, MarkAndTodayLink) {
    EXPECT_EQ(grid.SetMonth(2026, 12, 7), 1);
    EXPECT_FALSE(owner.linkShown);
    EXPECT_EQ(grid.SetMonth(2026, 11, 0), 1);
    EXPECT_TRUE(owner.linkShown);
    EXPECT_EQ(grid.Year(), 2026);
    EXPECT_EQ(grid.Month(), 11);
    const MonthMark& mark = grid.Page().page().mark;
    EXPECT_EQ(mark.year * 10000 + mark.month * 100 + mark.day, 20261207);

    EXPECT_EQ(grid.SetMonth(2023, 2, 31), 1);
    EXPECT_EQ(grid.Page().page().mark.day, 28);
    EXPECT_FALSE(owner.linkShown);

    int calls = owner.calls;
    EXPECT_EQ(grid.SetMonth(1900, 1, 1), 0); // before the first page: nothing changes
    EXPECT_EQ(owner.calls, calls);
    EXPECT_EQ(grid.Year(), 2023);
}

TEST_F(MonthGridTest, CaptionAndSiteLink) {
    const ColorLabel* caption = grid.YearCaption();
    const LinkLabel* link = grid.SiteLink();
    ASSERT_TRUE(caption && link);
    // The test's parent stays hidden, so look at each label's own visibility.
    auto shown = [](const Window* w) { return (GetWindowLongW(w->Handle(), GWL_STYLE) & WS_VISIBLE) != 0; };
    EXPECT_FALSE(shown(caption)); // until a page is set
    EXPECT_TRUE(shown(link));
    EXPECT_EQ(link->Text(), "Nimbrel");
    EXPECT_EQ(link->Id(), 1052);
    EXPECT_EQ(link->Rect().left, 243);
    EXPECT_EQ(link->Rect().top, 219);

    ASSERT_EQ(grid.SetMonth(2026, 2, 0), 1);
    EXPECT_TRUE(shown(caption));
    EXPECT_EQ(caption->Rect().left, 0);
    EXPECT_EQ(caption->Rect().top, 219);
    EXPECT_EQ(caption->Text(), "乙巳【蛇】年－丙午【马】年");
    ASSERT_EQ(grid.SetMonth(2026, 3, 0), 1);
    EXPECT_EQ(caption->Text(), "丙午【马】年");
}

// Without a window the grid still keeps and paints its page, and creates nothing else.
TEST(MonthGridNoWindow, CreateFailsCleanly) {
    RecordingOwner owner;
    MonthGrid grid;
    RECT rect{0, 0, kGridWidth, kGridHeight};
    HWND notAWindow = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7FF0));
    EXPECT_FALSE(grid.Create(rect, notAWindow, 107, &owner, kBaseDpi));
    EXPECT_EQ(grid.Hwnd(), nullptr);
    EXPECT_EQ(grid.YearCaption(), nullptr);
    EXPECT_EQ(grid.SetMonth(2026, 12, 7), 1);
    EXPECT_EQ(owner.calls, 0); // the owner was never taken
    Surface s(kGridWidth, kGridHeight);
    grid.Paint(s.Dc());
    EXPECT_EQ(s.At(5, 230), GridPalette().stripColor);
    EXPECT_GT(s.CountAll(grid.Palette().todayColor), 0);
}

TEST_F(MonthGridTest, FieldHeaderCellsAndSeparators) {
    ASSERT_EQ(grid.SetMonth(2026, 11, 0), 1); // mark elsewhere: no ring
    Paint();
    const Surface& s = *surface;
    EXPECT_EQ(s.At(48, 10), palette.headerBackColor);
    EXPECT_EQ(s.At(362, 0), palette.headerBackColor);
    EXPECT_EQ(s.At(100, 20), GridPalette().fieldColor); // line under the header
    EXPECT_EQ(s.At(51, 30), GridPalette().fieldColor);  // line between columns 0 and 1
    EXPECT_EQ(s.At(103, 53), GridPalette().fieldColor); // line between rows 0 and 1
    EXPECT_EQ(s.At(10, 218), GridPalette().fieldColor); // line above the strip
    EXPECT_EQ(s.At(5, 219), GridPalette().stripColor);
    EXPECT_EQ(s.At(362, 235), GridPalette().stripColor);
    EXPECT_EQ(s.At(48, 24), palette.cellBackColor);   // top right of the cell of 1 November
    EXPECT_EQ(s.At(362, 200), palette.cellBackColor); // the last column reaches the right edge
    // All names in the header colour; nothing in today's colour anywhere.
    for (int i = 0; i < 7; ++i)
        EXPECT_GT(s.Count(10 + 52 * i, 2, 30 + 52 * i, 19, palette.headerTextColor), 0) << i;
    EXPECT_EQ(s.CountAll(palette.todayColor), 0);
}

TEST_F(MonthGridTest, TodayColumnAndRingOnlyOnTheMarkedMonth) {
    ASSERT_EQ(grid.SetMonth(2026, 12, 16), 1); // a Wednesday in row 2, away from every edge
    Paint();
    const Surface& s = *surface;
    for (int i = 0; i < 7; ++i) {
        int today = s.Count(10 + 52 * i, 2, 30 + 52 * i, 19, palette.todayColor);
        int normal = s.Count(10 + 52 * i, 2, 30 + 52 * i, 19, palette.headerTextColor);
        if (i == 3) {
            EXPECT_GT(today, 0);
            EXPECT_EQ(normal, 0);
        } else {
            EXPECT_EQ(today, 0) << i;
            EXPECT_GT(normal, 0) << i;
        }
    }
    GridPoint o = grid.CellOrigin(16);
    // The pen is two pixels wide, centred on the bounding box's edge.
    int inRing = s.Count(o.x - 8, o.y - 8, o.x + 59, o.y + 42, palette.todayColor);
    EXPECT_GT(inRing, 60);
    EXPECT_EQ(s.Count(0, 21, kGridWidth, kGridHeight, palette.todayColor), inRing); // nothing outside it
    // The ring overlaps the neighbours: it crosses into the cells left and right of the day.
    EXPECT_GT(s.Count(o.x - 7, o.y, o.x, o.y + 33, palette.todayColor), 0);
    EXPECT_GT(s.Count(o.x + 52, o.y, o.x + 58, o.y + 33, palette.todayColor), 0);

    ASSERT_EQ(grid.SetMonth(2025, 12, 0), 1); // same month, other year
    Paint();
    EXPECT_EQ(surface->CountAll(palette.todayColor), 0);
}

TEST_F(MonthGridTest, DayNumberColours) {
    // February 2026: 4th 立春 (Wednesday), 7th Saturday, 8th Sunday, 17th 春节 (Tuesday), 10th plain.
    Write("202602", MemoFileBytes({{18, "memo", 0}})); // 初二 (a festival) with a one-time memo
    ASSERT_EQ(grid.SetMonth(2026, 2, 0), 1);
    const MonthPage& page = grid.Page().page();
    ASSERT_EQ(page.cells[4].solarTerm, 1);
    ASSERT_TRUE(page.cells[17].festival);
    ASSERT_TRUE(page.cells[18].festival);
    Paint();
    struct Case {
        int day;
        COLORREF color;
    } cases[] = {{4, palette.solarTermColor}, {7, palette.saturdayColor},   {8, palette.holidayColor},
                 {17, palette.holidayColor},  {18, palette.normalDayColor}, {10, palette.normalDayColor}};
    const COLORREF all[] = {palette.solarTermColor, palette.saturdayColor, palette.holidayColor,
                            palette.normalDayColor};
    for (const Case& c : cases) {
        for (COLORREF color : all) {
            if (color == c.color)
                EXPECT_GT(InNumber(c.day, color), 5) << "day " << c.day;
            else
                EXPECT_EQ(InNumber(c.day, color), 0) << "day " << c.day << " colour " << std::hex << color;
        }
    }
    // The text under the number takes the number's colour: 春节 in red below the 17.
    POINT c17 = CellOf(17);
    EXPECT_GT(surface->Count(c17.x + 6, c17.y + 17, c17.x + 40, c17.y + 32, palette.holidayColor), 0);
}

TEST_F(MonthGridTest, MemoMarks) {
    // December 2026 starts on a Tuesday; the 7th is a Monday, the 10th a Thursday.
    const COLORREF weekly = RGB(0, 200, 100);
    Write("202612", MemoFileBytes({{3, "plain", 0}, {4, "custom", Custom(10, 20, 200)}, {5, "", Custom(1, 2, 3)}}));
    Write("week", MemoFileBytes({{1, "monday", Custom(0, 200, 100)}}));
    Write("112", MemoFileBytes({{10, "solar", 0}}));
    Write(LunarFile(11), MemoFileBytes({{2, "lunar", 0}})); // lunar 11/2 is 10 December
    ASSERT_EQ(grid.SetMonth(2026, 12, 0), 1);
    Paint();
    const Surface& s = *surface;

    POINT c3 = CellOf(3), c4 = CellOf(4), c5 = CellOf(5);
    EXPECT_EQ(s.At(c3.x + 48, c3.y + 2), MemoColor(0, MemoKind::OneTime));
    EXPECT_EQ(s.At(c3.x + 1, c3.y + 30), MemoColor(0, MemoKind::OneTime));
    EXPECT_EQ(s.At(c4.x + 48, c4.y + 2), RGB(10, 20, 200));
    EXPECT_EQ(s.At(c5.x + 48, c5.y + 2), palette.cellBackColor); // empty text: kept, not shown
    EXPECT_GT(InNumber(5, palette.saturdayColor), 0);

    // "●" in the Monday header column and in every Monday, nowhere else.
    EXPECT_GT(s.Count(2 + 52, 2, 14 + 52, 18, weekly), 0);
    int inCells = 0;
    for (int d : {7, 14, 21, 28}) {
        POINT c = CellOf(d);
        int n = s.Count(c.x + 2, c.y, c.x + 14, c.y + 14, weekly);
        EXPECT_GT(n, 0) << d;
        inCells += n;
    }
    EXPECT_EQ(s.Count(0, 21, kGridWidth, kGridHeight, weekly), inCells);
    EXPECT_EQ(s.Count(0, 0, kGridWidth, 21, weekly), s.Count(2 + 52, 2, 14 + 52, 18, weekly));

    // Both stars on the 10th: the solar one lower left, the lunar one lower right; a black number.
    POINT c10 = CellOf(10);
    const COLORREF solar = MemoColor(0, MemoKind::SolarYearly), lunar = MemoColor(0, MemoKind::LunarYearly);
    EXPECT_GT(s.Count(c10.x - 1, c10.y + 15, c10.x + 20, c10.y + 32, solar), 5);
    EXPECT_GT(s.Count(c10.x + 34, c10.y + 15, c10.x + 53, c10.y + 32, lunar), 5);
    EXPECT_EQ(s.Count(c10.x + 20, c10.y, c10.x + 53, c10.y + 32, solar), 0);
    EXPECT_EQ(s.Count(c10.x - 1, c10.y, c10.x + 30, c10.y + 32, lunar), 0);
    EXPECT_GT(InNumber(10, palette.normalDayColor), 5);
}

TEST_F(MonthGridTest, SixRowAndFourRowMonths) {
    ASSERT_EQ(grid.SetMonth(2026, 8, 0), 1); // 31 days from a Saturday
    Paint();
    const int row5 = kFirstCellTop + 5 * kRowPitch;
    // Day 31 in row 5, column 1; column 2 of row 5 is an empty cell.
    EXPECT_GT(surface->Count(52 + 12, row5 + 2, 52 + 44, row5 + 19, palette.normalDayColor), 5);
    EXPECT_EQ(surface->Count(104, row5, 104 + kCellWidth, row5 + kCellHeight, palette.cellBackColor),
              kCellWidth * kCellHeight);

    ASSERT_EQ(grid.SetMonth(2026, 2, 0), 1); // 28 days from a Sunday
    Paint();
    for (int row = 0; row < kGridRows; ++row) {
        for (int column = 0; column < kGridColumns; ++column) {
            int x = column * kColumnPitch, y = kFirstCellTop + row * kRowPitch;
            int plain = surface->Count(x, y, x + kCellWidth, y + kCellHeight, palette.cellBackColor);
            if (row >= 4)
                EXPECT_EQ(plain, kCellWidth * kCellHeight) << row << ',' << column;
            else
                EXPECT_LT(plain, kCellWidth * kCellHeight) << row << ',' << column;
        }
    }
}

// July 2000 touches lunar months 5, 6 and 7: each day's lunar star comes from its own month's file.
TEST_F(MonthGridTest, ThreeLunarMonthsOnOnePage) {
    const COLORREF colors[3] = {RGB(200, 30, 30), RGB(30, 160, 30), RGB(30, 30, 200)};
    for (int m = 5; m <= 7; ++m) {
        std::string bytes = {100, 0};
        for (int d = 1; d <= 30; ++d)
            bytes += MemoFileBytes({{d, "x", Custom(0, 0, 0) | colors[m - 5]}}).substr(2);
        Write(LunarFile(m), bytes);
    }
    ASSERT_EQ(grid.SetMonth(2000, 7, 0), 1);
    Paint();
    const MonthPage& page = grid.Page().page();
    for (int d = 1; d <= page.dayCount; ++d) {
        POINT c = CellOf(d);
        int own = page.cells[d].lunar.month - 5;
        for (int k = 0; k < 3; ++k) {
            int n = surface->Count(c.x + 34, c.y + 15, c.x + 51, c.y + 32, colors[k]);
            if (k == own)
                EXPECT_GT(n, 5) << "day " << d;
            else
                EXPECT_EQ(n, 0) << "day " << d << " shows month " << k + 5;
        }
    }
}

// September 2026: the 20th a 班 Sunday, the 25th-27th 休, the 25th also with a one-time memo, the
// Friday "●" and both stars. With and without the marks the pictures differ only inside the mark
// boxes of those days, and there the picture without them holds nothing but the cell's background.
TEST_F(MonthGridTest, HolidayMarksKeepToTheirCorner) {
    Write("202609", MemoFileBytes({{25, "memo", 0}}));
    Write("week", MemoFileBytes({{5, "friday", 0}}));
    Write("109", MemoFileBytes({{25, "solar", 0}}));
    Write(LunarFile(8), MemoFileBytes({{15, "lunar", 0}})); // 八月十五 is 25 September
    ASSERT_EQ(grid.SetMonth(2026, 9, 0), 1);
    Paint();
    const std::unique_ptr<Surface> on = std::move(surface);
    grid.SetShowHolidays(false);
    ASSERT_EQ(grid.SetMonth(2026, 9, 0), 1);
    Paint();
    int stray = 0; // pixels that differ outside the boxes
    for (int y = 0; y < kGridHeight; ++y)
        for (int x = 0; x < kGridWidth; ++x)
            stray += on->At(x, y) != surface->At(x, y);
    for (int day : {20, 25, 26, 27}) {
        POINT c = CellOf(day);
        GridRect box = HolidayMarkRect((c.y - kFirstCellTop) / kRowPitch, c.x / kColumnPitch, kBaseDpi);
        const COLORREF back = day == 25 ? MemoColor(0, MemoKind::OneTime) : palette.cellBackColor;
        EXPECT_GT(on->Count(box.left, box.top, box.right, box.bottom,
                            day == 20 ? palette.workMarkColor : palette.restMarkColor),
                  15)
            << day;
        EXPECT_EQ(surface->Count(box.left - 1, box.top - 1, box.right + 1, box.bottom + 1, back),
                  (kHolidayMarkSize + 2) * (kHolidayMarkSize + 2))
            << "something else is drawn at the mark of " << day;
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x)
                stray -= on->At(x, y) != surface->At(x, y);
    }
    EXPECT_EQ(stray, 0);
}

// The focus rectangle: in the focus day's cell at 96 and 144 DPI, no other pixel changed; drawn only
// when asked (the window asks while the grid has the focus: keys.sh).
TEST_F(MonthGridTest, FocusRectangleOnlyWhenAsked) {
    ASSERT_EQ(grid.SetMonth(2026, 12, 16), 1); // the focus starts on today: row 2, Wednesday
    for (int dpi : {kBaseDpi, 144}) {
        const int w = Scaled(kGridWidth, dpi), h = Scaled(kGridHeight, dpi);
        grid.SetDpi(dpi, RECT{0, 0, w, h});
        Surface plain(w, h), cued(w, h), asked(w, h);
        grid.Paint(plain.Dc(), false);
        grid.Paint(cued.Dc(), true);
        grid.Paint(asked.Dc()); // the grid has no focus
        const GridRect c = CellRect(2, 3, dpi);
        int inCell = 0, outside = 0, unasked = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const bool differs = plain.At(x, y) != cued.At(x, y);
                (x >= c.left && x < c.right && y >= c.top && y < c.bottom ? inCell : outside) += differs;
                unasked += plain.At(x, y) != asked.At(x, y);
            }
        EXPECT_GT(inCell, Scaled(kCellWidth + kCellHeight, dpi) - 10) << dpi; // dotted
        EXPECT_EQ(outside + unasked, 0) << dpi;
    }
}

// Painting leaves the caller's DC as it found it.
TEST_F(MonthGridTest, PaintRestoresTheDc) {
    ASSERT_EQ(grid.SetMonth(2026, 12, 7), 1);
    Surface s(kGridWidth, kGridHeight);
    HGDIOBJ font = GetStockObject(ANSI_FIXED_FONT);
    SelectObject(s.Dc(), font);
    SetTextColor(s.Dc(), RGB(1, 2, 3));
    SetBkMode(s.Dc(), OPAQUE);
    grid.Paint(s.Dc());
    EXPECT_EQ(GetCurrentObject(s.Dc(), OBJ_FONT), font);
    EXPECT_EQ(GetTextColor(s.Dc()), RGB(1, 2, 3));
    EXPECT_EQ(GetBkMode(s.Dc()), OPAQUE);
    EXPECT_EQ(GetCurrentObject(s.Dc(), OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(s.Dc(), OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
}

// SetMonth asks for a repaint of the whole grid without erasing, and the window then shows exactly
// what Paint draws (the labels in the strip aside).
TEST_F(MonthGridTest, WindowShowsWhatPaintDraws) {
    ShowWindow(parent, SW_SHOWNOACTIVATE);
    UpdateWindow(parent);
    Pump();
    ASSERT_EQ(grid.SetMonth(2026, 12, 7), 1);
    RECT update{};
    ASSERT_TRUE(GetUpdateRect(grid.Hwnd(), &update, FALSE));
    EXPECT_EQ(update.right - update.left, kGridWidth);
    EXPECT_EQ(update.bottom - update.top, kGridHeight);
    UpdateWindow(grid.Hwnd());
    Pump();

    Paint();
    Surface screen(kGridWidth, kGridHeight);
    HDC window = GetWindowDC(parent);
    BitBlt(screen.Dc(), 0, 0, kGridWidth, kGridHeight, window, 0, 0, SRCCOPY);
    ReleaseDC(parent, window);
    int differing = 0;
    for (int y = 0; y < kGridHeight - kStripHeight; ++y)
        for (int x = 0; x < kGridWidth; ++x)
            differing += screen.At(x, y) != surface->At(x, y);
    EXPECT_EQ(differing, 0);
}

// A lunar month name of four or five characters (十一月大, 闰十一月小 in 2033-34) stays in its cell at
// every scale and in light and dark: one column is left free before the line to the next cell, which
// no pixel of it reaches; the name is drawn.
TEST_F(MonthGridTest, LongMonthNamesStayInTheirCells) {
    int names = 0;
    for (const Palette& variant : {MakePalette(ThemeVariant::Light, {}), MakePalette(ThemeVariant::Dark, {})}) {
        UsePalette(variant);
        const GridPalette& g = variant.grid;
        for (int dpi : {kBaseDpi, 120, 144, 192}) {
            const int w = Scaled(kGridWidth, dpi), h = Scaled(kGridHeight, dpi);
            grid.SetDpi(dpi, RECT{0, 0, w, h});
            for (int year = 2025; year <= 2034; ++year) {
                for (int month = 1; month <= 12; ++month) {
                    ASSERT_EQ(grid.SetMonth(year, month, 0), 1);
                    const MonthPage& page = grid.Page().page();
                    std::unique_ptr<Surface> s;
                    for (int day = 1; day <= page.dayCount; ++day) {
                        if (!page.cells[day].textIsMonthName || ToWide(page.cells[day].text).size() < 4) continue;
                        if (!s) {
                            s = std::make_unique<Surface>(w, h);
                            grid.Paint(s->Dc(), false);
                        }
                        ++names;
                        const int row = (page.cells[1].weekday + day - 1) / kGridColumns;
                        const GridRect cell = CellRect(row, page.cells[day].weekday, dpi);
                        const int top = Scaled(CellCorner96(row, 0).y + kCellTextTop, dpi);
                        const int next = Scaled(CellCorner96(row, page.cells[day].weekday).x + kColumnPitch, dpi);
                        int outside = 0;
                        for (int y = top; y < cell.bottom; ++y)
                            for (int x = cell.right - 1; x < next && x < w; ++x)
                                outside += s->At(x, y) != (x < cell.right ? g.cellBackColor : g.fieldColor);
                        EXPECT_EQ(outside, 0) << year << "-" << month << "-" << day << " at " << dpi;
                        const int area = (cell.right - cell.left) * (cell.bottom - top);
                        EXPECT_LT(s->Count(cell.left, top, cell.right, cell.bottom, g.cellBackColor), area - 20);
                    }
                }
            }
        }
    }
    UsePalette(MakePalette(ThemeVariant::Light, {}));
    EXPECT_GE(names, 2 * 4 * 20);
}

// Pictures of two pages for a person to look at: the window with its caption and link, captured
// from the screen. Written only when the harness names a folder.
TEST_F(MonthGridTest, Screenshots) {
    std::wstring dir = ShotDir();
    if (dir.empty()) GTEST_SKIP() << "LUNORIA_SCREENSHOT_DIR not set";
    Write("202612", MemoFileBytes({{3, "\xbf\xaa\xbb\xe1", 0}, {18, "x", Custom(255, 160, 200)}, {25, "y", 0}}));
    Write("week", MemoFileBytes({{5, "\xd6\xdc\xce\xe5", 0}}));
    Write("112", MemoFileBytes({{10, "s", 0}, {24, "s", 0}}));
    Write(LunarFile(11), MemoFileBytes({{2, "l", 0}, {9, "l", Custom(0, 128, 128)}}));
    struct Shot {
        int year, month, day;
        const wchar_t* name;
    } shots[] = {{2026, 12, 7, L"grid-2026-12.bmp"},
                 {2026, 2, 0, L"grid-2026-02.bmp"},
                 {2026, 10, 5, L"grid-2026-10.bmp"},
                 {2000, 7, 0, L"grid-2000-07.bmp"},
                 {2033, 12, 0, L"grid-2033-12.bmp"}};
    ShowWindow(parent, SW_SHOWNOACTIVATE);
    const struct {
        Palette palette;
        const wchar_t* prefix;
    } variants[] = {{MakePalette(ThemeVariant::Light, {}), L""},
                    {MakePalette(ThemeVariant::Dark, {}), L"dark-"},
                    {MakePalette(ThemeVariant::HighContrast, HighContrastBlack()), L"hc-black-"},
                    {MakePalette(ThemeVariant::HighContrast, HighContrastWhite()), L"hc-white-"}};
    for (const auto& variant : variants) {
        UsePalette(variant.palette);
        for (const Shot& shot : shots) {
            ASSERT_EQ(grid.SetMonth(shot.year, shot.month, shot.day), 1);
            // Labels size themselves at their first paint, which asks for another one.
            for (int i = 0; i < 5; ++i) {
                RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
                Pump();
                Sleep(20);
            }
            Surface shotSurface(kGridWidth, kGridHeight);
            HDC window = GetWindowDC(parent);
            BitBlt(shotSurface.Dc(), 0, 0, kGridWidth, kGridHeight, window, 0, 0, SRCCOPY);
            ReleaseDC(parent, window);
            EXPECT_TRUE(shotSurface.SaveBmp(dir + L"\\" + variant.prefix + shot.name));
        }
    }
    UsePalette(MakePalette(ThemeVariant::Light, {}));
}
