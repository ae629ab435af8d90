#pragma once

// The schedule editor (dialog 6000): one modeless window per calendar
// window for schedule reminders (kinds 0 to 4), made on first use and then
// hidden and shown again, so what a fill leaves alone (the interval unit,
// the weekday boxes of a once reminder, ...) stays as the user left it.
//
// Used on the calendar window's thread only. Confirming sends
// RM_SCHEDULE_SAVED (wParam = the edited id, 0 for a new reminder) to the
// calendar window, which then calls ReadBack() and stores the record;
// deleting posts RM_DELETE (the edited id, 0). Both hide the editor.

#include <windows.h>

#include <cstdint>

#include "widget/reminders/reminder_item.h"
#include "widget/reminders/schedule_editor_fields.h"
#include "widget/reminders/win32/modeless_dialog.h"

class ScheduleEditor final : private ModelessDialog {
public:
    // `calendarWindow` receives the messages; `resources` holds dialog 6000
    // and the widget icon. The window is made by the first Open.
    ScheduleEditor(HWND calendarWindow, HINSTANCE resources);
    ~ScheduleEditor() override = default;

    // Fills the editor from `item`, with the delete button when the record
    // is `existing` (stored already), and shows it normally, in the
    // foreground and active. False when the window could not be made.
    bool Open(const ReminderItem& item, bool existing);
    // The record the fields describe, under the edited id (after an Open).
    ReminderItem ReadBack() const;

    using ModelessDialog::window;

private:
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnInitDialog();
    INT_PTR OnCommand(int id, int code);
    INT_PTR OnNotify(const NMHDR& header);
    void OnConfirm();
    void OnDelete();
    void OnBrowse(int field, const char* title, const char* filter);

    ScheduleEditorFields ShownFields() const;
    void ShowFields(const ScheduleEditorFields& fields);
    void ShowEnabledInputs();
    void StepField(int field, int delta);
    void Hide();

    HWND calendarWindow_;
    HINSTANCE resources_;
    std::uint32_t editedId_ = 0;
};
