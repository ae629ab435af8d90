#pragma once

// The calendar window's look: the skin's background (mainback.png of the
// chosen skin folder), the common pictures (day tiles, weekday header,
// buttons, holiday badges, the weather section's sky tiles, buttons, detail
// panel and loading picture) and the text colours. A skin folder may carry
// its own copy of any common picture; where it has none, or its copy cannot
// be read, Commskins' is used. A picture missing from both stays null and
// draws nothing. The colours come from the skin folder's colors.ini over the
// built-in ones.

#include <memory>
#include <string>

#include "common/win32/gdiplus_session.h"
#include "widget/view/skin_colors.h"

inline constexpr char kDefaultSkinName[] = "SkinsDefault";

// The skin folder's name that the loader keeps for the widget in its
// Data\module.ini (section "qvcalendar.dll", key "skins"); kDefaultSkinName
// when the file or the key is missing.
std::string ReadSkinName(const std::string& loaderSettingsPath);

struct SkinImages {
    std::unique_ptr<Gdiplus::Bitmap> background;  // mainback.png at its own size
    std::unique_ptr<Gdiplus::Bitmap> numbers;
    std::unique_ptr<Gdiplus::Bitmap> weekdays;
    std::unique_ptr<Gdiplus::Bitmap> buttons;
    std::unique_ptr<Gdiplus::Bitmap> holidayBadges;
    std::unique_ptr<Gdiplus::Bitmap> weatherSymbols;
    std::unique_ptr<Gdiplus::Bitmap> weatherButtons;
    std::unique_ptr<Gdiplus::Bitmap> weatherDetail;
    std::unique_ptr<Gdiplus::Bitmap> weatherLoading;
    SkinColors colors = kDefaultSkinColors;
};

// `skinFolder` holds mainback.png and perhaps its own pictures and
// colors.ini; `moduleFolder`\Commskins the common pictures.
SkinImages LoadSkinImages(const std::string& moduleFolder, const std::string& skinFolder);

// A PNG or BMP file as a 32-bit ARGB bitmap held in memory (the file is not
// kept open, so a skin update may replace it); null when it cannot be read.
std::unique_ptr<Gdiplus::Bitmap> LoadImageFile(const std::string& path);
