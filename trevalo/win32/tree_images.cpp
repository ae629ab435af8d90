#include "trevalo/win32/tree_images.h"

UniqueImageList MakeTreeImages(const TrevaloFolders& folders) {
    const std::string strip = SkinImage(folders, "treeimg.bmp");
    return UniqueImageList(ImageList_LoadImageA(nullptr, strip.c_str(), 16, 1, RGB(0, 128, 128), IMAGE_BITMAP,
                                                LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

HWND MakeImageTree(HWND parent, int id, int width, const UniqueImageList& images) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    HWND tree = CreateWindowExA(
        WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS, 0, 0,
        width, 100, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    if (tree != nullptr && images) {
        SendMessageA(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images.get()));
    }
    return tree;
}
