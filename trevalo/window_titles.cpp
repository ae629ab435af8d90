#include "trevalo/window_titles.h"

#include <string_view>

namespace {

constexpr std::string_view kBlankTabWord = "空白";

// Blanks are ASCII (below 0x40), never the second byte of a double-byte
// character, so trimming them byte by byte keeps characters whole.
std::string_view TrimBlanks(std::string_view text) {
    constexpr std::string_view kBlanks = " \t";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace

std::string NavigationWindowTitle(const std::string& tabText) {
    if (TrimBlanks(tabText) == kBlankTabWord) {
        return kNavigationWindowTitle;
    }
    return std::string(kNavigationWindowTitle) + "－" + tabText;
}
