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
    bool deleteShown = false;

    friend bool operator==(const BirthdayEditorFields&, const BirthdayEditorFields&) = default;
};

// Shows a birthday reminder (kind 5) in the fields, with the delete button
// for an `existing` one, and returns true. Any other kind leaves the fields
// as they are and returns false; the editor then keeps its edited id too.
bool FillBirthdayEditor(const ReminderItem& item, bool existing, BirthdayEditorFields& fields);

// The birthday reminder the fields describe, under `editedId`: at 23:59:59
// of the picked day, with neither program nor sound.
ReminderItem ReadBirthdayEditor(const BirthdayEditorFields& fields, std::uint32_t editedId);

inline constexpr char kNoticeDaysRangeMessage[] = "请输入一个0和365之间的数字";

// Null when the days of advance notice are a number from 0 to 365, else the
// message the editor shows (with an OK button) before it stays open. The
// confirm button checks this before it sends RM_BIRTHDAY_SAVED, so a refused
// value is never stored.
const char* BirthdayNoticeError(const BirthdayEditorFields& fields);
