#pragma once

// The reminder editors' controls as plain values: texts, boxes, the date
// pickers and the placeholder texts of empty fields. Called on the dialog's
// thread; texts are GBK.

#include <windows.h>

#include <string>
#include <string_view>

#include "widget/calendar/gregorian.h"

std::string ItemText(HWND dialog, int id);
void SetItemText(HWND dialog, int id, const std::string& text);
bool IsChecked(HWND dialog, int id);
void SetChecked(HWND dialog, int id, bool checked);
void EnableItem(HWND dialog, int id, bool enabled);
void ShowItem(HWND dialog, int id, bool shown);
// Whether the control is set to show (also while its dialog is hidden).
bool IsItemShown(HWND dialog, int id);
// Moves the focus as the Tab key does, so the dialog keeps its default
// button right.
void FocusItem(HWND dialog, int id);

GregorianDate PickedDate(HWND dialog, int id);
void ShowPickedDate(HWND dialog, int id, GregorianDate date);
// Puts a year a reminder cannot hold back into its range at once, on the
// picker's DTN_DATETIMECHANGE.
void CorrectPickedDate(HWND dialog, int id);

// On EN_SETFOCUS and EN_KILLFOCUS of a title or content field: empties it
// when it shows its placeholder, puts the placeholder back when it is left
// empty.
void UpdatePlaceholder(HWND dialog, int id, std::string_view placeholder, bool focusGained);
