#pragma once

// The birthday editor (dialog 7002): one modeless window per calendar
// window for birthday reminders (kinds 5, 6 and 7), made on first use and
// then hidden and shown again. Beside the date picker it shows the picked
// day's lunar date; "公历" / "农历" can be chosen only while "每年提醒" is
// checked.
//
// Used on the calendar window's thread only. Confirming checks the days of
// advance notice first: a number outside 0 to 365 is refused with a
// message and nothing is sent. Then it sends RM_BIRTHDAY_SAVED (wParam =
// the edited id) to the calendar window, which calls ReadBack() and stores
// the record; deleting posts RM_DELETE (the edited id, 0). Both hide the
// editor.

#include <windows.h>

#include <cstdint>

#include "widget/reminders/birthday_editor_fields.h"
#include "widget/reminders/reminder_item.h"
#include "widget/reminders/win32/modeless_dialog.h"

class BirthdayEditor final : private ModelessDialog {
public:
    // `calendarWindow` receives the messages; `resources` holds dialog 7002
    // and the widget icon. The window is made by the first Open.
    BirthdayEditor(HWND calendarWindow, HINSTANCE resources);
    ~BirthdayEditor() override = default;

    // Fills the editor from a birthday reminder, with the delete button when
    // it is `existing` (stored already); any other kind leaves the fields
    // and the edited id as they were. Then shows the editor normally, in the
    // foreground and active. False when the window could not be made.
    bool Open(const ReminderItem& item, bool existing);
    // The birthday the fields describe, under the edited id (after an Open).
    ReminderItem ReadBack() const;

    using ModelessDialog::window;

private:
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnInitDialog();
    INT_PTR OnCommand(int id, int code);
    void OnConfirm();
    void OnDelete();

    BirthdayEditorFields ShownFields() const;
    void ShowFields(const BirthdayEditorFields& fields);
    void EnableCalendarChoice();
    void ShowLunarDate();
    void Hide();

    HWND calendarWindow_;
    HINSTANCE resources_;
    std::uint32_t editedId_ = 0;
};
