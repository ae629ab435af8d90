#include "common/path_util.h"

bool IsPathSeparator(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    // Relative parts written in the product's Windows style ("Data\\x.ini")
    // are accepted natively too; Linux file names with a backslash are not
    // ones this suite creates.
    return c == '/' || c == '\\';
#endif
}

std::string JoinPath(std::string_view folder, std::string_view relative) {
    while (!relative.empty() && IsPathSeparator(relative.front())) {
        relative.remove_prefix(1);
    }
    std::string path(folder);
    while (path.size() > 1 && IsPathSeparator(path.back())) {
        path.pop_back();
    }
    if (!path.empty() && !relative.empty() && !IsPathSeparator(path.back())) {
        path += kPathSeparator;
    }
    for (char c : relative) {
        path += IsPathSeparator(c) ? kPathSeparator : c;
    }
    return path;
}

std::string FolderOf(std::string_view path) {
    std::size_t end = path.size();
    while (end > 0 && !IsPathSeparator(path[end - 1])) {
        --end;
    }
    // Drop the separator(s) before the name, but keep a root ("/" or "C:\").
    while (end > 1 && IsPathSeparator(path[end - 1]) && path[end - 2] != ':') {
        --end;
    }
    return std::string(path.substr(0, end));
}

std::string FileNameOf(std::string_view path) {
    std::size_t start = path.size();
    while (start > 0 && !IsPathSeparator(path[start - 1])) {
        --start;
    }
    return std::string(path.substr(start));
}
