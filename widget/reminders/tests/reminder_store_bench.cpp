// Loading (and registering) and saving a Calendar.dat of 10 000 reminders.
// Registration goes to the real alarm clock service over a timer service
// that never ticks when that service is built, else to a recording fake.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "common/path_util.h"
#include "widget/reminders/reminder_store.h"

#ifdef REMINDERS_BENCH_REAL_ALARM_CLOCK
#include "alarmclock/alarm_clock_service.h"
#include "widget/reminders/tests/manual_timer_service.h"
#else
#include "widget/reminders/tests/fake_alarm_clock.h"
#endif

namespace {

#ifdef REMINDERS_BENCH_REAL_ALARM_CLOCK
class NoClockSetter final : public alarmclock::IClockSetter {
public:
    bool SetLocalClock(const LocalTime&) override { return false; }
};

// The service with everything it needs.
class BenchAlarmClock {
public:
    explicit BenchAlarmClock(const IClock& clock) : service_(timer_, clock, setter_) {}
    alarmclock::IAlarmClock* get() { return &service_; }

private:
    ManualTimerService timer_;
    NoClockSetter setter_;
    alarmclock::CAlarmClock service_;
};
#else
class BenchAlarmClock {
public:
    explicit BenchAlarmClock(const IClock&) {}
    alarmclock::IAlarmClock* get() { return &fake_; }

private:
    FakeAlarmClock fake_;
};
#endif

constexpr int kReminders = 10000;

// A store holding kReminders reminders of every kind, with texts of the
// lengths the editors allow.
void Fill(CReminderStore& store) {
    const Moment start = 1715043600;  // 2024-05-07 09:00 CST
    for (int i = 0; i < kReminders; ++i) {
        ReminderItem item;
        item.title = "提醒标题" + std::to_string(i);
        item.start = start + i * 60;
        item.kind = static_cast<std::uint32_t>(i % 6);
        item.param = item.kind == KindWeekly ? WeekdayMask::kTuesday : 1 + i % 28;
        item.content = std::string(200, 'c');
        item.program = "C:\\Program Files\\app.exe";
        item.sound = "C:\\Windows\\Media\\ding.wav";
        store.AddReminder(item);
    }
}

std::string BenchFile() {
    return JoinPath(std::filesystem::temp_directory_path().string(), "reminders_bench_Calendar.dat");
}

void BM_LoadAndRegister(benchmark::State& state) {
    FakeClock clock(1715043600);
    const std::string path = BenchFile();
    {
        BenchAlarmClock alarms(clock);
        CReminderStore store(alarms.get(), clock);
        Fill(store);
        store.SaveReminders(path);
    }
    for (auto _ : state) {
        auto alarms = std::make_unique<BenchAlarmClock>(clock);
        auto store = std::make_unique<CReminderStore>(alarms->get(), clock);
        benchmark::DoNotOptimize(store->LoadReminders(path));
        // Taking the alarms down again is not part of loading.
        state.PauseTiming();
        if (store->items().size() != kReminders) {
            state.SkipWithError("not every reminder was loaded");
        }
        store.reset();
        alarms.reset();
        state.ResumeTiming();
    }
    std::remove(path.c_str());
    state.SetItemsProcessed(state.iterations() * kReminders);
}
BENCHMARK(BM_LoadAndRegister)->Unit(benchmark::kMillisecond);

void BM_Save(benchmark::State& state) {
    FakeClock clock(1715043600);
    BenchAlarmClock alarms(clock);
    CReminderStore store(alarms.get(), clock);
    Fill(store);
    const std::string path = BenchFile();
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.SaveReminders(path));
    }
    std::remove(path.c_str());
    state.SetItemsProcessed(state.iterations() * kReminders);
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);

}  // namespace
