#include "tools/artgen/art_set.h"

#include "tools/artgen/tests/art_fixture.h"
#include "tools/artgen/tests/image_readers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace artgen {
namespace {

using testing::GeneratedArt;

struct Expected {
    std::string path;
    ArtFormat format;
    int width;
    int height;
};

// Every image the programs open, with the size their code relies on.
std::vector<Expected> ExpectedFiles() {
    const std::string common = "modules/Calendar/Commskins/";
    std::vector<Expected> files = {
        {common + "numbers.png", ArtFormat::kPng, 31 * 21, 8 * 21},
        {common + "weekdays.png", ArtFormat::kPng, 7 * 25, 20},
        {common + "clockbk.png", ArtFormat::kPng, 187, 100},
        {common + "digit.png", ArtFormat::kPng, 223, 22},
        {common + "symbol.png", ArtFormat::kPng, 912, 400},
        {common + "wbutton.png", ArtFormat::kPng, 90, 36},
        {common + "detail.png", ArtFormat::kPng, 187, 170},
        {common + "download.png", ArtFormat::kPng, 187, 44},
        {common + "calcell.png", ArtFormat::kPng, 100, 44},
        {common + "cbutton.png", ArtFormat::kPng, 176, 48},
        {common + "holiday.png", ArtFormat::kPng, 48, 16},
        {"Skins/about.png", ArtFormat::kPng, 445, 240},
        {"Skins/sysmsg.png", ArtFormat::kPng, 193, 125},
        {"resources/tessary.ico", ArtFormat::kIco, 16, 16},
        {"resources/marker.ico", ArtFormat::kIco, 16, 16},
        {"resources/widget.ico", ArtFormat::kIco, 16, 16},
        {"resources/trevalo.ico", ArtFormat::kIco, 16, 16},
        {"resources/menu_icons.bmp", ArtFormat::kBmp24, 11 * 16, 16},
        {"resources/timesync.bmp", ArtFormat::kBmp24, 48, 48},
        {"resources/shutdown.bmp", ArtFormat::kBmp24, 48, 48},
        {"resources/reminder_list.bmp", ArtFormat::kBmp24, 3 * 16, 16},
        {"resources/viewer_tree.bmp", ArtFormat::kBmp24, 7 * 16, 16},
        {"resources/loader_art.rc", ArtFormat::kText, 0, 0},
        {"resources/widget_art.rc", ArtFormat::kText, 0, 0},
        {"contact_sheet.png", ArtFormat::kPng, 1480, 0},
    };
    for (const char* skin : {"SkinsDefault", "SkinsJade", "SkinsAmber", "SkinsNight"}) {
        files.push_back({std::string("modules/Calendar/") + skin + "/mainback.png", ArtFormat::kPng, 229, 278});
        files.push_back({std::string("modules/Calendar/") + skin + "/mainback.bmp", ArtFormat::kBmp24, 229, 278});
    }
    // The skins' own copies of the pictures their colours change: the
    // accents in the light skins, everything with text or panels in the
    // dark one.
    struct OwnPicture {
        const char* name;
        int width;
        int height;
        bool lightSkins;
    };
    const OwnPicture ownPictures[] = {
        {"numbers.png", 31 * 21, 8 * 21, true}, {"cbutton.png", 176, 48, true},  {"wbutton.png", 90, 36, true},
        {"detail.png", 187, 170, true},         {"download.png", 187, 44, true}, {"clockbk.png", 187, 100, true},
        {"weekdays.png", 7 * 25, 20, false},    {"digit.png", 223, 22, false},
    };
    for (const char* skin : {"SkinsJade", "SkinsAmber", "SkinsNight"}) {
        const std::string folder = std::string("modules/Calendar/") + skin + "/";
        for (const OwnPicture& picture : ownPictures) {
            if (picture.lightSkins || std::string(skin) == "SkinsNight") {
                files.push_back({folder + picture.name, ArtFormat::kPng, picture.width, picture.height});
            }
        }
        files.push_back({folder + "colors.ini", ArtFormat::kText, 0, 0});
    }
    files.push_back({"modules/Calendar/SkinsNight/twhite.txt", ArtFormat::kText, 0, 0});
    for (int day = 1; day <= 31; ++day) {
        std::ostringstream name;
        name << "resources/day_" << (day < 10 ? "0" : "") << day << ".ico";
        files.push_back({name.str(), ArtFormat::kIco, 16, 16});
    }
    const std::string viewer = "Trevalo/Skins/";
    files.push_back({viewer + "title1.bmp", ArtFormat::kBmp24, 160, 30});
    files.push_back({viewer + "title2.bmp", ArtFormat::kBmp24, 8, 30});
    files.push_back({viewer + "title3.bmp", ArtFormat::kBmp24, 110, 30});
    files.push_back({viewer + "bottom1.bmp", ArtFormat::kBmp24, 10, 10});
    files.push_back({viewer + "bottom2.bmp", ArtFormat::kBmp24, 8, 10});
    files.push_back({viewer + "bottom3.bmp", ArtFormat::kBmp24, 16, 10});
    for (const char* button : {"min", "max", "close"}) {
        for (int state = 1; state <= 3; ++state) {
            files.push_back({viewer + button + std::to_string(state) + ".bmp", ArtFormat::kBmp24, 28, 20});
        }
    }
    for (const char* tool : {"open1", "save1", "vrefresh1", "vrefresh4", "search1", "vback1", "vback4", "vfor1",
                             "vfor4", "vstop1", "vstop4", "vclose1", "vclose4", "vie1"}) {
        files.push_back({viewer + tool + ".bmp", ArtFormat::kBmp24, 32, 32});
    }
    for (const char* menuTool : {"help1", "file1", "favor1", "favor4", "navbar1"}) {
        files.push_back({viewer + menuTool + ".bmp", ArtFormat::kBmp24, 42, 32});
    }
    for (int state = 1; state <= 3; ++state) {
        files.push_back({viewer + "combut" + std::to_string(state) + ".bmp", ArtFormat::kBmp24, 18, 22});
    }
    files.push_back({viewer + "tabback.bmp", ArtFormat::kBmp24, 8, 28});
    files.push_back({viewer + "tab1.bmp", ArtFormat::kBmp24, 120, 26});
    files.push_back({viewer + "tab2.bmp", ArtFormat::kBmp24, 120, 26});
    files.push_back({viewer + "treeimg.bmp", ArtFormat::kBmp24, 7 * 16, 16});
    return files;
}

TEST(ArtSet, HoldsEveryImageAtItsSizeAndNothingElse) {
    const ArtSet& art = GeneratedArt();
    std::set<std::string> expectedPaths;
    for (const Expected& expected : ExpectedFiles()) {
        SCOPED_TRACE(expected.path);
        expectedPaths.insert(expected.path);
        const ArtFile* file = art.Find(expected.path);
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(file->format, expected.format);
        if (expected.format == ArtFormat::kText) {
            continue;
        }
        ASSERT_FALSE(file->images.empty());
        EXPECT_EQ(file->images.front().width(), expected.width);
        if (expected.height > 0) {
            EXPECT_EQ(file->images.front().height(), expected.height);
        }
    }
    for (const ArtFile& file : art.files()) {
        EXPECT_TRUE(expectedPaths.count(file.path)) << "unexpected file " << file.path;
    }
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class WrittenArt : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("artgen_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::filesystem::path folder_;
};

// What lands on disk decodes, with independent readers, to the pictures
// that were drawn.
TEST_F(WrittenArt, FilesDecodeToTheDrawnPictures) {
    const ArtSet& art = GeneratedArt();
    std::string error;
    ASSERT_TRUE(WriteArtSet(art, folder_, error)) << error;
    for (const ArtFile& file : art.files()) {
        SCOPED_TRACE(file.path);
        const std::string bytes = ReadFile(folder_ / file.path);
        ASSERT_FALSE(bytes.empty());
        switch (file.format) {
            case ArtFormat::kPng: {
                const auto image = testing::DecodePng(bytes);
                ASSERT_TRUE(image);
                EXPECT_EQ(image->width(), file.images.front().width());
                EXPECT_EQ(image->height(), file.images.front().height());
                break;
            }
            case ArtFormat::kBmp24:
            case ArtFormat::kBmp32: {
                const auto image = testing::DecodeBmp(bytes);
                ASSERT_TRUE(image);
                EXPECT_EQ(*image, file.images.front());
                break;
            }
            case ArtFormat::kIco: {
                const auto icons = testing::DecodeIco(bytes);
                ASSERT_TRUE(icons);
                ASSERT_EQ(icons->size(), file.images.size());
                for (std::size_t i = 0; i < icons->size(); ++i) {
                    EXPECT_EQ((*icons)[i].colour.width(), file.images[i].width());
                }
                break;
            }
            case ArtFormat::kText:
                EXPECT_EQ(bytes, file.text);
                break;
        }
    }
}

TEST_F(WrittenArt, AFolderThatCannotBeMadeIsReported) {
    // A plain file where the set needs a folder.
    std::filesystem::create_directories(folder_);
    std::ofstream(folder_ / "Skins") << "in the way";
    ArtSet set;
    set.AddPng("Skins/about.png", Image(2, 2));
    std::string error;
    EXPECT_FALSE(WriteArtSet(set, folder_, error));
    EXPECT_NE(error.find("Skins"), std::string::npos) << error;
}

}  // namespace
}  // namespace artgen
