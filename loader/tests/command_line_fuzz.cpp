// Any bytes as a command line and as a forwarded command.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "loader/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string command = CommandTextOf(text);
    if (command.size() > text.size()) {
        __builtin_trap();
    }
    ForwardedCommand forwarded = ClassifyForwardedCommand(kCopyDataCommand, text);
    if (forwarded.text.size() > size || forwarded.text.find('\0') != std::string::npos) {
        __builtin_trap();
    }
    return 0;
}
