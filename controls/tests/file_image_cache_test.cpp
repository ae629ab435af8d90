#include "controls/file_image_cache.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace cmmctrls {
namespace {

struct FakeImage {
    std::string path;
};

// Loads fake images and logs every load and free.
struct FakeSource {
    std::vector<std::string>* log;
    FakeImage* Load(const std::string& path) const {
        log->push_back("load " + path);
        return new FakeImage{path};
    }
    void Free(FakeImage* image) const {
        log->push_back("free " + image->path);
        delete image;
    }
};

class FileImageCacheTest : public testing::Test {
protected:
    std::vector<std::string> log;
    FileImageCache<FakeImage, FakeSource> cache{FakeSource{&log}};
};

TEST_F(FileImageCacheTest, OneImagePerPathFreedByTheLastRelease) {
    FakeImage* first = cache.CreateFileImage("skin\\a.png");
    FakeImage* second = cache.CreateFileImage("skin\\a.png");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    CacheItem<FakeImage> item;
    ASSERT_TRUE(cache.GetItem("skin\\a.png", &item));
    EXPECT_EQ(item.refCount, 2);
    EXPECT_EQ(item.image, first);

    EXPECT_TRUE(cache.ReleaseFileImage("skin\\a.png"));
    EXPECT_EQ(log, (std::vector<std::string>{"load skin\\a.png"}));
    EXPECT_TRUE(cache.ReleaseFileImage("skin\\a.png"));
    EXPECT_EQ(log, (std::vector<std::string>{"load skin\\a.png", "free skin\\a.png"}));
    EXPECT_FALSE(cache.ReleaseFileImage("skin\\a.png"));
    EXPECT_FALSE(cache.GetItem("skin\\a.png", &item));
}

TEST_F(FileImageCacheTest, PathsAreComparedByteForByte) {
    FakeImage* lower = cache.CreateFileImage("a.png");
    FakeImage* upper = cache.CreateFileImage("A.png");
    EXPECT_NE(lower, upper);
    EXPECT_EQ(log, (std::vector<std::string>{"load a.png", "load A.png"}));
    cache.ReleaseFileImage("a.png");
    cache.ReleaseFileImage("A.png");
}

TEST_F(FileImageCacheTest, NullPathsAreRefused) {
    EXPECT_EQ(cache.CreateFileImage(nullptr), nullptr);
    EXPECT_FALSE(cache.ReleaseFileImage(nullptr));
    EXPECT_FALSE(cache.GetItem(nullptr, nullptr));
    EXPECT_TRUE(log.empty());
}

TEST_F(FileImageCacheTest, ClearForgetsWithoutFreeing) {
    std::unique_ptr<FakeImage> handedOut(cache.CreateFileImage("b.png"));
    cache.Clear();
    EXPECT_EQ(log, (std::vector<std::string>{"load b.png"}));
    EXPECT_FALSE(cache.ReleaseFileImage("b.png"));
    EXPECT_EQ(handedOut->path, "b.png");  // still valid, now the caller's alone

    FakeImage* again = cache.CreateFileImage("b.png");
    EXPECT_NE(again, handedOut.get());
    EXPECT_TRUE(cache.ReleaseFileImage("b.png"));
    EXPECT_EQ(log.back(), "free b.png");
}

}  // namespace
}  // namespace cmmctrls
