#include <benchmark/benchmark.h>

#include "engine/gregorian.h"
#include "engine/lunar.h"
#include "engine/month_page.h"

// A date late in the range: the plain walk would cross 150 lunar years.
static void BM_SolarToLunarLate(benchmark::State& state) {
    int year = 2050, month = 12, day = 31;
    for (auto _ : state) {
        benchmark::DoNotOptimize(year);
        benchmark::DoNotOptimize(SolarToLunar(year, month, day));
    }
}
BENCHMARK(BM_SolarToLunarLate);

static void BM_NextDay(benchmark::State& state) {
    const LunarDate start = SolarToLunar(1900, 1, 31);
    LunarDate date = start;
    for (auto _ : state) {
        if (!NextDay(date)) date = start;
        benchmark::DoNotOptimize(date);
    }
}
BENCHMARK(BM_NextDay);

static void BM_BuildMonthPage(benchmark::State& state) {
    MonthPage page;
    int month = 1;
    for (auto _ : state) {
        BuildMonthPage(page, kDesktopRange, 2026, month, 7);
        benchmark::DoNotOptimize(page.cells[page.dayCount].text.data());
        month = month == 12 ? 1 : month + 1;
    }
}
BENCHMARK(BM_BuildMonthPage);

// Every date of the table converted afresh, 73,412 conversions per iteration.
static void BM_ConvertWholeRange(benchmark::State& state) {
    const int32_t first = DaysFromCivil(1900, 1, 31), last = DaysFromCivil(2101, 1, 28);
    for (auto _ : state) {
        for (int32_t days = first; days <= last; ++days) {
            const CivilDate c = CivilFromDays(days);
            benchmark::DoNotOptimize(SolarToLunar(c.year, c.month, c.day));
        }
    }
    state.SetItemsProcessed(state.iterations() * (last - first + 1));
}
BENCHMARK(BM_ConvertWholeRange)->Unit(benchmark::kMillisecond);
