// The module table on Windows itself: real libraries (the fixture modules),
// the real PATH variable, the file system's listing and its case rules.

#include "loader/win32/system_module_platform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/path_util.h"
#include "common/win32/com.h"
#include "loader/tests/win32/fixture_folder.h"

namespace {

using Lines = std::vector<std::string>;

class SystemModulePlatformTest : public testing::Test {
protected:
    void SetUp() override { savedPath_ = platform_.ReadSearchPath(); }
    void TearDown() override { platform_.WriteSearchPath(savedPath_); }

    ComApartment com_;
    FixtureFolder folder_{"platform"};
    SystemModulePlatform platform_;
    std::string savedPath_;
};

TEST_F(SystemModulePlatformTest, LoadsBindsAndReleasesBeforeUnloading) {
    folder_.AddModule("a.xml", "alpha.dll", "good");
    folder_.AddModule("b.xml", "refusing.dll", "refusing");
    folder_.AddModule("c.xml", "noexport.dll", "noexport");
    folder_.AddModule("d.xml", "beta.dll", "good");
    folder_.EnableModules({"alpha.dll", "refusing.dll", "noexport.dll", "beta.dll"});
    {
        ModuleManager modules(platform_, folder_.PathOf("Data\\module.ini"));
        modules.Discover(folder_.PathOf("modules"));
        ASSERT_EQ(modules.Count(), 4u);
        EXPECT_TRUE(ModuleManager::IsUsable(*modules.At(0)));
        EXPECT_EQ(modules.At(1)->library, nullptr);
        EXPECT_EQ(modules.At(2)->library, nullptr);
        EXPECT_TRUE(ModuleManager::IsUsable(*modules.At(3)));
        modules.RemoveAll();
        EXPECT_EQ(GetModuleHandleA(folder_.PathOf("modules\\Calendar\\alpha.dll").c_str()), nullptr);
    }
    // InitWidget got no host here: none was set.
    EXPECT_EQ(folder_.Log(),
              (Lines{"alpha.dll attach", "alpha.dll GetVexaWInterface 36", "alpha.dll InitWidget host-bad",
                     "refusing.dll attach", "refusing.dll GetVexaWInterface 36", "refusing.dll detach",
                     "noexport.dll attach", "noexport.dll detach", "beta.dll attach", "beta.dll GetVexaWInterface 36",
                     "beta.dll InitWidget host-bad", "alpha.dll Release 0", "alpha.dll detach", "beta.dll Release 0",
                     "beta.dll detach"}));
}

TEST_F(SystemModulePlatformTest, CapitalsInTheDescriptorFindTheLibraryAndItsSection) {
    folder_.AddModule("calendar.xml", "qvcalendar.dll", "good");
    folder_.Write("modules\\Calendar\\calendar.xml", DescriptorText("QVCALENDAR.DLL", "Calendar"));
    folder_.Write("Data\\module.ini", "[qvcalendar.dll]\r\nload= 1 \r\n");
    ModuleManager modules(platform_, folder_.PathOf("Data\\module.ini"));
    modules.Discover(folder_.PathOf("modules"));
    ASSERT_EQ(modules.Count(), 1u);
    EXPECT_TRUE(ModuleManager::IsUsable(*modules.At(0)));
    EXPECT_STREQ(modules.At(0)->descriptorPath, folder_.PathOf("modules\\Calendar\\calendar.xml").c_str());
}

TEST_F(SystemModulePlatformTest, ListsOnlyXmlFilesOfTheFolderItself) {
    folder_.Write("modules\\Calendar\\a.xml", "");
    folder_.Write("modules\\Calendar\\B.XML", "");
    folder_.Write("modules\\Calendar\\c.txt", "");
    folder_.Write("modules\\Calendar\\sub\\d.xml", "");
    std::vector<std::string> names =
        DescriptorFilesInOrder(platform_.ListDescriptorFiles(folder_.PathOf("modules\\Calendar")));
    EXPECT_EQ(names, (Lines{"a.xml", "B.XML"}));
    EXPECT_TRUE(platform_.ListDescriptorFiles(folder_.PathOf("no such folder")).empty());
}

TEST_F(SystemModulePlatformTest, EveryAddedModuleAppendsItsFolderToPath) {
    folder_.AddModule("a.xml", "alpha.dll", "good");
    folder_.AddModule("b.xml", "beta.dll", "good");
    folder_.AddModule("e.xml", "extra.dll", "good", "extra");
    ModuleManager modules(platform_, folder_.PathOf("Data\\module.ini"));
    std::uint32_t id = 0;
    ASSERT_EQ(modules.Add(folder_.PathOf("modules\\Calendar\\a.xml"), id), 1);
    ASSERT_EQ(modules.Add(folder_.PathOf("modules\\Calendar\\b.xml"), id), 1);
    ASSERT_EQ(modules.Add(folder_.PathOf("extra\\e.xml"), id), 1);
    std::string calendar = folder_.PathOf("modules\\Calendar");
    EXPECT_EQ(platform_.ReadSearchPath(), savedPath_ + ";" + calendar + ";" + calendar + ";" + folder_.PathOf("extra"));
}

TEST_F(SystemModulePlatformTest, FullPathOfARelativeDescriptor) {
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    EXPECT_EQ(platform_.FullPath("modules\\Calendar\\a.xml"), JoinPath(current, "modules\\Calendar\\a.xml"));
}

}  // namespace
