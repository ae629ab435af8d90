#pragma once

// What the reminder dialog tests need of the calendar window: a window on a
// thread of its own, whose plain message loop stands for the host
// program's, that makes the editors and pop-ups there and records the
// reminder messages they send, reading an editor back on its saved message
// as the calendar window does. Tests drive the dialogs from their own
// thread through the controls.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "common/local_time.h"
#include "widget/calendar/gregorian.h"
#include "widget/reminders/reminder_item.h"
#include "widget/reminders/win32/birthday_editor.h"
#include "widget/reminders/win32/missed_reminders_window.h"
#include "widget/reminders/win32/reminder_popup.h"
#include "widget/reminders/win32/schedule_editor.h"

namespace reminders_test {

// The caption of the product's message boxes.
inline constexpr char kMessageBoxCaption[] = "泽鲁桌面日历V4.0";

struct Received {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    // The editor read back while RM_SCHEDULE_SAVED or RM_BIRTHDAY_SAVED was
    // handled.
    std::optional<ReminderItem> readBack;
};

class CalendarStandIn {
public:
    CalendarStandIn();
    // Destroys the editors, the pop-ups and the window on their thread.
    ~CalendarStandIn();
    CalendarStandIn(const CalendarStandIn&) = delete;
    CalendarStandIn& operator=(const CalendarStandIn&) = delete;

    // Each returns the dialog's window, or nullptr when it did not open. The
    // editors are made by their first Open.
    HWND OpenSchedule(const ReminderItem& item, bool existing);
    HWND OpenBirthday(const ReminderItem& item, bool existing);
    // A pop-up without a snooze callback when not `snoozable`.
    HWND OpenPopup(const ReminderItem& item, Moment alert, bool snoozable = true);
    // The missed-reminders window; its open callback is recorded with the
    // pop-ups' in OpenedIds.
    HWND OpenMissed(const std::vector<MissedReminderEntry>& entries);
    // Add, Remove and ListedIds of the open missed-reminders window, on the
    // calendar thread; nothing or an empty list once it is gone.
    void AddMissed(const std::vector<MissedReminderEntry>& entries);
    void RemoveMissed(std::uint32_t id);
    std::vector<std::uint32_t> ListedMissed();

    // Runs `work` on the calendar thread and returns once it is done.
    void Run(const std::function<void()>& work);

    std::vector<Received> Messages() const;
    // Waits until `count` messages `message` arrived; false after 10 s.
    bool WaitFor(UINT message, std::size_t count = 1) const;
    // The ids the pop-ups' open button asked for.
    std::vector<std::uint32_t> OpenedIds() const;
    // The (id, minutes) the pop-ups' snooze button called back with.
    std::vector<std::pair<std::uint32_t, int>> Snoozed() const;
    std::size_t PopupCount();
    // The calendar thread's focus window.
    HWND Focus() const;

    HWND window() const { return window_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Record(Received received);

    HWND window_ = nullptr;
    DWORD threadId_ = 0;
    // Used on the calendar thread only.
    std::unique_ptr<ScheduleEditor> schedule_;
    std::unique_ptr<BirthdayEditor> birthday_;
    std::map<HWND, std::unique_ptr<ReminderPopup>> popups_;
    std::unique_ptr<MissedRemindersWindow> missed_;

    mutable std::mutex lock_;
    std::vector<Received> messages_;
    std::vector<std::uint32_t> openedIds_;
    std::vector<std::pair<std::uint32_t, int>> snoozed_;
    std::thread thread_;  // last: it uses the members above
};

// Driving controls of the calendar thread from the test's thread.
LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
void Click(HWND button);
void SetText(HWND control, const std::string& text);
bool Checked(HWND button);
// Whether the control is set to show, whatever its dialog.
bool Shown(HWND control);
// Picks `date` in a date picker as the user does: the picker changes, then
// tells its dialog.
void PickDate(HWND picker, GregorianDate date);
GregorianDate ShownDate(HWND picker);
// A click on the upper or lower arrow of an up-down control.
void ClickArrow(HWND arrows, bool up);
// Polls until `condition` holds; false after 5 s.
bool WaitUntil(const std::function<bool()>& condition);
// The window as the user sees it, saved into the tree's screenshots folder.
void SaveScreenshot(HWND window, const char* name);

}  // namespace reminders_test
