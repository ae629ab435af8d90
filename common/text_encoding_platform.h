#pragma once

// The code page 936 converter of the platform (glibc iconv natively,
// MultiByteToWideChar/WideCharToMultiByte on Windows). The shared code in
// text_encoding.cpp hands it only well-formed input and decides what happens
// to everything else, so both builds replace bad input alike.

#include <string>
#include <string_view>

namespace text_encoding_platform {

// Appends the UTF-16 of `gbk`, a non-empty run of whole GBK sequences of at
// most 64 KiB. False, with `out` unchanged, when any sequence has no character.
bool DecodeCp936(std::string_view gbk, std::u16string& out);

// Appends the GBK of `utf16`, a non-empty run of at most 64 Ki UTF-16 units
// without surrogates. False, with `out` unchanged, when any character is
// missing from code page 936.
bool EncodeCp936(std::u16string_view utf16, std::string& out);

}  // namespace text_encoding_platform
