#include "common/file_io.h"

#include <fstream>
#include <iterator>

bool ReadWholeFile(const std::string& path, std::string& contents) {
    contents.clear();
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) {
        return false;
    }
    contents.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (file.bad()) {
        contents.clear();
        return false;
    }
    return true;
}
