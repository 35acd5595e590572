// The month grid's costs as a real window under Wine, which Google Benchmark cannot reach in the
// MinGW builds: the page model, a month change with its memo files, and one paint into a memory DC.
// Prints the mean of many rounds; tools/bench-report.sh runs it.   lunoria-grid-bench [ROUNDS]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/filled_memo_folder.h"
#include "engine/month_page.h"
#include "view/grid_layout.h"
#include "view/month_grid.h"

namespace {

struct NoOwner : MonthGridOwner {
    void ShowTodayLink(bool) override {}
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
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kGridWidth, kGridHeight);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    grid.Paint(dc); // fonts realised before timing

    MonthPage page;
    double model = MeanMicroseconds([&] { BuildMonthPage(page, kDesktopRange, 2026, 12, 7); }, rounds * 10);
    double setMonth = MeanMicroseconds([&] { grid.SetMonth(2026, 12, 7); }, rounds);
    double paint = MeanMicroseconds(
        [&] {
            grid.Paint(dc);
            GdiFlush();
        },
        rounds);
    std::printf("page model %.1f us\nSetMonth with memo files %.1f us\ngrid paint %.1f us\n", model, setMonth, paint);

    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    grid.Destroy();
    DestroyWindow(parent);
    return 0;
}
