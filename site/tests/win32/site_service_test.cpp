// The suite's own network code against the real tessary-site, which a CTest
// fixture started on 127.0.0.1 before this program (its port and request log
// are in the build tree's site-fixture folder): the skin update lists and
// installs the published skin, the operator's notice rolls up, and the
// weather section's and the lookup pages' requests reach the service.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "common/path_util.h"
#include "loader/tests/loader_test_support.h"
#include "loader/tests/win32/loader_window_harness.h"
#include "loader/win32/notice_window.h"
#include "loader/win32/skin_update_engine.h"
#include "services/product_services.h"
#include "testkit/win32/screenshot.h"
#include "testkit/win32/stopwatch.h"
#include "testkit/win32/window_helpers.h"
#include "toolkit/lyn_ini.h"
#include "widget/weather/win32/weather_client.h"

namespace {

constexpr UINT kDoneMessage = WM_APP + 19;
constexpr char kListPath[] = "/software/download/skins/tessary/skins.htm";
// The INFO of site/content/sysupdate.htm, the notice the site ships.
constexpr char kShippedInfo[] = "泽鲁桌面日历的网站服务已开通：天气预报、在线皮肤、万年历和今日汇率都由它提供。";
constexpr unsigned kWaitMs = 30000;

std::string FixturePath(const std::string& name) {
    return JoinPath(FolderOf(BuildBinFolder()), "site-fixture\\" + name);
}

// The port the fixture's service took, 0 when it is not running.
unsigned short SitePort() {
    std::string text;
    if (!ReadWholeFile(FixturePath("port"), text)) {
        return 0;
    }
    return static_cast<unsigned short>(std::strtoul(text.c_str(), nullptr, 10));
}

std::string SiteHost() {
    return "127.0.0.1:" + std::to_string(SitePort());
}
std::string SiteUrl(const std::string& target) {
    return "http://" + SiteHost() + target;
}

// Whether the service logged a request of `target` (answered with `status`
// when one is given); the log is written a moment after the answer, so it is
// read until the line shows up.
bool Logged(const std::string& target, std::optional<int> status = std::nullopt) {
    const std::string line = "\"GET " + target + "\"" + (status ? " " + std::to_string(*status) + " " : "");
    testkit::Stopwatch watch;
    do {
        std::string log;
        if (ReadWholeFile(FixturePath("site.log"), log) && log.find(line) != std::string::npos) {
            return true;
        }
        Sleep(50);
    } while (watch.Milliseconds() < 5000);
    return false;
}

template <typename Condition>
bool PumpUntil(Condition done, unsigned timeoutMs = kWaitMs) {
    testkit::Stopwatch watch;
    while (!done() && watch.Milliseconds() < timeoutMs) {
        testkit::PumpMessages(10);
    }
    return done();
}

class SiteServiceTest : public LoaderTestFolder {
protected:
    void SetUp() override {
        LoaderTestFolder::SetUp();
        ASSERT_NE(SitePort(), 0) << "the site fixture is not running: " << FixturePath("port");
    }
};

class SkinUpdateAgainstSiteTest : public SiteServiceTest {
protected:
    void SetUp() override {
        SiteServiceTest::SetUp();
        std::filesystem::create_directories(PathOf("Modules"));
        std::filesystem::create_directories(PathOf("Data"));
        page_.reset(CreateWindowExA(0, "STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
        ASSERT_TRUE(page_);
    }

    SkinUpdateSetup Setup() const {
        SkinUpdateSetup setup;
        setup.listAddress = SiteUrl(kListPath);
        setup.listFile = PathOf("skins_alarm.ini");
        setup.cataloguePath = PathOf("Data\\skins.ini");
        setup.section = "CALENDAR";
        setup.modulesFolder = PathOf("Modules");
        setup.packageWaitMs = 20000;
        setup.page = page_.get();
        setup.doneMessage = kDoneMessage;
        return setup;
    }

    std::optional<SkinJob> WaitForDone() const {
        testkit::Stopwatch watch;
        do {
            MSG message;
            if (PeekMessageA(&message, page_.get(), kDoneMessage, kDoneMessage, PM_REMOVE)) {
                return static_cast<SkinJob>(message.wParam);
            }
            Sleep(20);  // not a pump: it would dispatch the message looked for
        } while (watch.Milliseconds() < kWaitMs);
        return std::nullopt;
    }

    UniqueWindow page_;
};

TEST_F(SkinUpdateAgainstSiteTest, ListsThePublishedSkinAndInstallsIt) {
    SkinUpdateEngine engine(Setup());
    ASSERT_TRUE(engine.StartListLoad());
    ASSERT_EQ(WaitForDone(), SkinJob::kListLoaded);
    std::vector<PendingSkin> skins = engine.TakeNewSkins();
    ASSERT_EQ(skins.size(), 1u) << engine.Status();
    EXPECT_EQ(skins[0].name, "Blue");
    const std::string address = SiteUrl("/software/download/skins/tessary/Blue.rar");
    EXPECT_EQ(skins[0].address, address);
    EXPECT_EQ(engine.Status(), "共有1组最新皮肤，要更新请点击“立即更新”");

    ASSERT_TRUE(engine.StartUpdate(skins));
    ASSERT_EQ(WaitForDone(), SkinJob::kUpdateDone);
    EXPECT_TRUE(std::filesystem::exists(PathOf("Modules\\Calendar\\SkinsBlue\\mainback.png")));
    EXPECT_FALSE(std::filesystem::exists(PathOf("Modules\\Blue.exe")));
    CLynIni catalogue;
    catalogue.SetFileName(PathOf("Data\\skins.ini"));
    EXPECT_EQ(catalogue.GetValue("CALENDAR", "Blue"), address);
    EXPECT_TRUE(Logged("/software/download/skins/tessary/Blue.rar", 200));
}

TEST_F(SiteServiceTest, TheShippedNoticeRollsUpFromTheSite) {
    LoaderWindowHarness harness("site_notice");
    std::filesystem::create_directories(harness.Folder().PathOf("Skins"));
    const std::string picture = JoinPath(FolderOf(BuildBinFolder()), "art\\Skins\\sysmsg.png");
    ASSERT_TRUE(CopyFileA(picture.c_str(), harness.Folder().PathOf("Skins\\sysmsg.png").c_str(), FALSE));
    ASSERT_TRUE(harness.Start(SiteHost(), [](LoaderWindowOptions& options) { options.versionCheckDelayMs = 60000; }));
    NoticeWindow& notice = *harness.Window().Notice();

    SendMessageA(harness.Handle(), WM_TIMER, 60011, 0);  // the first notice check
    ASSERT_TRUE(IsWindowVisible(notice.Handle()));
    ASSERT_TRUE(PumpUntil([&] { return !notice.Rolling(); }, 5000));
    EXPECT_EQ(notice.Text(), kShippedInfo);
    EXPECT_EQ(notice.Address(), "http://www.zellum.com/");
    testkit::PumpMessages(200);
    std::filesystem::create_directories("screenshots");
    EXPECT_TRUE(testkit::SaveWindowPng(notice.Handle(), "screenshots\\site_notice.png"));
    EXPECT_TRUE(Logged("/software/tessary/sysupdate.htm", 200));

    CLynIni last;
    last.SetFileName(harness.Folder().PathOf("Data\\sysupdate.ini"));
    EXPECT_EQ(last.GetValue("UPDATE", "DATE"), "20261201");
}

// Offline (as here) the service answers the forecast with an error status
// and the section reports the 24-hour document failed; with internet access
// both documents arrive. Either way the request reached the service.
TEST_F(SiteServiceTest, TheWeatherSectionsRequestReachesTheService) {
    WeatherClient client(WeatherServiceAddress{"127.0.0.1", SitePort()}, folder_, WeatherTiming{20000, 20000});
    ASSERT_TRUE(client.StartDownload(54511));
    testkit::Stopwatch watch;
    while (client.Busy() && watch.Milliseconds() < kWaitMs) {
        Sleep(20);
    }
    ASSERT_FALSE(client.Busy());
    const WeatherStatus status = client.Status();
    EXPECT_TRUE(status == WeatherStatus::kDownloaded || status == WeatherStatus::kFirstDayFailed)
        << static_cast<int>(status);
    EXPECT_TRUE(Logged("/weather/54511_24.xml"));
}

TEST_F(SiteServiceTest, TheCityQueryPlacesTheClient) {
    WeatherClient client(WeatherServiceAddress{"127.0.0.1", SitePort()}, folder_, WeatherTiming{20000, 20000});
    ASSERT_TRUE(client.StartCityQuery());
    testkit::Stopwatch watch;
    while (client.Busy() && watch.Milliseconds() < kWaitMs) {
        Sleep(20);
    }
    ASSERT_FALSE(client.Busy());
    EXPECT_EQ(client.Status(), WeatherStatus::kIdle);
    EXPECT_EQ(client.TakeFoundCity(), "北京");  // no address table places 127.0.0.1
    EXPECT_TRUE(Logged("/querycity.php", 200));
}

// Wine has no browser engine here, so the lookup window shows nothing: the
// test asks for its pages itself, through the suite's own download function.
// The calendar is the service's own; the rates need the bank, which is out
// of reach offline (an error status), so only their request is checked.
TEST_F(SiteServiceTest, TheLookupPagesRequestsReachTheService) {
    std::string calendar;
    EXPECT_EQ(Download(SiteUrl("/software/lookup.asp?id=wannianli&y=2008&m=8").c_str(), calendar), 1);
    EXPECT_NE(calendar.find("2008"), std::string::npos);
    EXPECT_NE(calendar.find("</html>"), std::string::npos);
    EXPECT_TRUE(Logged("/software/lookup.asp?id=wannianli&y=2008&m=8", 200));

    std::string rates;
    Download(SiteUrl("/software/lookup.asp?id=huilv").c_str(), rates);  // offline or not, the log shows it arrived
    EXPECT_TRUE(Logged("/software/lookup.asp?id=huilv"));
}

}  // namespace
