// The month grid's costs as a real window under Wine, which Google Benchmark cannot reach in the
// MinGW builds: the page model, a month change with its memo files, and one paint into a memory DC at
// 96 DPI and at 192 DPI (200 %), side by side. Prints the mean of many rounds; tools/bench-report.sh
// runs it.   lunoria-grid-bench [ROUNDS]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/filled_memo_folder.h"
#include "engine/month_page.h"
#include "view/grid_layout.h"
#include "view/month_grid.h"
#include "win/theme.h"

namespace {

struct NoOwner : MonthGridOwner {
    void ShowTodayLink(bool) override {}
    void ShowMonthOf(int, int) override {}
    void ShowToday() override {}
};

// The December 2026 page with a few memos in each of the files it reads.
template <typename Work> double MeanMicroseconds(Work&& work, int rounds) {
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i)
        work();
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count() / rounds;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    int rounds = argc > 1 ? _wtoi(argv[1]) : 200;
    if (rounds < 1) rounds = 200;
    FilledMemoFolder folder("lunoria-grid-bench");

    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"LunoriaGridBench";
    RegisterClassW(&wc);
    HWND parent = CreateWindowExW(0, wc.lpszClassName, L"grid bench", WS_POPUP, 0, 0, kGridWidth, kGridHeight, nullptr,
                                  nullptr, wc.hInstance, nullptr);
    MonthGrid grid;
    NoOwner owner;
    RECT rect{0, 0, kGridWidth, kGridHeight};
    if (!parent || !grid.Create(rect, parent, 107, &owner, kBaseDpi)) return 1;
    grid.SetMemoRoot(folder.root);
    if (grid.SetMonth(2026, 12, 7) != 1) return 1;

    HDC screen = GetDC(nullptr);
    // One paint of the whole grid at `dpi`, into a memory DC of the grid's size at that scale.
    auto paintAt = [&](int dpi) {
        const RECT scaled{0, 0, Scaled(kGridWidth, dpi), Scaled(kGridHeight, dpi)};
        MoveWindow(parent, 0, 0, scaled.right, scaled.bottom, FALSE);
        grid.SetDpi(dpi, scaled);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, scaled.right, scaled.bottom);
        HGDIOBJ previous = SelectObject(dc, bitmap);
        grid.Paint(dc); // fonts realised before timing
        double mean = MeanMicroseconds(
            [&] {
                grid.Paint(dc);
                GdiFlush();
            },
            rounds);
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
        return mean;
    };

    MonthPage page;
    double model = MeanMicroseconds([&] { BuildMonthPage(page, kDesktopRange, 2026, 12, 7); }, rounds * 10);
    double setMonth = MeanMicroseconds([&] { grid.SetMonth(2026, 12, 7); }, rounds);
    double paint96 = paintAt(kBaseDpi), paint192 = paintAt(192), again96 = paintAt(kBaseDpi);
    // The dark palette costs what the light one does: the same drawing in other colours.
    UsePalette(MakePalette(ThemeVariant::Dark, {}));
    double dark96 = paintAt(kBaseDpi);
    UsePalette(MakePalette(ThemeVariant::Light, {}));
    double light96 = paintAt(kBaseDpi);
    std::printf("page model %.1f us\nSetMonth with memo files %.1f us\n"
                "grid paint at 96 DPI %.1f us (again after 192: %.1f us)\ngrid paint at 192 DPI %.1f us (%.2fx)\n"
                "grid paint at 96 DPI, dark %.1f us, light again %.1f us\n",
                model, setMonth, paint96, again96, paint192, paint192 / paint96, dark96, light96);

    ReleaseDC(nullptr, screen);
    grid.Destroy();
    DestroyWindow(parent);
    return 0;
}
