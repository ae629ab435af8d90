#include <benchmark/benchmark.h>

#include "widget/calendar/gregorian.h"
#include "widget/calendar/lunar_converter.h"

// Converts every day of 1901-2050 (54787 conversions per iteration).
static void BM_ToLunar(benchmark::State& state) {
    for (auto _ : state) {
        for (GregorianDate date{1901, 1, 1}; date.year <= 2050; date = NextDay(date)) {
            LunarDate lunar;
            benchmark::DoNotOptimize(LunarConverter::ToLunar(date.year, date.month, date.day, lunar));
            benchmark::DoNotOptimize(lunar);
        }
    }
    state.SetItemsProcessed(state.iterations() * 54787);
}
BENCHMARK(BM_ToLunar);
