#pragma once

// The schedule editor's file-open box for the program and the sound of a
// reminder.

#include <windows.h>

#include <optional>
#include <string>

// Asks for an existing file (its folder must exist too) in a box owned by
// `owner`, titled `title`, with `filter` as GetOpenFileName takes it.
// Nothing when the user cancels, or when the chosen path is longer than a
// reminder stores (the user is told): cutting it would name another file.
std::optional<std::string> ChooseExistingFile(HWND owner, const char* title, const char* filter);
