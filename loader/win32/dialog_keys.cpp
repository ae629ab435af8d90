#include "loader/win32/dialog_keys.h"

#include <cstring>

namespace {

// The class every dialog made from a template has.
constexpr char kDialogClass[] = "#32770";

}  // namespace

bool RouteDialogKeys(MSG& message) {
    if (message.hwnd == nullptr || message.message < WM_KEYFIRST || message.message > WM_KEYLAST) {
        return false;
    }
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    char className[sizeof kDialogClass + 1] = {};
    return root != nullptr && GetClassNameA(root, className, sizeof className) > 0 &&
           std::strcmp(className, kDialogClass) == 0 && IsDialogMessageA(root, &message) != FALSE;
}
