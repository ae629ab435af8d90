#include "controls/preferences_layout.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "common/text_encoding.h"

namespace cmmctrls {

std::string TruncateCaption(const char* text) {
    if (text == nullptr) {
        return {};
    }
    const std::string_view whole(text);
    std::size_t kept = 0;
    while (kept < whole.size()) {
        // A byte that starts no character counts as one, as Windows shows it.
        std::size_t length = std::max<std::size_t>(GbkSequenceLength(whole.substr(kept)), 1);
        if (kept + length > kMaxCaptionBytes) {
            break;
        }
        kept += length;
    }
    return std::string(whole.substr(0, kept));
}

bool IsSeparatorTitle(const char* title) {
    constexpr std::string_view kSeparator = "SEPERATOR";
    if (title == nullptr || std::strlen(title) != kSeparator.size()) {
        return false;
    }
    for (std::size_t i = 0; i < kSeparator.size(); ++i) {
        char c = title[i];
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
        if (c != kSeparator[i]) {
            return false;
        }
    }
    return true;
}

std::vector<std::int32_t> ResizeHeights(std::int32_t from, std::int32_t to) {
    // The step is rounded towards zero; the last step also takes what the
    // rounding left over, so the frame ends exactly at the wanted height.
    const std::int64_t step = (static_cast<std::int64_t>(to) - from) / kResizeSteps;
    std::vector<std::int32_t> heights;
    for (int i = 1; i < kResizeSteps; ++i) {
        heights.push_back(static_cast<std::int32_t>(from + step * i));
    }
    heights.push_back(to);
    return heights;
}

}  // namespace cmmctrls
