#pragma once

// The system's temporary folder, as the suite's files in it are named from.

#include <string>

// The temporary folder without its trailing backslash; empty when the
// system names none (or one longer than a path may be).
std::string TemporaryFolder();
