#include "widget/settings/win32/preferences_dialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "services/product_services.h"
#include "testkit/win32/file_box_answerer.h"
#include "testkit/win32/message_box_answerer.h"
#include "testkit/win32/window_helpers.h"
#include "toolkit/lyn_ini.h"
#include "widget/reminders/reminder_messages.h"
#include "widget/settings/preferences_rules.h"
#include "widget/settings/tests/scratch_folder.h"
#include "widget/settings/tests/win32/settings_test_support.h"
#include "widget/settings/win32/preferences_resources.h"

namespace {

using settings_test::Click;
using settings_test::DialogRun;
using settings_test::IsOpen;
using settings_test::Recorded;

constexpr char kLoaderPath[] = "C:\\Program Files\\泽鲁\\tessary.exe";
constexpr char kCalendarBytes[] = "\xC3\x60\x00\x00 the reminders";
constexpr char kBackupBytes[] = "\xC3\x60\x00\x00 a backup";

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return testkit::SendWithTimeout(window, message, wParam, lParam).value_or(-1);
}

bool Checked(HWND box) {
    return Send(box, BM_GETCHECK) == BST_CHECKED;
}

// The slider as a user leaves it: moved, then the dialog told.
void MoveSlider(HWND dialog, int position) {
    HWND slider = GetDlgItem(dialog, IDC_PREF_ALPHA_SLIDER);
    Send(slider, TBM_SETPOS, TRUE, position);
    Send(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(slider));
}

std::optional<std::string> RunValue() {
    std::string value;
    if (GetRegInfoValue(kRunKeyPath, kRunValueName, value) == 0) {
        return std::nullopt;
    }
    return value;
}

// Opened from a file where the window is pinned and clicked through, not on
// top and not hiding, and only the calendar has a hot key (Control + Alt + D).
class PreferencesDialogTest : public ScratchFolder {
protected:
    void SetUp() override {
        ScratchFolder::SetUp();
        // The run value lives in the test prefix's registry; whatever was
        // there is put back afterwards.
        savedRunValue_ = RunValue();
        DeleteRegKey(kRunKeyPath, kRunValueName);
        paths_.moduleIniPath =
            WriteFile("module.ini", "[qvcalendar.dll]\r\nload=1\r\nwModifiers=3\r\nwVirtualKeyCode=68\r\n");
        paths_.loaderPath = kLoaderPath;
        paths_.calendarDatPath = WriteFile("Calendar.dat", std::string(kCalendarBytes, sizeof(kCalendarBytes) - 1));
        opening_.windowRect = {10, 20, 239, 298};
        opening_.autoHide = 0;
        opening_.alpha = 200;
        opening_.fixedPosition = 1;
        opening_.clickThrough = 1;
        opening_.alwaysOnTop = 0;
    }
    void TearDown() override {
        if (savedRunValue_) {
            SetRegInfoValueEx(kRunKeyPath, kRunValueName, *savedRunValue_);
        } else {
            DeleteRegKey(kRunKeyPath, kRunValueName);
        }
        ScratchFolder::TearDown();
    }

    std::string IniValue(const char* section, const char* key) const {
        CLynIni ini;
        ini.SetFileName(paths_.moduleIniPath);
        return ini.GetValue(section, key);
    }

    PreferencesPaths paths_;
    WidgetSettings opening_;
    std::optional<std::string> savedRunValue_;
};

TEST_F(PreferencesDialogTest, OpensWithTheStoredChoices) {
    ASSERT_EQ(SetRegInfoValueEx(kRunKeyPath, kRunValueName, "\"C:\\elsewhere\\tessary.exe\""), 1);
    DialogRun run(opening_, paths_);
    HWND dialog = run.WaitForDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_NE(Send(dialog, WM_GETICON, ICON_BIG), 0);

    struct Box {
        int id;
        const char* label;
        bool checked;
    };
    const Box boxes[] = {
        {IDC_PREF_ALWAYS_ON_TOP, "窗口始终保持在其他窗口之上", false},
        {IDC_PREF_FIXED_POSITION, "窗口固定在当前位置", true},
        {IDC_PREF_CLICK_THROUGH, "鼠标穿透", true},
        {IDC_PREF_AUTO_HIDE, "自动贴边隐藏", false},
        {IDC_PREF_CALENDAR_HOTKEY_BOX, "显示桌面日历", true},
        {IDC_PREF_PLANNER_HOTKEY_BOX, "显示日程提醒表", false},
        {IDC_PREF_START_WITH_SYSTEM, "开机时自动运行", true},
    };
    for (const Box& box : boxes) {
        EXPECT_EQ(testkit::WindowText(run.Item(box.id)), box.label);
        EXPECT_EQ(Checked(run.Item(box.id)), box.checked) << box.label;
    }
    std::set<std::string> texts;
    for (HWND child : testkit::ChildWindows(dialog)) {
        texts.insert(testkit::WindowText(child));
    }
    for (const char* text : {"有影无形", "当主面板失去焦点后自动隐藏到屏幕上方", "窗口位置", "透明效果", "设置快捷键",
                             "全透明", "不透明"}) {
        EXPECT_EQ(texts.count(text), 1u) << text;
    }

    HWND slider = run.Item(IDC_PREF_ALPHA_SLIDER);
    EXPECT_EQ(Send(slider, TBM_GETRANGEMIN), 0);
    EXPECT_EQ(Send(slider, TBM_GETRANGEMAX), 255);
    EXPECT_EQ(Send(slider, TBM_GETPOS), 200);
    EXPECT_EQ(Send(slider, TBM_GETTIC, 0), 30);
    EXPECT_EQ(Send(slider, TBM_GETTIC, 1), 60);
    EXPECT_EQ(testkit::WindowText(run.Item(IDC_PREF_ALPHA_TEXT)), "透明度 22%");

    // Stored Control + Alt show as the control's Control + Alt.
    EXPECT_EQ(Send(run.Item(IDC_PREF_CALENDAR_HOTKEY), HKM_GETHOTKEY), MAKEWORD('D', HOTKEYF_CONTROL | HOTKEYF_ALT));
    EXPECT_TRUE(IsWindowEnabled(run.Item(IDC_PREF_CALENDAR_HOTKEY)));
    EXPECT_EQ(Send(run.Item(IDC_PREF_PLANNER_HOTKEY), HKM_GETHOTKEY), 0);
    EXPECT_FALSE(IsWindowEnabled(run.Item(IDC_PREF_PLANNER_HOTKEY)));

    Click(run.Item(IDCANCEL));
    run.Finish();
    EXPECT_EQ(run.Settings(), opening_);
    const Recorded recorded = run.Snapshot();
    EXPECT_EQ(recorded.applied, 0);
    EXPECT_EQ(recorded.registrations, 0);
    EXPECT_EQ(RunValue(), "\"C:\\elsewhere\\tessary.exe\"");
}

TEST_F(PreferencesDialogTest, BoxesAreCoupledAtEachClick) {
    DialogRun run(opening_, paths_);
    ASSERT_NE(run.WaitForDialog(), nullptr);
    auto shown = [&run] {
        return WindowBoxes{Checked(run.Item(IDC_PREF_ALWAYS_ON_TOP)), Checked(run.Item(IDC_PREF_FIXED_POSITION)),
                           Checked(run.Item(IDC_PREF_CLICK_THROUGH)), Checked(run.Item(IDC_PREF_AUTO_HIDE))};
    };
    // Auto hide on: on top, neither pinned nor clicked through.
    Click(run.Item(IDC_PREF_AUTO_HIDE));
    EXPECT_EQ(shown(), (WindowBoxes{true, false, false, true}));
    // Pinning the window ends the hiding.
    Click(run.Item(IDC_PREF_FIXED_POSITION));
    EXPECT_EQ(shown(), (WindowBoxes{true, true, false, false}));

    // A hot-key box switches its control.
    Click(run.Item(IDC_PREF_CALENDAR_HOTKEY_BOX));
    EXPECT_FALSE(IsWindowEnabled(run.Item(IDC_PREF_CALENDAR_HOTKEY)));
    Click(run.Item(IDC_PREF_PLANNER_HOTKEY_BOX));
    EXPECT_TRUE(IsWindowEnabled(run.Item(IDC_PREF_PLANNER_HOTKEY)));

    Click(run.Item(IDCANCEL));
    run.Finish();
    EXPECT_EQ(run.Settings(), opening_);
}

TEST_F(PreferencesDialogTest, TheSliderPreviewsAndCancelPutsTheOpacityBack) {
    DialogRun run(opening_, paths_);
    HWND dialog = run.WaitForDialog();
    ASSERT_NE(dialog, nullptr);
    MoveSlider(dialog, 128);
    EXPECT_EQ(testkit::WindowText(run.Item(IDC_PREF_ALPHA_TEXT)), "透明度 50%");
    MoveSlider(dialog, 0);
    EXPECT_EQ(testkit::WindowText(run.Item(IDC_PREF_ALPHA_TEXT)), "透明度 100%");

    Click(run.Item(IDCANCEL));
    run.Finish();
    EXPECT_EQ(run.Snapshot().previews, (std::vector<int>{128, 0, 200}));
    EXPECT_EQ(run.Settings(), opening_);
}

TEST_F(PreferencesDialogTest, OkStoresTheHotKeysTheStartSwitchAndTheBoxes) {
    DialogRun run(opening_, paths_);
    HWND dialog = run.WaitForDialog();
    ASSERT_NE(dialog, nullptr);
    MoveSlider(dialog, 100);
    Click(run.Item(IDC_PREF_AUTO_HIDE));
    Send(run.Item(IDC_PREF_CALENDAR_HOTKEY), HKM_SETHOTKEY, MAKEWORD(VK_F8, HOTKEYF_CONTROL | HOTKEYF_SHIFT));
    Click(run.Item(IDC_PREF_PLANNER_HOTKEY_BOX));
    Send(run.Item(IDC_PREF_PLANNER_HOTKEY), HKM_SETHOTKEY, MAKEWORD('P', HOTKEYF_ALT));
    Click(run.Item(IDC_PREF_START_WITH_SYSTEM));
    Click(run.Item(IDOK));
    run.Finish();

    // Control + Shift stored as 2 + 4; Alt as 1.
    EXPECT_EQ(IniValue("qvcalendar.dll", "wModifiers"), "6");
    EXPECT_EQ(IniValue("qvcalendar.dll", "wVirtualKeyCode"), "119");
    EXPECT_EQ(IniValue("qvcalendar.dll", "load"), "1");
    EXPECT_EQ(IniValue("sch.dll", "wModifiers"), "1");
    EXPECT_EQ(IniValue("sch.dll", "wVirtualKeyCode"), "80");
    const Recorded recorded = run.Snapshot();
    EXPECT_EQ(recorded.registrations, 1);
    EXPECT_EQ(recorded.applied, 1);
    WidgetSettings expected = opening_;
    expected.alpha = 100;
    expected.autoHide = 1;
    expected.alwaysOnTop = 1;
    expected.fixedPosition = 0;
    expected.clickThrough = 0;
    EXPECT_EQ(run.Settings(), expected);
    EXPECT_EQ(RunValue(), "\"C:\\Program Files\\泽鲁\\tessary.exe\"");
}

TEST_F(PreferencesDialogTest, OkWithClearedBoxesStoresNoHotKeyAndNoStartValue) {
    ASSERT_EQ(SetRegInfoValueEx(kRunKeyPath, kRunValueName, RunValueText(kLoaderPath)), 1);
    DialogRun run(opening_, paths_);
    ASSERT_NE(run.WaitForDialog(), nullptr);
    Click(run.Item(IDC_PREF_CALENDAR_HOTKEY_BOX));
    Click(run.Item(IDC_PREF_START_WITH_SYSTEM));
    Click(run.Item(IDOK));
    run.Finish();

    EXPECT_EQ(IniValue("qvcalendar.dll", "wModifiers"), "0");
    EXPECT_EQ(IniValue("qvcalendar.dll", "wVirtualKeyCode"), "0");
    EXPECT_EQ(IniValue("sch.dll", "wModifiers"), "0");
    EXPECT_EQ(RunValue(), std::nullopt);
    EXPECT_EQ(run.Settings(), opening_);
}

// A module.ini that cannot be written is reported; the other choices still
// take effect and the dialog closes.
TEST_F(PreferencesDialogTest, HotKeysThatCannotBeSavedAreReported) {
    PreferencesPaths paths = paths_;
    paths.moduleIniPath = PathOf("missing\\module.ini");
    DialogRun run(opening_, paths);
    HWND dialog = run.WaitForDialog();
    ASSERT_NE(dialog, nullptr);
    Click(run.Item(IDC_PREF_AUTO_HIDE));
    std::optional<testkit::AnsweredDialog> told;
    {
        testkit::MessageBoxAnswerer answerer(settings_test::kMessageBoxCaption, IDOK);
        // Posted: the message box is modal on the dialog's thread.
        ASSERT_TRUE(testkit::PostToWindow(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                                          reinterpret_cast<LPARAM>(run.Item(IDOK))));
        told = answerer.Result();
    }
    run.Finish();
    ASSERT_TRUE(told.has_value());
    EXPECT_EQ(told->text, "快捷键保存失败！");
    EXPECT_EQ(told->icon, testkit::MessageBoxIcon::kWarning);
    EXPECT_EQ(told->owner, dialog);
    const Recorded recorded = run.Snapshot();
    EXPECT_EQ(recorded.registrations, 1);
    EXPECT_EQ(recorded.applied, 1);
    EXPECT_EQ(run.Settings().autoHide, 1);
}

TEST_F(PreferencesDialogTest, AKeyThatCannotBeRegisteredKeepsTheDialogOpen) {
    DialogRun run(opening_, paths_, /*registerResult=*/false);
    HWND dialog = run.WaitForDialog();
    ASSERT_NE(dialog, nullptr);
    Click(run.Item(IDC_PREF_AUTO_HIDE));
    Click(run.Item(IDC_PREF_START_WITH_SYSTEM));
    Click(run.Item(IDOK));
    testkit::PumpMessages(200);
    EXPECT_TRUE(IsOpen(dialog));
    Recorded recorded = run.Snapshot();
    EXPECT_EQ(recorded.registrations, 1);
    EXPECT_EQ(recorded.applied, 0);
    EXPECT_EQ(RunValue(), std::nullopt);

    Click(run.Item(IDCANCEL));
    run.Finish();
    EXPECT_EQ(run.Settings(), opening_);
}

TEST_F(PreferencesDialogTest, PurgeAsksTheReminderWindowOnceAndTurnsItselfOff) {
    DialogRun run(opening_, paths_);
    ASSERT_NE(run.WaitForDialog(), nullptr);
    HWND purge = run.Item(IDC_PREF_PURGE_REMINDERS);
    EXPECT_TRUE(IsWindowEnabled(purge));
    Click(purge);
    EXPECT_FALSE(IsWindowEnabled(purge));
    Click(run.Item(IDCANCEL));
    run.Finish();
    const Recorded recorded = run.Snapshot();
    ASSERT_EQ(recorded.reminderMessages.size(), 1u);
    EXPECT_EQ(recorded.reminderMessages[0].message, RM_PURGE);
}

// The file commands: what the user picks, what ends up where, what the
// reminder window is told and what the user is told.
TEST_F(PreferencesDialogTest, BackupAndRestoreCopyTheReminderFile) {
    const std::string calendar(kCalendarBytes, sizeof(kCalendarBytes) - 1);
    const std::string backup(kBackupBytes, sizeof(kBackupBytes) - 1);
    struct Case {
        const char* name;
        int button;
        const char* fileBoxTitle;
        const char* pick;  // in the scratch folder
        bool calendarDatInMissingFolder;
        const char* told;
        testkit::MessageBoxIcon icon;
        const char* checkedFile;  // in the scratch folder
        std::string checkedBytes;
        std::vector<UINT> reminderMessages;
    };
    const Case cases[] = {
        {"backup over an older one",
         IDC_PREF_BACKUP_REMINDERS,
         "您要将现有的日程提醒文件备份到哪里？",
         "saved.dat",
         false,
         "日程提醒文件备份完毕！",
         testkit::MessageBoxIcon::kInformation,
         "saved.dat",
         calendar,
         {}},
        {"restore",
         IDC_PREF_RESTORE_REMINDERS,
         "您要从何处导入日程提醒文件？",
         "backup.dat",
         false,
         "日程提醒文件还原完毕！",
         testkit::MessageBoxIcon::kInformation,
         "Calendar.dat",
         backup,
         {RM_RELOAD}},
        // A copy that fails is reported, and a failed restore reloads nothing.
        {"backup without a reminder file",
         IDC_PREF_BACKUP_REMINDERS,
         "您要将现有的日程提醒文件备份到哪里？",
         "saved.dat",
         true,
         "日程提醒文件备份失败！",
         testkit::MessageBoxIcon::kWarning,
         "saved.dat",
         "older",
         {}},
        {"restore into a missing folder",
         IDC_PREF_RESTORE_REMINDERS,
         "您要从何处导入日程提醒文件？",
         "backup.dat",
         true,
         "日程提醒文件还原失败！",
         testkit::MessageBoxIcon::kWarning,
         "backup.dat",
         backup,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile("Calendar.dat", calendar);
        WriteFile("backup.dat", backup);
        WriteFile("saved.dat", "older");
        PreferencesPaths paths = paths_;
        if (c.calendarDatInMissingFolder) {
            paths.calendarDatPath = PathOf("missing\\Calendar.dat");
        }
        DialogRun run(opening_, paths);
        HWND dialog = run.WaitForDialog();
        ASSERT_NE(dialog, nullptr);
        std::optional<testkit::AnsweredDialog> told;
        {
            testkit::MessageBoxAnswerer answerer(settings_test::kMessageBoxCaption, IDOK);
            // Posted: the click opens a modal file box on the dialog's thread.
            ASSERT_TRUE(testkit::PostToWindow(dialog, WM_COMMAND, MAKEWPARAM(c.button, BN_CLICKED),
                                              reinterpret_cast<LPARAM>(run.Item(c.button))));
            ASSERT_TRUE(testkit::AnswerFileBox(c.fileBoxTitle, PathOf(c.pick)));
            told = answerer.Result();
        }
        ASSERT_TRUE(told.has_value());
        EXPECT_EQ(told->text, c.told);
        EXPECT_EQ(told->icon, c.icon);
        EXPECT_EQ(told->owner, dialog);
        EXPECT_EQ(Contents(PathOf(c.checkedFile)), c.checkedBytes);

        Click(run.Item(IDCANCEL));
        run.Finish();
        const Recorded recorded = run.Snapshot();
        ASSERT_EQ(recorded.reminderMessages.size(), c.reminderMessages.size());
        for (std::size_t i = 0; i < c.reminderMessages.size(); ++i) {
            EXPECT_EQ(recorded.reminderMessages[i].message, c.reminderMessages[i]);
            // The file was in place before the window was told to load it.
            EXPECT_EQ(recorded.reminderMessages[i].calendarDat, c.checkedBytes);
        }
    }
}

}  // namespace
