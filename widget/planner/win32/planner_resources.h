#pragma once

// Resource numbers of the reminder planner, shared by its resource script
// and its code (plain macros: the resource compiler reads this file too).

#define IDD_REMINDER_PLANNER 6007
// The detail list's row images: 16 x 16 each, RGB (0, 128, 128) transparent.
#define IDB_REMINDER_LIST 6015

#define IDC_PLANNER_TODAY 6040
#define IDC_PLANNER_BACK 6041
#define IDC_PLANNER_NEXT_MONTH 6042
#define IDC_PLANNER_PREVIOUS_MONTH 6043
#define IDC_PLANNER_LIST 6044
#define IDC_PLANNER_GRID 6045
#define IDC_PLANNER_HEADING 6046
#define IDC_PLANNER_NEW_SCHEDULE 6047
#define IDC_PLANNER_NEW_BIRTHDAY 6048
#define IDC_PLANNER_DELETE_ITEM 6049
#define IDC_PLANNER_DELETE_DAY 6050
#define IDC_PLANNER_DELETE_MONTH 6051
#define IDC_PLANNER_TOGGLE_LIST 6052
