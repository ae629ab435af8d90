#pragma once

// The calendar widget's window settings, kept in Alarmcfg.dat in the module
// folder: 44 bytes, little-endian, no header, in the order of the fields.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

struct ScreenRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

struct WidgetSettings {
    ScreenRect windowRect;
    std::int32_t autoHide = 1;
    std::int32_t alpha = 255;
    std::int32_t fixedPosition = 0;
    std::int32_t clickThrough = 0;
    std::int32_t alwaysOnTop = 1;
    std::int32_t showHolidayDetails = 1;
    std::uint32_t layoutFlags = 257;

    friend bool operator==(const WidgetSettings&, const WidgetSettings&) = default;
};

inline constexpr std::size_t kWidgetSettingsFileSize = 44;

// The defaults for a work area: the window at its top right, 229 x 278.
WidgetSettings DefaultWidgetSettings(const ScreenRect& workArea);
// Reads the file; a missing, unreadable or short file gives the defaults.
// showHolidayDetails is always 1 afterwards, and a rectangle reaching past
// the work area's right or bottom is moved inside it with its size kept.
WidgetSettings LoadWidgetSettings(const std::string& path, const ScreenRect& workArea);
// Replaces the file atomically; false when it could not be written.
bool SaveWidgetSettings(const std::string& path, const WidgetSettings& settings);

// "透明度 %d%%" of the alpha slider.
std::string AlphaText(int alpha);

// The file's fields from its first 44 bytes, exactly as stored; false (and
// `settings` untouched) when there are fewer. Bytes after them are ignored.
bool ParseWidgetSettings(std::string_view bytes, WidgetSettings& settings);
// The 44 bytes of the file.
std::string EncodeWidgetSettings(const WidgetSettings& settings);
// What LoadWidgetSettings makes of stored fields: showHolidayDetails 1,
// alpha within 0-255, an empty or inverted rectangle replaced by the
// default one, and a rectangle past the work area's right or bottom moved to
// right - 20 / top + 20 with its size kept.
WidgetSettings NormalizeWidgetSettings(WidgetSettings settings, const ScreenRect& workArea);
