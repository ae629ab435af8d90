#include "widget/reminders/reminder_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "common/path_util.h"
#include "widget/reminders/tests/calendar_file_bytes.h"
#include "widget/reminders/tests/fake_alarm_clock.h"

namespace {

using namespace calendar_file_bytes;

Moment At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return FromLocalTime({year, month, day, hour, minute, second});
}

ReminderItem Reminder(std::uint32_t kind, Moment start, std::int32_t param = 0, std::string title = "标题") {
    ReminderItem item;
    item.title = std::move(title);
    item.kind = kind;
    item.start = start;
    item.param = param;
    return item;
}

// A store over a fake alarm clock and a clock the test sets, recording the
// ids it reports due, with a folder of its own for files.
class ReminderStoreTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("reminder_store_test_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        store_.SetDueNotification([this](std::uint32_t id) { due_.push_back(id); });
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string PathOf(const char* name) const { return JoinPath(folder_.string(), name); }

    void WriteFile(const char* name, const std::string& bytes) const {
        std::ofstream(PathOf(name), std::ios::binary) << bytes;
    }

    std::string ReadFile(const char* name) const {
        std::string bytes;
        EXPECT_TRUE(ReadWholeFile(PathOf(name), bytes));
        return bytes;
    }

    std::vector<std::uint32_t> StoredIds() const {
        std::vector<std::uint32_t> ids;
        for (const auto& [id, item] : store_.items()) {
            ids.push_back(id);
        }
        return ids;
    }

    std::filesystem::path folder_;
    FakeAlarmClock alarms_;
    FakeClock clock_{At(2024, 5, 7, 9, 0)};
    CReminderStore store_{&alarms_, clock_};
    std::vector<std::uint32_t> due_;
};

using Ids = std::vector<std::uint32_t>;

TEST_F(ReminderStoreTest, AddingAnIdAlreadyPresentReplacesTheRecord) {
    ASSERT_TRUE(store_.AddReminder(Reminder(KindOnce, At(2024, 5, 8, 10, 0), 0, "旧")));
    ReminderItem edited = Reminder(KindWeekly, At(2024, 5, 8, 7, 30), 0x10, "新");
    edited.id = 1;
    ASSERT_TRUE(store_.AddReminder(edited));

    EXPECT_EQ(StoredIds(), Ids{1});
    ReminderItem found;
    ASSERT_TRUE(store_.FindReminder(1, found));
    EXPECT_EQ(found.title, "新");
    EXPECT_EQ(found.repeat, 1440);
    EXPECT_EQ(alarms_.alarms().at(1).item.repeat, 1440);
}

TEST_F(ReminderStoreTest, FindingAnAbsentIdLeavesTheResetRecord) {
    store_.AddReminder(Reminder(KindInterval, At(2024, 5, 7, 8, 0), 30));
    ReminderItem found{9, "x", 5, 6, KindBirthday, 7, "c", "p", "s"};
    EXPECT_FALSE(store_.FindReminder(2, found));
    EXPECT_EQ(found, ReminderItem{});
}

TEST_F(ReminderStoreTest, RemovingForgetsTheReminderAndItsAlarm) {
    store_.AddReminder(Reminder(KindOnce, At(2024, 5, 8, 10, 0)));
    store_.AddReminder(Reminder(KindMonthly, At(2024, 5, 8, 10, 0), 8));
    EXPECT_TRUE(store_.RemoveReminder(1));
    EXPECT_TRUE(store_.RemoveReminder(42));
    EXPECT_EQ(StoredIds(), Ids{2});
    EXPECT_FALSE(alarms_.IsArmed(1));
    EXPECT_TRUE(alarms_.IsArmed(2));
}

TEST_F(ReminderStoreTest, SwitchingOffKeepsTheIdAndRemovesTheAlarm) {
    store_.AddReminder(Reminder(KindInterval, At(2024, 5, 7, 8, 0), 30));
    ReminderItem off;
    ASSERT_TRUE(store_.FindReminder(1, off));
    off.kind = KindOff;
    store_.AddReminder(off);

    EXPECT_EQ(StoredIds(), Ids{1});
    EXPECT_FALSE(alarms_.IsArmed(1));
    EXPECT_EQ(store_.items().at(1).kind, KindOff);
}

TEST_F(ReminderStoreTest, PurgeDropsPastOneOffKindsOnly) {
    const Moment now = At(2024, 5, 7, 9, 0);
    const Moment past = now - 60;
    struct Case {
        const char* name;
        ReminderItem item;
        bool kept;
    };
    const Case cases[] = {
        {"past off", Reminder(KindOff, past), false},
        {"past once", Reminder(KindOnce, past), false},
        {"past interval", Reminder(KindInterval, past, 30), true},
        {"past weekly", Reminder(KindWeekly, past, 0x10), true},
        {"past monthly", Reminder(KindMonthly, past, 7), true},
        {"past birthday", Reminder(KindBirthday, past, 3), false},
        {"past yearly birthday", Reminder(KindYearlyBirthday, past, 3), true},
        {"past lunar birthday", Reminder(KindLunarBirthday, past, 3), true},
        {"lunar birthday of 1970", Reminder(KindLunarBirthday, At(1970, 1, 1, 23, 59, 59), 0), true},
        {"past unknown kind", Reminder(8, past), true},
        {"once at now", Reminder(KindOnce, now), true},
        {"future birthday", Reminder(KindBirthday, now + 86400, 3), true},
    };
    for (const Case& c : cases) {
        store_.AddReminder(c.item);
    }
    ASSERT_EQ(store_.items().size(), std::size(cases));

    EXPECT_TRUE(store_.PurgeExpired(now));
    std::uint32_t id = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ++id;
        EXPECT_EQ(store_.items().count(id) != 0, c.kept);
        if (!c.kept) {
            EXPECT_FALSE(alarms_.IsArmed(id));
        }
    }
}

TEST_F(ReminderStoreTest, FiredAlarmIsReportedOnlyWhenTheReminderIsDue) {
    store_.AddReminder(Reminder(KindOnce, At(2024, 5, 8, 10, 0)));       // id 1
    store_.AddReminder(Reminder(KindWeekly, 0, WeekdayMask::kTuesday));  // id 2

    // The once alarm fires at 10:00 today: wrong date, and it stays armed
    // for tomorrow.
    clock_.Set(At(2024, 5, 7, 10, 0, 1));
    ASSERT_TRUE(alarms_.Fire(1));
    ASSERT_TRUE(alarms_.Fire(2));
    EXPECT_EQ(due_, Ids{2});
    EXPECT_TRUE(alarms_.IsArmed(1));

    // Its moment has come: reported, and its alarm is done.
    clock_.Set(At(2024, 5, 8, 10, 0, 1));  // Wednesday
    ASSERT_TRUE(alarms_.Fire(1));
    ASSERT_TRUE(alarms_.Fire(2));
    EXPECT_EQ(due_, (Ids{2, 1}));
    EXPECT_FALSE(alarms_.IsArmed(1));
    EXPECT_TRUE(alarms_.IsArmed(2));
    EXPECT_EQ(store_.items().count(1), 1u);

    // An alarm outliving its reminder, and a null id, report nothing.
    due_.clear();
    alarms_.AddAlarm({7, "", At(2024, 5, 8, 10, 0), 0}, &store_);
    ASSERT_TRUE(alarms_.Fire(7));
    store_.OnAlarm(nullptr);
    EXPECT_EQ(due_, Ids{});
}

TEST_F(ReminderStoreTest, NotificationMayBeUnsetThrowOrRemoveTheReminder) {
    store_.AddReminder(Reminder(KindWeekly, 0, WeekdayMask::kTuesday));
    clock_.Set(At(2024, 5, 7, 10, 0));

    store_.SetDueNotification(nullptr);
    EXPECT_TRUE(alarms_.Fire(1));

    store_.SetDueNotification([](std::uint32_t) { throw std::runtime_error("post failed"); });
    EXPECT_NO_THROW(alarms_.Fire(1));

    store_.SetDueNotification([this](std::uint32_t id) {
        due_.push_back(id);
        store_.RemoveReminder(id);
    });
    alarms_.Fire(1);
    EXPECT_EQ(due_, Ids{1});
    EXPECT_TRUE(store_.items().empty());
}

TEST_F(ReminderStoreTest, DestroyedStoreLeavesNoAlarmBehind) {
    {
        CReminderStore store(&alarms_, clock_);
        store.AddReminder(Reminder(KindOnce, At(2024, 5, 8, 10, 0)));
        store.AddReminder(Reminder(KindInterval, At(2024, 5, 8, 10, 0), 5));
        ASSERT_EQ(alarms_.alarms().size(), 2u);
    }
    EXPECT_TRUE(alarms_.alarms().empty());
}

TEST_F(ReminderStoreTest, SaveWritesTheGoldenBytes) {
    ReminderItem once = OnceReminder();
    ReminderItem interval = IntervalReminder();
    ReminderItem weekly = WeeklyReminder();
    // The ids and periods come from registration, not from the records.
    once.id = interval.id = weekly.id = 0;
    once.repeat = interval.repeat = weekly.repeat = 77;
    store_.AddReminder(once);
    store_.AddReminder(interval);
    store_.AddReminder(weekly);

    ASSERT_TRUE(store_.SaveReminders(PathOf("Calendar.dat")));
    EXPECT_TRUE(ReadFile("Calendar.dat") == kHeader + kOnceRecord + kIntervalRecord + kWeeklyRecord);

    // Saving again replaces the file.
    store_.RemoveReminder(2);
    ASSERT_TRUE(store_.SaveReminders(PathOf("Calendar.dat")));
    EXPECT_TRUE(ReadFile("Calendar.dat") == kHeader + kOnceRecord + kWeeklyRecord);
}

TEST_F(ReminderStoreTest, SaveIntoAMissingFolderFails) {
    store_.AddReminder(OnceReminder());
    EXPECT_FALSE(store_.SaveReminders(PathOf("no_such_folder/Calendar.dat")));
}

TEST_F(ReminderStoreTest, LoadingAddsEveryRecordUnderANewId) {
    store_.AddReminder(Reminder(KindOnce, At(2024, 5, 8, 10, 0), 0, "已有"));  // id 1
    WriteFile("Calendar.dat", kHeader + kOnceRecord + kIntervalRecord);

    // The file's ids (1 and 2) mean nothing to this run.
    ASSERT_TRUE(store_.LoadReminders(PathOf("Calendar.dat")));
    ASSERT_TRUE(store_.LoadReminders(PathOf("Calendar.dat")));
    EXPECT_EQ(StoredIds(), (Ids{1, 2, 3, 4, 5}));
    EXPECT_EQ(store_.items().at(1).title, "已有");
    for (std::uint32_t id : {2u, 4u}) {
        ReminderItem expected = OnceReminder();
        expected.id = id;
        EXPECT_EQ(store_.items().at(id), expected);
        EXPECT_TRUE(alarms_.IsArmed(id));
    }
    for (std::uint32_t id : {3u, 5u}) {
        ReminderItem expected = IntervalReminder();
        expected.id = id;
        EXPECT_EQ(store_.items().at(id), expected);
        EXPECT_EQ(alarms_.alarms().at(id).listener, &store_);
    }
}

TEST_F(ReminderStoreTest, LoadReportsShortFilesAndKeepsWholeRecords) {
    struct Case {
        const char* name;
        const char* file;  // null: no file
        std::string bytes;
        bool loaded;
        std::size_t records;
    };
    const Case cases[] = {
        {"missing file", nullptr, "", false, 0},
        {"empty file", "empty.dat", "", false, 0},
        {"header only", "header.dat", kHeader, true, 0},
        {"third record cut", "cut.dat", kHeader + kOnceRecord + kIntervalRecord + kWeeklyRecord.substr(0, 60), false,
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeAlarmClock alarms;
        CReminderStore store(&alarms, clock_);
        std::string path = PathOf("missing.dat");
        if (c.file != nullptr) {
            WriteFile(c.file, c.bytes);
            path = PathOf(c.file);
        }
        EXPECT_EQ(store.LoadReminders(path), c.loaded);
        EXPECT_EQ(store.items().size(), c.records);
        EXPECT_EQ(alarms.alarms().size(), c.records);
    }

    // After a missing file the first save creates it.
    ASSERT_FALSE(store_.LoadReminders(PathOf("Calendar.dat")));
    ASSERT_TRUE(store_.SaveReminders(PathOf("Calendar.dat")));
    EXPECT_EQ(ReadFile("Calendar.dat"), kHeader);
}

// Records a file may hold but the editors never make: each keeps an id of
// its own, is saved again unchanged, and has no alarm.
TEST_F(ReminderStoreTest, RecordsWithoutAnAlarmAreKeptAndSaved) {
    ReminderItem zeroInterval = Reminder(KindInterval, At(2024, 5, 7, 8, 0), 0, "零");
    ReminderItem negativeInterval = Reminder(KindInterval, At(2024, 5, 7, 8, 0), -30, "负");
    ReminderItem noNotice = Reminder(KindBirthday, At(2024, 5, 10, 23, 59, 59), -1, "生");
    ReminderItem unknown = Reminder(8, At(2024, 5, 7, 8, 0), 3, "八");
    for (const ReminderItem& item : {zeroInterval, negativeInterval, noNotice, unknown}) {
        store_.AddReminder(item);
    }
    EXPECT_EQ(StoredIds(), (Ids{1, 2, 3, 4}));
    EXPECT_TRUE(alarms_.alarms().empty());

    ASSERT_TRUE(store_.SaveReminders(PathOf("Calendar.dat")));
    FakeAlarmClock alarms;
    CReminderStore reloaded(&alarms, clock_);
    ASSERT_TRUE(reloaded.LoadReminders(PathOf("Calendar.dat")));
    EXPECT_EQ(reloaded.items(), store_.items());
    EXPECT_TRUE(alarms.alarms().empty());
}

}  // namespace
