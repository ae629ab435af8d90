// Conversions of arbitrary bytes must not crash or read out of bounds, and
// GBK that decodes without a replacement character must come back unchanged.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "common/text_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);

    std::string utf8 = GbkToUtf8(bytes);
    if (utf8.find("\xEF\xBF\xBD") == std::string::npos && Utf8ToGbk(utf8) != bytes) {
        __builtin_trap();
    }
    if (GbkToUtf16(bytes).size() > size) {
        __builtin_trap();  // every byte gives at most one UTF-16 unit
    }
    Utf8ToGbk(bytes);

    std::u16string utf16(size / sizeof(char16_t), u'\0');
    std::memcpy(utf16.data(), data, utf16.size() * sizeof(char16_t));
    std::string gbk = Utf16ToGbk(utf16);
    if (gbk.size() > utf16.size() * 2) {
        __builtin_trap();
    }
    return 0;
}
