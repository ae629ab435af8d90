#pragma once

// Scratch folders for the widget's Windows tests: a module folder laid out
// like the installed modules\Calendar (qvcalendar.dll, holiday.dat, the
// descriptor and the generated art), optionally inside a program folder
// like dist/ with tessary.exe and the suite's DLLs; and the widget's
// files written and read back.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/local_time.h"
#include "widget/reminders/reminder_item.h"
#include "widget/reminders/reminder_state_file.h"
#include "widget/settings/widget_settings.h"

class WidgetTestFolder {
public:
    // A new, empty folder under the temporary folder; removed again by the
    // destructor.
    explicit WidgetTestFolder(const std::string& name);
    ~WidgetTestFolder();
    WidgetTestFolder(const WidgetTestFolder&) = delete;
    WidgetTestFolder& operator=(const WidgetTestFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string PathOf(const std::string& relative) const;

    void Write(const std::string& relative, const std::string& contents) const;
    // nullopt when the file cannot be read.
    std::optional<std::string> Read(const std::string& relative) const;

    // qvcalendar.dll, its descriptor, holiday.dat, Commskins and the skins,
    // in `folder` (relative; "" for this folder itself).
    void AddCalendarModule(const std::string& folder) const;
    // tessary.exe, every DLL of the suite and the mingw runtime, the About
    // picture.
    void AddProgram() const;

private:
    std::string path_;
};

// The folder of the running test program (the build's bin folder).
std::string BuildBinFolder();

// Alarmcfg.dat as its 44 bytes, and its fields read back from them.
std::string SettingsFileBytes(const WidgetSettings& settings);
std::vector<std::int32_t> SettingsFileFields(const std::string& bytes);

// Settings for a test window: at (left, top), nothing hides or moves it.
WidgetSettings TestSettings(int left, int top);

// Calendar.dat holding `items` (their ids as given), and the reminders read
// back from one (nullopt when it is not a whole file).
std::string ReminderFileBytes(const std::vector<ReminderItem>& items);
std::optional<std::vector<ReminderItem>> ReminderFileItems(const std::string& bytes);

// ReminderState.dat laid out byte by byte: the checked moment (flag 0 and
// no moment without one), then each put-off alert's moment and record.
std::string ReminderStateBytes(std::optional<Moment> checkedUpTo, const std::vector<SnoozedAlert>& snoozed = {});

// A once reminder titled `title` at hour:minute of a day.
ReminderItem OnceReminder(const std::string& title, int year, int month, int day, int hour, int minute);
