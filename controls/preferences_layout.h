#pragma once

// The platform-free rules of the preferences frame: its caption, separator
// entries, the command of each entry and the steps in which the frame grows
// or shrinks to fit a page.

#include <cstdint>
#include <string>
#include <vector>

#include "controls/qvctrl_api.h"

namespace cmmctrls {

inline constexpr std::size_t kMaxCaptionBytes = 39;
// Entry i of the option list is selected by command kFirstPageCommand + i;
// separators take their place in the count too.
inline constexpr int kFirstPageCommand = 1024;
inline constexpr int kResizeSteps = 5;

// At most the first 39 bytes of `text` (GBK), never ending in the first half
// of a two-byte character, which would show as a stray character.
QVCTRL_API std::string TruncateCaption(const char* text);

// The title that makes an option a separator: "SEPERATOR" in any case.
QVCTRL_API bool IsSeparatorTitle(const char* title);

// Frame heights after each of the five resize steps from `from` to `to`:
// each step moves by a fifth of the difference and the last lands on `to`.
QVCTRL_API std::vector<std::int32_t> ResizeHeights(std::int32_t from, std::int32_t to);

}  // namespace cmmctrls
