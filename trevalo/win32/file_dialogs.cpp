#include "trevalo/win32/file_dialogs.h"

#include <commdlg.h>

#include "common/text_encoding.h"

std::string DialogFilter(std::string_view filter) {
    std::string converted;
    converted.reserve(filter.size() + 2);
    while (!filter.empty()) {
        const std::size_t length = GbkSequenceLength(filter) == 2 ? 2 : 1;
        if (length == 1 && filter.front() == '|') {
            converted.push_back('\0');
        } else {
            converted.append(filter.substr(0, length));
        }
        filter.remove_prefix(length);
    }
    // The list ends with two zero bytes even when the text lacks its "||".
    converted.append(2, '\0');
    return converted;
}

namespace {

OPENFILENAMEA DialogOptions(HWND owner, const char* title, const std::string& filter, char* file, DWORD fileSize) {
    OPENFILENAMEA options{};
    options.lStructSize = sizeof options;
    options.hwndOwner = owner;
    options.lpstrTitle = title;
    options.lpstrFilter = filter.c_str();
    options.nFilterIndex = 1;
    // The boxes would otherwise make the chosen folder the process's current
    // one, holding it open; every path here is absolute anyway.
    options.Flags = OFN_NOCHANGEDIR;
    options.lpstrFile = file;
    options.nMaxFile = fileSize;
    return options;
}

}  // namespace

std::optional<std::string> ChooseFileToOpen(HWND owner, const char* title, std::string_view filter) {
    const std::string filters = DialogFilter(filter);
    char file[MAX_PATH] = {};
    OPENFILENAMEA options = DialogOptions(owner, title, filters, file, MAX_PATH);
    options.Flags |= OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameA(&options)) {
        return std::nullopt;
    }
    return std::string(file);
}

std::optional<std::string> ChooseFileToSave(HWND owner,
                                            const char* title,
                                            std::string_view filter,
                                            const char* defaultExtension) {
    const std::string filters = DialogFilter(filter);
    char file[MAX_PATH] = {};
    OPENFILENAMEA options = DialogOptions(owner, title, filters, file, MAX_PATH);
    options.lpstrDefExt = defaultExtension;
    options.Flags |= OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
    if (!GetSaveFileNameA(&options)) {
        return std::nullopt;
    }
    return std::string(file);
}
