#include "widget/reminders/win32/reminder_popup.h"

#include <memory>
#include <string>
#include <utility>

#include "services/product_services.h"
#include "widget/reminders/reminder_messages.h"
#include "widget/reminders/reminder_popup_text.h"
#include "widget/reminders/snooze_list.h"
#include "widget/reminders/win32/editor_controls.h"
#include "widget/reminders/win32/reminder_dialog_resources.h"

std::unique_ptr<ReminderPopup> ReminderPopup::Open(HWND owner,
                                                   HINSTANCE resources,
                                                   const ReminderItem& item,
                                                   Moment alert,
                                                   OpenReminder openReminder,
                                                   SnoozeReminder snoozeReminder) {
    std::unique_ptr<ReminderPopup> popup(
        new ReminderPopup(owner, item.id, std::move(openReminder), std::move(snoozeReminder)));
    if (!popup->Create(resources, IDD_REMINDER_POPUP, "－日程提醒")) {
        return nullptr;
    }
    const ReminderPopupText text = PopupTextOf(item, alert);
    HWND dialog = popup->window();
    SetItemText(dialog, IDC_POPUP_TITLE_LINE, text.titleLine);
    SetItemText(dialog, IDC_POPUP_TIME_LINE, text.timeLine);
    SetItemText(dialog, IDC_POPUP_CONTENT, text.content);
    popup->FillSnoozeChoice(static_cast<bool>(popup->snoozeReminder_));
    // Shown normally rather than minimised: a reminder waiting in the task
    // bar is a reminder nobody reads.
    popup->BringToFront();
    // Not the content: focused, it would show all its text selected.
    FocusItem(dialog, IDCANCEL);
    return popup;
}

ReminderPopup::ReminderPopup(HWND owner, std::uint32_t id, OpenReminder openReminder, SnoozeReminder snoozeReminder)
    : owner_(owner), id_(id), openReminder_(std::move(openReminder)), snoozeReminder_(std::move(snoozeReminder)) {}

INT_PTR ReminderPopup::Handle(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND) {
        return FALSE;
    }
    switch (LOWORD(wParam)) {
        case IDC_POPUP_OPEN:
            if (openReminder_) {
                openReminder_(id_);
            }
            return TRUE;
        case IDC_POPUP_SNOOZE:
            OnSnooze();
            return TRUE;
        case IDC_POPUP_DELETE:
            OnDelete();
            return TRUE;
        case IDCANCEL:
            DestroyWindow(window());
            return TRUE;
        default:
            return FALSE;
    }
}

// The list's entries are kSnoozeMinuteChoices in their order.
void ReminderPopup::FillSnoozeChoice(bool shown) {
    HWND dialog = window();
    for (const int minutes : kSnoozeMinuteChoices) {
        const std::string text = std::to_string(minutes) + "分钟";
        SendDlgItemMessageA(dialog, IDC_POPUP_SNOOZE_MINUTES, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendDlgItemMessageA(dialog, IDC_POPUP_SNOOZE_MINUTES, CB_SETCURSEL, kDefaultSnoozeChoice, 0);
    ShowItem(dialog, IDC_POPUP_SNOOZE_MINUTES, shown);
    ShowItem(dialog, IDC_POPUP_SNOOZE, shown);
}

void ReminderPopup::OnSnooze() {
    if (!snoozeReminder_) {
        return;
    }
    const LRESULT chosen = SendDlgItemMessageA(window(), IDC_POPUP_SNOOZE_MINUTES, CB_GETCURSEL, 0, 0);
    // The list always has an entry selected; should it not, the preselected
    // time is what the user saw last.
    const std::size_t index = chosen >= 0 && static_cast<std::size_t>(chosen) < kSnoozeMinuteChoices.size()
                                  ? static_cast<std::size_t>(chosen)
                                  : kDefaultSnoozeChoice;
    const std::weak_ptr<const int> lifetime = Lifetime();
    snoozeReminder_(id_, kSnoozeMinuteChoices[index]);
    if (!lifetime.expired()) {
        DestroyWindow(window());
    }
}

// The question is owned by the desktop, so the pop-up may be closed, and its
// object dropped by the owner, while it waits: the answer counts all the
// same.
void ReminderPopup::OnDelete() {
    const std::weak_ptr<const int> lifetime = Lifetime();
    const HWND owner = owner_;
    const std::uint32_t id = id_;
    if (MsgBox(nullptr, kDeleteReminderQuestion, MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
        return;
    }
    PostMessageA(owner, RM_DELETE, id, 0);
    if (!lifetime.expired()) {
        DestroyWindow(window());
    }
}

void ReminderPopup::OnDestroyed(HWND destroyed) {
    PostMessageA(owner_, RM_POPUP_CLOSED, id_, reinterpret_cast<LPARAM>(destroyed));
}
