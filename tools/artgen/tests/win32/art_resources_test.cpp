// The generated icons, bitmaps and PNGs through Windows' own loaders: the
// resource compiler, LoadImage, image lists and GDI+. The test program
// carries resources/loader_art.rc and runs in the tree's folder, beside art/.

#include "common/win32/handles.h"
#include "common/win32/top_down_dib.h"
#include "testkit/win32/screenshot.h"

#include <commctrl.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t kGround = 0x00FF00FF;  // magenta, in none of the pictures

// A 32-bit top-down DIB filled with the ground colour, to draw on and read.
class Surface {
public:
    Surface(int width, int height) : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)) {
        void* bits = nullptr;
        bitmap_ = CreateTopDownDib(dc_.get(), width, height, &bits);
        pixels_ = static_cast<std::uint32_t*>(bits);
        selected_ = std::make_unique<SelectedObject>(dc_.get(), bitmap_.get());
        for (int i = 0; i < width * height; ++i) {
            pixels_[i] = kGround;
        }
    }

    HDC dc() const { return dc_.get(); }
    bool ok() const { return pixels_ != nullptr; }
    // 0x00RRGGBB
    std::uint32_t At(int x, int y) const {
        GdiFlush();
        return pixels_[y * width_ + x] & 0xFFFFFF;
    }
    int Count(bool (*test)(std::uint32_t)) const {
        int count = 0;
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                count += test(At(x, y)) ? 1 : 0;
            }
        }
        return count;
    }
    std::vector<std::uint32_t> All() const {
        std::vector<std::uint32_t> all;
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                all.push_back(At(x, y));
            }
        }
        return all;
    }

private:
    int width_;
    int height_;
    UniqueMemoryDc dc_;
    UniqueGdiObject bitmap_;
    std::uint32_t* pixels_ = nullptr;
    std::unique_ptr<SelectedObject> selected_;
};

bool IsGround(std::uint32_t pixel) {
    return pixel == kGround;
}
bool IsDrawn(std::uint32_t pixel) {
    return pixel != kGround;
}
bool NearlyBlack(std::uint32_t pixel) {
    return ((pixel >> 16) & 0xFF) < 4 && ((pixel >> 8) & 0xFF) < 4 && (pixel & 0xFF) < 4;
}

// Days 1-28 are icons 133-160; there is no 161; 29 is 164, 30 and 31 162 and 163.
int DayIconId(int day) {
    return day <= 28 ? 132 + day : std::array{164, 162, 163}[static_cast<std::size_t>(day - 29)];
}

UniqueIcon ResourceIcon(int id, int size) {
    return UniqueIcon(static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

std::vector<std::uint32_t> Drawn(HICON icon, int size) {
    Surface surface(size, size);
    if (!surface.ok() || !DrawIconEx(surface.dc(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL)) {
        return {};
    }
    return surface.All();
}

TEST(ArtResources, DayIconsAreTheRightFilesAndTransparentAroundTheirPage) {
    for (int day = 1; day <= 31; ++day) {
        SCOPED_TRACE(day);
        UniqueIcon fromResource = ResourceIcon(DayIconId(day), 16);
        ASSERT_TRUE(fromResource);
        char path[64];
        std::snprintf(path, sizeof path, "art\\resources\\day_%02d.ico", day);
        UniqueIcon fromFile(static_cast<HICON>(LoadImageA(nullptr, path, IMAGE_ICON, 16, 16, LR_LOADFROMFILE)));
        ASSERT_TRUE(fromFile);
        const std::vector<std::uint32_t> drawn = Drawn(fromResource.get(), 16);
        ASSERT_EQ(drawn.size(), 256u);
        EXPECT_EQ(drawn, Drawn(fromFile.get(), 16));
        EXPECT_EQ(drawn[0], kGround);  // corners let the taskbar through
        EXPECT_EQ(drawn[255], kGround);
        EXPECT_NE(drawn[8 * 16 + 8], kGround);
    }
}

TEST(ArtResources, WindowIconsLoadInBothSizes) {
    for (int id : {128, 8043, 8044}) {
        for (int size : {16, 32}) {
            SCOPED_TRACE(::testing::Message() << id << " at " << size);
            UniqueIcon icon = ResourceIcon(id, size);
            ASSERT_TRUE(icon);
            const std::vector<std::uint32_t> drawn = Drawn(icon.get(), size);
            ASSERT_FALSE(drawn.empty());
            EXPECT_NE(drawn[static_cast<std::size_t>(size / 2 * size + size / 2)], kGround);
        }
    }
}

// Shown in the tray, the marker must be found by the system monitor's scan:
// nine nearly black pixels side by side on the rows 8, 10 and 12 of the icon.
TEST(ArtResources, MarkerIconIsNearlyBlackWhereTheScanLooks) {
    UniqueIcon marker = ResourceIcon(8043, 16);
    ASSERT_TRUE(marker);
    Surface surface(16, 16);
    ASSERT_TRUE(DrawIconEx(surface.dc(), 0, 0, marker.get(), 16, 16, 0, nullptr, DI_NORMAL));
    for (int row : {8, 10, 12}) {
        for (int x = 0; x < 9; ++x) {
            EXPECT_TRUE(NearlyBlack(surface.At(x, row))) << x << "," << row;
        }
    }
    EXPECT_FALSE(NearlyBlack(surface.At(4, 14)));  // nothing dark below
}

class ImageList {
public:
    explicit ImageList(HIMAGELIST list) : list_(list) {}
    ~ImageList() {
        if (list_ != nullptr) {
            ImageList_Destroy(list_);
        }
    }
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;
    HIMAGELIST get() const { return list_; }

private:
    HIMAGELIST list_;
};

// The masked strips as their users load them: 16 x 16 images, mask colour
// red 0, green 128, blue 128. Each image draws something and keeps its
// corner transparent.
void ExpectMaskedStrip(HIMAGELIST list, int count) {
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(ImageList_GetImageCount(list), count);
    for (int i = 0; i < count; ++i) {
        Surface surface(16, 16);
        ASSERT_TRUE(ImageList_Draw(list, i, surface.dc(), 0, 0, ILD_TRANSPARENT));
        EXPECT_TRUE(IsGround(surface.At(0, 0))) << i;
        EXPECT_GE(surface.Count(IsDrawn), 20) << i;
    }
}

TEST(ArtResources, MaskedIconStripsLoadIntoImageLists) {
    constexpr COLORREF kMask = RGB(0, 128, 128);
    ImageList menu(ImageList_LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(176), 16, 1, kMask, IMAGE_BITMAP,
                                        LR_CREATEDIBSECTION));
    ExpectMaskedStrip(menu.get(), 11);
    ImageList reminders(ImageList_LoadImageA(nullptr, "art\\resources\\reminder_list.bmp", 16, 1, kMask, IMAGE_BITMAP,
                                             LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ExpectMaskedStrip(reminders.get(), 3);
    ImageList tree(ImageList_LoadImageA(nullptr, "art\\resources\\viewer_tree.bmp", 16, 1, kMask, IMAGE_BITMAP,
                                        LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ExpectMaskedStrip(tree.get(), 7);
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (bitmap == nullptr || GetObjectA(bitmap, sizeof info, &info) == 0) {
        return SIZE{0, 0};
    }
    return SIZE{info.bmWidth, info.bmHeight};
}

TEST(ArtResources, DialogPicturesAndSkinBitmapsLoad) {
    for (int id : {178, 179}) {
        UniqueGdiObject picture(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
        const SIZE size = BitmapSize(static_cast<HBITMAP>(picture.get()));
        EXPECT_EQ(size.cx, 48) << id;
        EXPECT_EQ(size.cy, 48) << id;
    }
    struct File {
        const char* path;
        int width;
        int height;
    };
    const File files[] = {
        {"art\\Trevalo\\Skins\\title1.bmp", 160, 30},
        {"art\\Trevalo\\Skins\\close2.bmp", 28, 20},
        {"art\\Trevalo\\Skins\\vback4.bmp", 32, 32},
        {"art\\Trevalo\\Skins\\tab1.bmp", 120, 26},
        {"art\\modules\\Calendar\\SkinsDefault\\mainback.bmp", 229, 278},
    };
    for (const File& file : files) {
        UniqueGdiObject bitmap(LoadImageA(nullptr, file.path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
        const SIZE size = BitmapSize(static_cast<HBITMAP>(bitmap.get()));
        EXPECT_EQ(size.cx, file.width) << file.path;
        EXPECT_EQ(size.cy, file.height) << file.path;
    }
}

// Layered windows take these through GDI+ and need their alpha channel.
TEST(ArtResources, LayeredWindowPicturesKeepTheirAlphaThroughGdiPlus) {
    struct Png {
        const char* path;
        int width;
        int height;
    };
    const Png pngs[] = {
        {"art\\Skins\\about.png", 445, 240},
        {"art\\Skins\\sysmsg.png", 193, 125},
        {"art\\modules\\Calendar\\SkinsDefault\\mainback.png", 229, 278},
        {"art\\modules\\Calendar\\Commskins\\clockbk.png", 187, 100},
        {"art\\modules\\Calendar\\Commskins\\numbers.png", 651, 168},
        {"art\\modules\\Calendar\\Commskins\\symbol.png", 912, 400},
    };
    for (const Png& png : pngs) {
        SCOPED_TRACE(png.path);
        const auto image = testkit::LoadImageFile(png.path);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->width, png.width);
        EXPECT_EQ(image->height, png.height);
        EXPECT_EQ(image->Pixel(0, 0) >> 24, 0u);  // a transparent corner
        int partial = 0;
        for (std::uint32_t pixel : image->argb) {
            const std::uint32_t alpha = pixel >> 24;
            partial += alpha > 0 && alpha < 255 ? 1 : 0;
        }
        EXPECT_GT(partial, 0);  // soft edges, not a cut-out
    }
}

}  // namespace
