// Trevalo.exe: the side program, started by the tray program with one mode
// argument. One instance of each mode runs at a time; the main window runs
// modally until it is closed or told to end.

#include <windows.h>

#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/text_encoding.h"
#include "common/win32/handles.h"
#include "common/win32/module_path.h"
#include "toolkit/win32/lyn_mutex.h"
#include "trevalo/program_mode.h"
#include "trevalo/win32/mode_views.h"
#include "trevalo/win32/trevalo_window.h"

namespace {

// The command line's arguments after the program's own name, in GBK. The
// wide command line is split, so quoting follows the system's rules.
std::vector<std::string> ProgramArguments() {
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&LocalFree)> wide(CommandLineToArgvW(GetCommandLineW(), &count), &LocalFree);
    std::vector<std::string> arguments;
    for (int i = 1; wide && i < count; ++i) {
        arguments.push_back(Utf16ToGbk(reinterpret_cast<const char16_t*>(wide.get()[i])));
    }
    return arguments;
}

// OLE for the thread (the web browser controls need it), undone on the way out.
class OleSession {
public:
    OleSession() : result_(OleInitialize(nullptr)) {}
    ~OleSession() {
        if (SUCCEEDED(result_)) {
            OleUninitialize();
        }
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

private:
    HRESULT result_;
};

// The mode's instance mutex, given up (not closed: the name stays until the
// process ends) on the way out.
class InstanceMutex {
public:
    explicit InstanceMutex(HANDLE mutex) : mutex_(mutex) {}
    ~InstanceMutex() {
        // It always answers 1.
        DestroyLynMutex(mutex_);
    }
    InstanceMutex(const InstanceMutex&) = delete;
    InstanceMutex& operator=(const InstanceMutex&) = delete;

private:
    HANDLE mutex_;
};

int Run(HINSTANCE instance) {
    const std::optional<ModeChoice> choice = ChooseMode(ProgramArguments());
    if (!choice) {
        return 0;
    }
    if (UniqueHandle existing{IsLynMutexExist(choice->mutexName.c_str())}) {
        return 0;
    }
    InstanceMutex mutex(CreateLynMutex(choice->mutexName.c_str()));
    // Two starts at the same moment both find no mutex; the one that did not
    // create it ends here, so one instance of the mode remains.
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        return 0;
    }
    OleSession ole;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    const TrevaloFolders folders = FoldersOf(ModuleFolder(nullptr));
    std::unique_ptr<ModeView> view = choice->mode == ProgramMode::kHistory ? MakeHistoryView() : MakeNavigationView();
    TrevaloWindow window(choice->mode, folders, std::move(view));
    window.DoModal(instance);
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    try {
        return Run(instance);
    } catch (...) {
        return 1;
    }
}
