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

namespace {

// The skin's own copy of a common picture, else Commskins'.
std::unique_ptr<Gdiplus::Bitmap> LoadPicture(const std::string& skinFolder,
                                             const std::string& commonFolder,
                                             const char* name) {
    std::unique_ptr<Gdiplus::Bitmap> own = LoadImageFile(JoinPath(skinFolder, name));
    return own ? std::move(own) : LoadImageFile(JoinPath(commonFolder, name));
}

SkinColors LoadSkinColors(const std::string& skinFolder) {
    std::string text;
    return ReadWholeFile(JoinPath(skinFolder, kSkinColorsFileName), text) ? ParseSkinColors(text) : kDefaultSkinColors;
}

}  // namespace

SkinImages LoadSkinImages(const std::string& moduleFolder, const std::string& skinFolder) {
    const std::string common = JoinPath(moduleFolder, "Commskins");
    SkinImages images;
    images.background = LoadImageFile(JoinPath(skinFolder, "mainback.png"));
    images.numbers = LoadPicture(skinFolder, common, "numbers.png");
    images.weekdays = LoadPicture(skinFolder, common, "weekdays.png");
    images.buttons = LoadPicture(skinFolder, common, "cbutton.png");
    images.holidayBadges = LoadPicture(skinFolder, common, "holiday.png");
    images.weatherSymbols = LoadPicture(skinFolder, common, "symbol.png");
    images.weatherButtons = LoadPicture(skinFolder, common, "wbutton.png");
    images.weatherDetail = LoadPicture(skinFolder, common, "detail.png");
    images.weatherLoading = LoadPicture(skinFolder, common, "download.png");
    images.colors = LoadSkinColors(skinFolder);
    return images;
}
