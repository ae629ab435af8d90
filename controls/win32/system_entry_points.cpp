#include "controls/win32/system_entry_points.h"

namespace cmmctrls {

namespace {

// user32 is loaded for as long as this library is (it links against it), so
// its handle needs neither loading nor freeing here.
FARPROC User32Function(const char* name) {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 != nullptr ? GetProcAddress(user32, name) : nullptr;
}

}  // namespace

UpdateLayeredWindowFunction UpdateLayeredWindowEntry() {
    static const auto entry =
        reinterpret_cast<UpdateLayeredWindowFunction>(reinterpret_cast<void*>(User32Function("UpdateLayeredWindow")));
    return entry;
}

AnimateWindowFunction AnimateWindowEntry() {
    static const auto entry =
        reinterpret_cast<AnimateWindowFunction>(reinterpret_cast<void*>(User32Function("AnimateWindow")));
    return entry;
}

}  // namespace cmmctrls
