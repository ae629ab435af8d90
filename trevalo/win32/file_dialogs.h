#pragma once

// The common open and save dialogs with filters written the way the program
// keeps them ("描述 (*.xml)|*.xml||").

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

// `filter` with each '|' turned into the zero byte that separates the
// dialog's filter strings; a '|' that is the second byte of a GBK character
// is part of that character and stays.
std::string DialogFilter(std::string_view filter);

// The file the user chose in the box titled `title`, or nothing when the box
// was cancelled.
std::optional<std::string> ChooseFileToOpen(HWND owner, const char* title, std::string_view filter);
// `defaultExtension` (without the dot) is added to a name typed without one.
std::optional<std::string> ChooseFileToSave(HWND owner,
                                            const char* title,
                                            std::string_view filter,
                                            const char* defaultExtension);
