#include "controls/win32/image_cache.h"

#include "common/text_encoding.h"

namespace cmmctrls {

Gdiplus::Bitmap* GdiplusFileSource::Load(const std::string& path) const {
    std::u16string wide = GbkToUtf16(path);
    if (wide.size() >= MAX_PATH) {
        wide.clear();  // opens nothing
    }
    return new Gdiplus::Bitmap(reinterpret_cast<const WCHAR*>(wide.c_str()));
}

void GdiplusFileSource::Free(Gdiplus::Bitmap* image) const {
    delete image;
}

CImageCache::CImageCache() = default;
CImageCache::~CImageCache() = default;

Gdiplus::Bitmap* CImageCache::CreateFileImage(const char* path, const char*) {
    return table_.CreateFileImage(path);
}

bool CImageCache::ReleaseFileImage(const char* path, const char*) {
    return table_.ReleaseFileImage(path);
}

bool CImageCache::GetItem(const char* path, Item* item) const {
    return table_.GetItem(path, item);
}

void CImageCache::Clear() {
    table_.Clear();
}

}  // namespace cmmctrls
