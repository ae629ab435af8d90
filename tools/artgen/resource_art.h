#pragma once

// Icons and bitmaps that the programs carry as resources, written to
// resources/ with resource scripts that name them by number:
// resources/loader_art.rc (the tray program) and resources/widget_art.rc
// (the calendar widget library). resources/viewer_tree.bmp is the side
// program's tree image list and resources/trevalo.ico its icon.

#include "tools/artgen/art_set.h"

#include <array>

namespace artgen {

// Resource numbers of the day-of-month tray icons, entry d-1 for day d.
// There is no icon 161: day 29 is 164, days 30 and 31 are 162 and 163.
inline constexpr std::array<int, 31> kDayIconIds = {133, 134, 135, 136, 137, 138, 139, 140, 141, 142, 143,
                                                    144, 145, 146, 147, 148, 149, 150, 151, 152, 153, 154,
                                                    155, 156, 157, 158, 159, 160, 164, 162, 163};
inline constexpr int kProgramIconId = 128;
inline constexpr int kMarkerIconId = 8043;
inline constexpr int kWidgetIconId = 8044;
inline constexpr int kMenuIconsBitmapId = 176;
inline constexpr int kTimeSyncPictureId = 178;
inline constexpr int kShutdownPictureId = 179;
inline constexpr int kReminderListBitmapId = 6015;

// The menu icon strip: 16 x 16 icons side by side, by image-list index.
enum class MenuIcon {
    kHome = 0,
    kAbout = 1,
    kEjectAll = 2,
    kCloseAll = 3,
    kDateTime = 4,
    kSkins = 5,
    kSettings = 6,
    kExit = 7,
    kTimeSync = 8,
    kHelp = 9,
    kLunarCalendar = 10,
};
inline constexpr int kMenuIconCount = 11;

// Rows of the planner's detail list: 16 x 16 images by index.
inline constexpr int kReminderListImages = 3;  // 0 plain, 1 birthday, 2 schedule

void AddResourceArt(ArtSet& set);

}  // namespace artgen
