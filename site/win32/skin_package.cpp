// A published skin package: the skin update downloads it into the program
// folder's Modules\ and runs it hidden. It carries one skin folder as
// resources (string 1: the folder's name; each RCDATA resource named after
// a file) and writes them into Calendar\<folder> beside itself, where the
// calendar finds its skins. The build makes one such program per skin the
// suite draws.
//
// Linked statically, so the downloaded copy needs no runtime DLLs beside it.

#include <windows.h>

#include <string>

#include "common/win32/handles.h"

namespace {

constexpr UINT kFolderNameString = 1;

struct Unpacking {
    std::string folder;
    bool failed = false;
};

// Resource names are stored upper-case; the file system ignores case, and
// the skin's readers ask for lower-case names, so they are written so.
std::string LowerCase(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

bool WriteResource(HMODULE module, LPCSTR name, const std::string& path) {
    HRSRC found = FindResourceA(module, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    const DWORD size = found != nullptr ? SizeofResource(module, found) : 0;
    if (bytes == nullptr) {
        return false;
    }
    UniqueFile file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.get(), bytes, size, &written, nullptr) && written == size;
}

BOOL CALLBACK UnpackOne(HMODULE module, LPCSTR, LPSTR name, LONG_PTR context) {
    auto& unpacking = *reinterpret_cast<Unpacking*>(context);
    // A numbered resource names no file: none is built into a package.
    if (IS_INTRESOURCE(name) || !WriteResource(module, name, unpacking.folder + "\\" + LowerCase(name))) {
        unpacking.failed = true;
    }
    return TRUE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    char self[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    char skinName[MAX_PATH] = {};
    if (length == 0 || length >= MAX_PATH || LoadStringA(instance, kFolderNameString, skinName, MAX_PATH) == 0) {
        return 1;
    }
    const std::string path(self, length);
    const std::string calendar = path.substr(0, path.find_last_of('\\')) + "\\Calendar";
    Unpacking unpacking{calendar + "\\" + skinName};
    CreateDirectoryA(calendar.c_str(), nullptr);  // it is there already in an installed suite
    if (!CreateDirectoryA(unpacking.folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        return 2;
    }
    if (!EnumResourceNamesA(instance, MAKEINTRESOURCEA(10), UnpackOne, reinterpret_cast<LONG_PTR>(&unpacking))) {
        return 3;
    }
    return unpacking.failed ? 4 : 0;
}
