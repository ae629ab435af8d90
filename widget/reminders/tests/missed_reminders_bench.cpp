// The missed-reminder search over 10 000 reminders of every kind and the
// whole 30 days it looks back: it runs at every start of the widget.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "widget/reminders/missed_reminders.h"

namespace {

constexpr int kReminders = 10000;
constexpr Moment kNow = 1715043600;  // 2024-05-07 09:00 CST

// Once reminders spread over the 30 days, intervals of 1 to 97 minutes,
// weekly and monthly ones: the kinds the search works out.
ReminderMap Reminders() {
    ReminderMap items;
    for (int i = 0; i < kReminders; ++i) {
        ReminderItem item;
        item.id = static_cast<std::uint32_t>(i + 1);
        item.title = "提醒标题" + std::to_string(i);
        item.kind = KindOnce + static_cast<std::uint32_t>(i % 4);
        item.start = kNow - (i % 40) * 86400 + (i % 1440) * 60;
        item.param = item.kind == KindInterval  ? 1 + i % 97
                     : item.kind == KindWeekly  ? WeekdayMask::kSunday
                     : item.kind == KindMonthly ? 1 + i % 31
                                                : 0;
        items[item.id] = item;
    }
    return items;
}

void BM_FindMissedReminders(benchmark::State& state) {
    const ReminderMap items = Reminders();
    for (auto _ : state) {
        benchmark::DoNotOptimize(FindMissedReminders(items, kNow - 60 * 86400, kNow));
    }
    state.SetItemsProcessed(state.iterations() * kReminders);
}
BENCHMARK(BM_FindMissedReminders)->Unit(benchmark::kMillisecond);

}  // namespace
