#pragma once

// Starting a program of the suite the way a user's shortcut does, for the
// end-to-end tests.

#include <string>

#include "common/win32/handles.h"

namespace testkit {

// Starts `program` (a full path) with `arguments` after its quoted path, in
// `folder`. The process handle, or an empty one when it could not be started
// (GetLastError says why).
UniqueHandle StartProgram(const std::string& program, const std::string& arguments, const std::string& folder);

}  // namespace testkit
