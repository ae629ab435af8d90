#include "widget/reminders/win32/birthday_editor.h"

#include <commctrl.h>

#include <memory>

#include "services/product_services.h"
#include "widget/reminders/editor_field_rules.h"
#include "widget/reminders/reminder_messages.h"
#include "widget/reminders/win32/editor_controls.h"
#include "widget/reminders/win32/reminder_dialog_resources.h"

namespace {

// Room for 365 and no more digits.
constexpr int kNoticeDaysCharacters = 3;

}  // namespace

BirthdayEditor::BirthdayEditor(HWND calendarWindow, HINSTANCE resources)
    : calendarWindow_(calendarWindow), resources_(resources) {}

bool BirthdayEditor::Open(const ReminderItem& item, bool existing) {
    if (window() == nullptr && !Create(resources_, IDD_BIRTHDAY_EDITOR, "－生日提醒设置")) {
        return false;
    }
    BirthdayEditorFields fields = ShownFields();
    if (FillBirthdayEditor(item, existing, fields)) {
        ShowFields(fields);
        editedId_ = item.id;
    }
    BringToFront();
    // Not a text field: one showing its placeholder would empty at once.
    FocusItem(window(), IDOK);
    return true;
}

ReminderItem BirthdayEditor::ReadBack() const {
    return ReadBirthdayEditor(ShownFields(), editedId_);
}

INT_PTR BirthdayEditor::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog();
            return FALSE;  // the focus is placed when the editor opens
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam), HIWORD(wParam));
        case WM_NOTIFY: {
            const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
            if (header.code == DTN_DATETIMECHANGE && header.idFrom == IDC_BIRTHDAY_DATE) {
                CorrectPickedDate(window(), IDC_BIRTHDAY_DATE);
                ShowLunarDate();
                return NotifyResult(0);
            }
            return FALSE;
        }
        default:
            return FALSE;
    }
}

void BirthdayEditor::OnInitDialog() {
    HWND dialog = window();
    SendDlgItemMessageA(dialog, IDC_BIRTHDAY_NAME, EM_SETLIMITTEXT, kTitleMaxCharacters, 0);
    SendDlgItemMessageA(dialog, IDC_BIRTHDAY_CONTENT, EM_SETLIMITTEXT, kContentMaxCharacters, 0);
    SendDlgItemMessageA(dialog, IDC_BIRTHDAY_NOTICE_DAYS, EM_SETLIMITTEXT, kNoticeDaysCharacters, 0);
    ShowFields(BirthdayEditorFields{});
}

INT_PTR BirthdayEditor::OnCommand(int id, int code) {
    switch (id) {
        case IDC_BIRTHDAY_NAME:
        case IDC_BIRTHDAY_CONTENT:
            if (code == EN_SETFOCUS || code == EN_KILLFOCUS) {
                UpdatePlaceholder(window(), id, id == IDC_BIRTHDAY_NAME ? kFriendNamePlaceholder : kContentPlaceholder,
                                  code == EN_SETFOCUS);
            }
            return TRUE;
        case IDC_BIRTHDAY_YEARLY:
            if (code == BN_CLICKED) {
                EnableCalendarChoice();
            }
            return TRUE;
        case IDOK:
            OnConfirm();
            return TRUE;
        case IDCANCEL:
            Hide();
            return TRUE;
        case IDC_BIRTHDAY_DELETE:
            OnDelete();
            return TRUE;
        default:
            return FALSE;
    }
}

// The number is checked before anything is sent: the calendar window stores
// what it reads back, so a refused number must never reach it.
void BirthdayEditor::OnConfirm() {
    if (const char* error = BirthdayNoticeError(ShownFields())) {
        const std::weak_ptr<const int> lifetime = Lifetime();
        MsgBox(window(), error, MB_ICONWARNING);
        if (!lifetime.expired()) {
            FocusItem(window(), IDC_BIRTHDAY_NOTICE_DAYS);
        }
        return;
    }
    SendMessageA(calendarWindow_, RM_BIRTHDAY_SAVED, editedId_, 0);
    Hide();
}

// The answer counts even when the editor went while the question waited.
void BirthdayEditor::OnDelete() {
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

BirthdayEditorFields BirthdayEditor::ShownFields() const {
    HWND dialog = window();
    BirthdayEditorFields fields;
    fields.date = PickedDate(dialog, IDC_BIRTHDAY_DATE);
    fields.name = ItemText(dialog, IDC_BIRTHDAY_NAME);
    fields.content = ItemText(dialog, IDC_BIRTHDAY_CONTENT);
    fields.noticeDays = ItemText(dialog, IDC_BIRTHDAY_NOTICE_DAYS);
    fields.yearly = IsChecked(dialog, IDC_BIRTHDAY_YEARLY);
    fields.lunar = IsChecked(dialog, IDC_BIRTHDAY_LUNAR);
    fields.deleteShown = IsItemShown(dialog, IDC_BIRTHDAY_DELETE);
    return fields;
}

void BirthdayEditor::ShowFields(const BirthdayEditorFields& fields) {
    HWND dialog = window();
    ShowPickedDate(dialog, IDC_BIRTHDAY_DATE, fields.date);
    SetItemText(dialog, IDC_BIRTHDAY_NAME, fields.name);
    SetItemText(dialog, IDC_BIRTHDAY_CONTENT, fields.content);
    SetItemText(dialog, IDC_BIRTHDAY_NOTICE_DAYS, fields.noticeDays);
    SetChecked(dialog, IDC_BIRTHDAY_YEARLY, fields.yearly);
    // One of the two is always checked, so the choice is never blank once
    // it is enabled.
    SetChecked(dialog, IDC_BIRTHDAY_GREGORIAN, !fields.lunar);
    SetChecked(dialog, IDC_BIRTHDAY_LUNAR, fields.lunar);
    ShowItem(dialog, IDC_BIRTHDAY_DELETE, fields.deleteShown);
    EnableCalendarChoice();
    ShowLunarDate();
}

void BirthdayEditor::EnableCalendarChoice() {
    const bool enabled = CalendarChoiceEnabled(ShownFields());
    EnableItem(window(), IDC_BIRTHDAY_GREGORIAN, enabled);
    EnableItem(window(), IDC_BIRTHDAY_LUNAR, enabled);
}

void BirthdayEditor::ShowLunarDate() {
    SetItemText(window(), IDC_BIRTHDAY_LUNAR_DATE, LunarDateLabel(PickedDate(window(), IDC_BIRTHDAY_DATE)));
}

void BirthdayEditor::Hide() {
    ShowWindow(window(), SW_HIDE);
}
