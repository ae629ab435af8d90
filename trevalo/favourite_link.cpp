#include "trevalo/favourite_link.h"

#include <cstddef>
#include <string_view>

namespace {

// Longest name kept, in bytes, so the folder, the name and ".url" stay
// within MAX_PATH.
constexpr std::size_t kNameMaxBytes = 120;

bool IsLeadByte(unsigned char c) {
    return c >= 0x81 && c <= 0xFE;
}

bool IsRefused(unsigned char c) {
    return c < 0x20 || std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos;
}

std::string_view TrimEnds(std::string_view text) {
    // Windows drops trailing dots and blanks from a file name, and leading
    // dots would make a hidden or relative-looking name.
    constexpr std::string_view kEnds = " .\t";
    const std::size_t first = text.find_first_not_of(kEnds);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kEnds) - first + 1);
}

std::string SafeName(std::string_view text) {
    std::string name;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (IsLeadByte(c) && i + 1 < text.size()) {
            if (name.size() + 2 > kNameMaxBytes) {
                break;
            }
            name += text.substr(i, 2);
            ++i;
            continue;
        }
        if (name.size() + 1 > kNameMaxBytes) {
            break;
        }
        // A lead byte without its second byte is no character.
        name += IsRefused(c) || IsLeadByte(c) ? '_' : static_cast<char>(c);
    }
    return std::string(TrimEnds(name));
}

}  // namespace

std::string FavouriteFileName(const std::string& title, const std::string& address) {
    std::string name = SafeName(TrimEnds(title));
    if (name.empty()) {
        name = SafeName(TrimEnds(address));
    }
    if (name.empty()) {
        name = "favourite";
    }
    return name + ".url";
}

std::string FavouriteFileText(const std::string& address) {
    // A line break would start a line of the shortcut's own.
    const std::string_view line = std::string_view(address).substr(0, address.find_first_of("\r\n"));
    return "[InternetShortcut]\r\nURL=" + std::string(line) + "\r\n";
}
