#pragma once

// The file name a request for a skin package names, after the HTTP layer
// has decoded the path. Only a plain file name of the published folder is
// taken: nothing that could reach outside it.

#include <optional>
#include <string>
#include <string_view>

// `segment` as a file name, or none when it is empty, "." or "..", or holds
// a slash, a backslash, a colon (a drive name), a percent sign (a second
// round of encoding), a zero byte or any other control character, or starts
// with a dot (hidden files are never published).
std::optional<std::string> CheckedPackageName(std::string_view segment);
