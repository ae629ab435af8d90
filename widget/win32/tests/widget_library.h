#pragma once

// qvcalendar.dll loaded into the test program from a scratch module folder
// (once for the whole program: the library records its folder when it is
// attached), the weather feed it talks to (a local server named in
// Data\network.ini beside the test program, answering 404 until a test
// scripts it), and a fixture that starts the widget there with prepared
// settings and reminders and releases it after each test.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "loader/widget_interface.h"
#include "testkit/win32/http_test_server.h"
#include "widget/win32/calendar_window.h"
#include "widget/win32/tests/widget_test_folder.h"

struct WidgetLibrary {
    WidgetTestFolder& folder;
    HMODULE module = nullptr;
    WidgetInterface entries{};  // bound through GetVexaWInterface
    testkit::HttpTestServer& feed;

    FARPROC Export(const char* name) const { return GetProcAddress(module, name); }
};

// The loaded library; the test program fails when it cannot be loaded.
const WidgetLibrary& TheWidgetLibrary();

class WidgetTest : public testing::Test {
protected:
    void TearDown() override;

    const WidgetLibrary& Library() const { return TheWidgetLibrary(); }
    WidgetTestFolder& Folder() const { return TheWidgetLibrary().folder; }
    testkit::HttpTestServer& Feed() const { return TheWidgetLibrary().feed; }

    // Writes Alarmcfg.dat, Calendar.dat and ReminderState.dat (none: a first
    // start), then InitWidget; its result.
    int Start(const WidgetSettings& settings,
              const std::vector<ReminderItem>& reminders = {},
              HWND host = nullptr,
              const std::optional<std::string>& reminderState = std::nullopt);
    // The running calendar window, or null.
    CCalendarWindow* Window() const;
    HWND WindowHandle() const;
    RECT WindowRect() const;

    // A hit-area or menu command, as a click or a menu choice sends it.
    void Command(std::uint32_t command) const;
    // A left click at a point of the window.
    void Click(int x, int y) const;
    // A left click on the hit area of `command`; false when there is none.
    bool ClickHitArea(std::uint32_t command) const;

private:
    WidgetHost host_{};
};
