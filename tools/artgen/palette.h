#pragma once

// The suite's visual language: one palette, one corner radius per kind of
// surface, one shadow, one typeface (fonts.h). Every picture takes its
// colours from here, so the calendar, the loader's windows and the side
// program read as one product. README.md shows them with the contact sheet.

#include "tools/artgen/image.h"

namespace artgen::palette {

// Ink: text and line art on light surfaces.
inline constexpr Rgba kInk = Hex(0x1F2937);
inline constexpr Rgba kInkSoft = Hex(0x4B5563);
inline constexpr Rgba kInkMuted = Hex(0x8A94A3);

// Surfaces: cards are white, panels and bars a cool light grey.
inline constexpr Rgba kSurface = Hex(0xFFFFFF);
inline constexpr Rgba kSurfaceAlt = Hex(0xF3F6FA);
inline constexpr Rgba kSurfaceSunken = Hex(0xE8EDF3);
inline constexpr Rgba kHairline = Hex(0xD3DBE5);
inline constexpr Rgba kHairlineStrong = Hex(0xB7C2D0);

// The accent: selection, title bars, active states.
inline constexpr Rgba kAccent = Hex(0x2F6BDE);
inline constexpr Rgba kAccentDeep = Hex(0x1D4AAE);
inline constexpr Rgba kAccentSoft = Hex(0xE2EBFC);

// Meanings shared by the calendar's day states and the icons.
inline constexpr Rgba kHoliday = Hex(0xD63B3B);    // holidays and weekends
inline constexpr Rgba kSolarTerm = Hex(0x0F9466);  // the 24 solar terms
inline constexpr Rgba kReminder = Hex(0xF08A12);   // a reminder on that day
inline constexpr Rgba kDanger = Hex(0xE5484D);     // close, delete
inline constexpr Rgba kNight = Hex(0x0E1A36);      // dark backdrops (About)

// Weather pictograms.
inline constexpr Rgba kSunCore = Hex(0xFFC93C);
inline constexpr Rgba kSunRim = Hex(0xF59E0B);
inline constexpr Rgba kCloudLight = Hex(0xFFFFFF);
inline constexpr Rgba kCloudShade = Hex(0xD9E0E9);
inline constexpr Rgba kCloudOutline = Hex(0x8D9AAB);
inline constexpr Rgba kStormCloud = Hex(0x7B8799);
inline constexpr Rgba kStormCloudDeep = Hex(0x566174);
inline constexpr Rgba kRain = Hex(0x2F7CF6);
inline constexpr Rgba kSnow = Hex(0x5AA9F0);
inline constexpr Rgba kBolt = Hex(0xFFC21A);
inline constexpr Rgba kDust = Hex(0xC8964E);
inline constexpr Rgba kFog = Hex(0x9AA5B4);

// The key colour of masked Windows bitmaps (image lists, bitmap buttons):
// red 0, green 128, blue 128, which no drawing uses.
inline constexpr Rgba kMaskKey = Hex(0x008080);
// Pixels less opaque than this become the key colour in masked bitmaps.
inline constexpr std::uint8_t kMaskThreshold = 96;

// Backgrounds that masked and opaque bitmaps are flattened onto, so their
// anti-aliased edges blend into what surrounds them on screen.
inline constexpr Rgba kMenuBackground = kSurface;   // owner-drawn menus, list views
inline constexpr Rgba kDialogFace = Hex(0xF0F0F0);  // dialog pictures
inline constexpr Rgba kPreviewBackdrop = Hex(0xE9EDF2);

// Corner radii, by surface.
inline constexpr double kRadiusWindow = 10;  // layered windows and cards
inline constexpr double kRadiusPanel = 6;    // panels inside a window
inline constexpr double kRadiusControl = 4;  // buttons, tabs, tiles

// The one shadow: black, soft, slightly below.
inline constexpr double kShadowBlur = 6;
inline constexpr double kShadowOffsetY = 2;
inline constexpr Rgba kShadow = Hex(0x000000, 56);

// Type sizes in pixels.
inline constexpr double kTextCaption = 11;
inline constexpr double kTextBody = 12;
inline constexpr double kTextHeading = 14;

}  // namespace artgen::palette
