#pragma once

// The system's open and save file boxes, with comdlg32.dll loaded only when
// a box is first opened. Linked in, comdlg32 brings the printing DLLs
// (winspool.drv, compstui.dll) into every program at start-up, for boxes
// that most runs never open.

#include <windows.h>

#include <commdlg.h>

// GetOpenFileNameA / GetSaveFileNameA; FALSE also when comdlg32.dll or the
// function cannot be found (as for a cancelled box).
BOOL ShowOpenFileBox(OPENFILENAMEA* request);
BOOL ShowSaveFileBox(OPENFILENAMEA* request);
