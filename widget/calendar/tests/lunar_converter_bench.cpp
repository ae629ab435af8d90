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

// Converts the 15th of every month of lunar 1901-2050, leap months included
// (1855 conversions per iteration).
static void BM_ToGregorian(benchmark::State& state) {
    for (auto _ : state) {
        for (int year = 1901; year <= 2050; ++year) {
            const int leap = LunarConverter::LeapMonthOf(year);
            for (int month = 1; month <= 12; ++month) {
                GregorianDate date;
                benchmark::DoNotOptimize(LunarConverter::ToGregorian(year, month, 15, date));
                if (month == leap) {
                    benchmark::DoNotOptimize(LunarConverter::ToGregorian(year, -month, 15, date));
                }
                benchmark::DoNotOptimize(date);
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * 1855);
}
BENCHMARK(BM_ToGregorian);
