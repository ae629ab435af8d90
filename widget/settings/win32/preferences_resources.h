#pragma once

// Resource numbers of the preferences dialog, shared by its resource script
// and its code (plain macros: the resource compiler reads this file too).

#define IDD_PREFERENCES 6025

#define IDC_PREF_ALWAYS_ON_TOP 6068
#define IDC_PREF_FIXED_POSITION 6069
#define IDC_PREF_CLICK_THROUGH 6070
#define IDC_PREF_AUTO_HIDE 6071
#define IDC_PREF_ALPHA_SLIDER 6072
#define IDC_PREF_ALPHA_TEXT 6073
#define IDC_PREF_CALENDAR_HOTKEY_BOX 6074
#define IDC_PREF_PLANNER_HOTKEY_BOX 6075
#define IDC_PREF_CALENDAR_HOTKEY 6076
#define IDC_PREF_START_WITH_SYSTEM 6077
#define IDC_PREF_PLANNER_HOTKEY 6078
#define IDC_PREF_RESTORE_REMINDERS 6079
#define IDC_PREF_BACKUP_REMINDERS 6080
#define IDC_PREF_PURGE_REMINDERS 6081

// The widget's icon in the widget library's resources (the generated art's
// widget.ico); the dialog shows it when the module holds it.
#define IDI_PREF_WIDGET_ICON 8044
