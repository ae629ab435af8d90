#include "widget/reminders/snooze_list.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

using Ids = std::vector<std::uint32_t>;

constexpr Moment kNow = 1715043600;  // 2024-05-07 09:00 CST

ReminderItem Reminder(std::uint32_t id, const std::string& title) {
    ReminderItem item;
    item.id = id;
    item.title = title;
    item.start = kNow - 3600;
    item.kind = KindOnce;
    item.content = "内容";
    return item;
}

ReminderMap MapOf(const std::vector<ReminderItem>& items) {
    ReminderMap map;
    for (const ReminderItem& item : items) {
        map[item.id] = item;
    }
    return map;
}

TEST(SnoozeList, AnAlertComesOnceAtItsMoment) {
    SnoozeList list;
    list.Snooze(Reminder(7, "a"), kNow + 300);
    EXPECT_EQ(list.NextDue(), std::optional<Moment>(kNow + 300));
    EXPECT_EQ(list.TakeDue(kNow + 299), Ids{});
    EXPECT_EQ(list.TakeDue(kNow + 300), Ids{7});
    EXPECT_EQ(list.TakeDue(kNow + 301), Ids{});
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.NextDue(), std::nullopt);
}

TEST(SnoozeList, TakesEveryDueAlertEarliestFirstThenById) {
    SnoozeList list;
    list.Snooze(Reminder(9, "a"), kNow + 600);
    list.Snooze(Reminder(5, "b"), kNow + 600);
    list.Snooze(Reminder(8, "c"), kNow + 60);
    list.Snooze(Reminder(2, "d"), kNow + 3600);
    EXPECT_EQ(list.NextDue(), std::optional<Moment>(kNow + 60));
    EXPECT_EQ(list.TakeDue(kNow + 600), (Ids{8, 5, 9}));
    EXPECT_EQ(list.size(), 1u);
    EXPECT_EQ(list.NextDue(), std::optional<Moment>(kNow + 3600));
}

TEST(SnoozeList, SnoozingAgainKeepsOnlyTheLatestMoment) {
    SnoozeList list;
    list.Snooze(Reminder(3, "a"), kNow + 300);
    list.Snooze(Reminder(3, "a"), kNow + 1800);
    EXPECT_EQ(list.size(), 1u);
    EXPECT_EQ(list.TakeDue(kNow + 600), Ids{});
    EXPECT_EQ(list.TakeDue(kNow + 1800), Ids{3});
}

TEST(SnoozeList, AForgottenReminderDoesNotComeAgain) {
    SnoozeList list;
    list.Snooze(Reminder(3, "a"), kNow + 300);
    list.Snooze(Reminder(4, "b"), kNow + 300);
    list.Forget(3);
    list.Forget(99);
    EXPECT_EQ(list.TakeDue(kNow + 300), Ids{4});
}

TEST(SnoozeList, SavedCarriesTheRecordAsStoredNowAndDropsGoneIds) {
    SnoozeList list;
    list.Snooze(Reminder(3, "old title"), kNow + 900);
    list.Snooze(Reminder(4, "b"), kNow + 300);
    list.Snooze(Reminder(5, "gone"), kNow + 60);
    const ReminderItem renamed = Reminder(3, "new title");
    const std::vector<SnoozedAlert> expected = {{kNow + 300, Reminder(4, "b")}, {kNow + 900, renamed}};
    EXPECT_EQ(list.Saved(MapOf({renamed, Reminder(4, "b")})), expected);
    // Saving leaves the list as it was.
    EXPECT_EQ(list.size(), 3u);
}

// After a restart the ids are new: an alert finds its reminder by the record.
TEST(SnoozeList, RestoreFindsEachReminderByItsRecord) {
    ReminderItem registered = Reminder(41, "a");
    registered.repeat = 1440;  // what registration wrote; not part of the match
    ReminderItem changed = Reminder(42, "b");
    changed.content = "改过的内容";
    const ReminderMap loaded = MapOf({registered, changed, Reminder(43, "c")});
    const std::vector<SnoozedAlert> saved = {
        {kNow + 600, Reminder(1, "a")},
        {kNow + 60, Reminder(2, "b")},      // changed since: dropped
        {kNow + 120, Reminder(3, "gone")},  // deleted since: dropped
        {kNow + 300, Reminder(4, "c")},
    };
    SnoozeList list;
    list.Snooze(Reminder(43, "c"), kNow + 5);  // a list of before is replaced
    list.Restore(saved, loaded);
    EXPECT_EQ(list.size(), 2u);
    EXPECT_EQ(list.TakeDue(kNow + 600), (Ids{43, 41}));
}

TEST(SnoozeList, EqualRecordsGetOneAlertEach) {
    const ReminderMap loaded = MapOf({Reminder(10, "same"), Reminder(11, "same"), Reminder(12, "same")});
    SnoozeList list;
    list.Restore({{kNow + 60, Reminder(1, "same")}, {kNow + 120, Reminder(2, "same")}}, loaded);
    EXPECT_EQ(list.TakeDue(kNow + 60), Ids{10});
    EXPECT_EQ(list.TakeDue(kNow + 120), Ids{11});

    // More saved alerts than equal reminders: the extra one has no reminder.
    list.Restore({{kNow, Reminder(1, "x")}, {kNow, Reminder(2, "x")}}, MapOf({Reminder(20, "x")}));
    EXPECT_EQ(list.TakeDue(kNow), Ids{20});
}

// An alert whose moment passed while the widget was not running comes at
// start, once.
TEST(SnoozeList, AnAlertPastDueAtStartComesOnce) {
    const ReminderMap loaded = MapOf({Reminder(50, "a")});
    SnoozeList list;
    list.Restore({{kNow - 7200, Reminder(1, "a")}}, loaded);
    EXPECT_EQ(list.TakeDue(kNow), Ids{50});
    EXPECT_EQ(list.TakeDue(kNow + 60), Ids{});
    EXPECT_EQ(list.Saved(loaded), std::vector<SnoozedAlert>{});
}

}  // namespace
