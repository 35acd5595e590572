#include <benchmark/benchmark.h>

#include "engine/gregorian.h"
#include "holidays/holidays.h"
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

// The same pages with every day's 休 or 班 looked up: built-in data only (0), and under a user's list
// of a whole year (1), side by side with the plain build above.
static void BM_BuildMonthPageWithHolidays(benchmark::State& state) {
    HolidayCalendar holidays;
    if (state.range(0)) {
        std::vector<HolidayEntry> entries;
        for (int d = 0; d < 40; ++d)
            entries.push_back({CivilFromDays(DaysFromCivil(2026, 1, 1) + 9 * d), HolidayMark::Rest, "x"});
        holidays.SetUserEntries(entries);
    }
    MonthPage page;
    int month = 1;
    for (auto _ : state) {
        BuildMonthPage(page, kDesktopRange, 2026, month, 7, &holidays);
        benchmark::DoNotOptimize(page.cells[page.dayCount].text.data());
        month = month == 12 ? 1 : month + 1;
    }
}
BENCHMARK(BM_BuildMonthPageWithHolidays)->Arg(0)->Arg(1);

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
