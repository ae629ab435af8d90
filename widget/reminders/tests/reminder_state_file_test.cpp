#include "widget/reminders/reminder_state_file.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "widget/reminders/tests/calendar_file_bytes.h"

namespace {

using namespace calendar_file_bytes;

const std::string kStateHeader = Bytes("RZS1");
const std::string kNoMoment = Bytes("\x00\x00\x00\x00\x00\x00\x00\x00");
// Flag 1, then 1700000000 (2023-11-15 06:13:20 CST).
const std::string kMoment = Bytes("\x01\x00\x00\x00\x00\xF1\x53\x65");
// 1700000600, ten minutes later.
const std::string kAlertDue = Bytes("\x58\xF3\x53\x65");

ReminderState StateWithTwoAlerts() {
    ReminderState state;
    state.checkedUpTo = 1700000000;
    state.snoozed = {{1700000600, OnceReminder()}, {1700003600, IntervalReminder()}};
    return state;
}

std::string Encoded(const ReminderState& state) {
    std::string bytes;
    EXPECT_TRUE(EncodeReminderState(state, bytes));
    return bytes;
}

TEST(ReminderStateFile, WritesTheLayoutByteForByte) {
    ReminderState state;
    state.checkedUpTo = 1700000000;
    state.snoozed = {{1700000600, OnceReminder()}};
    EXPECT_EQ(Encoded(state), kStateHeader + kMoment + kAlertDue + kOnceRecord);
    EXPECT_EQ(Encoded(ReminderState{}), kStateHeader + kNoMoment);
}

TEST(ReminderStateFile, ReadsBackWhatItWrites) {
    const ReminderState states[] = {
        ReminderState{},
        StateWithTwoAlerts(),
        ReminderState{std::nullopt, {{-5, WeeklyReminder()}}},
        ReminderState{std::numeric_limits<Moment>::min(), {}},
    };
    for (const ReminderState& state : states) {
        ReminderState read;
        EXPECT_TRUE(ParseReminderState(Encoded(state), read));
        EXPECT_EQ(read, state);
    }
}

// A flag of 0 says there is no moment, whatever its four bytes hold.
TEST(ReminderStateFile, IgnoresTheMomentBehindFlagZero) {
    ReminderState read;
    read.checkedUpTo = 1;
    EXPECT_TRUE(ParseReminderState(kStateHeader + Bytes("\x00\x00\x00\x00\x12\x34\x56\x78"), read));
    EXPECT_EQ(read, ReminderState{});
}

TEST(ReminderStateFile, RefusesAFixedPartThatIsNotOurs) {
    const std::string alert = kAlertDue + kOnceRecord;
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty", ""},
        {"header only", kStateHeader},
        {"moment cut", kStateHeader + kMoment.substr(0, 7)},
        {"another header", Bytes("RZS2") + kMoment + alert},
        {"Calendar.dat header", kHeader + kMoment + alert},
        {"flag 2", kStateHeader + Bytes("\x02\x00\x00\x00\x00\x00\x00\x00") + alert},
        {"flag in a higher byte", kStateHeader + Bytes("\x00\x01\x00\x00\x00\x00\x00\x00") + alert},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ReminderState read = StateWithTwoAlerts();
        EXPECT_FALSE(ParseReminderState(c.bytes, read));
        EXPECT_EQ(read, ReminderState{});
    }
}

// Cut after every byte, the file keeps the moment and the whole alerts
// before the cut, and says whether it ended on an alert's boundary.
TEST(ReminderStateFile, EveryCutKeepsTheWholeAlertsBeforeIt) {
    const std::string file = Encoded(StateWithTwoAlerts());
    const std::size_t fixedEnd = kStateHeader.size() + kMoment.size();
    const std::size_t firstEnd = fixedEnd + kAlertDue.size() + kOnceRecord.size();
    for (std::size_t length = fixedEnd; length <= file.size(); ++length) {
        SCOPED_TRACE(length);
        ReminderState read;
        const bool complete = ParseReminderState(file.substr(0, length), read);
        EXPECT_EQ(read.checkedUpTo, std::optional<Moment>(1700000000));
        const std::size_t whole = length == file.size() ? 2 : length >= firstEnd ? 1 : 0;
        ASSERT_EQ(read.snoozed.size(), whole);
        if (whole > 0) {
            EXPECT_EQ(read.snoozed[0], (SnoozedAlert{1700000600, OnceReminder()}));
        }
        EXPECT_EQ(complete, length == fixedEnd || length == firstEnd || length == file.size());
    }
}

// A text length that runs past the end is never believed.
TEST(ReminderStateFile, StopsAtALengthLongerThanTheFile) {
    std::string alert = kAlertDue + kOnceRecord;
    alert[kAlertDue.size() + 4] = '\xFE';  // the title's one-byte length
    ReminderState read;
    EXPECT_FALSE(ParseReminderState(kStateHeader + kMoment + kAlertDue + kOnceRecord + alert, read));
    EXPECT_EQ(read.snoozed, (std::vector<SnoozedAlert>{{1700000600, OnceReminder()}}));
}

}  // namespace
