#include "widget/reminders/win32/schedule_editor.h"

#include <commctrl.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "services/product_services.h"
#include "widget/reminders/editor_field_rules.h"
#include "widget/reminders/reminder_messages.h"
#include "widget/reminders/win32/editor_controls.h"
#include "widget/reminders/win32/file_choice.h"
#include "widget/reminders/win32/reminder_dialog_resources.h"

namespace {

// The kind radios in the order of the kinds they select, from KindOnce on.
constexpr int kKindRadios[] = {IDC_SCHEDULE_ONCE, IDC_SCHEDULE_INTERVAL, IDC_SCHEDULE_WEEKLY, IDC_SCHEDULE_MONTHLY};
// What the on/off box switches besides the kind's own inputs.
constexpr int kScheduleInputs[] = {
    IDC_SCHEDULE_DATE,          IDC_SCHEDULE_HOUR,    IDC_SCHEDULE_HOUR_ARROWS,    IDC_SCHEDULE_MINUTE,
    IDC_SCHEDULE_MINUTE_ARROWS, IDC_SCHEDULE_ONCE,    IDC_SCHEDULE_INTERVAL,       IDC_SCHEDULE_WEEKLY,
    IDC_SCHEDULE_MONTHLY,       IDC_SCHEDULE_PROGRAM, IDC_SCHEDULE_BROWSE_PROGRAM, IDC_SCHEDULE_SOUND,
    IDC_SCHEDULE_BROWSE_SOUND,
};
constexpr int kWeekdayCount = 7;

// Entries of the interval unit list.
constexpr int kMinutesEntry = 0;
constexpr int kHoursEntry = 1;
constexpr int kLastDayOfMonth = 31;

constexpr int kHourCharacters = 2;
constexpr int kMinuteCharacters = 2;
// Beyond any valid interval (at most 59), short enough to stay a number.
constexpr int kIntervalCharacters = 4;

constexpr char kProgramBoxTitle[] = "选择提醒时运行的程序";
constexpr char kProgramFilter[] = "程序 (*.exe;*.bat;*.com)\0*.exe;*.bat;*.com\0所有文件 (*.*)\0*.*\0";
constexpr char kSoundBoxTitle[] = "选择提醒声音";
constexpr char kSoundFilter[] = "声音文件 (*.wav;*.mp3;*.mid)\0*.wav;*.mp3;*.mid\0所有文件 (*.*)\0*.*\0";

std::string TwoDigits(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

int NumberShown(HWND dialog, int id) {
    return ParseDecimalField(ItemText(dialog, id)).value_or(0);
}

void LimitText(HWND dialog, int id, std::size_t characters) {
    SendDlgItemMessageA(dialog, id, EM_SETLIMITTEXT, characters, 0);
}

std::uint32_t SelectedKind(HWND dialog) {
    std::uint32_t kind = KindOnce;
    for (std::size_t radio = 0; radio < std::size(kKindRadios); ++radio) {
        if (IsChecked(dialog, kKindRadios[radio])) {
            kind = KindOnce + static_cast<std::uint32_t>(radio);
        }
    }
    return kind;
}

GregorianDate Today() {
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay};
}

}  // namespace

ScheduleEditor::ScheduleEditor(HWND calendarWindow, HINSTANCE resources)
    : calendarWindow_(calendarWindow), resources_(resources) {}

bool ScheduleEditor::Open(const ReminderItem& item, bool existing) {
    if (window() == nullptr && !Create(resources_, IDD_SCHEDULE_EDITOR, "－日程提醒设置")) {
        return false;
    }
    ScheduleEditorFields fields = ShownFields();
    FillScheduleEditor(item, existing, fields);
    ShowFields(fields);
    editedId_ = item.id;
    BringToFront();
    // Not a text field: one showing its placeholder would empty at once.
    FocusItem(window(), IDOK);
    return true;
}

ReminderItem ScheduleEditor::ReadBack() const {
    return ReadScheduleEditor(ShownFields(), editedId_);
}

INT_PTR ScheduleEditor::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog();
            return FALSE;  // the focus is placed when the editor opens
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam), HIWORD(wParam));
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        default:
            return FALSE;
    }
}

void ScheduleEditor::OnInitDialog() {
    HWND dialog = window();
    LimitText(dialog, IDC_SCHEDULE_TITLE, kTitleMaxCharacters);
    LimitText(dialog, IDC_SCHEDULE_CONTENT, kContentMaxCharacters);
    LimitText(dialog, IDC_SCHEDULE_PROGRAM, kPathMaxCharacters);
    LimitText(dialog, IDC_SCHEDULE_SOUND, kPathMaxCharacters);
    LimitText(dialog, IDC_SCHEDULE_HOUR, kHourCharacters);
    LimitText(dialog, IDC_SCHEDULE_MINUTE, kMinuteCharacters);
    LimitText(dialog, IDC_SCHEDULE_INTERVAL_NUMBER, kIntervalCharacters);
    // An ascending range makes the upper arrow report +1.
    SendDlgItemMessageA(dialog, IDC_SCHEDULE_HOUR_ARROWS, UDM_SETRANGE32, 0, 23);
    SendDlgItemMessageA(dialog, IDC_SCHEDULE_MINUTE_ARROWS, UDM_SETRANGE32, 0, 59);

    for (const char* unit : {"分钟", "小时"}) {
        SendDlgItemMessageA(dialog, IDC_SCHEDULE_INTERVAL_UNIT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(unit));
    }
    for (int day = 1; day <= kLastDayOfMonth; ++day) {
        const std::string text = std::to_string(day);
        SendDlgItemMessageA(dialog, IDC_SCHEDULE_DAY_OF_MONTH, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    ShowFields(ScheduleEditorFields{});
}

INT_PTR ScheduleEditor::OnCommand(int id, int code) {
    HWND dialog = window();
    switch (id) {
        case IDC_SCHEDULE_TITLE:
        case IDC_SCHEDULE_CONTENT:
            if (code == EN_SETFOCUS || code == EN_KILLFOCUS) {
                UpdatePlaceholder(dialog, id, id == IDC_SCHEDULE_TITLE ? kTitlePlaceholder : kContentPlaceholder,
                                  code == EN_SETFOCUS);
            }
            return TRUE;
        case IDC_SCHEDULE_ON:
        case IDC_SCHEDULE_ONCE:
        case IDC_SCHEDULE_INTERVAL:
        case IDC_SCHEDULE_WEEKLY:
        case IDC_SCHEDULE_MONTHLY:
            if (code == BN_CLICKED) {
                ShowEnabledInputs();
            }
            return TRUE;
        case IDC_SCHEDULE_BROWSE_PROGRAM:
            OnBrowse(IDC_SCHEDULE_PROGRAM, kProgramBoxTitle, kProgramFilter);
            return TRUE;
        case IDC_SCHEDULE_BROWSE_SOUND:
            OnBrowse(IDC_SCHEDULE_SOUND, kSoundBoxTitle, kSoundFilter);
            return TRUE;
        case IDOK:
            OnConfirm();
            return TRUE;
        case IDCANCEL:
            Hide();
            return TRUE;
        case IDC_SCHEDULE_DELETE:
            OnDelete();
            return TRUE;
        default:
            return FALSE;
    }
}

INT_PTR ScheduleEditor::OnNotify(const NMHDR& header) {
    if (header.code == UDN_DELTAPOS &&
        (header.idFrom == IDC_SCHEDULE_HOUR_ARROWS || header.idFrom == IDC_SCHEDULE_MINUTE_ARROWS)) {
        const int delta = reinterpret_cast<const NMUPDOWN&>(header).iDelta;
        if (delta != 0) {
            StepField(header.idFrom == IDC_SCHEDULE_HOUR_ARROWS ? IDC_SCHEDULE_HOUR : IDC_SCHEDULE_MINUTE,
                      delta > 0 ? 1 : -1);
        }
        return NotifyResult(TRUE);  // the arrows keep no number of their own
    }
    if (header.code == DTN_DATETIMECHANGE && header.idFrom == IDC_SCHEDULE_DATE) {
        CorrectPickedDate(window(), IDC_SCHEDULE_DATE);
        return NotifyResult(0);
    }
    return FALSE;
}

void ScheduleEditor::StepField(int field, int delta) {
    const int shown = NumberShown(window(), field);
    SetItemText(window(), field,
                TwoDigits(field == IDC_SCHEDULE_HOUR ? StepHour(shown, delta) : StepMinute(shown, delta)));
}

void ScheduleEditor::OnConfirm() {
    const std::weak_ptr<const int> lifetime = Lifetime();
    const ScheduleConfirmation confirmation = ConfirmScheduleEditor(ShownFields(), Today());
    switch (confirmation.action) {
        case ScheduleConfirmation::kRejectInterval:
            MsgBox(window(), confirmation.message, MB_ICONWARNING);
            if (!lifetime.expired()) {
                FocusItem(window(), IDC_SCHEDULE_INTERVAL_NUMBER);
            }
            return;
        case ScheduleConfirmation::kAskEarlierDate:
            if (MsgBox(window(), confirmation.message, MB_YESNO | MB_ICONQUESTION) != IDYES || lifetime.expired()) {
                return;
            }
            break;
        case ScheduleConfirmation::kSave:
            break;
    }
    // The calendar window reads the fields back while it handles this.
    SendMessageA(calendarWindow_, RM_SCHEDULE_SAVED, editedId_, 0);
    Hide();
}

// The answer counts even when the editor went while the question waited.
void ScheduleEditor::OnDelete() {
    const std::weak_ptr<const int> lifetime = Lifetime();
    const HWND calendarWindow = calendarWindow_;
    const std::uint32_t editedId = editedId_;
    if (MsgBox(nullptr, kDeleteReminderQuestion, MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
        return;
    }
    PostMessageA(calendarWindow, RM_DELETE, editedId, 0);
    if (!lifetime.expired()) {
        Hide();
    }
}

void ScheduleEditor::OnBrowse(int field, const char* title, const char* filter) {
    const std::weak_ptr<const int> lifetime = Lifetime();
    const std::optional<std::string> path = ChooseExistingFile(window(), title, filter);
    if (path && !lifetime.expired()) {
        SetItemText(window(), field, *path);
    }
}

ScheduleEditorFields ScheduleEditor::ShownFields() const {
    HWND dialog = window();
    ScheduleEditorFields fields;
    fields.on = IsChecked(dialog, IDC_SCHEDULE_ON);
    fields.date = PickedDate(dialog, IDC_SCHEDULE_DATE);
    fields.hour = NumberShown(dialog, IDC_SCHEDULE_HOUR);
    fields.minute = NumberShown(dialog, IDC_SCHEDULE_MINUTE);
    fields.title = ItemText(dialog, IDC_SCHEDULE_TITLE);
    fields.content = ItemText(dialog, IDC_SCHEDULE_CONTENT);
    fields.kind = SelectedKind(dialog);
    fields.intervalNumber = ItemText(dialog, IDC_SCHEDULE_INTERVAL_NUMBER);
    fields.intervalUnit = SendDlgItemMessageA(dialog, IDC_SCHEDULE_INTERVAL_UNIT, CB_GETCURSEL, 0, 0) == kMinutesEntry
                              ? IntervalUnit::kMinutes
                              : IntervalUnit::kHours;
    for (int box = 0; box < kWeekdayCount; ++box) {
        fields.weekdays[static_cast<std::size_t>(box)] = IsChecked(dialog, IDC_SCHEDULE_MONDAY + box);
    }
    fields.dayOfMonth = ItemText(dialog, IDC_SCHEDULE_DAY_OF_MONTH);
    fields.program = ItemText(dialog, IDC_SCHEDULE_PROGRAM);
    fields.sound = ItemText(dialog, IDC_SCHEDULE_SOUND);
    fields.deleteShown = IsItemShown(dialog, IDC_SCHEDULE_DELETE);
    return fields;
}

void ScheduleEditor::ShowFields(const ScheduleEditorFields& fields) {
    HWND dialog = window();
    SetChecked(dialog, IDC_SCHEDULE_ON, fields.on);
    ShowPickedDate(dialog, IDC_SCHEDULE_DATE, fields.date);
    SetItemText(dialog, IDC_SCHEDULE_HOUR, TwoDigits(fields.hour));
    SetItemText(dialog, IDC_SCHEDULE_MINUTE, TwoDigits(fields.minute));
    SetItemText(dialog, IDC_SCHEDULE_TITLE, fields.title);
    SetItemText(dialog, IDC_SCHEDULE_CONTENT, fields.content);
    for (std::size_t radio = 0; radio < std::size(kKindRadios); ++radio) {
        SetChecked(dialog, kKindRadios[radio], fields.kind == KindOnce + radio);
    }
    SetItemText(dialog, IDC_SCHEDULE_INTERVAL_NUMBER, fields.intervalNumber);
    SendDlgItemMessageA(dialog, IDC_SCHEDULE_INTERVAL_UNIT, CB_SETCURSEL,
                        fields.intervalUnit == IntervalUnit::kHours ? kHoursEntry : kMinutesEntry, 0);
    for (int box = 0; box < kWeekdayCount; ++box) {
        SetChecked(dialog, IDC_SCHEDULE_MONDAY + box, fields.weekdays[static_cast<std::size_t>(box)]);
    }
    // A day the list lacks (only a damaged file holds one) selects nothing.
    const LRESULT day =
        SendDlgItemMessageA(dialog, IDC_SCHEDULE_DAY_OF_MONTH, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(fields.dayOfMonth.c_str()));
    SendDlgItemMessageA(dialog, IDC_SCHEDULE_DAY_OF_MONTH, CB_SETCURSEL, day == CB_ERR ? -1 : day, 0);
    SetItemText(dialog, IDC_SCHEDULE_PROGRAM, fields.program);
    SetItemText(dialog, IDC_SCHEDULE_SOUND, fields.sound);
    ShowItem(dialog, IDC_SCHEDULE_DELETE, fields.deleteShown);
    ShowEnabledInputs();
}

void ScheduleEditor::ShowEnabledInputs() {
    HWND dialog = window();
    const ScheduleEditorEnabled enabled =
        EnabledScheduleInputs(IsChecked(dialog, IDC_SCHEDULE_ON), SelectedKind(dialog));
    for (int id : kScheduleInputs) {
        EnableItem(dialog, id, enabled.schedule);
    }
    EnableItem(dialog, IDC_SCHEDULE_INTERVAL_NUMBER, enabled.interval);
    EnableItem(dialog, IDC_SCHEDULE_INTERVAL_UNIT, enabled.interval);
    for (int box = 0; box < kWeekdayCount; ++box) {
        EnableItem(dialog, IDC_SCHEDULE_MONDAY + box, enabled.weekdays);
    }
    EnableItem(dialog, IDC_SCHEDULE_DAY_OF_MONTH, enabled.dayOfMonth);
    EnableItem(dialog, IDC_SCHEDULE_DAY_LABEL, enabled.dayOfMonth);
}

void ScheduleEditor::Hide() {
    ShowWindow(window(), SW_HIDE);
}
