// Whole-file reading for the native build.

#include <fstream>
#include <ios>
#include <new>

#include "common/file_io.h"

bool ReadWholeFile(const std::string& path, std::string& contents) {
    contents.clear();
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) {
        return false;
    }
    // The GNU library's file buffer throws on a failed read (a folder opens
    // on Linux, and reading it fails) whatever the stream's exception mask.
    try {
        char buffer[65536];
        while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
            const auto got = static_cast<std::size_t>(file.gcount());
            if (got > kMaxWholeFileBytes - contents.size()) {
                contents.clear();
                return false;
            }
            contents.append(buffer, got);
        }
    } catch (const std::ios_base::failure&) {
        contents.clear();
        return false;
    } catch (const std::bad_alloc&) {
        contents.clear();
        return false;
    }
    if (file.bad()) {
        contents.clear();
        return false;
    }
    return true;
}
