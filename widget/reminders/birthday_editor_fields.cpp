#include "widget/reminders/birthday_editor_fields.h"

#include "common/local_time.h"
#include "widget/reminders/birthday_dates.h"
#include "widget/reminders/editor_field_rules.h"

namespace {

constexpr int kMaxNoticeDays = 365;

}  // namespace

bool FillBirthdayEditor(const ReminderItem& item, bool existing, BirthdayEditorFields& fields) {
    if (!IsBirthdayKind(item.kind)) {
        return false;
    }
    const LocalTime start = ToLocalTime(item.start);
    fields.date = {start.year, start.month, start.day};
    fields.name = ShownFieldText(item.title, kFriendNamePlaceholder, kTitleMaxCharacters);
    fields.content = ShownFieldText(item.content, kContentPlaceholder, kContentMaxCharacters);
    fields.noticeDays = std::to_string(item.param);
    fields.yearly = IsYearlyBirthdayKind(item.kind);
    fields.lunar = item.kind == KindLunarBirthday;
    fields.deleteShown = existing;
    return true;
}

// The last second of the day: the due test counts the notice days back from
// it, so the birthday itself is alerted up to 23:59.
ReminderItem ReadBirthdayEditor(const BirthdayEditorFields& fields, std::uint32_t editedId) {
    ReminderItem item;
    item.id = editedId;
    item.kind = !fields.yearly ? KindBirthday : fields.lunar ? KindLunarBirthday : KindYearlyBirthday;
    const GregorianDate date = CorrectPickedYear(fields.date);
    item.start = FromLocalTime({date.year, date.month, date.day, 23, 59, 59});
    // A refused number never gets here (the confirm button checks it first).
    item.param = ParseDecimalField(fields.noticeDays).value_or(0);
    item.title = StoredFieldText(fields.name, kFriendNamePlaceholder, kTitleMaxCharacters);
    item.content = StoredFieldText(fields.content, kContentPlaceholder, kContentMaxCharacters);
    return item;
}

bool CalendarChoiceEnabled(const BirthdayEditorFields& fields) {
    return fields.yearly;
}

std::string LunarDateLabel(GregorianDate picked) {
    const std::string name = LunarDateName(picked);
    return name.empty() ? std::string() : "农历" + name;
}

const char* BirthdayNoticeError(const BirthdayEditorFields& fields) {
    const int days = ParseDecimalField(fields.noticeDays).value_or(-1);
    return days >= 0 && days <= kMaxNoticeDays ? nullptr : kNoticeDaysRangeMessage;
}
