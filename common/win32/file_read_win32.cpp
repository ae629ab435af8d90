// Whole-file reading on Windows.

#include <windows.h>

#include <new>

#include "common/file_io.h"
#include "common/win32/handles.h"

namespace {

// The size the file claims, as a hint for the buffer only: the file may grow
// or shrink while it is read, and one larger than the bound is refused.
void ReserveForFile(HANDLE file, std::string& contents) {
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 &&
        static_cast<unsigned long long>(size.QuadPart) <= kMaxWholeFileBytes) {
        contents.reserve(static_cast<std::size_t>(size.QuadPart));
    }
}

// Appends the file's bytes up to its end; false on a read error or past
// the bound.
bool ReadToEnd(HANDLE file, std::string& contents) {
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
            return false;
        }
        if (got == 0) {
            return true;
        }
        if (got > kMaxWholeFileBytes - contents.size()) {
            return false;
        }
        contents.append(buffer, got);
    }
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& contents) {
    contents.clear();
    // Every sharing flag, delete too, so that no writer's open (one that
    // means to rename or delete the file included) is refused because of this
    // read. Where the system lets a rename replace an open file, a save goes
    // ahead at once; where it does not (Wine, older Windows), the save waits
    // for this short read. Either way a read sees one whole version.
    const UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;
    }
    bool read = false;
    try {
        ReserveForFile(file.get(), contents);
        read = ReadToEnd(file.get(), contents);
    } catch (const std::bad_alloc&) {
        read = false;
    }
    if (!read) {
        contents.clear();
    }
    return read;
}
