#include "tools/artgen/widget_art.h"

#include "tools/artgen/glyphs.h"
#include "tools/artgen/palette.h"
#include "tools/artgen/sky_icons.h"
#include "tools/artgen/text_painter.h"

#include <array>
#include <numbers>
#include <string>
#include <utility>

namespace artgen {

namespace {

constexpr char kCommskins[] = "modules/Calendar/Commskins/";
constexpr double kPi = std::numbers::pi;

// Text on the selection disc and the ring of the reminder mark: white in
// every skin.
constexpr Rgba kOnAccent = Hex(0xFFFFFF);

// The suite's palette, as the default skin and Commskins use it.
constexpr SkinTheme kDefaultTheme = {
    .ink = palette::kInk,
    .inkSoft = palette::kInkSoft,
    .muted = palette::kInkMuted,
    .hairline = palette::kHairline,
    .hairlineStrong = palette::kHairlineStrong,
    .surface = palette::kSurface,
    .surfaceAlt = palette::kSurfaceAlt,
    .surfaceSunken = palette::kSurfaceSunken,
    .accent = palette::kAccent,
    .accentDeep = palette::kAccentDeep,
    .accentSoft = palette::kAccentSoft,
    .accentPressed = Hex(0xC9D9FA),
    .discTop = Hex(0x3D7BEA),
    .discBottom = palette::kAccentDeep,
    .holiday = palette::kHoliday,
    .solarTerm = palette::kSolarTerm,
};

// The light skins keep the neutrals and change the accent.
constexpr SkinTheme WithAccent(Rgba accent, Rgba deep, Rgba soft, Rgba pressed, Rgba discTop) {
    SkinTheme theme = kDefaultTheme;
    theme.accent = accent;
    theme.accentDeep = deep;
    theme.accentSoft = soft;
    theme.accentPressed = pressed;
    theme.discTop = discTop;
    theme.discBottom = deep;
    return theme;
}

// The dark skin: light text on dark panels; its accent text (accentDeep) is
// the light end of the indigo, so it reads on the dark card.
constexpr SkinTheme kNightTheme = {
    .ink = Hex(0xE6EAF2),
    .inkSoft = Hex(0xB4BDCC),
    .muted = Hex(0x8E9BB4),
    .hairline = Hex(0x2E3A52),
    .hairlineStrong = Hex(0x3A4763),
    .surface = Hex(0x1E2740),
    .surfaceAlt = Hex(0x252F4A),
    .surfaceSunken = Hex(0x161E33),
    .accent = Hex(0x6366F1),
    .accentDeep = Hex(0xA5B4FC),
    .accentSoft = Hex(0x2C3563),
    .accentPressed = Hex(0x3B4580),
    .discTop = Hex(0x818CF8),
    .discBottom = Hex(0x4F46E5),
    .holiday = Hex(0xFF7A7A),
    .solarTerm = Hex(0x3DDC97),
};

constexpr std::array<CalendarSkin, 4> kSkins = {{
    {"SkinsDefault", Hex(0xFFFFFF), Hex(0xEFF3FA), kDefaultTheme, false},
    {"SkinsJade", Hex(0xFBFEFC), Hex(0xE6F3EC),
     WithAccent(Hex(0x14976F), Hex(0x0C6F51), Hex(0xDDF1E8), Hex(0xBCE3D1), Hex(0x22AE84)), false},
    {"SkinsAmber", Hex(0xFFFDF8), Hex(0xF7ECDD),
     WithAccent(Hex(0xD9822B), Hex(0xA85E14), Hex(0xFBEBD9), Hex(0xF3D2AC), Hex(0xE9973F)), false},
    {"SkinsNight", Hex(0x1C2538), Hex(0x111827), kNightTheme, true},
}};

std::u8string Decimal(int value) {
    const std::string text = std::to_string(value);
    return std::u8string(text.begin(), text.end());
}

bool HasReminder(DayState state) {
    return (static_cast<int>(state) / kDayTile) % 2 == 1;
}

// The reminder mark: an orange dot at the tile's top-right corner, ringed in
// white so it stays visible on the selection disc.
void ReminderDot(cairo_t* cr, double x, double y) {
    FillCircle(cr, x + 17.5, y + 3, 3.0, kOnAccent);
    FillCircle(cr, x + 17.5, y + 3, 2.2, palette::kReminder);
}

}  // namespace

void DrawDayTile(cairo_t* cr, const SkinTheme& theme, int day, DayState state, double x, double y) {
    const double cx = x + kDayTile / 2.0;
    const double cy = y + kDayTile / 2.0;
    TextStyle style{palette::kTextBody, true, theme.ink};
    switch (state) {
        case DayState::kSolarTerm:
        case DayState::kSolarTermReminder:
            style.colour = theme.solarTerm;
            // A short bar under the number: the solar term is told by shape
            // as well as by colour.
            Line(cr, cx - 3, y + 18.5, cx + 3, y + 18.5, theme.solarTerm, 1.6);
            break;
        case DayState::kRestDay:
        case DayState::kRestDayReminder:
            style.colour = theme.holiday;
            break;
        case DayState::kSelected:
        case DayState::kSelectedReminder:
            SetVerticalGradient(cr, Box{x, y, kDayTile, kDayTile}, theme.discTop, theme.discBottom);
            cairo_new_sub_path(cr);
            cairo_arc(cr, cx, cy, 9.5, 0, 2 * kPi);
            cairo_fill(cr);
            style.colour = kOnAccent;
            break;
        case DayState::kOther:
        case DayState::kOtherReminder:
            break;
    }
    DrawTextInkCentred(cr, Decimal(day), style, cx, cy);
    if (HasReminder(state)) {
        ReminderDot(cr, x, y);
    }
}

namespace {

constexpr std::array<DayState, 8> kDayStates = {
    DayState::kSolarTerm, DayState::kSolarTermReminder, DayState::kRestDay, DayState::kRestDayReminder,
    DayState::kSelected,  DayState::kSelectedReminder,  DayState::kOther,   DayState::kOtherReminder,
};

Image Numbers(const SkinTheme& theme) {
    Canvas canvas(31 * kDayTile, 8 * kDayTile);
    for (DayState state : kDayStates) {
        for (int day = 1; day <= 31; ++day) {
            DrawDayTile(canvas.cr(), theme, day, state, (day - 1) * kDayTile, static_cast<int>(state));
        }
    }
    return canvas.ToImage();
}

// Sunday first, as the grid's columns.
Image Weekdays(const SkinTheme& theme) {
    constexpr std::array<const char8_t*, 7> kNames = {u8"日", u8"一", u8"二", u8"三", u8"四", u8"五", u8"六"};
    Canvas canvas(7 * 25, 20);
    for (int i = 0; i < 7; ++i) {
        const bool weekend = i == 0 || i == 6;
        const TextStyle style{palette::kTextBody, weekend, weekend ? theme.holiday : theme.inkSoft};
        DrawText(canvas.cr(), kNames[static_cast<std::size_t>(i)], style, Box{i * 25.0, 0, 25, 18}, Align::kCentre,
                 Align::kCentre);
    }
    Line(canvas.cr(), 2, 19.5, 173, 19.5, WithAlpha(theme.hairlineStrong, 0.8), 1);
    return canvas.ToImage();
}

// The clock's panel: time and date on the first line, the two banner lines
// on a tinted band below.
Image ClockBackground(const SkinTheme& theme) {
    Canvas canvas(kClockWidth, kClockHeight);
    cairo_t* cr = canvas.cr();
    const Box panel{0, 0, kClockWidth, kClockHeight};
    FillRoundedRect(cr, panel, palette::kRadiusWindow - 2, WithAlpha(theme.surface, 0.62));
    StrokeRoundedRect(cr, panel, palette::kRadiusWindow - 2, WithAlpha(theme.hairline, 0.9));
    Line(cr, 10, 40.5, kClockWidth - 10, 40.5, WithAlpha(theme.hairline, 0.9), 1);
    FillRoundedRect(cr, Box{6, 45, kClockWidth - 12, 41}, palette::kRadiusPanel, WithAlpha(theme.accentSoft, 0.75));
    return canvas.ToImage();
}

Image Digits(const SkinTheme& theme) {
    Canvas canvas(kColonX + kDigitWidth, kDigitHeight);
    const TextStyle style{27, true, theme.ink};
    for (int n = 0; n <= 9; ++n) {
        DrawTextInkCentred(canvas.cr(), Decimal(n), style, n * kDigitWidth + kDigitWidth / 2.0, kDigitHeight / 2.0);
    }
    // Drawn at x 43 the dots fall midway between the hour (x 6 and 26) and
    // the minute (x 66): 13 pixels into the tile.
    FillCircle(canvas.cr(), kColonX + 13, 7.5, 2.2, theme.ink);
    FillCircle(canvas.cr(), kColonX + 13, 15.5, 2.2, theme.ink);
    return canvas.ToImage();
}

// wbutton.png: 18 x 18 buttons side by side, released in the top row and
// pressed in the bottom one.
constexpr std::array<Glyph, 5> kWeatherButtons = {Glyph::kChevronDown, Glyph::kDoubleChevronDown,
                                                  Glyph::kDoubleChevronUp, Glyph::kExpand, Glyph::kCollapse};

void SmallButton(cairo_t* cr, const SkinTheme& theme, Glyph glyph, const Box& cell, bool pressed, double stroke) {
    const Box face = cell.Inset(1);
    if (pressed) {
        FillRoundedRect(cr, face, palette::kRadiusControl, theme.accentSoft);
        StrokeRoundedRect(cr, face, palette::kRadiusControl, WithAlpha(theme.accent, 0.55));
        DrawGlyph(cr, glyph, Box{face.x + 1, face.y + 2, face.width - 2, face.height - 2}, theme.accentDeep, stroke);
    } else {
        FillRoundedRect(cr, face, palette::kRadiusControl, WithAlpha(theme.surface, 0.85));
        StrokeRoundedRect(cr, face, palette::kRadiusControl, theme.hairline);
        DrawGlyph(cr, glyph, Box{face.x + 1, face.y + 1, face.width - 2, face.height - 2}, theme.inkSoft, stroke);
    }
}

Image WeatherButtons(const SkinTheme& theme) {
    constexpr int kSize = 18;
    Canvas canvas(kSize * static_cast<int>(kWeatherButtons.size()), kSize * 2);
    for (std::size_t i = 0; i < kWeatherButtons.size(); ++i) {
        for (int pressed = 0; pressed < 2; ++pressed) {
            SmallButton(canvas.cr(), theme, kWeatherButtons[i],
                        Box{double(i) * kSize, double(pressed) * kSize, kSize, kSize}, pressed == 1, 1.5);
        }
    }
    return canvas.ToImage();
}

// detail.png: the forecast panel (187 x 150) and under it the two day tabs,
// selected at (0, 150) and not selected at (64, 150), each 64 x 20.
Image DetailPanel(const SkinTheme& theme) {
    Canvas canvas(kContentWidth, 170);
    cairo_t* cr = canvas.cr();
    const Box panel{0, 0, kContentWidth, 150};
    FillRoundedRect(cr, panel, palette::kRadiusPanel, WithAlpha(theme.surface, 0.96));
    {
        SavedState saved(cr);
        RoundedRectPath(cr, panel, palette::kRadiusPanel);
        cairo_clip(cr);
        cairo_rectangle(cr, 0, 0, kContentWidth, 22);
        SetColour(cr, theme.surfaceAlt);
        cairo_fill(cr);
    }
    Line(cr, 0, 22.5, kContentWidth, 22.5, theme.hairline, 1);
    for (int row = 1; row < 6; ++row) {
        const double y = 23 + row * 21 + 0.5;
        Line(cr, 8, y, kContentWidth - 8, y, WithAlpha(theme.hairline, 0.6), 1);
    }
    StrokeRoundedRect(cr, panel, palette::kRadiusPanel, theme.hairline);

    const Box selected{0, 150, 64, 20};
    FillRoundedRect(cr, Box{selected.x, selected.y, selected.width, selected.height + 6}, palette::kRadiusControl,
                    theme.surface);
    StrokeRoundedRect(cr, Box{selected.x, selected.y, selected.width, selected.height + 6}, palette::kRadiusControl,
                      theme.hairline);
    FillRoundedRect(cr, Box{selected.x + 1, selected.y, selected.width - 2, 2.5}, 1, theme.accent);
    const Box other{64, 150, 64, 20};
    FillRoundedRect(cr, Box{other.x, other.y + 2, other.width, other.height + 4}, palette::kRadiusControl,
                    theme.surfaceSunken);
    StrokeRoundedRect(cr, Box{other.x, other.y + 2, other.width, other.height + 4}, palette::kRadiusControl,
                      theme.hairline);
    // The tabs' lower edges continue into the panel below them; cut them off.
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_rectangle(cr, 0, 170, kContentWidth, 10);
    cairo_fill(cr);
    return canvas.ToImage();
}

Image Downloading(const SkinTheme& theme) {
    Canvas canvas(kContentWidth, 44);
    cairo_t* cr = canvas.cr();
    const Box pill{0, 4, kContentWidth, 36};
    FillRoundedRect(cr, pill, 18, WithAlpha(theme.surface, 0.92));
    StrokeRoundedRect(cr, pill, 18, theme.hairline);
    DrawSky(cr, 1, Box{8, 6, 34, 32});
    DrawGlyph(cr, Glyph::kSave, Box{28, 20, 14, 14}, theme.accent, 1.6);
    DrawText(cr, u8"天气数据加载中…", TextStyle{palette::kTextBody, false, theme.inkSoft},
             Box{48, 4, kContentWidth - 56, 36}, Align::kStart, Align::kCentre);
    return canvas.ToImage();
}

// calcell.png: the title band of a planner cell, 100 x 22, plain at y 0 and
// highlighted (hover, today) at y 22; stretched to the cell's width with
// 4-pixel ends.
Image CellBand() {
    Canvas canvas(100, 44);
    cairo_t* cr = canvas.cr();
    for (int row = 0; row < 2; ++row) {
        const Box band{0, row * 22.0, 100, 22};
        const Rgba top = row == 0 ? WithAlpha(palette::kAccentSoft, 0.95) : Hex(0xC9D9FA);
        const Rgba bottom = row == 0 ? WithAlpha(palette::kAccentSoft, 0.45) : Hex(0xDDE7FC);
        {
            // Rounded at the top only: the rounded box runs past the band's
            // bottom and is cut there.
            SavedState saved(cr);
            cairo_rectangle(cr, band.x, band.y, band.width, band.height);
            cairo_clip(cr);
            RoundedRectPath(cr, Box{band.x, band.y, band.width, band.height + 4}, 3);
            SetVerticalGradient(cr, band, top, bottom);
            cairo_fill(cr);
        }
        Line(cr, 0, band.bottom() - 0.5, 100, band.bottom() - 0.5, WithAlpha(palette::kAccent, row == 0 ? 0.3 : 0.6),
             1);
    }
    return canvas.ToImage();
}

// cbutton.png: the calendar window's own buttons, 16 x 16, in columns:
// previous, next, month menu, today, hide, settings, collapse, expand, new,
// edit, delete; rows normal (y 0), hover (y 16), pressed (y 32).
constexpr std::array<Glyph, 11> kCalendarButtons = {
    Glyph::kChevronLeft, Glyph::kChevronRight, Glyph::kChevronDown,     Glyph::kToday,
    Glyph::kMinus,       Glyph::kGear,         Glyph::kDoubleChevronUp, Glyph::kDoubleChevronDown,
    Glyph::kPlus,        Glyph::kPencil,       Glyph::kTrash,
};

Image CalendarButtons(const SkinTheme& theme) {
    constexpr int kSize = 16;
    Canvas canvas(kSize * static_cast<int>(kCalendarButtons.size()), kSize * 3);
    cairo_t* cr = canvas.cr();
    for (std::size_t i = 0; i < kCalendarButtons.size(); ++i) {
        for (int row = 0; row < 3; ++row) {
            const Box cell{double(i) * kSize, double(row) * kSize, kSize, kSize};
            Rgba ink = theme.inkSoft;
            double shift = 0;
            if (row == 1) {
                FillRoundedRect(cr, cell, palette::kRadiusControl, theme.accentSoft);
                ink = theme.accent;
            } else if (row == 2) {
                FillRoundedRect(cr, cell, palette::kRadiusControl, theme.accentPressed);
                ink = theme.accentDeep;
                shift = 1;
            }
            DrawGlyph(cr, kCalendarButtons[i], Box{cell.x + 1, cell.y + 1 + shift, 14, 14}, ink, 1.4);
        }
    }
    return canvas.ToImage();
}

// holiday.png: the badge beside a holiday entry, 16 x 16 each: a fixed-date
// festival (x 0), a festival on a rule of weekdays (x 16), a lunar festival
// (x 32).
Image HolidayBadges() {
    Canvas canvas(48, 16);
    cairo_t* cr = canvas.cr();
    FillRoundedRect(cr, Box{0.5, 0.5, 15, 15}, palette::kRadiusControl, palette::kHoliday);
    DrawGlyph(cr, Glyph::kStar, Box{1, 1, 14, 14}, palette::kSurface, 1.4);
    FillRoundedRect(cr, Box{16.5, 0.5, 15, 15}, palette::kRadiusControl, Hex(0x7C5CD6));
    DrawGlyph(cr, Glyph::kCalendar, Box{17, 1, 14, 14}, palette::kSurface, 1.3);
    FillRoundedRect(cr, Box{32.5, 0.5, 15, 15}, palette::kRadiusControl, Hex(0x1E3A78));
    // A crescent: a disc with a smaller one cut out of it.
    cairo_push_group(cr);
    FillCircle(cr, 40, 8, 5, palette::kSunCore);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    FillCircle(cr, 42.5, 6.2, 4.3, palette::kSunCore);
    cairo_pop_group_to_source(cr);
    cairo_paint(cr);
    return canvas.ToImage();
}

void CardPath(cairo_t* cr) {
    RoundedRectPath(cr, Box{5, 3, kCalendarWidth - 10, kCalendarHeight - 10}, palette::kRadiusWindow);
}

// mainback.png: the window's card with its shadow. Only the top and bottom
// 24 rows have detail; the rows between are a plain vertical gradient, so
// the image stretches to any height.
Image Mainback(const CalendarSkin& skin) {
    Canvas canvas(kCalendarWidth, kCalendarHeight);
    cairo_t* cr = canvas.cr();
    DropShadow(canvas, CardPath, palette::kShadowBlur, 0, palette::kShadowOffsetY, palette::kShadow);
    const Box card{5, 3, kCalendarWidth - 10, kCalendarHeight - 10};
    CardPath(cr);
    SetVerticalGradient(cr, card, WithAlpha(skin.top, 0.98), WithAlpha(skin.bottom, 0.98));
    cairo_fill(cr);
    {
        SavedState saved(cr);
        CardPath(cr);
        cairo_clip(cr);
        cairo_rectangle(cr, card.x, card.y, card.width, 3);
        SetColour(cr, skin.theme.accent);
        cairo_fill(cr);
    }
    StrokeRoundedRect(cr, card, palette::kRadiusWindow, WithAlpha(skin.theme.hairlineStrong, 0.7));
    return canvas.ToImage();
}

// The pictures a skin's colours change, drawn in one theme.
struct ThemedPictures {
    Image numbers;
    Image weekdays;
    Image clock;
    Image digits;
    Image weatherButtons;
    Image detail;
    Image loading;
    Image buttons;
};

// The file name of each of ThemedPictures' members.
std::array<std::pair<const char*, const Image*>, 8> ThemedFiles(const ThemedPictures& pictures) {
    return {{
        {"numbers.png", &pictures.numbers},
        {"weekdays.png", &pictures.weekdays},
        {"clockbk.png", &pictures.clock},
        {"digit.png", &pictures.digits},
        {"wbutton.png", &pictures.weatherButtons},
        {"detail.png", &pictures.detail},
        {"download.png", &pictures.loading},
        {"cbutton.png", &pictures.buttons},
    }};
}

ThemedPictures DrawThemed(const SkinTheme& theme) {
    return {Numbers(theme),        Weekdays(theme),    ClockBackground(theme), Digits(theme),
            WeatherButtons(theme), DetailPanel(theme), Downloading(theme),     CalendarButtons(theme)};
}

std::string HexText(Rgba colour) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text = "#";
    for (std::uint8_t channel : {colour.r, colour.g, colour.b}) {
        text += kDigits[channel >> 4];
        text += kDigits[channel & 15];
    }
    return text;
}

// colors.ini: the window's text and line colours in the skin's theme.
std::string ColorsIni(const SkinTheme& theme) {
    const std::pair<const char*, Rgba> keys[] = {
        {"ink", theme.ink},
        {"muted", theme.muted},
        {"accent", theme.accent},
        {"accentDeep", theme.accentDeep},
        {"accentSoft", theme.accentSoft},
        {"holiday", theme.holiday},
        {"hairline", theme.hairline},
    };
    std::string text = "[colors]\r\n";
    for (const auto& [key, colour] : keys) {
        text += std::string(key) + "=" + HexText(colour) + "\r\n";
    }
    return text;
}

// The skin dialog shows mainback.bmp as the skin's thumbnail: the window as
// it looks with the skin, opaque.
Image Preview(const CalendarSkin& skin, const Image& mainback, const ThemedPictures& art, const Image& symbols) {
    Canvas canvas(kCalendarWidth, kCalendarHeight);
    cairo_t* cr = canvas.cr();
    SetColour(cr, palette::kPreviewBackdrop);
    cairo_paint(cr);
    canvas.DrawImage(mainback, 0, 0);

    const TilePosition sky = SkyTiles()[1].small;
    canvas.DrawImage(symbols.Crop(sky.x, sky.y, kSkySmallWidth, kSkySmallHeight), kContentLeft - 4, 10);
    DrawText(cr, u8"北京", TextStyle{palette::kTextHeading, true, skin.theme.ink}, Box{80, 16, 100, 18});
    DrawText(cr, u8"多云 22/30℃", TextStyle{palette::kTextBody, false, skin.theme.inkSoft}, Box{80, 36, 120, 16});

    constexpr int kClockTop = 66;
    canvas.DrawImage(art.clock, kContentLeft, kClockTop);
    const auto digit = [&](int n, int x) {
        canvas.DrawImage(art.digits.Crop(n * kDigitWidth, 0, kDigitWidth, kDigitHeight), kContentLeft + x,
                         kClockTop + 10);
    };
    digit(0, 6);
    digit(8, 26);
    canvas.DrawImage(art.digits.Crop(kColonX, 0, kDigitWidth, kDigitHeight), kContentLeft + 43, kClockTop + 10);
    digit(0, 66);
    digit(8, 86);
    const TextStyle small{palette::kTextBody, false, skin.theme.ink};
    DrawText(cr, u8"星期五", small, Box{kContentLeft + 116.0, kClockTop + 8.0, 70, 14});
    DrawText(cr, u8"2008-08-08", small, Box{kContentLeft + 116.0, kClockTop + 23.0, 70, 14});
    DrawText(cr, u8"同一个世界 同一个梦想", small, Box{kContentLeft + 31.0, kClockTop + 48.0, 150, 18});
    DrawText(cr, u8"   动感奥运 魅力北京！", small, Box{kContentLeft + 21.0, kClockTop + 66.0, 160, 18});

    constexpr int kGridLeft = kContentLeft + (kContentWidth - 175) / 2;
    constexpr int kGridTop = 176;
    canvas.DrawImage(art.weekdays, kGridLeft, kGridTop);
    // August 2008 from the 3rd (a Sunday): weekends red, the 7th a solar
    // term (立秋) with a reminder, the 8th selected.
    for (int day = 3; day <= 16; ++day) {
        const int column = (day - 3) % 7;
        const int row = (day - 3) / 7;
        DayState state = DayState::kOther;
        if (day == 8) {
            state = DayState::kSelected;
        } else if (day == 7) {
            state = DayState::kSolarTermReminder;
        } else if (column == 0 || column == 6) {
            state = DayState::kRestDay;
        } else if (day == 12) {
            state = DayState::kOtherReminder;
        }
        canvas.DrawImage(art.numbers.Crop((day - 1) * kDayTile, static_cast<int>(state), kDayTile, kDayTile),
                         kGridLeft + column * 25 + 2, kGridTop + 22 + row * kDayTile);
    }
    return FlattenOver(canvas.ToImage(), palette::kPreviewBackdrop);
}

}  // namespace

void AddWidgetArt(ArtSet& set) {
    const std::string commskins = kCommskins;
    const ThemedPictures common = DrawThemed(kDefaultTheme);
    const Image symbols = DrawSymbolSheet();
    for (const auto& [name, picture] : ThemedFiles(common)) {
        set.AddPng(commskins + name, *picture);
    }
    set.AddPng(commskins + "symbol.png", symbols);
    set.AddPng(commskins + "calcell.png", CellBand());
    set.AddPng(commskins + "holiday.png", HolidayBadges());
    for (const CalendarSkin& skin : kSkins) {
        const std::string folder = std::string("modules/Calendar/") + skin.folder + "/";
        const bool ownColours = skin.theme != kDefaultTheme;
        const ThemedPictures own = ownColours ? DrawThemed(skin.theme) : ThemedPictures{};
        const ThemedPictures& art = ownColours ? own : common;
        Image mainback = Mainback(skin);
        set.AddBmp(folder + "mainback.bmp", Preview(skin, mainback, art, symbols));
        set.AddPng(folder + "mainback.png", std::move(mainback));
        if (!ownColours) {
            continue;
        }
        // Only the pictures the skin's colours change; the widget takes the
        // others from Commskins.
        const auto commonFiles = ThemedFiles(common);
        const auto ownFiles = ThemedFiles(own);
        for (std::size_t i = 0; i < ownFiles.size(); ++i) {
            if (!(*ownFiles[i].second == *commonFiles[i].second)) {
                set.AddPng(folder + ownFiles[i].first, *ownFiles[i].second);
            }
        }
        set.AddText(folder + "colors.ini", ColorsIni(skin.theme));
        if (skin.whiteClockText) {
            // The clock window looks only for the file; its text is for people.
            set.AddText(folder + "twhite.txt", "white clock text\r\n");
        }
    }
}

}  // namespace artgen
