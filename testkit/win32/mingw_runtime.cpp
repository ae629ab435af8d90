#include "testkit/win32/mingw_runtime.h"

#include <sstream>

namespace testkit {

// SUITE_MINGW_RUNTIME_DLL_NAMES comes from the toolchain file as one string
// of names separated by blanks (no DLL name holds one).
std::vector<std::string> MingwRuntimeDlls() {
    std::vector<std::string> names;
    std::istringstream words(SUITE_MINGW_RUNTIME_DLL_NAMES);
    for (std::string name; words >> name;) {
        names.push_back(name);
    }
    return names;
}

}  // namespace testkit
