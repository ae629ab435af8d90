#include "trevalo/program_mode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "trevalo/tests/trevalo_test_folder.h"

namespace {

TEST(ChooseMode, TakesExactlyOneModeArgumentInAnyLetterCase) {
    struct Case {
        std::vector<std::string> arguments;
        std::optional<ProgramMode> mode;
        std::string mutexName;
    };
    const Case cases[] = {
        {{"APPMODEL_TREVALO"}, ProgramMode::kNavigation, "MUTEX_ZELLUM_APPMODEL_TREVALO"},
        {{"APPMODEL_MSNHISTORY"}, ProgramMode::kHistory, "MUTEX_ZELLUM_APPMODEL_MSNHISTORY"},
        {{"appmodel_msnhistory"}, ProgramMode::kHistory, "MUTEX_ZELLUM_APPMODEL_MSNHISTORY"},
        {{"AppModel_Trevalo"}, ProgramMode::kNavigation, "MUTEX_ZELLUM_APPMODEL_TREVALO"},
        {{}, std::nullopt, ""},
        {{"APPMODEL_TREVALO", "APPMODEL_TREVALO"}, std::nullopt, ""},
        {{"APPMODEL_MSNHISTORY", ""}, std::nullopt, ""},
        {{""}, std::nullopt, ""},
        {{"APPMODEL"}, std::nullopt, ""},
        {{"APPMODEL_TREVALO "}, std::nullopt, ""},
        {{"/APPMODEL_TREVALO"}, std::nullopt, ""},
        {{"APPMODEL_MSNHISTORYX"}, std::nullopt, ""},
    };
    for (const Case& c : cases) {
        const std::string shown = c.arguments.empty() ? "(none)" : c.arguments.front();
        const std::optional<ModeChoice> choice = ChooseMode(c.arguments);
        ASSERT_EQ(choice.has_value(), c.mode.has_value()) << shown << " of " << c.arguments.size();
        if (choice) {
            EXPECT_EQ(choice->mode, *c.mode) << shown;
            EXPECT_EQ(choice->mutexName, c.mutexName) << shown;
        }
    }
}

TEST(TrevaloFolders, DataAndSkinsAreBelowTheProgramFolder) {
#ifdef _WIN32
    const TrevaloFolders folders = FoldersOf("C:\\Program Files\\泽鲁");
    EXPECT_EQ(folders.program, "C:\\Program Files\\泽鲁");
    EXPECT_EQ(folders.data, "C:\\Program Files\\泽鲁\\Trevalo\\Data");
    EXPECT_EQ(folders.skins, "C:\\Program Files\\泽鲁\\Trevalo\\Skins");
    EXPECT_EQ(SkinImage(folders, "title1.bmp"), "C:\\Program Files\\泽鲁\\Trevalo\\Skins\\title1.bmp");
#else
    const TrevaloFolders folders = FoldersOf("/opt/泽鲁");
    EXPECT_EQ(folders.program, "/opt/泽鲁");
    EXPECT_EQ(folders.data, "/opt/泽鲁/Trevalo/Data");
    EXPECT_EQ(folders.skins, "/opt/泽鲁/Trevalo/Skins");
    EXPECT_EQ(SkinImage(folders, "title1.bmp"), "/opt/泽鲁/Trevalo/Skins/title1.bmp");
#endif
}

TEST(MakerPages, AreOnTheSiteHost) {
    EXPECT_EQ(MakerHomePage("www.zellum.com"), "http://www.zellum.com/");
    EXPECT_EQ(BannerPage("www.zellum.com"), "http://www.zellum.com/software/trevalo/banner.htm");
    EXPECT_EQ(BannerPage("127.0.0.1:8080"), "http://127.0.0.1:8080/software/trevalo/banner.htm");
}

using SiteHostTest = TrevaloTestFolder;

TEST_F(SiteHostTest, NetworkSettingNamesTheSite) {
    MakeFolder("Data");
    WriteFile("Data/network.ini", "[hosts]\r\nweather=weather.example\r\nsite = 127.0.0.1:8080 \r\n");
    EXPECT_EQ(SiteHostOf(FoldersOf(folder_)), "127.0.0.1:8080");
}

TEST_F(SiteHostTest, DefaultSiteWithoutTheSetting) {
    EXPECT_EQ(SiteHostOf(FoldersOf(folder_)), "www.zellum.com");
    // A missing settings file is not made.
    EXPECT_EQ(Contents(PathOf("Data/network.ini")), "<missing>");
    MakeFolder("Data");
    WriteFile("Data/network.ini", "[hosts]\r\nweather=weather.example\r\nsite=\r\n");
    EXPECT_EQ(SiteHostOf(FoldersOf(folder_)), "www.zellum.com");
}

}  // namespace
