#include "site/site_routes.h"

#include <gtest/gtest.h>

#include <string>

#include "site/site_service.h"
#include "site/tests/site_fakes.h"
#include "site/tests/site_test_folder.h"

namespace {

constexpr char kListPath[] = "/software/download/skins/tessary/skins.htm";
// "[UPDATE]" with a Chinese notice text, as the operator saves it (GBK).
constexpr char kNotice[] = "[UPDATE]\r\nDATE=20080815\r\nURL=http://example.com/n.htm\r\nINFO=新版发布了\r\n";

class SiteRoutesTest : public SiteTestFolder {
protected:
    void SetUp() override {
        SiteTestFolder::SetUp();
        WriteFile("skins/SkinsJade.rar", "jade");
        config_.skinsFolder = PathOf("skins");
        config_.pagesFolder = PathOf("pages");
        config_.listenAddress = "127.0.0.1";
        config_.port = 8123;
    }

    SiteResponse Get(const std::string& path,
                     std::multimap<std::string, std::string> parameters = {},
                     const std::string& host = "site.example:8000") {
        const SiteService service(config_, upstream_, clock_);
        return service.Handle({path, std::move(parameters), "127.0.0.1", host});
    }

    SiteConfig config_;
    UnreachableUpstream upstream_;
    StillClock clock_;
};

TEST_F(SiteRoutesTest, TheSkinListLeadsBackUnderTheHostTheClientUsed) {
    const SiteResponse list = Get(kListPath);
    EXPECT_EQ(list.status, 200);
    EXPECT_EQ(list.body,
              "[CALENDAR]\r\nSkinsJade=http://site.example:8000/software/download/skins/tessary/SkinsJade.rar\r\n");
}

TEST_F(SiteRoutesTest, AHostHeaderThatIsNoPlainHostFallsBackToTheListeningAddress) {
    for (const std::string& host : {std::string(), std::string("evil\r\nB=http://x/"), std::string("a b"),
                                    std::string("user@host"), std::string(300, 'a')}) {
        const SiteResponse list = Get(kListPath, {}, host);
        EXPECT_EQ(list.body,
                  "[CALENDAR]\r\nSkinsJade=http://127.0.0.1:8123/software/download/skins/tessary/SkinsJade.rar\r\n")
            << host;
    }
}

TEST_F(SiteRoutesTest, APackageIsServedFromItsPath) {
    const SiteResponse package = Get("/software/download/skins/tessary/SkinsJade.rar");
    EXPECT_EQ(package.status, 200);
    EXPECT_EQ(package.body, "jade");
    EXPECT_EQ(Get("/software/download/skins/tessary/../tessary/SkinsJade.rar").status, 404);
}

TEST_F(SiteRoutesTest, TheOperatorPagesAreServedByteForByte) {
    WriteFile("pages/sysupdate.htm", kNotice);
    WriteFile("pages/online.asp", "<html><body>4.1</body></html>");
    const SiteResponse notice = Get("/software/tessary/sysupdate.htm");
    EXPECT_EQ(notice.status, 200);
    EXPECT_EQ(notice.body, kNotice);
    const SiteResponse version = Get("/software/online.asp", {{"id", "tessary"}});
    EXPECT_EQ(version.status, 200);
    EXPECT_EQ(version.body, "<html><body>4.1</body></html>");
}

TEST_F(SiteRoutesTest, AMissingOperatorFileIsA404) {
    EXPECT_EQ(Get("/software/tessary/sysupdate.htm").status, 404);
    EXPECT_EQ(Get("/software/online.asp", {{"id", "tessary"}}).status, 404);
}

// The feed's own answers are its tests'; here: each path reaches its part,
// and an unreachable upstream gives an error status, never a 404 or half a
// page.
TEST_F(SiteRoutesTest, TheFeedPathsReachTheWeatherFeedAndTheLookupPages) {
    const SiteResponse forecast = Get("/weather/54511_24.xml");
    EXPECT_GE(forecast.status, 500);
    EXPECT_EQ(forecast.body.find("<?xml"), std::string::npos);
    EXPECT_GT(upstream_.asked, 0);
    EXPECT_EQ(Get("/weather/99999_24.xml").status, 404);

    const SiteResponse city = Get("/querycity.php");
    EXPECT_EQ(city.status, 200);
    EXPECT_NE(city.body.find("<city>北京</city>"), std::string::npos) << city.body;

    const SiteResponse calendar = Get("/software/lookup.asp", {{"id", "wannianli"}, {"y", "2008"}, {"m", "8"}});
    EXPECT_EQ(calendar.status, 200);
    EXPECT_NE(calendar.body.find("2008"), std::string::npos);
    EXPECT_GE(Get("/software/lookup.asp", {{"id", "huilv"}}).status, 500);
    EXPECT_EQ(Get("/software/lookup.asp", {{"id", "other"}}).status, 404);
}

TEST_F(SiteRoutesTest, EverythingElseIsA404) {
    WriteFile("pages/online.asp", "<body>4.1</body>");
    WriteFile("pages/sysupdate.htm", kNotice);
    struct Case {
        std::string path;
        std::multimap<std::string, std::string> parameters;
    };
    const Case cases[] = {
        {"/", {}},
        {"/software/online.asp", {}},
        {"/software/online.asp", {{"id", "other"}}},
        {"/software/download/skins/tessary/", {}},
        {"/software/download/skins/tessary", {}},
        {"/software/tessary/sysupdate.htm/", {}},
        {"/software/tessary/online.asp", {}},
        {"/software/tessary/SkinsJade.rar", {}},
        {"/content/sysupdate.htm", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Get(c.path, c.parameters).status, 404) << c.path;
    }
    EXPECT_EQ(upstream_.asked, 0);
}

}  // namespace
