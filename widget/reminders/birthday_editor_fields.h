#pragma once

// The birthday editor's inputs as plain values, and its rules: how a
// birthday reminder fills them, how they read back into one, and the range
// of the days of advance notice.

#include <cstdint>
#include <string>

#include "widget/calendar/gregorian.h"
#include "widget/reminders/reminder_item.h"

struct BirthdayEditorFields {
    GregorianDate date{1970, 1, 1};
    // Name and content as shown, placeholder included.
    std::string name = kFriendNamePlaceholder;
    std::string content = kContentPlaceholder;
    std::string noticeDays = "1";  // days of advance notice, as typed
    bool yearly = false;           // "每年提醒"
    bool lunar = false;            // "农历" chosen (else "公历"); counts only when yearly
    bool deleteShown = false;

    friend bool operator==(const BirthdayEditorFields&, const BirthdayEditorFields&) = default;
};

// Shows a birthday reminder (kind 5, 6 or 7) in the fields, with the delete button
// for an `existing` one, and returns true. Any other kind leaves the fields
// as they are and returns false; the editor then keeps its edited id too.
bool FillBirthdayEditor(const ReminderItem& item, bool existing, BirthdayEditorFields& fields);

// The birthday reminder the fields describe, under `editedId`: at 23:59:59
// of the picked day, with neither program nor sound; kind 5, or 6 / 7 when
// yearly with "公历" / "农历".
ReminderItem ReadBirthdayEditor(const BirthdayEditorFields& fields, std::uint32_t editedId);

// Whether the "公历" / "农历" choice can be changed: only for a yearly birthday.
bool CalendarChoiceEnabled(const BirthdayEditorFields& fields);

// The label beside the date picker: the lunar date of the picked day,
// "农历八月十五" or "农历闰四月初八"; empty outside the lunar tables.
std::string LunarDateLabel(GregorianDate picked);

inline constexpr char kNoticeDaysRangeMessage[] = "请输入一个0和365之间的数字";

// Null when the days of advance notice are a number from 0 to 365, else the
// message the editor shows (with an OK button) before it stays open. The
// confirm button checks this before it sends RM_BIRTHDAY_SAVED, so a refused
// value is never stored.
const char* BirthdayNoticeError(const BirthdayEditorFields& fields);
