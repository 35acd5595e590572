#include <benchmark/benchmark.h>

#include <string>

#include "bench/filled_memo_folder.h"
#include "engine/month_page.h"
#include "view/grid_layout.h"
#include "view/grid_page.h"

// The page model alone, for comparison with the grid's month change below.
static void BM_ViewPageModelOnly(benchmark::State& state) {
    MonthPage page;
    for (auto _ : state) {
        BuildMonthPage(page, kDesktopRange, 2026, 12, 7);
        benchmark::DoNotOptimize(page.cells[31].text.data());
    }
}
BENCHMARK(BM_ViewPageModelOnly);

// SetMonth of the grid: page model plus six memo-store loads from files in a warm cache; with the
// holiday marks off (0) and on (1: a look at the holiday list's size and time, and the lookups).
static void BM_ViewSetMonthWithStores(benchmark::State& state) {
    FilledMemoFolder folder("lunoria-view-bench");
    GridPage grid;
    grid.SetShowHolidays(state.range(0) != 0);
    grid.SetMemoRoot(folder.root);
    for (auto _ : state) {
        grid.SetMonth(2026, 12, 7);
        benchmark::DoNotOptimize(grid.monthMemos.slot(3).text().data());
    }
}
BENCHMARK(BM_ViewSetMonthWithStores)->Arg(0)->Arg(1);

// Everything a paint asks of the model: the marks of every day and the header colours.
static void BM_ViewMarksOfAPage(benchmark::State& state) {
    FilledMemoFolder folder("lunoria-view-bench");
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
