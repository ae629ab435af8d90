#pragma once

// Skin images loaded from files, shared by path with a reference count.
// Users take an image with CreateFileImage and give it back with
// ReleaseFileImage; the last one to give it back frees it.

#include <string>

#include "common/win32/gdiplus_session.h"
#include "controls/file_image_cache.h"
#include "controls/qvctrl_api.h"

namespace cmmctrls {

// Loads images with GDI+ from GBK paths.
struct GdiplusFileSource {
    // Never null: a file that cannot be read (or a path longer than
    // MAX_PATH, which is not cut to some other file's name) gives an image
    // whose status is a failure and which draws nothing.
    Gdiplus::Bitmap* Load(const std::string& path) const;
    void Free(Gdiplus::Bitmap* image) const;
};

class QVCTRL_API CImageCache {
public:
    using Item = CacheItem<Gdiplus::Bitmap>;

    CImageCache();
    // Images still cached stay with their users, as after Clear.
    ~CImageCache();
    CImageCache(const CImageCache&) = delete;
    CImageCache& operator=(const CImageCache&) = delete;

    // The image of `path` (GBK), loaded on first use, with its count
    // raised. Null only for a null path. The second text is not used.
    Gdiplus::Bitmap* CreateFileImage(const char* path, const char* unused = nullptr);
    // One use of `path` given back; the last frees the image. False when
    // the path is not cached. The second text is not used.
    bool ReleaseFileImage(const char* path, const char* unused = nullptr);
    bool GetItem(const char* path, Item* item) const;
    // Forgets every image without freeing any.
    void Clear();

private:
    FileImageCache<Gdiplus::Bitmap, GdiplusFileSource> table_;
};

}  // namespace cmmctrls
