// The whole road of a reminder under Windows: Calendar.dat loaded into the
// store, its alarms armed with the process-wide alarm clock (QueryClock), the
// alarm clock driven by the multimedia timer service at 100 ms, and the due
// reminder reaching a window as RM_DUE on the window's own thread, once.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "alarmclock/win32/query_clock.h"
#include "common/file_io.h"
#include "common/local_time.h"
#include "timer/win32/cmm_timer.h"
#include "widget/reminders/reminder_file.h"
#include "widget/reminders/reminder_messages.h"
#include "widget/reminders/reminder_store.h"

namespace {

// What the test window saw.
struct DueLog {
    std::vector<WPARAM> ids;
    std::vector<DWORD> notifyThreads;  // threads on which the store told of a due reminder
};

LRESULT CALLBACK ChainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == RM_DUE) {
        auto* log = reinterpret_cast<DueLog*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        log->ids.push_back(wparam);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

HWND CreateChainWindow(DueLog* log) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ChainWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ReminderChainTestWindow";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(log));
    return window;
}

// Handles this thread's messages for `milliseconds`.
void PumpFor(DWORD milliseconds) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

// A Calendar.dat with a once reminder for the current minute and one for an
// hour later, which must stay silent.
std::string WriteCalendarFile(Moment thisMinute) {
    ReminderMap items;
    ReminderItem now;
    now.id = 1;
    now.title = "喝茶";
    now.start = thisMinute;
    now.kind = KindOnce;
    ReminderItem later = now;
    later.id = 2;
    later.title = "开会";
    later.start = thisMinute + 3600;
    items[now.id] = now;
    items[later.id] = later;
    std::string bytes;
    EXPECT_TRUE(EncodeReminderFile(items, bytes));
    std::string path = (std::filesystem::temp_directory_path() / "reminder_chain_Calendar.dat").string();
    EXPECT_EQ(ReplaceFileAtomically(path, bytes), 0);
    return path;
}

}  // namespace

TEST(ReminderChain, OnceReminderOfThisMinuteArrivesAsRmDueOnceOnTheWindowThread) {
    SystemClock clock;
    // A minute must not end between loading and the alarm's first check.
    while (ToLocalTime(clock.Now()).second >= 55) {
        Sleep(200);
    }
    LocalTime local = ToLocalTime(clock.Now());
    local.second = 0;
    const Moment thisMinute = FromLocalTime(local);
    const std::string path = WriteCalendarFile(thisMinute);

    DueLog log;
    HWND window = CreateChainWindow(&log);
    ASSERT_NE(window, nullptr);
    {
        alarmclock::IAlarmClock* alarmClock = QueryClock();
        ASSERT_NE(alarmClock, nullptr);
        ASSERT_NE(CMMTimer::instance(), nullptr);
        EXPECT_EQ(CMMTimer::instance()->GetTick(), 100u);

        CReminderStore store(alarmClock, clock);
        ASSERT_TRUE(store.LoadReminders(path));
        ASSERT_EQ(store.items().size(), 2u);
        store.SetDueNotification([&log, window](std::uint32_t id) {
            log.notifyThreads.push_back(GetCurrentThreadId());
            PostMessageA(window, RM_DUE, id, 0);
        });
        std::uint32_t teaId = 0;
        for (const auto& [id, item] : store.items()) {
            if (item.title == "喝茶") {
                teaId = id;
            }
        }
        ASSERT_NE(teaId, 0u);

        // The alarm is checked about once a second; allow for a slow machine,
        // then keep listening to be sure it does not come again.
        for (int waited = 0; waited < 80 && log.ids.empty(); ++waited) {
            PumpFor(100);
        }
        PumpFor(3000);

        ASSERT_EQ(log.ids.size(), 1u);
        EXPECT_EQ(log.ids[0], teaId);
        ASSERT_EQ(log.notifyThreads.size(), 1u);
        EXPECT_EQ(log.notifyThreads[0], GetWindowThreadProcessId(window, nullptr));
    }
    DestroyWindow(window);
    std::remove(path.c_str());
}
