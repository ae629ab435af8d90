#pragma once

// Text written into HTML pages (the chat history viewer, the site service's
// pages).

#include <string>
#include <string_view>

// `text` with &, <, >, " and ' written as entities. Byte by byte is safe for
// GBK: the second byte of a double-byte character is 0x40 or above, never one
// of these.
std::string HtmlEscape(std::string_view text);
