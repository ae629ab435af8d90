#pragma once

// A favourite of the navigation browser, kept as the shell keeps its own: an
// Internet shortcut file (<name>.url) in the user's favourites folder.

#include <string>

// The shortcut's file name for a page titled `title` showing `address`: the
// title without the blanks and dots at its ends, every character that a file
// name cannot hold (\ / : * ? " < > | and control characters) made '_', the
// second byte of a double-byte GBK character kept as it is; the address
// stands in for a title with nothing left, "favourite" for both. Never a
// path: the name cannot leave the folder it is written to.
std::string FavouriteFileName(const std::string& title, const std::string& address);

// The shortcut file's text; the address ends at a line break.
std::string FavouriteFileText(const std::string& address);
