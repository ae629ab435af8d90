// libFuzzer target of the package names a request may give: a name that is
// taken is one plain file name, which joined to a folder stays in it.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "site/package_name.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string segment(reinterpret_cast<const char*>(data), size);
    const auto name = CheckedPackageName(segment);
    if (!name) {
        return 0;
    }
    Check(*name == segment);
    const std::filesystem::path joined = (std::filesystem::path("/published") / *name).lexically_normal();
    Check(joined.parent_path() == "/published");
    Check(joined.filename().string() == *name);
    return 0;
}
