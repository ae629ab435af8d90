#pragma once

// An owned BSTR, made from GBK text, and GBK text read back from a BSTR.

#include <windows.h>

#include <oleauto.h>

#include <string>
#include <string_view>

#include "common/text_encoding.h"

class Bstr {
public:
    Bstr() = default;
    // Null when out of memory.
    explicit Bstr(std::string_view gbk) {
        const std::u16string wide = GbkToUtf16(gbk);
        value_ = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(wide.data()), static_cast<UINT>(wide.size()));
    }
    ~Bstr() { SysFreeString(value_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;

    BSTR get() const { return value_; }
    // For out-parameters: frees what is held and hands out the slot.
    BSTR* put() {
        SysFreeString(value_);
        value_ = nullptr;
        return &value_;
    }

private:
    BSTR value_ = nullptr;
};

// The GBK text of `text`; empty for a null BSTR.
inline std::string GbkOf(BSTR text) {
    if (text == nullptr) {
        return {};
    }
    return Utf16ToGbk(std::u16string_view(reinterpret_cast<const char16_t*>(text), SysStringLen(text)));
}
