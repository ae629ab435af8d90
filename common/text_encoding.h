#pragma once

// Conversion between GBK (Windows code page 936, the encoding of every narrow
// text in the suite) and Unicode.
//
// Wide text is std::u16string in both builds: it is UTF-16, which is what
// Win32's W functions take (wchar_t is 16 bits there, so the buffer can be
// handed over as it is), while on Linux wchar_t is 32 bits and std::wstring
// would mean a different encoding in each build.
//
// Bad input is never an error and never read past its end. Both builds
// replace it the same way:
// - GBK to Unicode: a byte that starts no GBK character (0xFF, a lead byte
//   0x81-0xFE without a trail byte 0x40-0x7E or 0x80-0xFE after it, for
//   example at the end of the text) becomes U+FFFD and decoding goes on with
//   the next byte; a lead and trail byte pair that has no character becomes
//   one U+FFFD.
// - Unicode to GBK: a character that GBK lacks becomes one '?'; so do a lone
//   surrogate and, in UTF-8, every byte that does not belong to a well-formed
//   sequence.
// The user-defined areas of code page 936 have no agreed characters: Windows
// maps them to the Unicode private use area, glibc rejects them. Both builds
// treat them (and U+E000-U+F8FF) as having no character.

#include <cstddef>
#include <string>
#include <string_view>

inline constexpr char16_t kReplacementCharacter = u'\uFFFD';
inline constexpr char kGbkReplacement = '?';

std::string GbkToUtf8(std::string_view gbk);
std::string Utf8ToGbk(std::string_view utf8);
std::u16string GbkToUtf16(std::string_view gbk);
std::string Utf16ToGbk(std::u16string_view utf16);

// Bytes of the GBK character that begins `text`: 1 for 0x00-0x80, 2 for a
// lead byte followed by a trail byte, 0 when `text` is empty or begins with a
// byte that starts no character. Says nothing about whether a two-byte
// sequence has a character.
std::size_t GbkSequenceLength(std::string_view text);
