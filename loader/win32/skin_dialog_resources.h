#pragma once

// Resource numbers of the skin dialog and its page (skin_dialog.rc).

#define IDD_SKIN_DIALOG 7005
#define IDC_SKIN_TABS 1021
#define IDC_SKIN_FRAME 1023

#define IDD_SKIN_PAGE 169
#define IDC_SKIN_THUMBNAILS 1020
#define IDC_SKIN_STATUS 1025
#define IDC_SKIN_UPDATE_LIST 1030
#define IDC_SKIN_UPDATE_NOW 1031
#define IDC_SKIN_REFRESH 1032
#define IDC_SKIN_PROGRESS 1033

// The dialogs' icon (the widget's).
#define IDI_SKIN_DIALOG_ICON 8044
