#pragma once

// One line of text shortened to a width with a trailing ellipsis, measured
// as GDI+ will draw it. GDI+ trims lines itself only on some systems (Wine
// ignores the trimming setting and just clips), so the planner fits its
// lines before drawing them.

#include <string>
#include <string_view>

#include "common/win32/gdiplus_session.h"

inline constexpr char16_t kEllipsis = u'\u2026';

// The text as it is when it fits `width`; else its longest beginning that
// fits with "…" after it, blanks before the "…" dropped; empty when not even
// the "…" fits.
std::u16string FitToWidth(Gdiplus::Graphics& graphics,
                          const Gdiplus::Font& font,
                          const Gdiplus::StringFormat& format,
                          std::u16string_view text,
                          Gdiplus::REAL width);

// The width GDI+ gives the text on one line.
Gdiplus::REAL LineWidth(Gdiplus::Graphics& graphics,
                        const Gdiplus::Font& font,
                        const Gdiplus::StringFormat& format,
                        std::u16string_view text);
