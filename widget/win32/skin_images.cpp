#include "widget/win32/skin_images.h"

#include "common/file_io.h"
#include "common/path_util.h"
#include "common/text_encoding.h"
#include "toolkit/lyn_ini.h"

std::string ReadSkinName(const std::string& loaderSettingsPath) {
    // Only an existing file is read: CLynIni would make a missing one.
    std::string unused;
    CLynIni settings;
    if (!ReadWholeFile(loaderSettingsPath, unused) || settings.SetFileName(loaderSettingsPath) == 0) {
        return kDefaultSkinName;
    }
    std::string name = settings.GetValue("qvcalendar.dll", "skins");
    return name.empty() ? std::string(kDefaultSkinName) : name;
}

std::unique_ptr<Gdiplus::Bitmap> LoadImageFile(const std::string& path) {
    std::u16string widePath = GbkToUtf16(path);
    Gdiplus::Bitmap file(reinterpret_cast<const WCHAR*>(widePath.c_str()));
    if (file.GetLastStatus() != Gdiplus::Ok || file.GetWidth() == 0 || file.GetHeight() == 0) {
        return nullptr;
    }
    auto copy = std::make_unique<Gdiplus::Bitmap>(static_cast<INT>(file.GetWidth()), static_cast<INT>(file.GetHeight()),
                                                  PixelFormat32bppARGB);
    if (copy->GetLastStatus() != Gdiplus::Ok) {
        return nullptr;
    }
    Gdiplus::Graphics graphics(copy.get());
    graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
    if (graphics.DrawImage(&file, 0, 0, static_cast<INT>(file.GetWidth()), static_cast<INT>(file.GetHeight())) !=
        Gdiplus::Ok) {
        return nullptr;
    }
    return copy;
}

SkinImages LoadSkinImages(const std::string& moduleFolder, const std::string& skinFolder) {
    const std::string common = JoinPath(moduleFolder, "Commskins");
    SkinImages images;
    images.background = LoadImageFile(JoinPath(skinFolder, "mainback.png"));
    images.numbers = LoadImageFile(JoinPath(common, "numbers.png"));
    images.weekdays = LoadImageFile(JoinPath(common, "weekdays.png"));
    images.buttons = LoadImageFile(JoinPath(common, "cbutton.png"));
    images.holidayBadges = LoadImageFile(JoinPath(common, "holiday.png"));
    images.weatherSymbols = LoadImageFile(JoinPath(common, "symbol.png"));
    images.weatherButtons = LoadImageFile(JoinPath(common, "wbutton.png"));
    images.weatherDetail = LoadImageFile(JoinPath(common, "detail.png"));
    images.weatherLoading = LoadImageFile(JoinPath(common, "download.png"));
    return images;
}
