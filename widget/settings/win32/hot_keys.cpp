#include "widget/settings/win32/hot_keys.h"

#include "common/file_io.h"
#include "services/product_services.h"
#include "toolkit/lyn_ini.h"
#include "widget/settings/preferences_rules.h"

HotKeyRegistry::~HotKeyRegistry() {
    UnregisterAll();
}

bool HotKeyRegistry::RegisterHotKeys(HWND window, const std::string& moduleIniPath) {
    UnregisterAll();
    window_ = window;
    // Without a module.ini there are no hot keys; SetFileName would create
    // the file, and reading settings must not.
    std::string unused;
    CLynIni ini;
    if (!ReadWholeFile(moduleIniPath, unused) || ini.SetFileName(moduleIniPath) == 0) {
        return true;
    }
    for (const HotKeyEntry& entry : ReadHotKeys(ini)) {
        if (!Register(window, entry.section, entry.key.modifiers, entry.key.virtualKey)) {
            MsgBox(window, "注册热键失败,请指定其他热键！", MB_ICONWARNING);
            return false;
        }
    }
    return true;
}

bool HotKeyRegistry::Register(HWND window, const std::string& section, unsigned modifiers, unsigned virtualKey) {
    // Atoms number 0xC000-0xFFFF, the range of hot-key ids a library may use.
    const ATOM atom = GlobalAddAtomA(HotKeyAtomName(section).c_str());
    if (atom == 0) {
        return false;
    }
    if (RegisterHotKey(window, atom, modifiers, virtualKey) == FALSE) {
        GlobalDeleteAtom(atom);
        return false;
    }
    entries_.push_back({section, atom});
    return true;
}

void HotKeyRegistry::UnregisterAll() {
    for (const Entry& entry : entries_) {
        // A window already destroyed took its hot keys with it; the atom is
        // ours to give back either way.
        UnregisterHotKey(window_, entry.atom);
        GlobalDeleteAtom(entry.atom);
    }
    entries_.clear();
}

std::string HotKeyRegistry::SectionOf(int id) const {
    for (const Entry& entry : entries_) {
        if (entry.atom == id) {
            return entry.section;
        }
    }
    return {};
}
