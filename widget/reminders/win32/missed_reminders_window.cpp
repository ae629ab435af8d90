#include "widget/reminders/win32/missed_reminders_window.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <utility>

#include "widget/reminders/reminder_messages.h"
#include "widget/reminders/win32/editor_controls.h"
#include "widget/reminders/win32/reminder_dialog_resources.h"

namespace {

struct Column {
    const char* title;  // GBK
    int width;          // pixels
};

// Indexed by the list's column: the due time, the kind, the title, as in
// MissedReminderRow.
constexpr std::array<Column, 3> kColumns = {{
    {"提醒时间", 130},
    {"类型", 90},
    {"标题", 220},
}};

}  // namespace

std::unique_ptr<MissedRemindersWindow> MissedRemindersWindow::Open(HWND owner,
                                                                   HINSTANCE resources,
                                                                   const std::vector<MissedReminderEntry>& entries,
                                                                   OpenReminder openReminder) {
    if (entries.empty()) {
        return nullptr;
    }
    std::unique_ptr<MissedRemindersWindow> shown(new MissedRemindersWindow(owner, std::move(openReminder)));
    if (!shown->Create(resources, IDD_MISSED_REMINDERS, "－错过的日程提醒")) {
        return nullptr;
    }
    shown->Add(entries);
    shown->Select(0);
    shown->BringToFront();
    FocusItem(shown->window(), IDC_MISSED_LIST);
    return shown;
}

MissedRemindersWindow::MissedRemindersWindow(HWND owner, OpenReminder openReminder)
    : owner_(owner), openReminder_(std::move(openReminder)) {}

void MissedRemindersWindow::Add(const std::vector<MissedReminderEntry>& entries) {
    for (const MissedReminderEntry& entry : entries) {
        if (std::find(ids_.begin(), ids_.end(), entry.id) == ids_.end()) {
            AppendRow(entry);
        }
    }
    EnableRowButtons();
}

// The row below the removed one takes its selection, or the one above when
// it was the last, so the keyboard can go on deleting or opening.
void MissedRemindersWindow::Remove(std::uint32_t id) {
    const auto found = std::find(ids_.begin(), ids_.end(), id);
    if (found == ids_.end()) {
        return;
    }
    const int row = static_cast<int>(found - ids_.begin());
    const bool wasSelected = SelectedId() == id;
    ListView_DeleteItem(Item(IDC_MISSED_LIST), row);
    ids_.erase(found);
    if (ids_.empty()) {
        DestroyWindow(window());
        return;
    }
    if (wasSelected) {
        Select(std::min(row, static_cast<int>(ids_.size()) - 1));
    }
    EnableRowButtons();
}

std::vector<std::uint32_t> MissedRemindersWindow::ListedIds() const {
    return ids_;
}

INT_PTR MissedRemindersWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog();
            return FALSE;  // the focus is placed when the window opens
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_MISSED_OPEN:
                    OnOpen();
                    return TRUE;
                case IDC_MISSED_DELETE:
                    OnDelete();
                    return TRUE;
                case IDCANCEL:
                    DestroyWindow(window());
                    return TRUE;
                default:
                    return FALSE;
            }
        default:
            return FALSE;
    }
}

void MissedRemindersWindow::OnDestroyed(HWND destroyed) {
    PostMessageA(owner_, RM_MISSED_CLOSED, 0, reinterpret_cast<LPARAM>(destroyed));
}

void MissedRemindersWindow::OnInitDialog() {
    const HWND list = Item(IDC_MISSED_LIST);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    for (std::size_t i = 0; i < kColumns.size(); ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<char*>(kColumns[i].title);
        column.cx = kColumns[i].width;
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}

// A double click opens the row under the pointer, which need not be the
// selected one yet.
INT_PTR MissedRemindersWindow::OnNotify(const NMHDR& header) {
    if (header.idFrom != IDC_MISSED_LIST) {
        return FALSE;
    }
    switch (header.code) {
        case LVN_ITEMCHANGED:
            EnableRowButtons();
            return TRUE;
        case NM_DBLCLK: {
            const int row = reinterpret_cast<const NMITEMACTIVATE&>(header).iItem;
            if (row >= 0 && static_cast<std::size_t>(row) < ids_.size() && openReminder_) {
                openReminder_(ids_[static_cast<std::size_t>(row)]);
            }
            return TRUE;
        }
        default:
            return FALSE;
    }
}

void MissedRemindersWindow::OnOpen() {
    if (const std::optional<std::uint32_t> id = SelectedId(); id && openReminder_) {
        openReminder_(*id);
    }
}

// The owner asks before it deletes, and removes the row once it has.
void MissedRemindersWindow::OnDelete() {
    if (const std::optional<std::uint32_t> id = SelectedId()) {
        PostMessageA(owner_, RM_DELETE, *id, 1);
    }
}

// A row the list refuses is not listed, so the ids stay in step with the
// rows.
void MissedRemindersWindow::AppendRow(const MissedReminderEntry& entry) {
    const HWND list = Item(IDC_MISSED_LIST);
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(ids_.size());
    item.pszText = const_cast<char*>(entry.row.time.c_str());
    const int inserted = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (inserted < 0) {
        return;
    }
    const std::array<const std::string*, kColumns.size()> texts = {&entry.row.time, &entry.row.kind, &entry.row.title};
    for (std::size_t column = 1; column < texts.size(); ++column) {
        LVITEMA text = {};
        text.iSubItem = static_cast<int>(column);
        text.pszText = const_cast<char*>(texts[column]->c_str());
        SendMessageA(list, LVM_SETITEMTEXTA, inserted, reinterpret_cast<LPARAM>(&text));
    }
    ids_.push_back(entry.id);
}

void MissedRemindersWindow::Select(int row) {
    const HWND list = Item(IDC_MISSED_LIST);
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, row, FALSE);
}

std::optional<std::uint32_t> MissedRemindersWindow::SelectedId() const {
    const int row = ListView_GetNextItem(Item(IDC_MISSED_LIST), -1, LVNI_SELECTED);
    if (row < 0 || static_cast<std::size_t>(row) >= ids_.size()) {
        return std::nullopt;
    }
    return ids_[static_cast<std::size_t>(row)];
}

// A disabled button keeps no focus: the list takes it, so the keyboard
// still reaches the window.
void MissedRemindersWindow::EnableRowButtons() {
    const bool selected = SelectedId().has_value();
    const HWND focus = GetFocus();
    if (!selected && (focus == Item(IDC_MISSED_OPEN) || focus == Item(IDC_MISSED_DELETE))) {
        FocusItem(window(), IDC_MISSED_LIST);
    }
    EnableItem(window(), IDC_MISSED_OPEN, selected);
    EnableItem(window(), IDC_MISSED_DELETE, selected);
}
