// Code page 936 through MultiByteToWideChar and WideCharToMultiByte.

#include <windows.h>

#include "common/text_encoding_platform.h"

namespace {

constexpr UINT kCp936 = 936;

// std::u16string hands its buffer to the W functions as it is.
static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 wide text is UTF-16");

}  // namespace

namespace text_encoding_platform {

bool DecodeCp936(std::string_view gbk, std::u16string& out) {
    // The shared code passes runs of at most 64 KiB, so the length fits an int.
    int inSize = static_cast<int>(gbk.size());
    if (inSize <= 0) {
        return inSize == 0;
    }
    int needed = MultiByteToWideChar(kCp936, MB_ERR_INVALID_CHARS, gbk.data(), inSize, nullptr, 0);
    if (needed <= 0) {
        return false;
    }
    std::size_t before = out.size();
    out.resize(before + static_cast<std::size_t>(needed));
    auto* target = reinterpret_cast<wchar_t*>(out.data() + before);
    int written = MultiByteToWideChar(kCp936, MB_ERR_INVALID_CHARS, gbk.data(), inSize, target, needed);
    out.resize(before + static_cast<std::size_t>(written > 0 ? written : 0));
    return written > 0;
}

bool EncodeCp936(std::u16string_view utf16, std::string& out) {
    int inSize = static_cast<int>(utf16.size());
    if (inSize <= 0) {
        return inSize == 0;
    }
    const auto* source = reinterpret_cast<const wchar_t*>(utf16.data());
    // Without WC_NO_BEST_FIT_CHARS Windows would write look-alikes ("a" for
    // "ä"); a missing character must show as missing, as it does with iconv.
    BOOL usedDefault = FALSE;
    int needed = WideCharToMultiByte(kCp936, WC_NO_BEST_FIT_CHARS, source, inSize, nullptr, 0, nullptr, &usedDefault);
    if (needed <= 0 || usedDefault) {
        return false;
    }
    std::size_t before = out.size();
    out.resize(before + static_cast<std::size_t>(needed));
    int written = WideCharToMultiByte(kCp936, WC_NO_BEST_FIT_CHARS, source, inSize, out.data() + before, needed,
                                      nullptr, &usedDefault);
    bool ok = written > 0 && !usedDefault;
    out.resize(ok ? before + static_cast<std::size_t>(written) : before);
    return ok;
}

}  // namespace text_encoding_platform
