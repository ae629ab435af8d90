// The widget library's entry points: the table the loader binds, the same
// eight functions exported by name, and the library's attach and detach.
// Every entry point runs on the loader's user-interface thread, and none
// lets an exception out.

#include <windows.h>

#include "common/path_util.h"
#include "common/win32/module_path.h"
#include "loader/widget_interface.h"
#include "widget/settings/win32/work_area.h"
#include "widget/win32/calendar_window.h"
#include "widget/win32/widget_module.h"

#define WIDGET_EXPORT extern "C" __declspec(dllexport)

namespace {

bool IsWorking(const WidgetModule& module) {
    return module.window && IsWindow(module.window->GetSafeHwnd());
}

// A running widget is left as it is: its settings are not read again over
// the ones its window is using.
int InitWidgetOf(WidgetModule& module, WidgetHost* host) {
    if (IsWorking(module)) {
        return 0;
    }
    module.host = host != nullptr ? static_cast<HWND>(host->window) : nullptr;
    module.settings = LoadWidgetSettings(module.settingsPath, PrimaryWorkArea());
    module.weather = LoadWeatherSettings(module.weatherSettingsPath);
    module.programPath = ModulePath(nullptr);
    const std::string programFolder = ModuleFolder(nullptr);
    module.loaderSettingsPath = JoinPath(programFolder, "Data\\module.ini");
    module.networkSettingsPath = JoinPath(programFolder, "Data\\network.ini");
    if (!module.gdiplus) {
        module.gdiplus = std::make_unique<GdiplusSession>();
    }
    module.window = std::make_unique<CCalendarWindow>(module);
    if (!module.window->Create()) {
        module.window.reset();
        return 0;
    }
    module.window->Place();
    // The first show goes the way of every later one, so the clock made
    // before it is not left under the calendar.
    module.window->ShowOnTop();
    return 1;
}

int ReleaseOf(WidgetModule& module) {
    if (module.window) {
        module.window->DestroyWindow();
        module.window.reset();
    }
    module.gdiplus.reset();
    return 1;
}

}  // namespace

WidgetModule& TheWidgetModule() {
    static WidgetModule module;
    return module;
}

void AttachWidgetModule(HINSTANCE instance) {
    WidgetModule& module = TheWidgetModule();
    module.instance = instance;
    module.folder = ModuleFolder(instance);
    module.settingsPath = JoinPath(module.folder, "Alarmcfg.dat");
    module.weatherSettingsPath = JoinPath(module.folder, "Weathercfg.dat");
    module.remindersPath = JoinPath(module.folder, "Calendar.dat");
    module.holidaysPath = JoinPath(module.folder, "holiday.dat");
    module.plannerLook = {PlannerGridColours{}, JoinPath(module.folder, "Commskins\\calcell.png")};
}

WIDGET_EXPORT void* WIDGET_CALL GetMainWnd() {
    return TheWidgetModule().window.get();
}

WIDGET_EXPORT int WIDGET_CALL InitWidget(WidgetHost* host) {
    try {
        return InitWidgetOf(TheWidgetModule(), host);
    } catch (...) {
        return 0;
    }
}

WIDGET_EXPORT int WIDGET_CALL Release(std::uint32_t) {
    try {
        return ReleaseOf(TheWidgetModule());
    } catch (...) {
        return 1;
    }
}

WIDGET_EXPORT int WIDGET_CALL IsWidgetWorking() {
    return IsWorking(TheWidgetModule()) ? 1 : 0;
}

WIDGET_EXPORT int WIDGET_CALL Show(int show) {
    WidgetModule& module = TheWidgetModule();
    if (!IsWorking(module)) {
        return 0;
    }
    try {
        return show != 0 ? module.window->ShowOnTop() : module.window->Hide();
    } catch (...) {
        return 0;
    }
}

WIDGET_EXPORT int WIDGET_CALL ShowCalendar(int show) {
    WidgetModule& module = TheWidgetModule();
    if (!IsWorking(module)) {
        return 0;
    }
    try {
        // A planner that cannot be made is reported by the window itself.
        module.window->ShowPlanner(show != 0);
        return 1;
    } catch (...) {
        return 0;
    }
}

WIDGET_EXPORT int WIDGET_CALL ChangeSkins() {
    WidgetModule& module = TheWidgetModule();
    try {
        return module.window ? module.window->ChangeSkins() : 0;
    } catch (...) {
        return 0;
    }
}

WIDGET_EXPORT int WIDGET_CALL GetPreferWnd(WidgetHost*) {
    WidgetModule& module = TheWidgetModule();
    try {
        return module.window ? module.window->RunPreferences() : 0;
    } catch (...) {
        return 0;
    }
}

WIDGET_EXPORT int WIDGET_CALL GetVexaWInterface(WidgetInterface* table) {
    if (table == nullptr || table->size != kWidgetInterfaceSize) {
        return 0;
    }
    table->GetMainWnd = GetMainWnd;
    table->InitWidget = InitWidget;
    table->Release = Release;
    table->Show = Show;
    table->ShowCalendar = ShowCalendar;
    table->GetPreferWnd = GetPreferWnd;
    table->ChangeSkins = ChangeSkins;
    table->IsWidgetWorking = IsWidgetWorking;
    return 1;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    try {
        if (reason == DLL_PROCESS_ATTACH) {
            DisableThreadLibraryCalls(instance);
            AttachWidgetModule(instance);
        } else if (reason == DLL_PROCESS_DETACH) {
            // The loader releases the widget before it unloads the library.
            // A window still alive here cannot be torn down safely under
            // the loader lock, and nothing is saved at detach: it is let go.
            WidgetModule& module = TheWidgetModule();
            static_cast<void>(module.window.release());
            static_cast<void>(module.gdiplus.release());
        }
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}
