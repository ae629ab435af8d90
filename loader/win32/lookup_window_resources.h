#pragma once

// Resource numbers of the lookup window, shared by its resource script and
// its code (plain macros: the resource compiler reads this file too).

#define IDD_LOOKUP 7004
#define IDI_LOOKUP_ICON 8044

// The browser control is made by the code, not by the template.
#define IDC_LOOKUP_BROWSER 1017
