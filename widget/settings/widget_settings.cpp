#include "widget/settings/widget_settings.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "common/archive.h"
#include "common/file_io.h"

namespace {

// Where the window sits on a fresh install, measured from the work area's
// top right corner.
constexpr std::int32_t kDefaultRightInset = 20;
constexpr std::int32_t kDefaultWidth = 229;
constexpr std::int32_t kDefaultTop = 20;
constexpr std::int32_t kDefaultHeight = 278;
// How far inside the work area a rectangle that reached past it is put.
constexpr std::int32_t kMoveInset = 20;

ScreenRect DefaultRect(const ScreenRect& workArea) {
    const std::int32_t right = workArea.right - kDefaultRightInset;
    const std::int32_t top = workArea.top + kDefaultTop;
    return {right - kDefaultWidth, top, right, top + kDefaultHeight};
}

bool FitsInt32(std::int64_t value) {
    return value >= std::numeric_limits<std::int32_t>::min() && value <= std::numeric_limits<std::int32_t>::max();
}

// The stored rectangle moved inside the work area with its size kept, or the
// default rectangle when the stored one is empty, inverted or would leave
// the 32-bit range when moved (a damaged file: a window of no size could
// never be seen or reached again).
ScreenRect PlaceRect(const ScreenRect& rect, const ScreenRect& workArea) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) {
        return DefaultRect(workArea);
    }
    if (rect.right <= workArea.right && rect.bottom <= workArea.bottom) {
        return rect;
    }
    const std::int64_t width = std::int64_t{rect.right} - rect.left;
    const std::int64_t height = std::int64_t{rect.bottom} - rect.top;
    const std::int64_t right = std::int64_t{workArea.right} - kMoveInset;
    const std::int64_t top = std::int64_t{workArea.top} + kMoveInset;
    const std::int64_t left = right - width;
    const std::int64_t bottom = top + height;
    if (!FitsInt32(left) || !FitsInt32(right) || !FitsInt32(top) || !FitsInt32(bottom)) {
        return DefaultRect(workArea);
    }
    return {static_cast<std::int32_t>(left), static_cast<std::int32_t>(top), static_cast<std::int32_t>(right),
            static_cast<std::int32_t>(bottom)};
}

}  // namespace

WidgetSettings DefaultWidgetSettings(const ScreenRect& workArea) {
    WidgetSettings settings;
    settings.windowRect = DefaultRect(workArea);
    return settings;
}

bool ParseWidgetSettings(std::string_view bytes, WidgetSettings& settings) {
    if (bytes.size() < kWidgetSettingsFileSize) {
        return false;
    }
    ArchiveReader reader(bytes.substr(0, kWidgetSettingsFileSize));
    WidgetSettings read;
    reader.ReadInt32(read.windowRect.left);
    reader.ReadInt32(read.windowRect.top);
    reader.ReadInt32(read.windowRect.right);
    reader.ReadInt32(read.windowRect.bottom);
    reader.ReadInt32(read.autoHide);
    reader.ReadInt32(read.alpha);
    reader.ReadInt32(read.fixedPosition);
    reader.ReadInt32(read.clickThrough);
    reader.ReadInt32(read.alwaysOnTop);
    reader.ReadInt32(read.showHolidayDetails);
    reader.ReadUInt32(read.layoutFlags);
    if (!reader.ok()) {
        return false;
    }
    settings = read;
    return true;
}

std::string EncodeWidgetSettings(const WidgetSettings& settings) {
    ArchiveWriter writer;
    writer.WriteInt32(settings.windowRect.left);
    writer.WriteInt32(settings.windowRect.top);
    writer.WriteInt32(settings.windowRect.right);
    writer.WriteInt32(settings.windowRect.bottom);
    writer.WriteInt32(settings.autoHide);
    writer.WriteInt32(settings.alpha);
    writer.WriteInt32(settings.fixedPosition);
    writer.WriteInt32(settings.clickThrough);
    writer.WriteInt32(settings.alwaysOnTop);
    writer.WriteInt32(settings.showHolidayDetails);
    writer.WriteUInt32(settings.layoutFlags);
    return writer.TakeBytes();
}

// The opacity goes to the layered-window call as one byte, so a damaged
// value is brought into that byte's range rather than wrapped around.
WidgetSettings NormalizeWidgetSettings(WidgetSettings settings, const ScreenRect& workArea) {
    settings.showHolidayDetails = 1;
    settings.alpha = std::clamp(settings.alpha, 0, 255);
    settings.windowRect = PlaceRect(settings.windowRect, workArea);
    return settings;
}

WidgetSettings LoadWidgetSettings(const std::string& path, const ScreenRect& workArea) {
    WidgetSettings settings = DefaultWidgetSettings(workArea);
    std::string bytes;
    if (ReadWholeFile(path, bytes)) {
        ParseWidgetSettings(bytes, settings);  // a short file keeps the defaults
    }
    return NormalizeWidgetSettings(settings, workArea);
}

bool SaveWidgetSettings(const std::string& path, const WidgetSettings& settings) {
    return ReplaceFileAtomically(path, EncodeWidgetSettings(settings)) == 0;
}

// The slider runs from 0 (fully transparent) to 255 (opaque); the text says
// how transparent the windows are, in whole per cent rounded down.
std::string AlphaText(int alpha) {
    const int percent = 100 - std::clamp(alpha, 0, 255) * 100 / 255;
    char text[32];
    std::snprintf(text, sizeof(text), "透明度 %d%%", percent);
    return text;
}
