#pragma once

// Path helpers. Paths are narrow text in the file system's encoding (GBK on
// Windows). The product builds its paths from a folder without a trailing
// separator and a relative part, in the style "folder\Data\module.ini".

#include <string>
#include <string_view>

// The separator this build's file system uses: '\' on Windows, '/' natively.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// True for a character that separates folders on this build ('/' also on Windows).
bool IsPathSeparator(char c);

// `folder` and `relative` joined by exactly one separator: a separator at the
// end of `folder` or at the start of `relative` is not doubled. Separators
// inside `relative` are written as this build's separator, so "Data\\x.ini"
// and "Data/x.ini" name the same file on both builds. An empty folder gives
// `relative` alone.
std::string JoinPath(std::string_view folder, std::string_view relative);

// The folder of a path, without a trailing separator ("" for a bare name).
std::string FolderOf(std::string_view path);

// The last component of a path (the file name).
std::string FileNameOf(std::string_view path);
