// The month grid's costs as a real window under Wine, which Google Benchmark cannot reach in the
// MinGW builds: the page model, a month change with its memo files, and one paint into a memory DC.
// Prints the mean of many rounds; tools/bench-report.sh runs it.   lunoria-grid-bench [ROUNDS]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/month_page.h"
#include "view/grid_layout.h"
#include "view/month_grid.h"

namespace {

struct NoOwner : MonthGridOwner {
    void ShowTodayLink(bool) override {}
};

// The December 2026 page with a few memos in each of the files it reads.
std::filesystem::path MakeMemoFolder() {
    namespace fs = std::filesystem;
    fs::path base = fs::temp_directory_path() / fs::u8path("lunoria-grid-bench");
    fs::create_directories(base / fs::u8path("我的记事/日历"));
    for (const char* name : {"202612", "112", "010", "011", "week"}) {
        std::string bytes = {100, 0};
        for (int slot = 1; slot <= 6; ++slot) {
            std::string text = "memo text of slot " + std::to_string(slot);
            bytes += {char(slot), 0, char(text.size()), 0, 0, 0, 0, 0};
            bytes += text;
        }
        std::ofstream(base / fs::u8path("我的记事/日历") / name, std::ios::binary) << bytes;
    }
    return base;
}

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
    std::filesystem::path base = MakeMemoFolder();

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
    if (!parent || !grid.Create(rect, parent, 107, &owner)) return 1;
    grid.SetMemoRoot((base / std::filesystem::u8path("我的记事")).u8string());
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
    std::error_code ec;
    std::filesystem::remove_all(base, ec);
    return 0;
}
