// QvCB.dll on the real timer service: QueryClock's service checks alarms
// about once a second and calls listeners on the thread that added them;
// a failed save is shown in a message box.

#include "alarmclock/win32/query_clock.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "alarmclock/alarm_saver.h"
#include "common/local_time.h"
#include "common/path_util.h"
#include "common/win32/handles.h"
#include "common/win32/module_path.h"
#include "testkit/win32/message_box_answerer.h"
#include "testkit/win32/window_helpers.h"

using alarmclock::AlarmItem;

namespace {

Moment Now() {
    return static_cast<Moment>(std::time(nullptr));
}

// Pumps the test thread's messages until `done` or `timeoutMs` passed.
template <typename Done>
bool PumpUntil(Done done, unsigned int timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!done()) {
        if (GetTickCount64() >= deadline) {
            return false;
        }
        testkit::PumpMessages(50);
    }
    return true;
}

class ThreadRecordingListener final : public alarmclock::IAlarmListener {
public:
    void OnAlarm(const std::uint32_t* id) override {
        ids.push_back(*id);
        threads.push_back(GetCurrentThreadId());
    }
    std::vector<std::uint32_t> ids;
    std::vector<DWORD> threads;
};

class ThreadRecordingObserver final : public alarmclock::ITimeObserver {
public:
    void OnTime(const Moment* time) override {
        times.push_back(*time);
        threads.push_back(GetCurrentThreadId());
    }
    std::vector<Moment> times;
    std::vector<DWORD> threads;
};

}  // namespace

TEST(QueryClock, OneServicePerProcess) {
    alarmclock::IAlarmClock* clock = QueryClock();
    ASSERT_NE(clock, nullptr);
    EXPECT_EQ(QueryClock(), clock);
}

TEST(QueryClock, FiresAnAlarmOfTheCurrentMinuteOnTheAddingThread) {
    alarmclock::IAlarmClock* clock = QueryClock();
    ASSERT_NE(clock, nullptr);
    // Keep clear of the end of a minute, so the alarm is still due at its first check.
    ASSERT_TRUE(PumpUntil([] { return ToLocalTime(Now()).second < 50; }, 15000));

    ThreadRecordingListener listener;
    const std::uint32_t id = clock->AddAlarm(AlarmItem{0, "测试闹钟", Now(), 0}, &listener);
    ASSERT_NE(id, 0u);
    EXPECT_TRUE(PumpUntil([&] { return !listener.ids.empty(); }, 5000));
    EXPECT_EQ(listener.ids, std::vector<std::uint32_t>{id});
    EXPECT_EQ(listener.threads, std::vector<DWORD>{GetCurrentThreadId()});

    // A one-shot alarm is gone after firing: it does not fire again.
    testkit::PumpMessages(2500);
    EXPECT_EQ(listener.ids.size(), 1u);
}

TEST(QueryClock, RemovedAlarmDoesNotFire) {
    alarmclock::IAlarmClock* clock = QueryClock();
    ASSERT_NE(clock, nullptr);
    ASSERT_TRUE(PumpUntil([] { return ToLocalTime(Now()).second < 50; }, 15000));
    ThreadRecordingListener listener;
    const AlarmItem item{clock->AddAlarm(AlarmItem{0, "", Now(), 1}, &listener), "", 0, 0};
    clock->RemoveAlarm(item.id);
    testkit::PumpMessages(2500);
    EXPECT_TRUE(listener.ids.empty());
}

TEST(QueryClock, TellsTimeObserversAboutOnceASecond) {
    alarmclock::IAlarmClock* clock = QueryClock();
    ASSERT_NE(clock, nullptr);
    ThreadRecordingObserver observer;
    ASSERT_TRUE(clock->AddTimeObserver(&observer));
    const bool told = PumpUntil([&] { return observer.times.size() >= 2; }, 5000);
    clock->RemoveTimeObserver(&observer);
    ASSERT_TRUE(told);
    EXPECT_LE(Now() - observer.times.back(), 2);
    EXPECT_EQ(observer.threads[0], GetCurrentThreadId());
}

namespace {

class DefaultNoticeSaver final : public alarmclock::CAlarmSaver_base {
public:
    bool ApplyAlarms() override { return false; }
};

}  // namespace

TEST(AlarmSaverNotice, FailedSaveShowsTheMessageBox) {
    const std::string path =
        JoinPath(std::filesystem::temp_directory_path().string(), "alarm_no_such_folder\\alarm.xml");
    DefaultNoticeSaver saver;
    saver.Insert(AlarmItem{1, "a", 0, 0});

    testkit::MessageBoxAnswerer answerer(alarmclock::kSaveFailureCaption, IDOK);
    EXPECT_FALSE(saver.Save(path.c_str()));
    const std::optional<testkit::AnsweredDialog> dialog = answerer.Result();
    ASSERT_TRUE(dialog.has_value());
    EXPECT_TRUE(dialog->captionMatched);
    EXPECT_EQ(dialog->text, alarmclock::SaveFailureMessage(path.c_str()));
    EXPECT_EQ(dialog->icon, testkit::MessageBoxIcon::kInformation);
    EXPECT_EQ(dialog->ButtonIds(), std::vector<int>{IDOK});
}

TEST(QueryClock, UnloadingTheLibraryTakesItsListenersOutOfTheTimerService) {
    // The probe loads QvCB.dll itself, arms an alarm and an observer, and
    // unloads it while the timer service goes on; see the probe for the exit
    // codes.
    std::string command = "\"" + ModuleFolder(nullptr) + "\\alarmclock_unload_probe.exe\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(
        CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        << "error " << GetLastError();
    UniqueHandle thread(process.hThread);
    UniqueHandle child(process.hProcess);
    if (WaitForSingleObject(child.get(), 20000) != WAIT_OBJECT_0) {
        TerminateProcess(child.get(), 99);
        FAIL() << "the probe hung";
    }
    DWORD code = 0;
    GetExitCodeProcess(child.get(), &code);
    EXPECT_EQ(code, 0u);
}
