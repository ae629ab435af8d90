#include "common/win32/control_hosting.h"

#include "common/win32/handles.h"

namespace {

using AtlAxWinInitFunction = BOOL(WINAPI*)();
using AtlAxGetControlFunction = HRESULT(WINAPI*)(HWND, IUnknown**);

// atl.dll stays loaded for the life of the process: host windows may exist
// until the very end, and their window procedure lives in it.
struct ControlHosting {
    UniqueModule library;
    AtlAxGetControlFunction getControl = nullptr;
    bool enabled = false;
};

template <typename Function>
Function EntryPoint(HMODULE library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// Registering the class twice fails with Wine's atl.dll, so this runs once.
ControlHosting Load() {
    ControlHosting hosting;
    hosting.library.reset(LoadLibraryA("atl.dll"));
    if (!hosting.library) {
        return hosting;
    }
    auto init = EntryPoint<AtlAxWinInitFunction>(hosting.library.get(), "AtlAxWinInit");
    hosting.getControl = EntryPoint<AtlAxGetControlFunction>(hosting.library.get(), "AtlAxGetControl");
    hosting.enabled = init != nullptr && hosting.getControl != nullptr && init() != FALSE;
    return hosting;
}

const ControlHosting& Hosting() {
    static const ControlHosting hosting = Load();
    return hosting;
}

}  // namespace

bool EnableControlHosting() {
    return Hosting().enabled;
}

ComPtr<IUnknown> HostedControl(HWND host) {
    const ControlHosting& hosting = Hosting();
    ComPtr<IUnknown> control;
    if (hosting.enabled && host != nullptr && FAILED(hosting.getControl(host, control.put()))) {
        control.reset();
    }
    return control;
}
