#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "engine/month_page.h"
#include "view/grid_layout.h"
#include "view/grid_page.h"

namespace {

// A memo folder with every file the December 2026 page reads, each holding a few memos, so a
// month change reads six files (five distinct) like a well-used calendar does.
class FilledMemoFolder {
public:
    FilledMemoFolder() {
        namespace fs = std::filesystem;
        base = fs::temp_directory_path() / fs::u8path("lunoria-view-bench");
        fs::create_directories(base / fs::u8path("我的记事/日历"));
        root = (base / fs::u8path("我的记事")).u8string();
        for (const char* name : {"202612", "112", "010", "011", "week"}) {
            std::string bytes = {100, 0};
            for (int slot = 1; slot <= 6; ++slot) {
                std::string text = "memo text of slot " + std::to_string(slot);
                bytes += {char(slot), 0, char(text.size()), 0, 0, 0, 0, 0};
                bytes += text;
            }
            std::ofstream(fs::u8path(root + "/日历/" + name), std::ios::binary) << bytes;
        }
    }
    ~FilledMemoFolder() {
        std::error_code ec;
        std::filesystem::remove_all(base, ec);
    }
    std::string root;

private:
    std::filesystem::path base;
};

} // namespace

// The page model alone, for comparison with the grid's month change below.
static void BM_ViewPageModelOnly(benchmark::State& state) {
    MonthPage page;
    for (auto _ : state) {
        BuildMonthPage(page, kDesktopRange, 2026, 12, 7);
        benchmark::DoNotOptimize(page.cells[31].text.data());
    }
}
BENCHMARK(BM_ViewPageModelOnly);

// SetMonth of the grid: page model plus six memo-store loads from files in a warm cache.
static void BM_ViewSetMonthWithStores(benchmark::State& state) {
    FilledMemoFolder folder;
    GridPage grid;
    grid.SetMemoRoot(folder.root);
    for (auto _ : state) {
        grid.SetMonth(2026, 12, 7);
        benchmark::DoNotOptimize(grid.monthMemos.slot(3).text().data());
    }
}
BENCHMARK(BM_ViewSetMonthWithStores);

// Everything a paint asks of the model: the marks of every day and the header colours.
static void BM_ViewMarksOfAPage(benchmark::State& state) {
    FilledMemoFolder folder;
    GridPage grid;
    grid.SetMemoRoot(folder.root);
    grid.SetMonth(2026, 12, 7);
    GridPalette palette;
    for (auto _ : state) {
        uint32_t sum = 0;
        for (int d = 1; d <= grid.page().dayCount; ++d)
            sum += grid.MarksFor(d, palette).numberColor;
        for (int c = 0; c < 7; ++c)
            sum += HeaderNameColor(palette, grid.page(), c);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_ViewMarksOfAPage);
