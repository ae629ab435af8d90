#pragma once

// Resource numbers of the reminder editors, the reminder pop-up and the
// missed-reminders window, shared by their resource script and their code (plain macros: the resource
// compiler reads this file too). Control numbers are the dialog's own, so
// the same number may name different controls in different dialogs.

#define IDD_SCHEDULE_EDITOR 6000
#define IDD_BIRTHDAY_EDITOR 7002
#define IDD_REMINDER_POPUP 6020
#define IDD_MISSED_REMINDERS 6060

// The schedule editor.
#define IDC_SCHEDULE_TITLE 6000
#define IDC_SCHEDULE_CONTENT 6001
#define IDC_SCHEDULE_ON 6002
#define IDC_SCHEDULE_DATE 6004
#define IDC_SCHEDULE_HOUR 6005
#define IDC_SCHEDULE_HOUR_ARROWS 6007
#define IDC_SCHEDULE_MINUTE 6008
#define IDC_SCHEDULE_MINUTE_ARROWS 6009
#define IDC_SCHEDULE_INTERVAL_NUMBER 6014
#define IDC_SCHEDULE_INTERVAL_UNIT 6015
// The weekday boxes, Monday to Sunday, are numbered in a row.
#define IDC_SCHEDULE_MONDAY 6016
#define IDC_SCHEDULE_TUESDAY 6017
#define IDC_SCHEDULE_WEDNESDAY 6018
#define IDC_SCHEDULE_THURSDAY 6019
#define IDC_SCHEDULE_FRIDAY 6020
#define IDC_SCHEDULE_SATURDAY 6021
#define IDC_SCHEDULE_SUNDAY 6022
#define IDC_SCHEDULE_DAY_OF_MONTH 6023
#define IDC_SCHEDULE_PROGRAM 6024
#define IDC_SCHEDULE_BROWSE_PROGRAM 6025
#define IDC_SCHEDULE_SOUND 6026
#define IDC_SCHEDULE_BROWSE_SOUND 6027
#define IDC_SCHEDULE_DAY_LABEL 6030
// The kind radios, once to monthly, are numbered in a row.
#define IDC_SCHEDULE_ONCE 6110
#define IDC_SCHEDULE_INTERVAL 6111
#define IDC_SCHEDULE_WEEKLY 6112
#define IDC_SCHEDULE_MONTHLY 6113
#define IDC_SCHEDULE_DELETE 3

// The birthday editor.
#define IDC_BIRTHDAY_DATE 6004
#define IDC_BIRTHDAY_NAME 6026
#define IDC_BIRTHDAY_NOTICE_DAYS 6028
#define IDC_BIRTHDAY_CONTENT 6046
#define IDC_BIRTHDAY_DELETE 6054
#define IDC_BIRTHDAY_YEARLY 6055
// The calendar radios, "公历" then "农历", are numbered in a row.
#define IDC_BIRTHDAY_GREGORIAN 6056
#define IDC_BIRTHDAY_LUNAR 6057
#define IDC_BIRTHDAY_LUNAR_DATE 6058

// The reminder pop-up.
#define IDC_POPUP_DELETE 4
#define IDC_POPUP_CONTENT 6046
#define IDC_POPUP_OPEN 6048
#define IDC_POPUP_TITLE_LINE 6049
#define IDC_POPUP_TIME_LINE 6050
#define IDC_POPUP_SNOOZE 6051
#define IDC_POPUP_SNOOZE_MINUTES 6052

// The missed-reminders window.
#define IDC_MISSED_LIST 6061
#define IDC_MISSED_OPEN 6062
#define IDC_MISSED_DELETE 6063

// The widget's icon in the widget library's resources (the generated art's
// widget.ico), shown by all four windows.
#define IDI_REMINDER_WIDGET_ICON 8044
