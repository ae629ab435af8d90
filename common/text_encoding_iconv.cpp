// Code page 936 through glibc iconv, for the native build.

#include <iconv.h>

#include <bit>
#include <cstddef>

#include "common/text_encoding_platform.h"

namespace {

constexpr const char* kUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";
// glibc's name for the Windows table: it agrees with Windows on every
// character outside the user-defined areas (0x80 is the euro sign).
constexpr const char* kCp936 = "CP936";

// One iconv descriptor, kept per thread: opening one costs far more than a
// conversion, and a descriptor must not be shared between threads.
class IconvConverter {
public:
    IconvConverter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~IconvConverter() {
        if (IsOpen()) {
            iconv_close(handle_);
        }
    }
    IconvConverter(const IconvConverter&) = delete;
    IconvConverter& operator=(const IconvConverter&) = delete;

    // Converts all of `in` into `out`; false when the converter could not be
    // opened, a sequence is rejected or not reversible, or `out` is too small.
    bool Convert(const char* in, std::size_t inSize, char* out, std::size_t outSize, std::size_t& written) {
        if (!IsOpen()) {
            return false;
        }
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        // iconv's prototype takes char** for the input but never writes through it.
        char* inPtr = const_cast<char*>(in);
        std::size_t inLeft = inSize;
        char* outPtr = out;
        std::size_t outLeft = outSize;
        std::size_t result = iconv(handle_, &inPtr, &inLeft, &outPtr, &outLeft);
        if (result != 0 || inLeft != 0) {
            return false;
        }
        written = outSize - outLeft;
        return true;
    }

private:
    bool IsOpen() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    iconv_t handle_;
};

}  // namespace

namespace text_encoding_platform {

bool DecodeCp936(std::string_view gbk, std::u16string& out) {
    thread_local IconvConverter decoder(kUtf16, kCp936);
    // Every GBK sequence (one or two bytes) is one UTF-16 unit.
    std::size_t before = out.size();
    out.resize(before + gbk.size());
    std::size_t written = 0;
    bool ok = decoder.Convert(gbk.data(), gbk.size(), reinterpret_cast<char*>(out.data() + before),
                              gbk.size() * sizeof(char16_t), written);
    out.resize(ok ? before + written / sizeof(char16_t) : before);
    return ok;
}

bool EncodeCp936(std::u16string_view utf16, std::string& out) {
    thread_local IconvConverter encoder(kCp936, kUtf16);
    // A character outside the surrogates is at most two GBK bytes.
    std::size_t before = out.size();
    out.resize(before + utf16.size() * 2);
    std::size_t written = 0;
    bool ok = encoder.Convert(reinterpret_cast<const char*>(utf16.data()), utf16.size() * sizeof(char16_t),
                              out.data() + before, utf16.size() * 2, written);
    out.resize(ok ? before + written : before);
    return ok;
}

}  // namespace text_encoding_platform
