#include "common/win32/file_box.h"

namespace {

using FileBoxFunction = BOOL(WINAPI*)(OPENFILENAMEA*);

// Loaded on first use and kept for the life of the process: a system DLL,
// and freeing a library from another DLL's unloading is not safe.
HMODULE FileBoxLibrary() {
    static const HMODULE library = LoadLibraryA("comdlg32.dll");
    return library;
}

BOOL CallFileBox(const char* name, OPENFILENAMEA* request) {
    HMODULE library = FileBoxLibrary();
    if (library == nullptr) {
        return FALSE;
    }
    auto function = reinterpret_cast<FileBoxFunction>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    return function != nullptr ? function(request) : FALSE;
}

}  // namespace

BOOL ShowOpenFileBox(OPENFILENAMEA* request) {
    return CallFileBox("GetOpenFileNameA", request);
}

BOOL ShowSaveFileBox(OPENFILENAMEA* request) {
    return CallFileBox("GetSaveFileNameA", request);
}
