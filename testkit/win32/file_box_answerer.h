#pragma once

// Answering a file-open box of the test's own process the way a user does:
// typing a path into its name field and pressing its OK button.

#include <string>

namespace testkit {

// Waits up to `timeoutMs` for the visible box titled `title` (GBK), types
// `path` into its file name field and presses OK. False when no such box
// came up or it has no name field.
bool AnswerFileBox(const char* title, const std::string& path, unsigned int timeoutMs = 10000);

}  // namespace testkit
