#include "common/text_encoding.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

// Narrow literals in this file are GBK (the compiler stores them in code
// page 936); u8 literals stay UTF-8 and u literals UTF-16.

namespace {

std::string U8(std::u8string_view text) {
    return std::string(text.begin(), text.end());
}

// Text in both encodings of Unicode, for expectations.
struct Unicode {
    std::string utf8;
    std::u16string utf16;
};

struct GbkCase {
    const char* name;
    std::string gbk;
    Unicode unicode;
};

struct Utf8Case {
    const char* name;
    std::string utf8;
    std::string gbk;
};

struct Utf16Case {
    const char* name;
    std::u16string utf16;
    std::string gbk;
};

// FNV-1a over 32-bit numbers, to compare whole tables between the builds.
struct Digest {
    std::uint32_t value = 2166136261u;

    void Add(std::uint32_t number) {
        for (int shift = 0; shift < 32; shift += 8) {
            value = (value ^ ((number >> shift) & 0xFF)) * 16777619u;
        }
    }
};

}  // namespace

TEST(TextEncoding, GoodTextConvertsBothWays) {
    const GbkCase cases[] = {
        {"ascii", "Hello, 2008!\t~", {"Hello, 2008!\t~", u"Hello, 2008!\t~"}},
        {"chinese", "七月初八", {U8(u8"七月初八"), u"七月初八"}},
        {"mixed",
         "农历 闰十一月初一 (2033) 冬至",
         {U8(u8"农历 闰十一月初一 (2033) 冬至"), u"农历 闰十一月初一 (2033) 冬至"}},
        {"empty", "", {"", u""}},
        {"embedded nul", std::string("a\0b", 3), {std::string("a\0b", 3), std::u16string(u"a\0b", 3)}},
        {"euro sign is the single byte 0x80", "\x80", {U8(u8"€"), u"€"}},
    };
    for (const GbkCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(GbkToUtf8(c.gbk), c.unicode.utf8);
        EXPECT_EQ(GbkToUtf16(c.gbk), c.unicode.utf16);
        EXPECT_EQ(Utf8ToGbk(c.unicode.utf8), c.gbk);
        EXPECT_EQ(Utf16ToGbk(c.unicode.utf16), c.gbk);
    }
}

TEST(TextEncoding, BadGbkBytesBecomeReplacementCharacters) {
    const GbkCase cases[] = {
        {"trailing lone lead byte", "ab\xC6", {U8(u8"ab\uFFFD"), u"ab\uFFFD"}},
        {"lead byte before ASCII keeps the ASCII", "\xC6!", {U8(u8"\uFFFD!"), u"\uFFFD!"}},
        {"lead byte before DEL", "\xC6\x7F", {U8(u8"\uFFFD\x7F"), u"\uFFFD\x7F"}},
        {"0xFF starts nothing", "\xFFZ", {U8(u8"\uFFFDZ"), u"\uFFFDZ"}},
        {"pair without a character is one replacement", "\xA2\xA0!", {U8(u8"\uFFFD!"), u"\uFFFD!"}},
        {"user-defined area has no agreed character", "\xAA\xA1x", {U8(u8"\uFFFDx"), u"\uFFFDx"}},
        {"bad byte between characters", "七\xFF月", {U8(u8"七\uFFFD月"), u"七\uFFFD月"}},
    };
    for (const GbkCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(GbkToUtf8(c.gbk), c.unicode.utf8);
        EXPECT_EQ(GbkToUtf16(c.gbk), c.unicode.utf16);
    }
}

TEST(TextEncoding, BadOrMissingUnicodeBecomesQuestionMarks) {
    const Utf8Case utf8Cases[] = {
        {"truncated sequence, one mark a byte", "\xE4\xB8Z", "??Z"},
        {"stray continuation byte", "\x80", "?"},
        {"overlong encoding", "\xC0\xAF", "??"},
        {"encoded surrogate", "\xED\xA0\x80", "???"},
        {"past U+10FFFF", "\xF4\x90\x80\x80", "????"},
        {"bad byte between characters", U8(u8"七") + "\xFF" + U8(u8"月"), "七?月"},
        {"character missing from GBK", U8(u8"한글"), "??"},
        {"character outside the BMP", U8(u8"a😀b"), "a?b"},
        {"private use character", U8(u8"\uE000"), "?"},
        {"the replacement character itself", U8(u8"\uFFFD"), "?"},
    };
    for (const Utf8Case& c : utf8Cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Utf8ToGbk(c.utf8), c.gbk);
    }
    const Utf16Case utf16Cases[] = {
        {"lone high surrogate at the end", u"a\xD800", "a?"},
        {"lone low surrogate", u"\xDC00z", "?z"},
        {"surrogate pair is one character", u"\xD83D\xDE00", "?"},
        {"high surrogate before a pair", u"\xD800\xD83D\xDE00", "??"},
        {"private use character", u"\xE000\xF8F5", "??"},
    };
    for (const Utf16Case& c : utf16Cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Utf16ToGbk(c.utf16), c.gbk);
    }
}

// Long text is converted in runs; a run boundary must never split a character
// or lose the bad byte next to it.
TEST(TextEncoding, LongTextKeepsEveryCharacter) {
    // The leading "A" puts the two-byte characters at odd offsets.
    std::string gbk = "A";
    std::u16string utf16 = u"A";
    for (int i = 0; i < 70000; ++i) {
        gbk += "七";
        utf16 += u"七";
    }
    EXPECT_TRUE(GbkToUtf16(gbk) == utf16);
    EXPECT_TRUE(Utf16ToGbk(utf16) == gbk);
    gbk.insert(1 + 2 * 40000, "\xFF");
    utf16.insert(1 + 40000, 1, kReplacementCharacter);
    EXPECT_TRUE(GbkToUtf16(gbk) == utf16);
}

// Every one- and two-byte sequence of code page 936, and every character of
// the Basic Multilingual Plane: each one that converts at all converts back to
// itself, and the whole table gives the same digest in both builds (glibc's
// and Windows' tables agree once the user-defined areas are left out). The
// counts and digests were measured with glibc 2.36 and Wine 8 and agree.
TEST(TextEncoding, WholeCodePageAgreesAndRoundTrips) {
    Digest decoded;
    int characters = 0;
    auto check = [&](const std::string& gbk) {
        std::u16string utf16 = GbkToUtf16(gbk);
        for (char16_t unit : utf16) {
            decoded.Add(unit);
        }
        if (utf16.find(kReplacementCharacter) == std::u16string::npos) {
            ++characters;
            EXPECT_EQ(Utf16ToGbk(utf16), gbk) << std::hex << static_cast<int>(utf16[0]);
        }
    };
    for (int byte = 0; byte <= 0xFF; ++byte) {
        check(std::string(1, static_cast<char>(byte)));
    }
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail != 0x7F) {
                check(std::string{static_cast<char>(lead), static_cast<char>(trail)});
            }
        }
    }
    EXPECT_EQ(characters, 21920);  // 0x00-0x80 and 21791 two-byte characters
    EXPECT_EQ(decoded.value, 0x7d560df1u);

    Digest encoded;
    int encodable = 0;
    for (char32_t unit = 0; unit <= 0xFFFF; ++unit) {
        if (unit >= 0xD800 && unit <= 0xDFFF) {
            continue;
        }
        std::u16string utf16(1, static_cast<char16_t>(unit));
        std::string gbk = Utf16ToGbk(utf16);
        for (unsigned char byte : gbk) {
            encoded.Add(byte);
        }
        if (gbk != "?") {
            ++encodable;
            EXPECT_EQ(GbkToUtf16(gbk), utf16) << std::hex << static_cast<int>(unit);
        }
    }
    EXPECT_EQ(encodable, 21920 - 1);  // '?' itself is counted out above
    EXPECT_EQ(encoded.value, 0x7f883103u);
}
