#pragma once

// The schedule editor's inputs as plain values, and its rules: how a
// reminder fills them, how they read back into a reminder, which inputs are
// enabled, how the hour and minute arrows step, and what the confirm button
// does. The editor window copies these values to and from its controls and
// carries out what the rules decide.

#include <array>
#include <cstdint>
#include <string>

#include "widget/calendar/gregorian.h"
#include "widget/reminders/reminder_item.h"

struct ScheduleEditorFields {
    bool on = true;  // the on/off box; off stores kind 0
    GregorianDate date{1970, 1, 1};
    int hour = 0;    // 0-23
    int minute = 0;  // 0-59
    // Title and content as shown, placeholder included.
    std::string title = kTitlePlaceholder;
    std::string content = kContentPlaceholder;
    std::uint32_t kind = KindOnce;  // the selected radio: KindOnce to KindMonthly
    std::string intervalNumber;     // as typed
    // Hours is the unit selected when the editor is first made.
    IntervalUnit intervalUnit = IntervalUnit::kHours;
    std::array<bool, 7> weekdays{};  // the boxes Monday ... Sunday
    std::string dayOfMonth = "1";    // the day-of-month list's text
    std::string program;
    std::string sound;
    bool deleteShown = false;

    friend bool operator==(const ScheduleEditorFields&, const ScheduleEditorFields&) = default;
};

// Shows `item` in the fields. The fields a kind does not use (the interval
// of a weekly reminder, the radio of a switched-off one, ...) keep what they
// held, as the editor window keeps its state between uses. The delete button
// shows only for an `existing` reminder.
void FillScheduleEditor(const ReminderItem& item, bool existing, ScheduleEditorFields& fields);

// The reminder the fields describe, under `editedId` (0 for a new one).
ReminderItem ReadScheduleEditor(const ScheduleEditorFields& fields, std::uint32_t editedId);

// Which inputs take input. Title and content always do; switching the
// reminder off disables everything else.
struct ScheduleEditorEnabled {
    // Date, hour, minute and their arrows, the kind radios, and program and
    // sound with their browse buttons.
    bool schedule = false;
    bool interval = false;    // interval number and unit
    bool weekdays = false;    // the seven weekday boxes
    bool dayOfMonth = false;  // the day-of-month list and its label

    friend bool operator==(const ScheduleEditorEnabled&, const ScheduleEditorEnabled&) = default;
};
ScheduleEditorEnabled EnabledScheduleInputs(bool on, std::uint32_t kind);

// The hour and minute after a click on their arrows (`delta` +1 up, -1
// down): 23 steps up to 0 and 0 down to 23, 59 up to 0 and 0 down to 59. A
// typed value out of range is first put back into it.
int StepHour(int hour, int delta);
int StepMinute(int minute, int delta);

inline constexpr char kEarlierDateQuestion[] = "您选择的日程时间早于当前时间，是否继续？";

// What the confirm button does.
struct ScheduleConfirmation {
    enum Action {
        kSave,            // send RM_SCHEDULE_SAVED and close
        kRejectInterval,  // show `message` with an OK button, focus the interval number, stay open
        kAskEarlierDate,  // ask `message` with Yes and No: Yes saves, No stays open
    };
    Action action = kSave;
    const char* message = nullptr;  // null for kSave
};

// The interval of a switched-on interval reminder must be 1-59 minutes or
// 1-23 hours (a number field that holds no number is out of range); then a
// date before `today` (the day only, the time of day plays no part) is asked
// about.
ScheduleConfirmation ConfirmScheduleEditor(const ScheduleEditorFields& fields, GregorianDate today);
