// Any bytes as a published package address, the first line as the list's
// host: a name that comes out must be a plain file name.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "loader/skin_update.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::size_t lineEnd = input.find('\n');
    std::string_view listHost = lineEnd == std::string_view::npos ? std::string_view() : input.substr(0, lineEnd);
    std::string_view address = lineEnd == std::string_view::npos ? input : input.substr(lineEnd + 1);
    std::optional<std::string> name = PackageFileName(address, listHost);
    if (name && (name->empty() || name->size() > address.size() ||
                 name->find_first_of(":/\0", 0, 3) != std::string::npos || *name == "..")) {
        __builtin_trap();
    }
    (void)AddressHost(address);  // only that it never reads out of bounds
    return 0;
}
