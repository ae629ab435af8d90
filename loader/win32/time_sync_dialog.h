#pragma once

// TimeSyncDialog (网络校时): a modeless tool window of the LoaderWindow that
// sets the computer's clock from the time server once per opening and tells
// the old and the new local time.
//
// Who writes what: the worker thread (TimeSyncWorker) only talks to the
// server and publishes its report in state it shares with the dialog; the
// dialog's 100 ms timer reads that report on the user-interface thread and,
// once the exchange has finished, sets the clock, tells every window that
// the time changed and shows the outcome. So the worker never touches the
// dialog, the clock setter or the clock, and closing the dialog at any time
// (opening another tool window does) only lets the worker go.

#include <windows.h>

#include <string>

#include "alarmclock/clock_setter.h"
#include "common/local_time.h"
#include "common/win32/owned_dialog.h"
#include "loader/time_sync.h"
#include "loader/tool_window_slots.h"
#include "loader/win32/time_sync_worker.h"
#include "widget/clock/time_server_address.h"
#include "widget/clock/win32/time_protocol_fetch.h"

inline constexpr DWORD kTimeSyncTimeoutMs = 15 * 1000;  // for the connection, and again for the reply

struct TimeSyncSetup {
    TimeServerAddress server;
    FetchTimeouts timeouts = {kTimeSyncTimeoutMs, kTimeSyncTimeoutMs};
    // Sets the computer's clock; must outlive every dialog. Without one the
    // 网络校时 command opens nothing.
    alarmclock::IClockSetter* clockSetter = nullptr;
};

class TimeSyncDialog final : public ToolWindow, private OwnedDialog {
public:
    // `clock` gives the local times shown; `title` is the whole caption.
    TimeSyncDialog(HINSTANCE resources,
                   const IClock& clock,
                   alarmclock::IClockSetter& setter,
                   const TimeSyncSetup& setup,
                   std::string title);
    ~TimeSyncDialog() override;

    // Makes and shows the dialog and starts the synchronisation. False when
    // the dialog cannot be made.
    bool Create();

    // Nullptr before Create and once the window is closed.
    HWND window() const { return window_.get(); }
    int Progress() const { return progress_; }
    // 0 when the clock was set; meaningful once Progress() is 100.
    int ResultCode() const { return static_cast<int>(result_); }

private:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnInit();
    void OnTick();
    void Finish(const TimeSyncOutcome& outcome);
    void ShowProgress(int progress);
    void ShowIcon();
    void StopTimer();
    HWND Item(int id) const { return GetDlgItem(window_.get(), id); }

    HINSTANCE resources_;
    const IClock& clock_;
    alarmclock::IClockSetter& setter_;
    std::string title_;
    TimeSyncWorker worker_;
    int progress_ = kTimeSyncStartedProgress;
    TimeSyncResult result_ = TimeSyncResult::kClockSet;
    bool timerRunning_ = false;
};
