#pragma once

// Small text rules for GBK strings that the INI reader and the history list
// share. Every byte that ends or separates something here (blanks, '=', ';',
// quotes, line ends) is below 0x40 and so can never be the second byte of a
// double-byte character; only letters and brackets can, which is why case
// folding and the bracket search walk the text character by character.

#include <cstddef>
#include <string_view>

// Blanks as the Windows profile functions see them: space, tab, line feed,
// vertical tab, form feed, carriage return, and 0x1A (the DOS end-of-file
// mark). The full-width space of GBK is text, not a blank.
bool IsBlank(char c);

// `text` without the blanks at either end.
std::string_view TrimBlanks(std::string_view text);

// True when `a` and `b` are the same text apart from the case of ASCII
// letters. The two bytes of a double-byte character must match exactly.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// The longest start of `text` that has at most `maxBytes` bytes and does not
// end in the middle of a double-byte character.
std::string_view CutToCharacters(std::string_view text, std::size_t maxBytes);

// Position of the last `c` in `text` that is a character of its own (not the
// second byte of a double-byte character), or npos.
std::size_t FindLastCharacter(std::string_view text, char c);
