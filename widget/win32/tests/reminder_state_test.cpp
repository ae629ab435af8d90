// The reminder state on the real library: ReminderState.dat beside
// Calendar.dat, alerts put off with "稍后提醒" coming again once, and the
// reminders that came due while the widget was not running (or the computer
// slept) listed in "错过的日程提醒".

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/local_time.h"
#include "common/path_util.h"
#include "controls/tests/win32/sound_files.h"
#include "controls/win32/sound_player.h"
#include "services/product_identity.h"
#include "testkit/win32/message_box_answerer.h"
#include "testkit/win32/screenshot.h"
#include "testkit/win32/window_helpers.h"
#include "widget/reminders/reminder_messages.h"
#include "widget/reminders/reminder_state_file.h"
#include "widget/reminders/win32/reminder_dialog_resources.h"
#include "widget/win32/tests/widget_library.h"

namespace {

using ReminderStateTest = WidgetTest;

constexpr int kMinute = 60;
constexpr int kHour = 3600;

// What ReminderState.dat holds now, or nothing when it is missing or broken.
std::optional<ReminderState> SavedState(const WidgetTestFolder& folder) {
    const std::optional<std::string> bytes = folder.Read(kReminderStateFileName);
    ReminderState state;
    if (!bytes || !ParseReminderState(*bytes, state)) {
        return std::nullopt;
    }
    return state;
}

// The id the running widget gave the reminder titled `title`; 0 for none.
std::uint32_t StoredId(const CCalendarWindow& window, const std::string& title) {
    for (const auto& [id, item] : window.reminders().items()) {
        if (item.title == title) {
            return id;
        }
    }
    return 0;
}

// A once reminder at the minute `seconds` away from `now`.
ReminderItem OnceAt(const std::string& title, Moment now, int seconds) {
    const LocalTime at = ToLocalTime(now + seconds);
    return OnceReminder(title, at.year, at.month, at.day, at.hour, at.minute);
}

// This process's reminder pop-ups, found by their caption.
std::vector<HWND> Popups() {
    return testkit::FindTopLevelWindows(
        {.titleEnding = "－日程提醒", .processId = GetCurrentProcessId(), .visibleOnly = true});
}

std::string ControlText(HWND dialog, int control) {
    return testkit::WindowText(GetDlgItem(dialog, control));
}

TEST_F(ReminderStateTest, FirstStartListsNothingAndRecordsTheCheckedMoment) {
    struct Case {
        const char* name;
        std::optional<std::string> state;
    };
    const Case cases[] = {
        {"no file", std::nullopt},
        {"another header", std::string("XXXX\x01\0\0\0\0\0\0\0", 12)},
        {"shorter than its fixed part", std::string("RZS1\x01", 5)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Moment before = SystemClock().Now();
        ASSERT_EQ(Start(TestSettings(300, 60), {OnceAt("早会", before, -kHour)}, nullptr, c.state), 1);
        EXPECT_EQ(Window()->missedWindow(), nullptr);
        const std::optional<ReminderState> saved = SavedState(Folder());
        ASSERT_TRUE(saved.has_value());
        ASSERT_TRUE(saved->checkedUpTo.has_value());
        EXPECT_GE(*saved->checkedUpTo, before);
        EXPECT_LE(*saved->checkedUpTo, SystemClock().Now());
        EXPECT_TRUE(saved->snoozed.empty());
        Library().entries.Release(0);
    }
}

TEST_F(ReminderStateTest, ReminderDueWhileNotRunningIsListedWithoutSoundAndDeletedFromTheList) {
    const std::string sound = Folder().PathOf("missed.wav");
    ASSERT_TRUE(sound_files::WriteSilentWave(sound, 300));
    const Moment now = SystemClock().Now();
    ReminderItem missed = OnceAt("交报告", now, -kHour);
    missed.sound = sound;
    // Due before the recorded moment: the earlier run has alerted it.
    const ReminderItem alerted = OnceAt("已提醒", now, -3 * kHour);
    ASSERT_EQ(Start(TestSettings(300, 60), {missed, alerted}, nullptr, ReminderStateBytes(now - 2 * kHour)), 1);
    const std::uint32_t id = StoredId(*Window(), "交报告");
    ASSERT_NE(id, 0u);

    const MissedRemindersWindow* list = Window()->missedWindow();
    ASSERT_NE(list, nullptr);
    const HWND window = list->window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(testkit::WindowText(window).ends_with("－错过的日程提醒"));
    EXPECT_EQ(list->ListedIds(), std::vector<std::uint32_t>{id});
    EXPECT_TRUE(Popups().empty());
    EXPECT_EQ(QuerySoundPlayer()->GetCurrentID(), 0u);
    testkit::PumpMessages(300);
    EXPECT_TRUE(testkit::SaveWindowPng(window, JoinPath(WIDGET_SCREENSHOT_DIR, "widget_missed_reminders.png")));

    // 打开 shows the reminder as stored in its editor; the list stays.
    PostMessageA(window, WM_COMMAND, IDC_MISSED_OPEN, 0);
    testkit::PumpMessages(300);
    ASSERT_NE(Window()->scheduleEditor(), nullptr);
    const HWND editor = Window()->scheduleEditor()->window();
    EXPECT_TRUE(IsWindowVisible(editor));
    EXPECT_EQ(ControlText(editor, IDC_SCHEDULE_TITLE), "交报告");
    SendMessageA(editor, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(IsWindowVisible(window));

    {
        testkit::MessageBoxAnswerer answerer(services::kMessageBoxCaption.data(), IDOK, 5000);
        PostMessageA(window, WM_COMMAND, IDC_MISSED_DELETE, 0);
        testkit::PumpMessages(1500);
        ASSERT_TRUE(answerer.Result().has_value());
        EXPECT_EQ(answerer.Result()->text, kDeleteReminderQuestion);
    }
    testkit::PumpMessages(300);
    EXPECT_EQ(StoredId(*Window(), "交报告"), 0u);
    EXPECT_NE(StoredId(*Window(), "已提醒"), 0u);
    const std::vector<ReminderItem> written =
        ReminderFileItems(Folder().Read("Calendar.dat").value_or("")).value_or(std::vector<ReminderItem>{});
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0].title, "已提醒");
    if (Window()->missedWindow() != nullptr) {
        EXPECT_TRUE(Window()->missedWindow()->ListedIds().empty());
    }
    // It goes with the calendar window.
    Library().entries.Release(0);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(ReminderStateTest, ChecksFarApartListWhatCameDueBetweenThem) {
    const Moment start = SystemClock().Now();
    ASSERT_EQ(Start(TestSettings(300, 60), {OnceAt("午休", start, 10 * kMinute), OnceAt("散会", start, 30 * kMinute)}),
              1);
    // Checks that follow each other closely never list a reminder.
    Window()->CheckReminderState(start + 2 * kMinute);
    Window()->CheckReminderState(start + 5 * kMinute);
    EXPECT_EQ(Window()->missedWindow(), nullptr);
    ASSERT_EQ(SavedState(Folder()).value_or(ReminderState{}).checkedUpTo, start + 5 * kMinute);

    // The computer slept for 15 minutes.
    Window()->CheckReminderState(start + 20 * kMinute);
    ASSERT_NE(Window()->missedWindow(), nullptr);
    EXPECT_EQ(Window()->missedWindow()->ListedIds(), std::vector<std::uint32_t>{StoredId(*Window(), "午休")});
    EXPECT_EQ(SavedState(Folder()).value_or(ReminderState{}).checkedUpTo, start + 20 * kMinute);
    // A second sleep adds to the open list.
    Window()->CheckReminderState(start + 40 * kMinute);
    EXPECT_EQ(Window()->missedWindow()->ListedIds(),
              (std::vector<std::uint32_t>{StoredId(*Window(), "午休"), StoredId(*Window(), "散会")}));
    EXPECT_TRUE(Popups().empty());
}

TEST_F(ReminderStateTest, AlertPutOffPastItsMomentWhileNotRunningComesOnceAtStart) {
    const Moment now = SystemClock().Now();
    const ReminderItem due = OnceAt("复诊", now, 24 * kHour);
    const ReminderItem later = OnceAt("取快递", now, 25 * kHour);
    const std::string state = ReminderStateBytes(now - kMinute, {{now - 5 * kMinute, due}, {now + kHour, later}});
    ASSERT_EQ(Start(TestSettings(300, 60), {due, later}, nullptr, state), 1);
    const std::vector<HWND> popups = Popups();
    ASSERT_EQ(popups.size(), 1u);
    EXPECT_EQ(ControlText(popups[0], IDC_POPUP_TITLE_LINE), "提醒标题：复诊");
    EXPECT_EQ(Window()->snoozes().size(), 1u);
    EXPECT_EQ(Window()->missedWindow(), nullptr);
    const std::optional<ReminderState> saved = SavedState(Folder());
    ASSERT_TRUE(saved.has_value());
    ASSERT_EQ(saved->snoozed.size(), 1u);
    EXPECT_EQ(saved->snoozed[0].due, now + kHour);
    EXPECT_EQ(saved->snoozed[0].reminder.title, "取快递");

    // The next start finds only the alert still put off.
    const std::string left = Folder().Read(kReminderStateFileName).value_or("");
    Library().entries.Release(0);
    ASSERT_EQ(Start(TestSettings(300, 60), {due, later}, nullptr, left), 1);
    EXPECT_TRUE(Popups().empty());
    EXPECT_EQ(Window()->snoozes().size(), 1u);
}

// An alert put off from its pop-up: the pop-up goes, the file holds the
// alert at once, and it comes back once, after the chosen five minutes.
TEST_F(ReminderStateTest, SnoozedForFiveMinutesComesBackOnceWithANewPopup) {
    const std::string sound = Folder().PathOf("snoozed.wav");
    ASSERT_TRUE(sound_files::WriteSilentWave(sound, 300));
    const Moment now = SystemClock().Now();
    ReminderItem call = OnceAt("打电话", now, 24 * kHour);
    call.sound = sound;
    ASSERT_EQ(Start(TestSettings(300, 60), {call}), 1);
    const std::uint32_t id = StoredId(*Window(), "打电话");
    ASSERT_NE(id, 0u);
    SendMessageA(WindowHandle(), RM_DUE, id, 0);
    std::vector<HWND> popups = Popups();
    ASSERT_EQ(popups.size(), 1u);
    EXPECT_EQ(QuerySoundPlayer()->GetCurrentID(), id);
    const HWND popup = popups[0];
    const HWND choice = GetDlgItem(popup, IDC_POPUP_SNOOZE_MINUTES);
    ASSERT_NE(choice, nullptr);
    ASSERT_NE(SendMessageA(choice, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("5分钟")),
              CB_ERR);
    const Moment clicked = SystemClock().Now();
    SendMessageA(popup, WM_COMMAND, MAKEWPARAM(IDC_POPUP_SNOOZE, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(popup, IDC_POPUP_SNOOZE)));
    testkit::PumpMessages(300);
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_EQ(Window()->popupCount(), 0u);
    EXPECT_EQ(QuerySoundPlayer()->GetCurrentID(), 0u) << "the sound plays on";
    EXPECT_EQ(Window()->snoozes().size(), 1u);
    const std::optional<ReminderState> saved = SavedState(Folder());
    ASSERT_TRUE(saved.has_value());
    ASSERT_EQ(saved->snoozed.size(), 1u);
    const Moment due = saved->snoozed[0].due;
    EXPECT_GE(due, clicked + 5 * kMinute);
    EXPECT_LE(due, SystemClock().Now() + 5 * kMinute);
    EXPECT_EQ(saved->snoozed[0].reminder.title, "打电话");

    Window()->CheckReminderState(clicked + 4 * kMinute);
    EXPECT_TRUE(Popups().empty());
    Window()->CheckReminderState(due);
    popups = Popups();
    ASSERT_EQ(popups.size(), 1u);
    EXPECT_EQ(ControlText(popups[0], IDC_POPUP_TITLE_LINE), "提醒标题：打电话");
    EXPECT_EQ(QuerySoundPlayer()->GetCurrentID(), id);
    Window()->CheckReminderState(due + 20);
    EXPECT_EQ(Popups().size(), 1u);
    EXPECT_TRUE(Window()->snoozes().empty());
    EXPECT_TRUE(SavedState(Folder()).value_or(ReminderState{}).snoozed.empty());
}

// A reminder taken out of the store while its alert is put off: the alert
// never comes, not even as an empty pop-up.
TEST_F(ReminderStateTest, ReminderGoneWhileItsAlertIsPutOffNeverComesBack) {
    struct Case {
        const char* name;
        UINT message;
        bool forgottenAtOnce;  // a purge leaves the alert to be dropped when it is due
    };
    const Case cases[] = {{"deleted", RM_DELETE, true}, {"purged as expired", RM_PURGE, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Moment now = SystemClock().Now();
        // Alerted an hour ago, and put off again and again since.
        const ReminderItem item = OnceAt("买票", now, -kHour);
        ASSERT_EQ(Start(TestSettings(300, 60), {item}, nullptr, ReminderStateBytes(now, {{now + kHour, item}})), 1);
        ASSERT_EQ(Window()->snoozes().size(), 1u);
        const std::uint32_t id = StoredId(*Window(), "买票");
        ASSERT_NE(id, 0u);
        SendMessageA(WindowHandle(), c.message, c.message == RM_DELETE ? id : 0, 0);
        EXPECT_EQ(StoredId(*Window(), "买票"), 0u);
        EXPECT_EQ(Window()->snoozes().empty(), c.forgottenAtOnce);
        Window()->CheckReminderState(now + 2 * kHour);
        EXPECT_TRUE(Popups().empty());
        EXPECT_TRUE(Window()->snoozes().empty());
        EXPECT_TRUE(SavedState(Folder()).value_or(ReminderState{}).snoozed.empty());
        Library().entries.Release(0);
    }
}

// A restore from a backup gives every reminder a new id; an alert put off
// before still comes for its reminder, and the missed list, whose rows name
// the old ids, closes.
TEST_F(ReminderStateTest, RestoreFromABackupKeepsThePutOffAlertOfItsReminder) {
    const Moment now = SystemClock().Now();
    const ReminderItem item = OnceAt("还书", now, 24 * kHour);
    const ReminderItem missed = OnceAt("开会", now, -kHour);
    ASSERT_EQ(Start(TestSettings(300, 60), {item, missed}, nullptr,
                    ReminderStateBytes(now - 2 * kHour, {{now + kHour, item}})),
              1);
    ASSERT_NE(Window()->missedWindow(), nullptr);
    const std::uint32_t before = StoredId(*Window(), "还书");
    Folder().Write("Calendar.dat", ReminderFileBytes({item, missed}));
    SendMessageA(WindowHandle(), RM_RELOAD, 0, 0);
    testkit::PumpMessages(300);
    ASSERT_NE(StoredId(*Window(), "还书"), before);
    EXPECT_EQ(Window()->missedWindow(), nullptr);
    EXPECT_EQ(Window()->snoozes().size(), 1u);
    Window()->CheckReminderState(now + kHour);
    const std::vector<HWND> popups = Popups();
    ASSERT_EQ(popups.size(), 1u);
    EXPECT_EQ(ControlText(popups[0], IDC_POPUP_TITLE_LINE), "提醒标题：还书");
}

}  // namespace
