#pragma once

// Rules of single input fields shared by the two reminder editors: the years
// a date picker may hold, the length limits of texts, the placeholder texts
// of empty fields, and numbers typed as text. All texts are GBK.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "widget/calendar/gregorian.h"

// Text limits of the editors, counted in GBK characters as the user sees
// them: a double-byte character counts as one.
inline constexpr std::size_t kTitleMaxCharacters = 50;
inline constexpr std::size_t kContentMaxCharacters = 2000;
inline constexpr std::size_t kPathMaxCharacters = 256;

// The first `maxCharacters` GBK characters of `text`; a cut never falls
// inside a double-byte character.
std::string LimitGbkText(std::string_view text, std::size_t maxCharacters);

// The picked date with a year before 1970 put to 1970 and one after 2037 to
// 2037, keeping month and day (29 February becomes the 28th in a common
// year). Dates within those years come back unchanged.
GregorianDate CorrectPickedYear(GregorianDate picked);

// What a title or content field shows after gaining the focus: emptied when
// it showed exactly its placeholder. Nothing when the field stays as it is
// (always so for a read-only field).
std::optional<std::string> TextOnFocusGained(std::string_view shown, std::string_view placeholder, bool readOnly);
// What it shows after losing the focus: its placeholder when it was left
// empty. Nothing when it stays as it is.
std::optional<std::string> TextOnFocusLost(std::string_view shown, std::string_view placeholder, bool readOnly);

// What a field shows for a record's text: the placeholder for an empty text,
// else the text up to the limit.
std::string ShownFieldText(std::string_view stored, std::string_view placeholder, std::size_t maxCharacters);
// What a record stores for a field's text: empty while the field still shows
// its placeholder, else the text up to the limit.
std::string StoredFieldText(std::string_view shown, std::string_view placeholder, std::size_t maxCharacters);

// The whole text as a decimal integer with an optional minus sign, spaces
// around it allowed. Nothing for an empty text, any other character, or a
// value beyond int.
std::optional<int> ParseDecimalField(std::string_view text);
