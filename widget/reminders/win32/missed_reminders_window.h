#pragma once

// The window "错过的日程提醒" (dialog IDD_MISSED_REMINDERS): the reminders that
// came due while the widget was not running or the computer slept, one row
// each with its due time, kind and title. The user opens a reminder in its
// editor, deletes it, or closes the list. It plays no sound.
//
// Made, used and destroyed on the calendar window's thread; one at a time
// per calendar window (reminders missed while it is open are added to it).
// Messages to the owner (posted):
// - RM_DELETE (id, 1) for "删除": the owner asks before it deletes, and
//   calls Remove(id) once the reminder is gone;
// - RM_MISSED_CLOSED (0, the window handle) once its window is gone; never
//   from the destructor.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "widget/reminders/missed_reminders.h"
#include "widget/reminders/win32/modeless_dialog.h"

struct MissedReminderEntry {
    std::uint32_t id = 0;
    MissedReminderRow row;
};

class MissedRemindersWindow final : private ModelessDialog {
public:
    // Called with the id of the chosen row by "打开" or a double click; the
    // window stays open, and the callback must not destroy it.
    using OpenReminder = std::function<void(std::uint32_t id)>;

    // Makes the window with `entries` in their order, owned by the desktop,
    // titled with the product name and version and "－错过的日程提醒", and
    // shows it normally in the foreground with the first row selected.
    // Nullptr when the window could not be made, and for no entries at all:
    // an empty list is closed as soon as its last row goes.
    static std::unique_ptr<MissedRemindersWindow> Open(HWND owner,
                                                       HINSTANCE resources,
                                                       const std::vector<MissedReminderEntry>& entries,
                                                       OpenReminder openReminder);
    ~MissedRemindersWindow() override = default;

    // Adds rows at the end (an id already listed is not listed again).
    void Add(const std::vector<MissedReminderEntry>& entries);
    // Drops the row of a deleted reminder.
    void Remove(std::uint32_t id);
    // The ids listed, top to bottom.
    std::vector<std::uint32_t> ListedIds() const;

    // Nullptr once the window is gone.
    using ModelessDialog::window;

private:
    MissedRemindersWindow(HWND owner, OpenReminder openReminder);

    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDestroyed(HWND destroyed) override;
    void OnInitDialog();
    INT_PTR OnNotify(const NMHDR& header);
    void OnOpen();
    void OnDelete();
    void AppendRow(const MissedReminderEntry& entry);
    void Select(int row);
    // The id of the selected row, or nothing.
    std::optional<std::uint32_t> SelectedId() const;
    void EnableRowButtons();

    HWND owner_;
    OpenReminder openReminder_;
    std::vector<std::uint32_t> ids_;
};
