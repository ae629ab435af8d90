#include "toolkit/gbk_text.h"

#include "common/text_encoding.h"

namespace {

// Bytes of the character at the start of `text`; a byte that starts no GBK
// character counts as a character of its own.
std::size_t CharacterLength(std::string_view text) {
    std::size_t length = GbkSequenceLength(text);
    return length == 0 ? 1 : length;
}

char FoldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == '\x1A';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    // Where both sides agree, their characters start at the same positions,
    // so walking the characters of `a` walks those of `b` too.
    std::size_t pos = 0;
    while (pos < a.size()) {
        std::size_t length = CharacterLength(a.substr(pos));
        if (length == 1) {
            if (FoldAscii(a[pos]) != FoldAscii(b[pos])) {
                return false;
            }
        } else if (a.compare(pos, length, b, pos, length) != 0) {
            return false;
        }
        pos += length;
    }
    return true;
}

std::string_view CutToCharacters(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) {
        return text;
    }
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t length = CharacterLength(text.substr(pos));
        if (pos + length > maxBytes) {
            break;
        }
        pos += length;
    }
    return text.substr(0, pos);
}

std::size_t FindLastCharacter(std::string_view text, char c) {
    std::size_t found = std::string_view::npos;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t length = CharacterLength(text.substr(pos));
        if (length == 1 && text[pos] == c) {
            found = pos;
        }
        pos += length;
    }
    return found;
}
