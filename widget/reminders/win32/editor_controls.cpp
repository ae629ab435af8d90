#include "widget/reminders/win32/editor_controls.h"

#include <commctrl.h>

#include <optional>

#include "widget/reminders/editor_field_rules.h"

std::string ItemText(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(item)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(item, text.data(), static_cast<int>(text.size()))));
    return text;
}

void SetItemText(HWND dialog, int id, const std::string& text) {
    SetDlgItemTextA(dialog, id, text.c_str());
}

bool IsChecked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void SetChecked(HWND dialog, int id, bool checked) {
    CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void EnableItem(HWND dialog, int id, bool enabled) {
    EnableWindow(GetDlgItem(dialog, id), enabled ? TRUE : FALSE);
}

void ShowItem(HWND dialog, int id, bool shown) {
    ShowWindow(GetDlgItem(dialog, id), shown ? SW_SHOW : SW_HIDE);
}

bool IsItemShown(HWND dialog, int id) {
    return (GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

void FocusItem(HWND dialog, int id) {
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
}

GregorianDate PickedDate(HWND dialog, int id) {
    SYSTEMTIME picked = {};
    SendDlgItemMessageA(dialog, id, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&picked));
    return {picked.wYear, picked.wMonth, picked.wDay};
}

void ShowPickedDate(HWND dialog, int id, GregorianDate date) {
    SYSTEMTIME shown = {};
    shown.wYear = static_cast<WORD>(date.year);
    shown.wMonth = static_cast<WORD>(date.month);
    shown.wDay = static_cast<WORD>(date.day);
    SendDlgItemMessageA(dialog, id, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&shown));
}

void CorrectPickedDate(HWND dialog, int id) {
    const GregorianDate picked = PickedDate(dialog, id);
    const GregorianDate corrected = CorrectPickedYear(picked);
    if (corrected != picked) {
        ShowPickedDate(dialog, id, corrected);
    }
}

void UpdatePlaceholder(HWND dialog, int id, std::string_view placeholder, bool focusGained) {
    const bool readOnly = (GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE) & ES_READONLY) != 0;
    const std::string shown = ItemText(dialog, id);
    const std::optional<std::string> replaced =
        focusGained ? TextOnFocusGained(shown, placeholder, readOnly) : TextOnFocusLost(shown, placeholder, readOnly);
    if (replaced) {
        SetItemText(dialog, id, *replaced);
    }
}
