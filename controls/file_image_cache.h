#pragma once

// The bookkeeping of a cache of skin images loaded from files: one image per
// path, handed out with a reference count, freed when the last user gives it
// back. What an image is and how it is loaded and freed comes from `Source`:
//
//   Image* Source::Load(const std::string& path);  // never null
//   void Source::Free(Image* image);
//
// Paths are compared byte-wise (case-sensitive).

#include <cstdint>
#include <map>
#include <string>
#include <utility>

namespace cmmctrls {

template <typename Image>
struct CacheItem {
    std::int32_t refCount = 0;
    Image* image = nullptr;
};

template <typename Image, typename Source>
class FileImageCache {
public:
    using Item = CacheItem<Image>;

    explicit FileImageCache(Source source = Source()) : source_(std::move(source)) {}
    // Images still listed stay with their users, as after Clear.
    ~FileImageCache() = default;
    FileImageCache(const FileImageCache&) = delete;
    FileImageCache& operator=(const FileImageCache&) = delete;

    // The image of `path` with its count raised, loaded on first use. An
    // image whose file cannot be read is cached and handed out all the same
    // (Source makes it a failed image). Null only for a null path.
    Image* CreateFileImage(const char* path) {
        if (path == nullptr) {
            return nullptr;
        }
        auto found = items_.find(path);
        if (found != items_.end()) {
            ++found->second.refCount;
            return found->second.image;
        }
        Image* image = source_.Load(path);
        items_.emplace(path, Item{1, image});
        return image;
    }

    // Gives one use of `path`'s image back; the last one frees the image and
    // forgets the path. False when the path is not cached.
    bool ReleaseFileImage(const char* path) {
        if (path == nullptr) {
            return false;
        }
        auto found = items_.find(path);
        if (found == items_.end()) {
            return false;
        }
        Item& item = found->second;
        if (item.refCount > 0) {
            --item.refCount;
        }
        if (item.refCount > 0) {
            return true;
        }
        Image* image = item.image;
        items_.erase(found);
        source_.Free(image);
        return true;
    }

    bool GetItem(const char* path, Item* item) const {
        if (path == nullptr) {
            return false;
        }
        auto found = items_.find(path);
        if (found == items_.end()) {
            return false;
        }
        if (item != nullptr) {
            *item = found->second;
        }
        return true;
    }

    // Forgets every image without freeing it: images handed out stay valid
    // and are no longer counted.
    void Clear() { items_.clear(); }

private:
    Source source_;
    std::map<std::string, Item> items_;
};

}  // namespace cmmctrls
