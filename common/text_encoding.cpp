#include "common/text_encoding.h"

#include <algorithm>

#include "common/text_encoding_platform.h"

// The rules for bad input live here, in code that both builds share; the
// platform converter only ever sees well-formed runs.

namespace {

using text_encoding_platform::DecodeCp936;
using text_encoding_platform::EncodeCp936;

// Runs handed to the platform converter are cut at this size, which keeps
// their lengths far inside the int that Win32 counts in.
constexpr std::size_t kMaxRun = 64 * 1024;

constexpr bool IsLeadByte(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

constexpr bool IsTrailByte(unsigned char byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFE);
}

constexpr bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

constexpr bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The code page's user-defined areas decode into this range on Windows only.
constexpr bool IsPrivateUse(char32_t unit) {
    return unit >= 0xE000 && unit <= 0xF8FF;
}

bool HasPrivateUse(std::u16string_view text) {
    return std::any_of(text.begin(), text.end(), [](char16_t unit) { return IsPrivateUse(unit); });
}

// Decodes with the platform; private-use results count as no character.
bool DecodeAgreed(std::string_view gbk, std::u16string& out) {
    std::size_t before = out.size();
    if (!DecodeCp936(gbk, out)) {
        return false;
    }
    if (HasPrivateUse(std::u16string_view(out).substr(before))) {
        out.resize(before);
        return false;
    }
    return true;
}

// `run` holds whole sequences only. One bad sequence must not spoil its
// neighbours, so a failed run is decoded again one sequence at a time.
void DecodeRun(std::string_view run, std::u16string& out) {
    if (DecodeAgreed(run, out)) {
        return;
    }
    for (std::size_t pos = 0; pos < run.size();) {
        std::size_t length = GbkSequenceLength(run.substr(pos));
        std::string_view sequence = run.substr(pos, length);
        auto first = static_cast<unsigned char>(sequence[0]);
        if (first < 0x80) {
            // ASCII is the same in GBK; it survives even without a converter.
            out += static_cast<char16_t>(first);
        } else if (!DecodeAgreed(sequence, out)) {
            out += kReplacementCharacter;
        }
        pos += length;
    }
}

constexpr bool IsEncodable(char16_t unit) {
    return !IsHighSurrogate(unit) && !IsLowSurrogate(unit) && !IsPrivateUse(unit);
}

// `run` holds no surrogates and no private-use characters.
void EncodeRun(std::u16string_view run, std::string& out) {
    if (EncodeCp936(run, out)) {
        return;
    }
    for (std::size_t i = 0; i < run.size(); ++i) {
        if (run[i] < 0x80) {
            out += static_cast<char>(run[i]);
        } else if (!EncodeCp936(run.substr(i, 1), out)) {
            out += kGbkReplacement;
        }
    }
}

// UTF-16 units of the character at the start of `text`: 2 for a surrogate
// pair, 1 for anything else (a lone surrogate included).
std::size_t Utf16CharLength(std::u16string_view text) {
    return text.size() >= 2 && IsHighSurrogate(text[0]) && IsLowSurrogate(text[1]) ? 2 : 1;
}

// Length of the well-formed UTF-8 sequence at the start of `text` and its code
// point; 0 when the first byte starts none (a stray continuation byte, a
// truncated, overlong or surrogate sequence, a value past U+10FFFF).
std::size_t DecodeUtf8(std::string_view text, char32_t& codePoint) {
    auto first = static_cast<unsigned char>(text[0]);
    if (first < 0x80) {
        codePoint = first;
        return 1;
    }
    std::size_t length = 0;
    if (first >= 0xC2 && first <= 0xDF) {
        length = 2;
        codePoint = first & 0x1F;
    } else if (first >= 0xE0 && first <= 0xEF) {
        length = 3;
        codePoint = first & 0x0F;
    } else if (first >= 0xF0 && first <= 0xF4) {
        length = 4;
        codePoint = first & 0x07;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) != 0x80) {
            return 0;
        }
        codePoint = codePoint << 6 | (byte & 0x3F);
    }
    // Smallest code point that needs `length` bytes, index = length.
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    bool surrogate = IsHighSurrogate(codePoint) || IsLowSurrogate(codePoint);
    if (codePoint < kSmallest[length] || surrogate || codePoint > 0x10FFFF) {
        return 0;
    }
    return length;
}

// Every byte outside a well-formed sequence becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        char32_t codePoint = 0;
        std::size_t length = DecodeUtf8(utf8.substr(pos), codePoint);
        if (length == 0) {
            out += kReplacementCharacter;
            ++pos;
            continue;
        }
        if (codePoint >= 0x10000) {
            codePoint -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (codePoint >> 10));
            out += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
        } else {
            out += static_cast<char16_t>(codePoint);
        }
        pos += length;
    }
    return out;
}

void AppendUtf8(char32_t codePoint, std::string& out) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | codePoint >> 6);
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | codePoint >> 12);
        out += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | codePoint >> 18);
        out += static_cast<char>(0x80 | (codePoint >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

// A lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size() * 3);
    for (std::size_t pos = 0; pos < utf16.size();) {
        std::size_t length = Utf16CharLength(utf16.substr(pos));
        char32_t unit = utf16[pos];
        if (length == 2) {
            AppendUtf8(0x10000 + ((unit - 0xD800) << 10) + (utf16[pos + 1] - 0xDC00), out);
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            AppendUtf8(kReplacementCharacter, out);
        } else {
            AppendUtf8(unit, out);
        }
        pos += length;
    }
    return out;
}

}  // namespace

std::size_t GbkSequenceLength(std::string_view text) {
    if (text.empty()) {
        return 0;
    }
    auto first = static_cast<unsigned char>(text[0]);
    if (first <= 0x80) {
        return 1;  // ASCII, and 0x80 for the euro sign
    }
    if (IsLeadByte(first) && text.size() >= 2 && IsTrailByte(static_cast<unsigned char>(text[1]))) {
        return 2;
    }
    return 0;
}

std::u16string GbkToUtf16(std::string_view gbk) {
    std::u16string out;
    out.reserve(gbk.size());
    std::size_t pos = 0;
    while (pos < gbk.size()) {
        std::size_t end = pos;
        // A sequence is at most two bytes, so the run stays within kMaxRun.
        while (end - pos < kMaxRun - 1) {
            std::size_t length = GbkSequenceLength(gbk.substr(end));
            if (length == 0) {
                break;
            }
            end += length;
        }
        if (end > pos) {
            DecodeRun(gbk.substr(pos, end - pos), out);
            pos = end;
        } else {
            out += kReplacementCharacter;
            ++pos;
        }
    }
    return out;
}

std::string Utf16ToGbk(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size() * 2);
    std::size_t pos = 0;
    while (pos < utf16.size()) {
        std::size_t end = pos;
        while (end < utf16.size() && end - pos < kMaxRun && IsEncodable(utf16[end])) {
            ++end;
        }
        if (end > pos) {
            EncodeRun(utf16.substr(pos, end - pos), out);
            pos = end;
        } else {
            out += kGbkReplacement;
            pos += Utf16CharLength(utf16.substr(pos));
        }
    }
    return out;
}

std::string GbkToUtf8(std::string_view gbk) {
    return Utf16ToUtf8(GbkToUtf16(gbk));
}

// U+FFFD, which stands for bad UTF-8, is not in GBK and so becomes '?'.
std::string Utf8ToGbk(std::string_view utf8) {
    return Utf16ToGbk(Utf8ToUtf16(utf8));
}
