#include "widget/reminders/schedule_editor_fields.h"

#include <algorithm>
#include <string_view>

#include "common/local_time.h"
#include "widget/reminders/editor_field_rules.h"

namespace {

constexpr int kHoursPerDay = 24;
constexpr int kMinutesPerHour = 60;

// The weekday boxes' bits, index = box (0 = Monday ... 6 = Sunday).
constexpr std::array<std::int32_t, 7> kWeekdayBoxBits = {
    WeekdayMask::kMonday, WeekdayMask::kTuesday,  WeekdayMask::kWednesday, WeekdayMask::kThursday,
    WeekdayMask::kFriday, WeekdayMask::kSaturday, WeekdayMask::kSunday,
};

// Wraps within [0, count); the value is put into range first.
int Step(int value, int delta, int count) {
    return (std::clamp(value, 0, count - 1) + delta % count + count) % count;
}

void FillKind(const ReminderItem& item, ScheduleEditorFields& fields) {
    switch (item.kind) {
        case KindOff:
            fields.on = false;
            break;
        case KindOnce:
            fields.kind = KindOnce;
            break;
        case KindInterval: {
            fields.kind = KindInterval;
            const IntervalEntry entry = IntervalEntryOf(item.param);
            fields.intervalNumber = std::to_string(entry.number);
            fields.intervalUnit = entry.unit;
            break;
        }
        case KindWeekly:
            fields.kind = KindWeekly;
            for (std::size_t box = 0; box < kWeekdayBoxBits.size(); ++box) {
                fields.weekdays[box] = (item.param & kWeekdayBoxBits[box]) != 0;
            }
            break;
        case KindMonthly:
            fields.kind = KindMonthly;
            fields.dayOfMonth = std::to_string(item.param);
            break;
        default:
            // Birthdays have an editor of their own; other values come only
            // from a damaged file and leave the radios as they are.
            break;
    }
}

std::int32_t ReadParam(const ScheduleEditorFields& fields) {
    switch (fields.kind) {
        case KindInterval:
            // A number field without a number is refused on confirming;
            // 0 minutes is a reminder that never comes due.
            return IntervalParamOf({ParseDecimalField(fields.intervalNumber).value_or(0), fields.intervalUnit});
        case KindWeekly: {
            std::int32_t mask = 0;
            for (std::size_t box = 0; box < kWeekdayBoxBits.size(); ++box) {
                mask |= fields.weekdays[box] ? kWeekdayBoxBits[box] : 0;
            }
            return mask;
        }
        case KindMonthly:
            return ParseDecimalField(fields.dayOfMonth).value_or(0);
        default:
            return 0;
    }
}

}  // namespace

void FillScheduleEditor(const ReminderItem& item, bool existing, ScheduleEditorFields& fields) {
    const LocalTime start = ToLocalTime(item.start);
    fields.on = true;
    fields.date = {start.year, start.month, start.day};
    fields.hour = start.hour;
    fields.minute = start.minute;
    fields.title = ShownFieldText(item.title, kTitlePlaceholder, kTitleMaxCharacters);
    fields.content = ShownFieldText(item.content, kContentPlaceholder, kContentMaxCharacters);
    fields.program = LimitGbkText(item.program, kPathMaxCharacters);
    fields.sound = LimitGbkText(item.sound, kPathMaxCharacters);
    FillKind(item, fields);
    fields.deleteShown = existing;
}

// The date is corrected once more, and hour and minute put into range, so
// that whatever the controls held gives a moment of the picked day.
ReminderItem ReadScheduleEditor(const ScheduleEditorFields& fields, std::uint32_t editedId) {
    ReminderItem item;
    item.id = editedId;
    const GregorianDate date = CorrectPickedYear(fields.date);
    item.start = FromLocalTime({date.year, date.month, date.day, std::clamp(fields.hour, 0, kHoursPerDay - 1),
                                std::clamp(fields.minute, 0, kMinutesPerHour - 1), 0});
    item.title = StoredFieldText(fields.title, kTitlePlaceholder, kTitleMaxCharacters);
    if (fields.on) {
        item.kind = fields.kind;
        item.param = ReadParam(fields);
    } else {
        item.kind = KindOff;
    }
    item.program = LimitGbkText(fields.program, kPathMaxCharacters);
    item.sound = LimitGbkText(fields.sound, kPathMaxCharacters);
    item.content = StoredFieldText(fields.content, kContentPlaceholder, kContentMaxCharacters);
    return item;
}

ScheduleEditorEnabled EnabledScheduleInputs(bool on, std::uint32_t kind) {
    if (!on) {
        return {};
    }
    return {true, kind == KindInterval, kind == KindWeekly, kind == KindMonthly};
}

int StepHour(int hour, int delta) {
    return Step(hour, delta, kHoursPerDay);
}

int StepMinute(int minute, int delta) {
    return Step(minute, delta, kMinutesPerHour);
}

// A switched-off reminder keeps no interval, and its number field is
// disabled: nothing there could be corrected, so nothing is checked.
ScheduleConfirmation ConfirmScheduleEditor(const ScheduleEditorFields& fields, GregorianDate today) {
    if (fields.on && fields.kind == KindInterval) {
        const IntervalEntry entry{ParseDecimalField(fields.intervalNumber).value_or(0), fields.intervalUnit};
        if (const char* error = IntervalEntryError(entry)) {
            return {ScheduleConfirmation::kRejectInterval, error};
        }
    }
    if (CorrectPickedYear(fields.date) < today) {
        return {ScheduleConfirmation::kAskEarlierDate, kEarlierDateQuestion};
    }
    return {};
}
