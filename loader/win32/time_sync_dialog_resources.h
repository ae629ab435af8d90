#pragma once

// Resource numbers of the time sync dialog, shared by its resource script
// and its code (plain macros: the resource compiler reads this file too).

#define IDD_TIME_SYNC 177
#define IDB_TIME_SYNC_PICTURE 178
#define IDI_TIME_SYNC_ICON 8044

// Control numbers are the dialog's own; 关闭 is the standard IDCANCEL (2).
#define IDC_TIME_SYNC_FRAME 7150
#define IDC_TIME_SYNC_PICTURE 7151
#define IDC_TIME_SYNC_STATUS 7152
#define IDC_TIME_SYNC_PROGRESS 7153
