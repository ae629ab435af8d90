// What the service sends, read by the suite's own client logic: the shipped
// notice is one the tray program shows and may open, the shipped version
// page asks no update of this version, and every package of a generated
// skin list is one the skin update takes.

#include <gtest/gtest.h>

#include <string>

#include "common/file_io.h"
#include "loader/skin_update.h"
#include "loader/update_notice.h"
#include "loader/version_check.h"
#include "site/published_skins.h"
#include "site/tests/site_test_folder.h"

namespace {

std::string Shipped(const std::string& name) {
    std::string text;
    EXPECT_TRUE(ReadWholeFile(std::string(SUITE_SOURCE_DIR) + "/site/content/" + name, text)) << name;
    return text;
}

class SuiteClientTest : public SiteTestFolder {};

TEST_F(SuiteClientTest, TheShippedNoticeIsShownOnceAndItsAddressMayBeOpened) {
    const auto notice = TakeNewNotice(Shipped("sysupdate.htm"), PathOf("sysupdate.ini"), PathOf("last.ini"));
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->date, "20261201");
    EXPECT_TRUE(IsWebAddress(notice->url)) << notice->url;
    EXPECT_FALSE(notice->info.empty());
    EXPECT_FALSE(TakeNewNotice(Shipped("sysupdate.htm"), PathOf("sysupdate.ini"), PathOf("last.ini")));
}

TEST_F(SuiteClientTest, TheShippedVersionPageNamesThisVersion) {
    const std::string page = Shipped("online.asp");
    EXPECT_EQ(PublishedVersion(page), "4.0");
    EXPECT_FALSE(IsNewerVersionPublished("V4.0", page));
}

TEST_F(SuiteClientTest, EveryListedPackageIsOneTheSkinUpdateTakes) {
    WriteFile("skins/SkinsJade.exe", "jade");
    WriteFile("skins/Blue.rar", "blue");
    const std::string listHost = "127.0.0.1:8123";
    const std::string list =
        WriteFile("skins_alarm.ini", PublishedSkins(PathOf("skins")).ListPage("http://" + listHost).body);
    const std::vector<PendingSkin> skins = NewSkins(list, PathOf("skins.ini"), "CALENDAR");
    ASSERT_EQ(skins.size(), 2u);
    EXPECT_EQ(skins[0].name, "Blue");
    EXPECT_EQ(PackageFileName(skins[0].address, listHost), "Blue.exe");
    EXPECT_EQ(skins[1].name, "SkinsJade");
    EXPECT_EQ(PackageFileName(skins[1].address, listHost), "SkinsJade.exe");
}

}  // namespace
