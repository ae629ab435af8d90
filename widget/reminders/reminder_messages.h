#pragma once

// Window messages through which the reminder editors, pop-ups and lists
// change the reminders held by the calendar window. Every one carries a
// reminder id (or 0) in its first parameter. Kept free of windows.h so the
// platform-free code and its tests can name them.

// The schedule editor was confirmed; wParam = id being edited (0 for new).
inline constexpr unsigned RM_SCHEDULE_SAVED = 0x4F0;
// Delete reminder wParam; lParam 1 = ask kDeleteReminderQuestion first.
inline constexpr unsigned RM_DELETE = 0x4F1;
// Calendar.dat was restored from a backup: load it into the store again.
inline constexpr unsigned RM_RELOAD = 0x4F2;
// Drop past once, off and birthday reminders (the file is written later).
inline constexpr unsigned RM_PURGE = 0x4F5;
// The birthday editor was confirmed; wParam = id being edited.
inline constexpr unsigned RM_BIRTHDAY_SAVED = 0x4FA;
// A reminder pop-up's window is gone: wParam = its reminder's id, lParam =
// its window handle, so its owner can drop the pop-up object.
inline constexpr unsigned RM_POPUP_CLOSED = 0x4FB;
// The missed-reminders window is gone (closed by the user or the system):
// its owner can drop the window object. wParam 0, lParam its window handle.
inline constexpr unsigned RM_MISSED_CLOSED = 0x4FC;
// Reminder wParam is due: open its program, play its sound, show the pop-up.
inline constexpr unsigned RM_DUE = 0x5400;

// Asked (OK and Cancel, question icon) before a reminder is deleted.
inline constexpr char kDeleteReminderQuestion[] = "真的要删除该日程提醒吗？";

// Command numbers of the calendar panel's reminder entries carry the id:
// from kDeleteReminderCommandBase on, the entry deletes reminder
// (number - kDeleteReminderCommandBase) after asking; from
// kOpenReminderCommandBase up to just below the delete range, it opens
// reminder (number - kOpenReminderCommandBase) in its editor.
inline constexpr unsigned kDeleteReminderCommandBase = 0x7F000000;
inline constexpr unsigned kOpenReminderCommandBase = 0x0F000000;
