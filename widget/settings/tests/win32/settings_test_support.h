#pragma once

// Runs the preferences dialog on a thread of its own, as a modal dialog,
// with a target that records what the dialog asks of the calendar window,
// so a test can drive the dialog with messages and check what it did.

#include <windows.h>

#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "widget/settings/win32/preferences_dialog.h"

namespace settings_test {

inline constexpr char kMessageBoxCaption[] = "泽鲁桌面日历V4.0";
inline constexpr char kDialogTitle[] = "泽鲁桌面日历V4.0－属性设置";

// A reminder message as the calendar window received it, with the bytes of
// Calendar.dat at that moment.
struct ReminderMessage {
    UINT message = 0;
    std::string calendarDat;
};

// What the dialog asked for. Written on the dialog's thread, read by the
// test's thread: every access holds the lock.
struct Recorded {
    std::vector<int> previews;
    int applied = 0;
    int registrations = 0;
    std::vector<ReminderMessage> reminderMessages;
};

class RecordingTarget : public IPreferencesTarget {
public:
    RecordingTarget(bool registerResult, std::string calendarDatPath)
        : registerResult_(registerResult), calendarDatPath_(std::move(calendarDatPath)) {}

    void ApplySettings() override;
    void PreviewAlpha(int alpha) override;
    bool RegisterHotKeys() override;
    HWND ReminderWindow() override { return reminderWindow_; }

    // Makes the window that receives RM_RELOAD and RM_PURGE on the calling
    // thread (the dialog's), and destroys it.
    void CreateReminderWindow();
    void DestroyReminderWindow();
    Recorded Snapshot() const;

private:
    static LRESULT CALLBACK ReminderProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    const bool registerResult_;
    const std::string calendarDatPath_;
    HWND reminderWindow_ = nullptr;
    mutable std::mutex lock_;
    Recorded recorded_;
};

// One run of ShowPreferences on its own thread. The settings belong to the
// dialog's thread until Finish() has joined it.
class DialogRun {
public:
    DialogRun(const WidgetSettings& settings, const PreferencesPaths& paths, bool registerResult = true);
    // Cancels a dialog still open, then joins.
    ~DialogRun();
    DialogRun(const DialogRun&) = delete;
    DialogRun& operator=(const DialogRun&) = delete;

    // The dialog window, once it shows (nullptr after 10 s).
    HWND WaitForDialog();
    HWND Item(int id) { return GetDlgItem(WaitForDialog(), id); }
    // Waits until the dialog has closed and its thread ended.
    void Finish();
    bool Finished() const { return finished_; }

    const WidgetSettings& Settings() const { return settings_; }
    Recorded Snapshot() const { return target_.Snapshot(); }

private:
    WidgetSettings settings_;
    PreferencesPaths paths_;
    RecordingTarget target_;
    HWND dialog_ = nullptr;
    bool finished_ = false;
    std::thread thread_;  // last: it uses the members above
};

// Clicks a button of a dialog on another thread, and returns once it has
// handled the click.
void Click(HWND button);
// True while the dialog's window exists.
bool IsOpen(HWND dialog);

}  // namespace settings_test
