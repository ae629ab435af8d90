#include "widget/win32/tests/widget_test_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "common/file_io.h"
#include "common/local_time.h"
#include "common/path_util.h"
#include "common/win32/module_path.h"
#include "testkit/win32/mingw_runtime.h"
#include "widget/reminders/reminder_file.h"

namespace {

void CopyOrFail(const std::string& from, const std::string& to) {
    std::filesystem::create_directories(std::filesystem::path(to).parent_path());
    if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) {
        ADD_FAILURE() << "cannot copy " << from << " to " << to << ": " << GetLastError();
    }
}

void AppendInt(std::string& bytes, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<char>((bits >> shift) & 0xFF));
    }
}

}  // namespace

std::string BuildBinFolder() {
    return ModuleFolder(nullptr);
}

WidgetTestFolder::WidgetTestFolder(const std::string& name) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    path_ = JoinPath(temp, "widget_tests." + std::to_string(GetCurrentProcessId()) + "." + name);
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

WidgetTestFolder::~WidgetTestFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string WidgetTestFolder::PathOf(const std::string& relative) const {
    return relative.empty() ? path_ : JoinPath(path_, relative);
}

void WidgetTestFolder::Write(const std::string& relative, const std::string& contents) const {
    std::string path = PathOf(relative);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary).write(contents.data(), static_cast<std::streamsize>(contents.size()));
}

std::optional<std::string> WidgetTestFolder::Read(const std::string& relative) const {
    std::string contents;
    if (!ReadWholeFile(PathOf(relative), contents)) {
        return std::nullopt;
    }
    return contents;
}

void WidgetTestFolder::AddCalendarModule(const std::string& folder) const {
    const std::string module = PathOf(folder);
    CopyOrFail(JoinPath(BuildBinFolder(), "qvcalendar.dll"), JoinPath(module, "qvcalendar.dll"));
    CopyOrFail(WIDGET_HOLIDAYS_PATH, JoinPath(module, "holiday.dat"));
    CopyOrFail(WIDGET_DESCRIPTOR_PATH, JoinPath(module, "Calendar.xml"));
    std::filesystem::copy(std::string(WIDGET_ART_DIR) + "/modules/Calendar", module,
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
}

void WidgetTestFolder::AddProgram() const {
    const std::string bin = BuildBinFolder();
    for (const char* file : {"tessary.exe", "QvKernel32.dll", "QvXML.dll", "LynKernel32.dll", "LynHook32.dll",
                             "QvCTRL.dll", "QvCB.dll", "QvSHJ.dll"}) {
        CopyOrFail(JoinPath(bin, file), PathOf(file));
    }
    for (const std::string& runtime : testkit::MingwRuntimeDlls()) {
        CopyOrFail(JoinPath(bin, runtime), PathOf(runtime));
    }
    CopyOrFail(std::string(WIDGET_ART_DIR) + "/Skins/about.png", PathOf("Skins\\about.png"));
}

std::string SettingsFileBytes(const WidgetSettings& settings) {
    std::string bytes;
    for (std::int32_t value :
         {settings.windowRect.left, settings.windowRect.top, settings.windowRect.right, settings.windowRect.bottom,
          settings.autoHide, settings.alpha, settings.fixedPosition, settings.clickThrough, settings.alwaysOnTop,
          settings.showHolidayDetails, static_cast<std::int32_t>(settings.layoutFlags)}) {
        AppendInt(bytes, value);
    }
    return bytes;
}

std::vector<std::int32_t> SettingsFileFields(const std::string& bytes) {
    std::vector<std::int32_t> fields;
    for (std::size_t at = 0; at + 4 <= bytes.size(); at += 4) {
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i) {
            value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
        }
        fields.push_back(static_cast<std::int32_t>(value));
    }
    return fields;
}

WidgetSettings TestSettings(int left, int top) {
    WidgetSettings settings;
    settings.windowRect = {left, top, left + 229, top + 278};
    settings.autoHide = 0;
    settings.alwaysOnTop = 1;
    return settings;
}

std::string ReminderFileBytes(const std::vector<ReminderItem>& items) {
    // The file's ids carry no meaning, but its records go in id order: give
    // records without one their place in the list.
    ReminderMap map;
    std::uint32_t next = 1;
    for (const ReminderItem& item : items) {
        map[item.id != 0 ? item.id : next] = item;
        ++next;
    }
    std::string bytes;
    EXPECT_TRUE(EncodeReminderFile(map, bytes));
    return bytes;
}

std::optional<std::vector<ReminderItem>> ReminderFileItems(const std::string& bytes) {
    std::vector<ReminderItem> items;
    if (!ParseReminderFile(bytes, items)) {
        return std::nullopt;
    }
    return items;
}

std::string ReminderStateBytes(std::optional<Moment> checkedUpTo, const std::vector<SnoozedAlert>& snoozed) {
    std::string bytes;
    AppendInt(bytes, static_cast<std::int32_t>(kReminderStateHeader));
    AppendInt(bytes, checkedUpTo ? 1 : 0);
    AppendInt(bytes, checkedUpTo.value_or(0));
    for (const SnoozedAlert& alert : snoozed) {
        AppendInt(bytes, alert.due);
        // A record exactly as Calendar.dat holds one: that file less its header.
        bytes += ReminderFileBytes({alert.reminder}).substr(4);
    }
    return bytes;
}

ReminderItem OnceReminder(const std::string& title, int year, int month, int day, int hour, int minute) {
    ReminderItem item;
    item.title = title;
    item.kind = KindOnce;
    item.start = FromLocalTime({year, month, day, hour, minute, 0, 0});
    return item;
}
