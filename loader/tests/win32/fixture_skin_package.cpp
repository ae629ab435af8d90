// A stand-in for a published skin package, for the skin update's tests: run
// from the modules folder, it puts the skin folder "Calendar\Skins<stem>"
// with a mainback.png beside itself, <stem> being its own file name without
// ".exe". It first sleeps a little, so the updater's wait for it is seen to
// matter. A copy whose name begins with "hang" never gets that far: it
// sleeps a minute, as a package that never ends would.
//
// Linked statically, so a copy needs no runtime DLLs beside it.

#include <windows.h>

#include <string>

namespace {

constexpr DWORD kWorkMs = 1500;
constexpr DWORD kHangMs = 60000;
// A real 2 x 2 PNG, so the skin dialog can make a preview of the new skin.
constexpr unsigned char kImageBytes[] = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00, 0x00,
    0x02, 0x00, 0x00, 0x00, 0x02, 0x08, 0x02, 0x00, 0x00, 0x00, 0xFD, 0xD4, 0x9A, 0x73, 0x00, 0x00, 0x00, 0x10, 0x49,
    0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0x38, 0x61, 0x63, 0x03, 0x44, 0x0C, 0x10, 0x0A, 0x00, 0x25, 0x3E, 0x05, 0x01,
    0x74, 0x99, 0x94, 0x60, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82,
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return 1;
    }
    std::string self(path, length);
    std::string folder = self.substr(0, self.find_last_of('\\'));
    std::string stem = self.substr(folder.size() + 1);
    stem = stem.substr(0, stem.rfind('.'));
    if (stem.rfind("hang", 0) == 0) {
        Sleep(kHangMs);
        return 0;
    }
    Sleep(kWorkMs);
    std::string skins = folder + "\\Calendar";
    std::string skin = skins + "\\Skins" + stem;
    CreateDirectoryA(skins.c_str(), nullptr);  // it may be there already
    if (!CreateDirectoryA(skin.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        return 2;
    }
    HANDLE image = CreateFileA((skin + "\\mainback.png").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (image == INVALID_HANDLE_VALUE) {
        return 3;
    }
    DWORD written = 0;
    BOOL wrote = WriteFile(image, kImageBytes, sizeof kImageBytes, &written, nullptr);
    CloseHandle(image);
    return wrote ? 0 : 4;
}
