#include "widget/win32/tests/widget_library.h"

#include <fstream>
#include <memory>

#include "common/path_util.h"
#include "testkit/win32/window_helpers.h"

namespace {

// Loads the library before the first test and unloads it after the last,
// so its folder can be removed.
struct WidgetLibraryEnvironment final : testing::Environment {
    void SetUp() override {
        folder_ = std::make_unique<WidgetTestFolder>("module");
        folder_->AddCalendarModule("");
        feed_ = std::make_unique<testkit::HttpTestServer>();
        WriteNetworkSettings();
        library_ = std::make_unique<WidgetLibrary>(WidgetLibrary{*folder_, nullptr, {}, *feed_});
        // The suite's DLLs it needs are found beside the test program.
        library_->module = LoadLibraryA(folder_->PathOf("qvcalendar.dll").c_str());
        ASSERT_NE(library_->module, nullptr) << "cannot load qvcalendar.dll: " << GetLastError();
        auto bind = reinterpret_cast<GetVexaWInterfaceFunction>(
            reinterpret_cast<void*>(library_->Export(kGetVexaWInterfaceName)));
        ASSERT_NE(bind, nullptr);
        library_->entries.size = kWidgetInterfaceSize;
        ASSERT_EQ(bind(&library_->entries), 1);
    }

    void TearDown() override {
        if (library_ && library_->module != nullptr) {
            library_->entries.Release(0);
            FreeLibrary(library_->module);
        }
        library_.reset();
        folder_.reset();
        DeleteFileA(NetworkSettingsPath().c_str());  // gone already is as good
        feed_.reset();
    }

    // The widget reads the hosts from Data\network.ini in the folder of the
    // program it runs in: here the test program's.
    static std::string NetworkSettingsPath() { return JoinPath(BuildBinFolder(), "Data\\network.ini"); }

    void WriteNetworkSettings() const {
        CreateDirectoryA(JoinPath(BuildBinFolder(), "Data").c_str(), nullptr);  // may exist
        std::ofstream(NetworkSettingsPath(), std::ios::binary)
            << "[hosts]\r\nweather=127.0.0.1:" << feed_->Port() << "\r\n";
    }

    static WidgetLibraryEnvironment* instance;
    std::unique_ptr<WidgetTestFolder> folder_;
    std::unique_ptr<testkit::HttpTestServer> feed_;
    std::unique_ptr<WidgetLibrary> library_;
};

WidgetLibraryEnvironment* WidgetLibraryEnvironment::instance =
    static_cast<WidgetLibraryEnvironment*>(testing::AddGlobalTestEnvironment(new WidgetLibraryEnvironment));

}  // namespace

const WidgetLibrary& TheWidgetLibrary() {
    return *WidgetLibraryEnvironment::instance->library_;
}

void WidgetTest::TearDown() {
    Library().entries.Release(0);
    Feed().Reset();
}

// The state an earlier test's widget left behind would list that test's
// reminders as missed: every start gets the state its test asks for.
int WidgetTest::Start(const WidgetSettings& settings,
                      const std::vector<ReminderItem>& reminders,
                      HWND host,
                      const std::optional<std::string>& reminderState) {
    Folder().Write("Alarmcfg.dat", SettingsFileBytes(settings));
    Folder().Write("Calendar.dat", ReminderFileBytes(reminders));
    if (reminderState) {
        Folder().Write(kReminderStateFileName, *reminderState);
    } else {
        DeleteFileA(Folder().PathOf(kReminderStateFileName).c_str());  // often not there: as good
    }
    host_.window = host;
    return Library().entries.InitWidget(&host_);
}

CCalendarWindow* WidgetTest::Window() const {
    return static_cast<CCalendarWindow*>(Library().entries.GetMainWnd());
}

HWND WidgetTest::WindowHandle() const {
    return Window() != nullptr ? Window()->GetSafeHwnd() : nullptr;
}

RECT WidgetTest::WindowRect() const {
    return testkit::WindowRectangle(WindowHandle());
}

void WidgetTest::Command(std::uint32_t command) const {
    SendMessageA(WindowHandle(), WM_COMMAND, command, 0);
}

void WidgetTest::Click(int x, int y) const {
    SendMessageA(WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(WindowHandle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

bool WidgetTest::ClickHitArea(std::uint32_t command) const {
    for (const HitArea& area : Window()->layout().hitAreas) {
        if (area.command == command) {
            Click(area.rect.x + area.rect.width / 2, area.rect.y + area.rect.height / 2);
            return true;
        }
    }
    return false;
}
