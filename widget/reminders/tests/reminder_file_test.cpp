#include "widget/reminders/reminder_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "widget/reminders/tests/calendar_file_bytes.h"

namespace {

using namespace calendar_file_bytes;

std::vector<ReminderItem> Parsed(const std::string& bytes, bool& complete) {
    std::vector<ReminderItem> records;
    complete = ParseReminderFile(bytes, records);
    return records;
}

TEST(ReminderFile, ReadsGoldenFiles) {
    const std::vector<ReminderItem> none;
    const std::vector<ReminderItem> two = {OnceReminder(), IntervalReminder()};
    struct Case {
        const char* name;
        std::string bytes;
        bool complete;
        std::vector<ReminderItem> records;
    };
    const Case cases[] = {
        {"header only", kHeader, true, none},
        {"empty file", "", false, none},
        {"header cut short", kHeader.substr(0, 3), false, none},
        {"two records", kHeader + kOnceRecord + kIntervalRecord, true, two},
        {"foreign header", Bytes("\x12\x34\x56\x78") + kOnceRecord + kIntervalRecord, true, two},
        {"32-bit text length", kHeader + kWeeklyRecord, true, {WeeklyReminder()}},
        {"third record cut", kHeader + kOnceRecord + kIntervalRecord + kWeeklyRecord.substr(0, 30), false, two},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool complete = !c.complete;
        EXPECT_EQ(Parsed(c.bytes, complete), c.records);
        EXPECT_EQ(complete, c.complete);
    }
}

// Cut after every byte, a file keeps its whole records and says whether it
// ended on a record boundary.
TEST(ReminderFile, EveryCutKeepsTheWholeRecordsBeforeIt) {
    const std::string file = kHeader + kOnceRecord + kIntervalRecord;
    const std::size_t firstEnd = kHeader.size() + kOnceRecord.size();
    for (std::size_t length = 0; length <= file.size(); ++length) {
        SCOPED_TRACE(length);
        bool complete = false;
        const std::vector<ReminderItem> records = Parsed(file.substr(0, length), complete);
        const std::size_t whole = length == file.size() ? 2 : length >= firstEnd ? 1 : 0;
        EXPECT_EQ(records.size(), whole);
        EXPECT_EQ(complete, length == kHeader.size() || length == firstEnd || length == file.size());
    }
}

TEST(ReminderFile, LengthPrefixBeyondTheFileIsMalformedNotAnAllocation) {
    struct Case {
        const char* name;
        std::string titlePrefix;
    };
    const Case cases[] = {
        {"32-bit length of 4 GiB - 1", Bytes("\xFF\xFF\xFF\xFF\xFF\xFF\xFF")},
        {"32-bit length of 2 GiB", Bytes("\xFF\xFF\xFF\x00\x00\x00\x80")},
        {"16-bit length", Bytes("\xFF\x00\x80")},
        {"16-bit length announcing UTF-16", Bytes("\xFF\xFE\xFF")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // A good record, then one whose title claims more than is left.
        const std::string file = kHeader + kOnceRecord + Bytes("\x09\x00\x00\x00") + c.titlePrefix + "short";
        bool complete = true;
        EXPECT_EQ(Parsed(file, complete), std::vector<ReminderItem>{OnceReminder()});
        EXPECT_FALSE(complete);
    }
}

TEST(ReminderFile, WritesTheGoldenBytesInAscendingIdOrder) {
    // Inserted out of order: the file follows the ids.
    ReminderMap items;
    items[3] = WeeklyReminder();
    items[1] = OnceReminder();
    items[2] = IntervalReminder();
    std::string bytes;
    ASSERT_TRUE(EncodeReminderFile(items, bytes));
    EXPECT_TRUE(bytes == kHeader + kOnceRecord + kIntervalRecord + kWeeklyRecord);

    ASSERT_TRUE(EncodeReminderFile({}, bytes));
    EXPECT_EQ(bytes, kHeader);
}

}  // namespace
