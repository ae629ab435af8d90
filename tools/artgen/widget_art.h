#pragma once

// The calendar widget's images: the shared pictures in
// modules/Calendar/Commskins/ and the skin folders beside them
// (modules/Calendar/Skins*/: mainback.png, its preview mainback.bmp, the
// skin's own copies of the pictures its colours change, colors.ini and, for
// a dark skin, twhite.txt).

#include "tools/artgen/art_set.h"
#include "tools/artgen/canvas.h"

namespace artgen {

// The calendar window as it opens by default: 229 x 278 pixels. Its content
// column (weather section, clock, grid, panels) runs from x 21 to x 208; the
// card itself from (5, 3) to (224, 271), the rest is its shadow.
inline constexpr int kCalendarWidth = 229;
inline constexpr int kCalendarHeight = 278;
inline constexpr int kContentLeft = 21;
inline constexpr int kContentWidth = 187;
// mainback.png stretches vertically between this many rows at its top and
// bottom, which stay as drawn (three-slice scaling with border -24).
inline constexpr int kMainbackSliceBorder = 24;

// numbers.png: one 21 x 21 tile per day and state; x = (day - 1) * 21.
inline constexpr int kDayTile = 21;
enum class DayState {
    kSolarTerm = 0,
    kSolarTermReminder = 21,
    kRestDay = 42,  // holiday or weekend
    kRestDayReminder = 63,
    kSelected = 84,
    kSelectedReminder = 105,
    kOther = 126,
    kOtherReminder = 147,
};

// digit.png: 20 x 22 tiles, digit n at x = n * 20, the colon at x = 203.
inline constexpr int kDigitWidth = 20;
inline constexpr int kDigitHeight = 22;
inline constexpr int kColonX = 203;

inline constexpr int kClockWidth = 187;
inline constexpr int kClockHeight = 100;

// The colours a skin draws its pictures in. Commskins is drawn in the
// default skin's; a skin whose colours differ carries its own copies of the
// pictures that change.
struct SkinTheme {
    Rgba ink;
    Rgba inkSoft;
    Rgba muted;
    Rgba hairline;
    Rgba hairlineStrong;
    Rgba surface;  // panels over the card
    Rgba surfaceAlt;
    Rgba surfaceSunken;
    Rgba accent;
    Rgba accentDeep;  // accent text and pressed glyphs
    Rgba accentSoft;  // hover grounds
    Rgba accentPressed;
    Rgba discTop;  // the selected day's disc, a gradient
    Rgba discBottom;
    Rgba holiday;
    Rgba solarTerm;

    friend bool operator==(const SkinTheme&, const SkinTheme&) = default;
};

// A skin of the calendar window: the folder name, the card's gradient and
// the colours of its pictures.
struct CalendarSkin {
    const char* folder;
    Rgba top;
    Rgba bottom;
    SkinTheme theme;
    bool whiteClockText;  // twhite.txt in the folder
};

void AddWidgetArt(ArtSet& set);

// The day tile of `day` (1-31) in `state`, drawn at (x, y) in `theme`.
void DrawDayTile(cairo_t* cr, const SkinTheme& theme, int day, DayState state, double x, double y);

}  // namespace artgen
