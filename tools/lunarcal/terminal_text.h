#pragma once

// Outside text (arguments, holiday file entries) made fit to be printed on a
// terminal line. Texts are GBK.

#include <string>
#include <string_view>

// Control bytes (an escape sequence could restyle the terminal or move its
// cursor, a line break would split a line) become spaces, and bytes that start
// no GBK character become '?', so that the result is sound GBK.
std::string TerminalSafe(std::string_view gbk);

// An argument as an error message shows it: made terminal-safe, cut after a
// few dozen bytes at a character boundary, and quoted.
std::string QuotedArgument(std::string_view arg);
