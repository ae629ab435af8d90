// The LoaderWindow's 万年历 and 今日汇率 commands: the lookup windows as its
// tool windows.

#include "loader/win32/loader_window.h"

void LoaderWindow::OpenLookupWindow(ToolWindowKind) {}
