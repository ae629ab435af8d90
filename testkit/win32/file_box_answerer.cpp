#include "testkit/win32/file_box_answerer.h"

#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>

#include "testkit/win32/window_helpers.h"

namespace testkit {

// The file name field is a combo box (cmb13) in the Explorer-style box of
// Windows and an edit field (edt1) in some versions of Wine.
bool AnswerFileBox(const char* title, const std::string& path, unsigned int timeoutMs) {
    HWND box = WaitForWindow(
        {.className = "#32770", .title = title, .processId = GetCurrentProcessId(), .visibleOnly = true}, timeoutMs);
    if (box == nullptr) {
        return false;
    }
    HWND name = GetDlgItem(box, cmb13);
    if (name == nullptr) {
        name = GetDlgItem(box, edt1);
    }
    if (name == nullptr) {
        return false;
    }
    SendWithTimeout(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    return PostToWindow(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
}

}  // namespace testkit
