#pragma once

// The mingw runtime DLLs this build's programs load, for tests that assemble
// a program folder of their own.

#include <string>
#include <vector>

namespace testkit {

// File names of the shared mingw runtime of the tree the test was built in
// (they differ between the 32- and 64-bit targets), in no particular order.
std::vector<std::string> MingwRuntimeDlls();

}  // namespace testkit
