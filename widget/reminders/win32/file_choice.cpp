#include "widget/reminders/win32/file_choice.h"

#include "common/win32/file_box.h"
#include "services/product_services.h"
#include "widget/reminders/editor_field_rules.h"

namespace {

constexpr char kPathTooLongMessage[] = "所选文件的路径超过256个字符，请选择其他文件。";

}  // namespace

std::optional<std::string> ChooseExistingFile(HWND owner, const char* title, const char* filter) {
    char path[MAX_PATH] = {};
    OPENFILENAMEA box = {};
    box.lStructSize = sizeof(box);
    box.hwndOwner = owner;
    box.lpstrFilter = filter;
    box.lpstrFile = path;
    box.nMaxFile = MAX_PATH;
    box.lpstrTitle = title;
    // The widget resolves nothing against the current folder, but the host
    // program may: the box must leave it as it was.
    box.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!ShowOpenFileBox(&box)) {
        return std::nullopt;
    }
    std::string chosen = path;
    if (LimitGbkText(chosen, kPathMaxCharacters) != chosen) {
        MsgBox(owner, kPathTooLongMessage, MB_ICONWARNING);
        return std::nullopt;
    }
    return chosen;
}
