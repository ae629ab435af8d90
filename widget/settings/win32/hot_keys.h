#pragma once

// The widget's global hot keys, read from the loader's Data\module.ini: every
// section with a "wModifiers" or "wVirtualKeyCode" other than 0 gets a hot
// key for one window. Each is identified by a global atom named after its
// section, so the window tells which one fired (WM_HOTKEY's wParam) with
// SectionOf.

#include <windows.h>

#include <string>
#include <vector>

class HotKeyRegistry {
public:
    HotKeyRegistry() = default;
    ~HotKeyRegistry();
    HotKeyRegistry(const HotKeyRegistry&) = delete;
    HotKeyRegistry& operator=(const HotKeyRegistry&) = delete;

    // Drops the hot keys registered before, then registers those of
    // `moduleIniPath` for `window`. When one cannot be registered (another
    // program holds the key) the user is told, with `window` as the
    // message's owner, and registering stops: false. The keys registered
    // before the failure stay.
    bool RegisterHotKeys(HWND window, const std::string& moduleIniPath);
    // Unregisters every hot key and deletes its atom.
    void UnregisterAll();
    // The module.ini section of hot key `id` (at most 64 bytes), empty for
    // an id that is not ours.
    std::string SectionOf(int id) const;

private:
    struct Entry {
        std::string section;
        ATOM atom = 0;
    };

    bool Register(HWND window, const std::string& section, unsigned modifiers, unsigned virtualKey);

    HWND window_ = nullptr;
    std::vector<Entry> entries_;
};
