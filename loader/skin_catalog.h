#pragma once

// The skin dialog's rules that need no window: which folders are skins, the
// calendar's skin settings and files, the skin name a chosen preview stands
// for, and the thumbnail grid's geometry and scrolling.
//
// Paths are GBK with backslashes, as the loader builds them.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// What the skin page is built for. Only the calendar's kind exists in this
// program; the clock and weather kinds of the update list have no page.
struct SkinKind {
    const char* updateSection;   // section of the published list and of Data\skins.ini
    const char* librarySection;  // section of Data\module.ini
    const char* currentSkinKey;  // its key naming the current skin folder
    const char* skinsFolder;     // below the program folder
    const char* folderPrefix;    // a skin folder's name starts with it (any case)
    const char* listFileName;    // the published list's copy in the temporary folder
    int cellWidth;
    int cellHeight;
};

inline constexpr SkinKind kCalendarSkinKind{
    "CALENDAR", "qvcalendar.dll", "skins", "Modules\\Calendar", "Skins", "skins_alarm.ini", 120, 150,
};

inline constexpr char kSkinImageName[] = "mainback.png";
inline constexpr char kSkinPreviewName[] = "mainback.bmp";

// True when `folderName` starts with `prefix`, ASCII letters compared
// without case.
bool HasSkinPrefix(std::string_view folderName, std::string_view prefix);

// True when `a` and `b` are the same path apart from the case of ASCII
// letters; the bytes of double-byte characters must match exactly.
bool SamePathIgnoringCase(std::string_view a, std::string_view b);

// The skin folder's name of a preview path (the folder SkinsBlue for
// ...\Calendar\SkinsBlue\mainback.bmp): the file name cut off, trailing
// backslashes removed, the last folder name kept.
std::string SkinNameOfPreview(std::string_view previewPath);

// The preview of skin `skinName` in `skinsFolder` ("" when the name is
// empty: no skin is current).
std::string SkinPreviewPath(std::string_view skinsFolder, std::string_view skinName);

// The thumbnail grid: cells of the kind's size placed in rows, left to
// right, each (cell + 4) pixels wide and (cell + 4) pixels apart in rows, a
// thumbnail 4 pixels into its cell.
struct ThumbnailGrid {
    int cellWidth = 0;
    int cellHeight = 0;
    int clientWidth = 0;

    // Thumbnails in a row: the client width divided by (cell width + 4),
    // at least 1 so a narrow grid still shows one per row.
    int Columns() const;
    // Top-left corner of thumbnail `index` with the grid not scrolled.
    int X(std::size_t index) const;
    int Y(std::size_t index) const;
    // What `count` thumbnails cover, margins included.
    int ContentWidth(std::size_t count) const;
    int ContentHeight(std::size_t count) const;
};

// One scroll bar of the grid: positions 0 to (content - page).
enum class ScrollRequest { kLineUp, kLineDown, kPageUp, kPageDown, kTrack, kTop, kBottom };

inline constexpr int kScrollLineStep = 1;
inline constexpr int kScrollPageStep = 20;
inline constexpr int kScrollWheelStep = 5;  // per notch
inline constexpr int kWheelNotch = 120;     // units of wheel movement in a notch

// Largest position of a bar whose content is `content` pixels and whose
// page (the client area) is `page` pixels; 0 when everything fits.
int MaxScrollPosition(int content, int page);
// The position after `request` from `position` (`track` for kTrack),
// kept within 0 and `maxPosition`.
int ScrollPosition(int position, ScrollRequest request, int track, int maxPosition);
// The position after the wheel turned by `delta` units (positive: away from
// the user, up); whole notches move kScrollWheelStep each.
int WheelScrollPosition(int position, int delta, int maxPosition);
