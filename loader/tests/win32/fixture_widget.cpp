// A widget module for the loader's tests. It records every entry-point call,
// and its loading and unloading, as one line "<its file name> <call>" appended
// to the file that the environment variable LOADER_FIXTURE_LOG names, so a
// test can copy it under several names and read one log in call order.
//
// Built three times: FIXTURE_WIDGET_GOOD behaves like a widget,
// FIXTURE_WIDGET_REFUSING answers 0 to GetVexaWInterface,
// FIXTURE_WIDGET_NOEXPORT has no GetVexaWInterface at all.
#include <windows.h>

#include <string>

#include "loader/widget_interface.h"

namespace {

HMODULE gModule = nullptr;
[[maybe_unused]] bool gWorking = false;

std::string FileName() {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(gModule, path, MAX_PATH);
    std::string name(path, length < MAX_PATH ? length : 0);
    std::size_t slash = name.find_last_of("\\/");
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

// Appends one line with Win32 calls only, so it also works in DllMain.
void Note(const std::string& call) {
    char log[MAX_PATH] = {};
    DWORD length = GetEnvironmentVariableA("LOADER_FIXTURE_LOG", log, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return;
    }
    HANDLE file = CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    std::string line = FileName() + " " + call + "\n";
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

#ifdef FIXTURE_WIDGET_GOOD
// "host-ok" when the host record names a live window of the loader's class.
std::string DescribeHost(WidgetHost* host) {
    if (host == nullptr || !IsWindow(static_cast<HWND>(host->window))) {
        return "host-bad";
    }
    char name[64] = {};
    GetClassNameA(static_cast<HWND>(host->window), name, sizeof name);
    return std::string(name) == "QvCalendar Loader Class" ? "host-ok" : "host-bad";
}

void* WIDGET_CALL GetMainWnd() {
    Note("GetMainWnd");
    return nullptr;
}

int WIDGET_CALL InitWidget(WidgetHost* host) {
    Note("InitWidget " + DescribeHost(host));
    gWorking = true;
    return 1;
}

int WIDGET_CALL Release(std::uint32_t argument) {
    Note("Release " + std::to_string(argument));
    gWorking = false;
    return 1;
}

int WIDGET_CALL Show(int show) {
    Note("Show " + std::to_string(show));
    return gWorking ? 1 : 0;
}

int WIDGET_CALL ShowCalendar(int show) {
    Note("ShowCalendar " + std::to_string(show));
    return gWorking ? 1 : 0;
}

int WIDGET_CALL GetPreferWnd(WidgetHost* host) {
    Note("GetPreferWnd " + DescribeHost(host));
    return 0;
}

int WIDGET_CALL ChangeSkins() {
    Note("ChangeSkins");
    return 1;
}

int WIDGET_CALL IsWidgetWorking() {
    return gWorking ? 1 : 0;
}
#endif

}  // namespace

#ifndef FIXTURE_WIDGET_NOEXPORT
extern "C" __declspec(dllexport) int __cdecl GetVexaWInterface(WidgetInterface* table) {
    Note("GetVexaWInterface " + std::to_string(table == nullptr ? 0 : table->size));
#ifdef FIXTURE_WIDGET_REFUSING
    return 0;
#else
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
#endif
}
#endif

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        gModule = instance;
        Note("attach");
    } else if (reason == DLL_PROCESS_DETACH) {
        Note("detach");
    }
    return TRUE;
}
