#include "trevalo/win32/tree_images.h"

UniqueImageList MakeTreeImages(const TrevaloFolders& folders) {
    const std::string strip = SkinImage(folders, "treeimg.bmp");
    return UniqueImageList(ImageList_LoadImageA(nullptr, strip.c_str(), 16, 1, RGB(0, 128, 128), IMAGE_BITMAP,
                                                LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}
