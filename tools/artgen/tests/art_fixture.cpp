#include "tools/artgen/tests/art_fixture.h"

#include "tools/artgen/art_catalogue.h"
#include "tools/artgen/fonts.h"

#include <gtest/gtest.h>

namespace artgen::testing {

namespace {

// Gives fontconfig's and pango's caches back when the program ends, so the
// leak checker of the sanitizer build reports only our own leaks.
class FontCaches : public ::testing::Environment {
public:
    void TearDown() override { ReleaseFontCaches(); }
};

[[maybe_unused]] ::testing::Environment* const kFontCaches = ::testing::AddGlobalTestEnvironment(new FontCaches);

}  // namespace

const ArtSet& GeneratedArt() {
    static const ArtSet* art = [] {
        const std::string family = FindFontFamily();
        if (family.empty()) {
            return new ArtSet();
        }
        SetFontFamily(family);
        return new ArtSet(GenerateArt());
    }();
    EXPECT_FALSE(art->files().empty()) << "no CJK font found through fontconfig";
    return *art;
}

const Image& Picture(const std::string& path) {
    static const Image kNone;
    const ArtFile* file = GeneratedArt().Find(path);
    EXPECT_NE(file, nullptr) << path << " is not generated";
    return file != nullptr && !file->images.empty() ? file->images.front() : kNone;
}

int Count(const Image& image, const Area& area, const std::function<bool(const Rgba&)>& test) {
    int count = 0;
    for (int y = area.y; y < area.y + area.height && y < image.height(); ++y) {
        for (int x = area.x; x < area.x + area.width && x < image.width(); ++x) {
            count += test(image.at(x, y)) ? 1 : 0;
        }
    }
    return count;
}

int CountVisible(const Image& image, const Area& area) {
    return Count(image, area, [](const Rgba& pixel) { return pixel.a > 0; });
}

bool SamePixels(const Image& image, const Area& first, const Area& second) {
    for (int y = 0; y < first.height; ++y) {
        for (int x = 0; x < first.width; ++x) {
            if (!(image.at(first.x + x, first.y + y) == image.at(second.x + x, second.y + y))) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace artgen::testing
