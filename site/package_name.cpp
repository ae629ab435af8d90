#include "site/package_name.h"

std::optional<std::string> CheckedPackageName(std::string_view segment) {
    if (segment.empty() || segment.front() == '.') {
        return std::nullopt;
    }
    for (const char c : segment) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '/' || c == '\\' || c == ':' || c == '%') {
            return std::nullopt;
        }
    }
    return std::string(segment);
}
