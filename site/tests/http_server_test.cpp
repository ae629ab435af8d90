// The real HTTP layer on 127.0.0.1: requests through httplib's client reach
// the routes, raw encoded paths cannot leave the published folder, each
// request is logged once, and the upstream client reads what a server sends.

#include "site/site_http_server.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <algorithm>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

#include "site/httplib_upstream.h"
#include "site/tests/site_fakes.h"
#include "site/tests/site_test_folder.h"

namespace {

// The log stream is written by the server's threads and read by the test
// only after the server stopped.
class RunningSite {
public:
    RunningSite(const SiteConfig& config, UnreachableUpstream& upstream, const StillClock& clock) : server_(log_) {
        port_ = server_.Bind("127.0.0.1", 0);
        SiteConfig bound = config;
        bound.port = port_;
        service_.emplace(bound, upstream, clock);
        if (port_ > 0) {
            thread_ = std::thread([this] { served_ = server_.Serve(*service_); });
        }
    }
    ~RunningSite() { Stop(); }

    void Stop() {
        if (thread_.joinable()) {
            server_.Stop();
            thread_.join();
        }
    }

    int Port() const { return port_; }
    bool Served() const { return served_; }
    std::string Log() const { return log_.str(); }

private:
    std::ostringstream log_;
    SiteHttpServer server_;
    std::optional<SiteService> service_;
    int port_ = -1;
    bool served_ = false;
    std::thread thread_;
};

class HttpServerTest : public SiteTestFolder {
protected:
    void SetUp() override {
        SiteTestFolder::SetUp();
        WriteFile("skins/SkinsJade.rar", "jade package");
        WriteFile("secret.rar", "outside the folder");
        WriteFile("pages/sysupdate.htm", "[UPDATE]\r\nDATE=1\r\n");
        config_.skinsFolder = PathOf("skins");
        config_.pagesFolder = PathOf("pages");
    }

    SiteConfig config_;
    UnreachableUpstream upstream_;
    StillClock clock_;
};

TEST_F(HttpServerTest, AnswersTheSuitesPathsOnAFreePort) {
    RunningSite site(config_, upstream_, clock_);
    ASSERT_GT(site.Port(), 0);
    httplib::Client client("127.0.0.1", site.Port());
    const std::string base = "http://127.0.0.1:" + std::to_string(site.Port());

    const auto list = client.Get("/software/download/skins/tessary/skins.htm");
    ASSERT_TRUE(list);
    EXPECT_EQ(list->status, 200);
    EXPECT_EQ(list->body, "[CALENDAR]\r\nSkinsJade=" + base + "/software/download/skins/tessary/SkinsJade.rar\r\n");
    EXPECT_EQ(list->get_header_value("Content-Type"), "text/html; charset=gb2312");

    const auto package = client.Get("/software/download/skins/tessary/SkinsJade.rar");
    ASSERT_TRUE(package);
    EXPECT_EQ(package->status, 200);
    EXPECT_EQ(package->body, "jade package");
    EXPECT_FALSE(package->get_header_value("Last-Modified").empty());

    const auto notice = client.Get("/software/tessary/sysupdate.htm");
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->body, "[UPDATE]\r\nDATE=1\r\n");

    const auto unknown = client.Get("/index.html");
    ASSERT_TRUE(unknown);
    EXPECT_EQ(unknown->status, 404);

    site.Stop();
    EXPECT_TRUE(site.Served());
    const std::string log = site.Log();
    EXPECT_NE(log.find("\"GET /software/download/skins/tessary/skins.htm\" 200"), std::string::npos) << log;
    EXPECT_NE(log.find("\"GET /index.html\" 404"), std::string::npos) << log;
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 4) << log;
}

// The targets go out as written: httplib's client does not encode them again.
TEST_F(HttpServerTest, EncodedPathsCannotReachOutsideThePublishedFolder) {
    RunningSite site(config_, upstream_, clock_);
    ASSERT_GT(site.Port(), 0);
    httplib::Client client("127.0.0.1", site.Port());
    client.set_url_encode(false);
    for (const char* target : {
             "/software/download/skins/tessary/..%2Fsecret.rar",
             "/software/download/skins/tessary/%2e%2e%2fsecret.rar",
             "/software/download/skins/tessary/%2E%2E%5Csecret.rar",
             "/software/download/skins/tessary/%252e%252e%252fsecret.rar",
             "/software/download/skins/tessary/SkinsJade.rar%00.txt",
             "/software/download/skins/tessary/%2Ftmp%2Fsecret.rar",
             "/software/download/skins/tessary/../../../secret.rar",
             "/software/download/skins/tessary/tessary/../../secret.rar",
         }) {
        const auto answer = client.Get(target);
        ASSERT_TRUE(answer) << target;
        EXPECT_EQ(answer->status, 404) << target;
        EXPECT_EQ(answer->body.find("outside"), std::string::npos) << target;
    }
}

TEST_F(HttpServerTest, TheUpstreamClientReadsStatusAndBody) {
    RunningSite site(config_, upstream_, clock_);
    ASSERT_GT(site.Port(), 0);
    HttplibUpstream upstream(5);
    const std::string base = "http://127.0.0.1:" + std::to_string(site.Port());

    const UpstreamReply found = upstream.Get(base + "/software/download/skins/tessary/SkinsJade.rar");
    EXPECT_TRUE(found.reached);
    EXPECT_EQ(found.status, 200);
    EXPECT_EQ(found.body, "jade package");

    const UpstreamReply missing = upstream.Get(base + "/software/online.asp?id=tessary");
    EXPECT_TRUE(missing.reached);
    EXPECT_EQ(missing.status, 404);

    const int port = site.Port();
    site.Stop();
    EXPECT_FALSE(HttplibUpstream(2).Get("http://127.0.0.1:" + std::to_string(port) + "/").reached);
    EXPECT_FALSE(HttplibUpstream(2).Get("ftp://127.0.0.1/").reached);
}

TEST(SplitUrlTest, SplitsOriginAndTarget) {
    struct Case {
        std::string url;
        bool split;
        std::string origin;
        std::string target;
    };
    const Case cases[] = {
        {"https://api.open-meteo.com/v1/forecast?latitude=39.9", true, "https://api.open-meteo.com",
         "/v1/forecast?latitude=39.9"},
        {"http://127.0.0.1:8080", true, "http://127.0.0.1:8080", "/"},
        {"http://host?x=1", true, "http://host", "/?x=1"},
        {"http://[::1]:81/a", true, "http://[::1]:81", "/a"},
        {"http:///path", false, "", ""},
        {"ftp://host/file", false, "", ""},
        {"host/path", false, "", ""},
        {"", false, "", ""},
    };
    for (const Case& c : cases) {
        UrlParts parts;
        EXPECT_EQ(SplitUrl(c.url, parts), c.split) << c.url;
        if (c.split) {
            EXPECT_EQ(parts.origin, c.origin) << c.url;
            EXPECT_EQ(parts.target, c.target) << c.url;
        }
    }
}

}  // namespace
