#pragma once

// The widget's preferences dialog (resource IDD_PREFERENCES in
// preferences_dialog.rc): the window behaviour, the opacity, the two global
// hot keys in Data\module.ini, starting with the system, and the backup,
// restore and purge of the reminders.

#include <windows.h>

#include <string>

#include "widget/settings/widget_settings.h"

// Implemented by the calendar window.
class IPreferencesTarget {
public:
    virtual ~IPreferencesTarget() = default;
    virtual void ApplySettings() = 0;          // position, topmost, styles, full redraw and show
    virtual void PreviewAlpha(int alpha) = 0;  // redraw calendar and clock windows at this opacity
    virtual bool RegisterHotKeys() = 0;        // again from module.ini; false = failed (message shown)
    virtual HWND ReminderWindow() = 0;         // receives RM_RELOAD and RM_PURGE
};

struct PreferencesPaths {
    std::string moduleIniPath;    // the loader's Data\module.ini
    std::string loaderPath;       // full path of the running tessary.exe (for the run value)
    std::string calendarDatPath;  // module folder\Calendar.dat
};

// Runs the dialog modally, owned by `owner`, with its template, its controls'
// texts and its icon (IDI_PREF_WIDGET_ICON, shown when `resources` holds it)
// taken from `resources`. OK leaves the chosen behaviour in `settings` and
// applies it through `target`; Cancel leaves `settings` as it was. Returns 0
// always (the result of the widget's entry point).
int ShowPreferences(HINSTANCE resources,
                    HWND owner,
                    WidgetSettings& settings,
                    const PreferencesPaths& paths,
                    IPreferencesTarget& target);
