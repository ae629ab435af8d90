#pragma once

// The image list of both modes' trees, from the skin's strip treeimg.bmp
// (16 x 16 images side by side, the mask colour red 0, green 128, blue 128
// showing the tree's background). Its images, by index:
//   0 category, 1 category selected, 2 group, 3 group selected, 4 site,
//   5 account folder, 6 chat log.

#include <windows.h>

#include <commctrl.h>

#include "trevalo/program_mode.h"

inline constexpr int kTreeImageCategory = 0;
inline constexpr int kTreeImageCategorySelected = 1;
inline constexpr int kTreeImageGroup = 2;
inline constexpr int kTreeImageGroupSelected = 3;
inline constexpr int kTreeImageSite = 4;
inline constexpr int kTreeImageAccount = 5;
inline constexpr int kTreeImageLog = 6;

// Owns an image list.
class UniqueImageList {
public:
    UniqueImageList() = default;
    explicit UniqueImageList(HIMAGELIST list) : list_(list) {}
    ~UniqueImageList() { reset(); }
    UniqueImageList(UniqueImageList&& other) noexcept : list_(other.list_) { other.list_ = nullptr; }
    UniqueImageList& operator=(UniqueImageList&& other) noexcept {
        if (this != &other) {
            reset();
            list_ = other.list_;
            other.list_ = nullptr;
        }
        return *this;
    }
    HIMAGELIST get() const { return list_; }
    explicit operator bool() const { return list_ != nullptr; }
    void reset() {
        if (list_ != nullptr) {
            ImageList_Destroy(list_);
            list_ = nullptr;
        }
    }

private:
    HIMAGELIST list_ = nullptr;
};

// The tree images of the skin in `folders`; empty when the strip cannot be
// loaded (the tree then shows no images).
UniqueImageList MakeTreeImages(const TrevaloFolders& folders);

// Both modes' tree: child `id` of `parent` with buttons and lines, `width`
// wide, showing `images` (which must outlive it) when there are any.
// nullptr when the window cannot be made.
HWND MakeImageTree(HWND parent, int id, int width, const UniqueImageList& images);
