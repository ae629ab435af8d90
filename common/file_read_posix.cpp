#include "common/file_io.h"

#include <fstream>
#include <ios>
#include <iterator>

bool ReadWholeFile(const std::string& path, std::string& contents) {
    contents.clear();
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) {
        return false;
    }
    // The GNU library's file buffer throws on a failed read (a folder opens
    // on Linux, and reading it fails) whatever the stream's exception mask.
    try {
        contents.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    } catch (const std::ios_base::failure&) {
        contents.clear();
        return false;
    }
    if (file.bad()) {
        contents.clear();
        return false;
    }
    return true;
}
