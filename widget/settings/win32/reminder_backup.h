#pragma once

// The preferences dialog's reminder-file commands: backing Calendar.dat up
// to a file the user picks, and restoring it from one.

#include <windows.h>

#include <string>

// Asks where to back up to and copies `calendarDatPath` there, replacing any
// file of that name. Tells the user whether it worked; nothing happens when
// the user cancels the file box.
void BackupReminders(HWND owner, const std::string& calendarDatPath);

// Asks for a backup and copies it over `calendarDatPath`; then sends
// RM_RELOAD to `reminderWindow`, whose store then holds the restored
// reminders in place of its own. Tells the user whether it
// worked; a failed copy sends nothing.
void RestoreReminders(HWND owner, const std::string& calendarDatPath, HWND reminderWindow);
