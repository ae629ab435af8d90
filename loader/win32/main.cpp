// tessary.exe: the tray program that hosts the widget modules.
#include <windows.h>

#include "loader/command_line.h"
#include "loader/win32/loader_app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    try {
        return LoaderApp(instance).Run(CommandTextOf(GetCommandLineA()));
    } catch (...) {
        return 1;
    }
}
