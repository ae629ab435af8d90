#pragma once

// The pop-up that alerts a due reminder (dialog 6020): its title line, the
// moment of the alert and its content, with buttons to delete the reminder
// or open it in its editor, or put off with "稍后提醒" for 5, 10, 30 or 60
// minutes (10 preselected). Any number may be open at once, also several
// for one reminder.
//
// Made, used and destroyed on the calendar window's thread. The calendar
// window keeps each pop-up it opens, for example in a map from window()
// to the object, and destroys the object when it hears RM_POPUP_CLOSED or
// when it is destroyed itself. Messages to the owner (posted, so they
// arrive after the click that caused them):
// - RM_DELETE (id, 0) when the user confirmed deleting from the pop-up;
// - RM_POPUP_CLOSED (id, the pop-up's window handle) once its window is gone,
//   whether closed, deleted from or destroyed by the system; never from the
//   destructor.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "common/local_time.h"
#include "widget/reminders/reminder_item.h"
#include "widget/reminders/win32/modeless_dialog.h"

class ReminderPopup final : private ModelessDialog {
public:
    // Called with the reminder's id by the open button; the pop-up stays
    // open, and the callback must not destroy it.
    using OpenReminder = std::function<void(std::uint32_t id)>;
    // Called by "稍后提醒" with the reminder's id and the chosen minutes,
    // just before the pop-up closes itself (its sound is the callee's to
    // stop); the callback must not destroy the pop-up.
    using SnoozeReminder = std::function<void(std::uint32_t id, int minutes)>;

    // Makes the pop-up of `item` (the reset record when the reminder is gone)
    // alerted at `alert`, owned by the desktop, and shows it normally in the
    // foreground, flashing its task-bar entry when the system keeps another
    // window in front. `owner` gets its messages; `resources` holds dialog
    // 6020 and the widget icon. Without a `snoozeReminder` the snooze choice
    // and its button are hidden. Nullptr when the window could not be made.
    static std::unique_ptr<ReminderPopup> Open(HWND owner,
                                               HINSTANCE resources,
                                               const ReminderItem& item,
                                               Moment alert,
                                               OpenReminder openReminder,
                                               SnoozeReminder snoozeReminder);
    // Destroys the window if it is still there.
    ~ReminderPopup() override = default;

    // Nullptr once the window is gone.
    using ModelessDialog::window;
    std::uint32_t id() const { return id_; }

private:
    ReminderPopup(HWND owner, std::uint32_t id, OpenReminder openReminder, SnoozeReminder snoozeReminder);

    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDestroyed(HWND destroyed) override;
    void FillSnoozeChoice(bool shown);
    void OnSnooze();
    void OnDelete();

    HWND owner_;
    std::uint32_t id_;
    OpenReminder openReminder_;
    SnoozeReminder snoozeReminder_;
};
