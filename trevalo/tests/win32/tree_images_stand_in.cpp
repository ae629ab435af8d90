#include "trevalo/win32/tree_images.h"

// The view's tests show their tree without images.
UniqueImageList MakeTreeImages(const TrevaloFolders&) {
    return {};
}
