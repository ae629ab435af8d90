#include "site/published_skins.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include "site/tests/site_test_folder.h"

namespace {

class PublishedSkinsTest : public SiteTestFolder {
protected:
    void SetUp() override {
        SiteTestFolder::SetUp();
        WriteFile("skins/SkinsJade.rar", "jade package");
        WriteFile("skins/SkinsAmber.EXE", "amber package");
        WriteFile("skins/readme.txt", "not a package");
        WriteFile("skins/.partial.rar", "an upload under way");
        WriteFile("skins/skins=new.rar", "a name the list cannot carry");
        std::filesystem::create_directories(folder_ / "skins" / "Folder.rar");
        WriteFile("outside.rar", "beside the published folder");
        WriteFile("secret.txt", "private");
        skins_.emplace(PathOf("skins"));
    }

    // Made after SetUp, which names the folder.
    std::optional<PublishedSkins> skins_;
};

TEST_F(PublishedSkinsTest, ListsEveryPackageFileInNameOrder) {
    const auto list = skins_->List();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].name, "SkinsAmber");
    EXPECT_EQ(list[0].fileName, "SkinsAmber.EXE");
    EXPECT_EQ(list[1].name, "SkinsJade");
    EXPECT_EQ(list[1].fileName, "SkinsJade.rar");
}

TEST_F(PublishedSkinsTest, TheListPageIsACalendarSectionOfPackageAddresses) {
    const SiteResponse page = skins_->ListPage("http://127.0.0.1:8123");
    EXPECT_EQ(page.status, 200);
    EXPECT_EQ(page.body,
              "[CALENDAR]\r\n"
              "SkinsAmber=http://127.0.0.1:8123/software/download/skins/tessary/SkinsAmber.EXE\r\n"
              "SkinsJade=http://127.0.0.1:8123/software/download/skins/tessary/SkinsJade.rar\r\n");
}

TEST_F(PublishedSkinsTest, AMissingFolderPublishesNothing) {
    const PublishedSkins none(PathOf("no such folder"));
    EXPECT_TRUE(none.List().empty());
    EXPECT_EQ(none.ListPage("http://h").body, "[CALENDAR]\r\n");
}

TEST_F(PublishedSkinsTest, APackageIsServedWhole) {
    const SiteResponse package = skins_->Package("SkinsJade.rar");
    EXPECT_EQ(package.status, 200);
    EXPECT_EQ(package.body, "jade package");
    EXPECT_EQ(package.contentType, "application/octet-stream");
    const std::filesystem::path path = folder_ / "skins" / "SkinsJade.rar";
    // 2008-08-15 08:00:00 UTC
    std::filesystem::last_write_time(
        path, std::chrono::file_clock::from_sys(std::chrono::sys_seconds(std::chrono::seconds(1218787200))));
    const SiteResponse dated = skins_->Package("SkinsJade.rar");
    ASSERT_EQ(dated.headers.size(), 1u);
    EXPECT_EQ(dated.headers[0].first, "Last-Modified");
    EXPECT_EQ(dated.headers[0].second, "Fri, 15 Aug 2008 08:00:00 GMT");
}

TEST_F(PublishedSkinsTest, AnAbsolutePathIsRefusedEvenToAPackageFile) {
    EXPECT_EQ(skins_->Package(PathOf("outside.rar")).status, 404);
    EXPECT_EQ(skins_->Package(PathOf("skins/SkinsJade.rar")).status, 404);
}

class PackageRefusalTest : public PublishedSkinsTest, public testing::WithParamInterface<std::string> {};

TEST_P(PackageRefusalTest, NothingButAListedPackageIsServed) {
    const SiteResponse answer = skins_->Package(GetParam());
    EXPECT_EQ(answer.status, 404);
    EXPECT_EQ(answer.body.find("package"), std::string::npos);
    EXPECT_EQ(answer.body.find("private"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Names,
                         PackageRefusalTest,
                         testing::Values("../outside.rar",
                                         "..\\outside.rar",
                                         "..",
                                         "../secret.txt",
                                         "%2e%2e%2foutside.rar",
                                         "..%2Foutside.rar",
                                         "/etc/passwd",
                                         "C:outside.rar",
                                         std::string("SkinsJade.rar\0x", 15),
                                         "readme.txt",
                                         ".partial.rar",
                                         "Folder.rar",
                                         "missing.rar",
                                         "skins=new.rar",
                                         "skinsjade.rar",
                                         ""));

}  // namespace
