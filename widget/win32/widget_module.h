#pragma once

// What the widget library keeps from the moment it is attached until it is
// unloaded: its folders and files, the loader's window, the window settings
// and the calendar window while the widget runs. Everything here is used on
// the loader's user-interface thread only.

#include <windows.h>

#include <memory>
#include <string>

#include "common/win32/gdiplus_session.h"
#include "widget/planner/win32/reminder_planner.h"
#include "widget/settings/widget_settings.h"
#include "widget/weather/weather_settings.h"

class CCalendarWindow;

struct WidgetModule {
    HINSTANCE instance = nullptr;     // the library itself: its resources
    std::string folder;               // the library's folder, no trailing backslash
    std::string settingsPath;         // folder\Alarmcfg.dat
    std::string weatherSettingsPath;  // folder\Weathercfg.dat
    std::string remindersPath;        // folder\Calendar.dat
    std::string holidaysPath;         // folder\holiday.dat
    std::string programPath;          // the running program (the loader)
    std::string loaderSettingsPath;   // its Data\module.ini
    std::string networkSettingsPath;  // its Data\network.ini: the time server
    HWND host = nullptr;              // the loader's window
    WidgetSettings settings;
    WeatherSettings weather;  // Weathercfg.dat, read by InitWidget
    // The planner grid's colours and its cell image folder\Commskins\calcell.png.
    PlannerLook plannerLook;
    // GDI+ for the widget's drawing, from InitWidget until Release.
    std::unique_ptr<GdiplusSession> gdiplus;
    std::unique_ptr<CCalendarWindow> window;
};

// The one module record of the library.
WidgetModule& TheWidgetModule();

// Records the library's folder and the paths of its files.
void AttachWidgetModule(HINSTANCE instance);
