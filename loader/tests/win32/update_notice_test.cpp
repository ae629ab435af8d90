// The update notice and the online version check of a LoaderWindow in the
// test's process, against a local HTTP server as the maker's site and a
// shell that records what it is asked to open: the notice rolling up at the
// work area's corner, what is recorded and when nothing is shown, the link
// and the close spot, local addresses never opened, the version message
// once per run, and the worker ending when the window goes.

#include "loader/win32/notice_window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/file_io.h"
#include "common/path_util.h"
#include "loader/tests/win32/loader_window_harness.h"
#include "loader/tests/win32/quiet_desktop.h"
#include "services/product_identity.h"
#include "testkit/win32/http_test_server.h"
#include "testkit/win32/message_box_answerer.h"
#include "testkit/win32/screenshot.h"
#include "testkit/win32/stopwatch.h"
#include "testkit/win32/window_helpers.h"
#include "toolkit/lyn_ini.h"

namespace {

constexpr char kNoticePage[] = "/software/tessary/sysupdate.htm";
constexpr char kVersionPage[] = "/software/online.asp?id=tessary";
constexpr char kNews[] = "http://www.zellum.com/news/20080815.htm";
constexpr char kInfo[] = "泽鲁桌面日历4.1版发布了，新增农历节气提醒和网络校时，欢迎下载试用！";

std::string Notice(const std::string& date, const std::string& url, const std::string& info = kInfo) {
    std::string text = "[UPDATE]\r\nDATE=" + date + "\r\n";
    if (!url.empty()) {
        text += "URL=" + url + "\r\n";
    }
    return text + "INFO=" + info + "\r\n";
}

class RecordingShell : public QuietShell {
public:
    void Open(const std::string& target, const std::string& verb) override { opened.push_back(verb + " " + target); }
    std::vector<std::string> opened;
};

template <typename Condition>
bool PumpUntil(Condition done, unsigned timeoutMs = 5000) {
    testkit::Stopwatch watch;
    while (!done() && watch.Milliseconds() < timeoutMs) {
        testkit::PumpMessages(10);
    }
    return done();
}

RECT WorkArea() {
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Describe(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " - " + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

// A port on 127.0.0.1 where nothing listens: a server's, after it stopped.
unsigned short RefusingPort() {
    testkit::HttpTestServer server;
    const unsigned short port = server.Port();
    server.Stop();
    return port;
}

// One LoaderWindow with its program folder (holding the notice picture) and
// the site at `siteHost`.
class NoticeSetup {
public:
    NoticeSetup(const std::string& folderName, const std::string& siteHost, unsigned versionDelayMs = 60000)
        : harness_(folderName) {
        std::filesystem::create_directories(harness_.Folder().PathOf("Skins"));
        const std::string picture = JoinPath(FolderOf(BuildBinFolder()), "art\\Skins\\sysmsg.png");
        EXPECT_TRUE(CopyFileA(picture.c_str(), harness_.Folder().PathOf("Skins\\sysmsg.png").c_str(), FALSE))
            << picture;
        EXPECT_TRUE(harness_.Start(
            siteHost, [versionDelayMs](LoaderWindowOptions& options) { options.versionCheckDelayMs = versionDelayMs; },
            &shell_));
    }

    LoaderWindowHarness& Harness() { return harness_; }
    NoticeWindow& Window() { return *harness_.Window().Notice(); }
    const std::vector<std::string>& Opened() const { return shell_.opened; }

    void Tick(unsigned timerId) { SendMessageA(harness_.Handle(), WM_TIMER, timerId, 0); }

    void WriteLast(const std::string& text) { harness_.Folder().Write("Data\\sysupdate.ini", text); }
    std::string Last() {
        std::string contents;
        ReadWholeFile(LastPath(), contents);
        return contents;
    }
    std::string LastValue(const char* key) {
        CLynIni ini;
        EXPECT_EQ(ini.SetFileName(LastPath()), 1);
        return ini.GetValue("UPDATE", key);
    }

    bool Shown() { return IsWindowVisible(Window().Handle()) != FALSE; }
    bool Rolled() {
        return PumpUntil([&] { return !Window().Rolling(); });
    }
    void Click(int x, int y) {
        SendMessageA(Window().Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(Window().Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }

private:
    std::string LastPath() { return harness_.Folder().PathOf("Data\\sysupdate.ini"); }

    RecordingShell shell_;
    LoaderWindowHarness harness_;
};

class UpdateNoticeTest : public testing::Test {
protected:
    std::string SiteHost() const { return "127.0.0.1:" + std::to_string(server_.Port()); }
    void Publish(const std::string& text) { server_.SetResponse(kNoticePage, {.body = text}); }
    std::size_t RequestsFor(const std::string& target) const {
        std::size_t count = 0;
        for (const testkit::HttpRequest& request : server_.Requests()) {
            count += request.target == target ? 1 : 0;
        }
        return count;
    }
    // The notice shown and rolled up, ready to be clicked.
    std::unique_ptr<NoticeSetup> ShowNotice(const std::string& url) {
        auto setup = std::make_unique<NoticeSetup>("update_notice_click", SiteHost());
        setup->WriteLast(Notice("20080801", kNews));
        Publish(Notice("20080815", url));
        setup->Tick(60011);
        EXPECT_TRUE(setup->Shown());
        EXPECT_TRUE(setup->Rolled());
        return setup;
    }

    testkit::HttpTestServer server_;
};

TEST_F(UpdateNoticeTest, NoticeWindowWaitsHiddenAtTheWorkAreasCorner) {
    NoticeSetup setup("update_notice_hidden", SiteHost());
    HWND notice = setup.Window().Handle();
    ASSERT_NE(notice, nullptr);
    EXPECT_FALSE(setup.Shown());
    const LONG_PTR style = GetWindowLongPtrA(notice, GWL_EXSTYLE);
    EXPECT_EQ(style & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED),
              WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED);
    EXPECT_EQ(GetWindowLongPtrA(notice, GWL_STYLE) & WS_CAPTION, 0);
    const RECT area = WorkArea();
    const RECT expected{area.right - 193, area.bottom - 98, area.right, area.bottom};
    EXPECT_TRUE(SameRect(testkit::WindowRectangle(notice), expected)) << Describe(testkit::WindowRectangle(notice));
}

TEST_F(UpdateNoticeTest, NewerNoticeRollsUpOnceAndIsRecorded) {
    NoticeSetup setup("update_notice_newer", SiteHost());
    setup.WriteLast(Notice("20080801", "http://www.zellum.com/news/20080801.htm", "旧的通知"));
    const std::string published = Notice("20080815", " " + std::string(kNews) + " ");
    Publish(published);

    // The tick returns while the roll has only begun; it ends about 200 ms
    // later in the window's own timer.
    setup.Tick(60011);
    testkit::Stopwatch watch;
    HWND notice = setup.Window().Handle();
    ASSERT_TRUE(setup.Shown());
    EXPECT_TRUE(setup.Window().Rolling());
    EXPECT_LT(testkit::WindowRectangle(notice).bottom - testkit::WindowRectangle(notice).top, 125);
    ASSERT_TRUE(setup.Rolled());
    const unsigned rollMs = watch.Milliseconds();
    EXPECT_GE(rollMs, 150u);
    EXPECT_LT(rollMs, 1000u);

    const RECT area = WorkArea();
    const RECT expected{area.right - 193, area.bottom - 125, area.right, area.bottom};
    EXPECT_TRUE(SameRect(testkit::WindowRectangle(notice), expected)) << Describe(testkit::WindowRectangle(notice));
    EXPECT_EQ(setup.Window().Text(), kInfo);
    EXPECT_EQ(setup.Window().Address(), kNews);
    EXPECT_EQ(GetForegroundWindow(), notice);

    EXPECT_EQ(setup.LastValue("DATE"), "20080815");
    EXPECT_EQ(setup.LastValue("URL"), kNews);
    EXPECT_EQ(setup.LastValue("INFO"), kInfo);
    char temporary[MAX_PATH + 1] = {};
    GetTempPathA(sizeof temporary, temporary);
    std::string saved;
    EXPECT_TRUE(ReadWholeFile(JoinPath(temporary, "sysupdate.ini"), saved));
    EXPECT_EQ(saved, published);

    testkit::PumpMessages(100);
    std::filesystem::create_directories("screenshots");
    EXPECT_TRUE(testkit::SaveWindowPng(notice, "screenshots\\update_notice.png"));

    // The hourly check finds the same notice: nothing more.
    setup.Click(180, 12);
    setup.Tick(60010);
    EXPECT_FALSE(setup.Shown());
    EXPECT_EQ(RequestsFor(kNoticePage), 2u);
    EXPECT_EQ(setup.LastValue("DATE"), "20080815");
}

TEST_F(UpdateNoticeTest, NothingIsShownOrRecordedWithoutANewerNoticeWithAnAddress) {
    const std::string last = Notice("20080815", kNews, "旧的通知");
    struct Case {
        const char* name;
        testkit::HttpResponse response;
        bool refusingSite;
    } const cases[] = {
        {"equal stamps", {.body = Notice("20080815", "http://www.zellum.com/other.htm")}, false},
        {"older stamp", {.body = Notice("20080701", "http://www.zellum.com/other.htm")}, false},
        {"no URL", {.body = Notice("20080901", "")}, false},
        {"blank URL", {.body = Notice("20080901", "   ")}, false},
        {"stamp 0", {.body = Notice("0", "http://www.zellum.com/other.htm")}, false},
        {"server error", {.status = 500, .body = Notice("20080901", "http://www.zellum.com/other.htm")}, false},
        {"short body",
         {.body = Notice("20080901", "http://www.zellum.com/other.htm"),
          .lengthHeader = testkit::LengthHeader::kGiven,
          .announcedLength = 4096},
         false},
        {"closed port", {}, true},
    };
    const unsigned short refusing = RefusingPort();
    for (const Case& c : cases) {
        server_.Reset();
        server_.SetResponse(kNoticePage, c.response);
        NoticeSetup setup(std::string("update_notice_none_") + std::to_string(&c - cases),
                          c.refusingSite ? "127.0.0.1:" + std::to_string(refusing) : SiteHost());
        setup.WriteLast(last);
        setup.Tick(60011);
        setup.Tick(60010);
        EXPECT_FALSE(setup.Shown()) << c.name;
        EXPECT_EQ(setup.Last(), last) << c.name;
        EXPECT_EQ(RequestsFor(kNoticePage), c.refusingSite ? 0u : 2u) << c.name;
    }
}

TEST_F(UpdateNoticeTest, ClickOnTheLinkHidesTheNoticeAndOpensItsAddress) {
    auto setup = ShowNotice(kNews);
    setup->Click(96, 80);
    EXPECT_FALSE(setup->Shown());
    EXPECT_EQ(setup->Opened(), std::vector<std::string>{std::string("open ") + kNews});
    EXPECT_TRUE(IsWindow(setup->Window().Handle()));  // hidden, kept
}

TEST_F(UpdateNoticeTest, CloseSpotOnlyHidesAndTheTitleBarDoesNothing) {
    auto setup = ShowNotice(kNews);
    setup->Click(60, 10);   // the title bar
    setup->Click(186, 12);  // just right of the close spot
    EXPECT_TRUE(setup->Shown());
    setup->Click(180, 12);
    EXPECT_FALSE(setup->Shown());
    EXPECT_TRUE(setup->Opened().empty());
}

TEST_F(UpdateNoticeTest, HandCursorOverTheLinkOnly) {
    auto setup = ShowNotice(kNews);
    HWND notice = setup->Window().Handle();
    const RECT place = testkit::WindowRectangle(notice);
    ASSERT_TRUE(SetCursorPos(place.left + 96, place.top + 80));
    EXPECT_EQ(SendMessageA(notice, WM_SETCURSOR, reinterpret_cast<WPARAM>(notice), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));
    ASSERT_TRUE(SetCursorPos(place.left + 96, place.top + 10));
    SendMessageA(notice, WM_SETCURSOR, reinterpret_cast<WPARAM>(notice), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
}

TEST_F(UpdateNoticeTest, LocalAddressesAreShownButNeverOpened) {
    for (const char* url : {"C:\\windows\\notepad.exe", "file:///C:/windows/notepad.exe", "notepad.exe"}) {
        auto setup = ShowNotice(url);
        EXPECT_EQ(setup->Window().Address(), url);
        setup->Click(96, 80);
        EXPECT_FALSE(setup->Shown()) << url;
        EXPECT_TRUE(setup->Opened().empty()) << url;
    }
}

TEST(NoticeFace, TextIsDrawnOpaqueInItsRectangleOnThePicture) {
    const std::string picture = JoinPath(FolderOf(BuildBinFolder()), "art\\Skins\\sysmsg.png");
    const std::vector<std::uint32_t> plain = NoticeWindow::DrawFace(picture, "");
    const std::vector<std::uint32_t> written = NoticeWindow::DrawFace(picture, kInfo);
    ASSERT_EQ(written.size(), 193u * 125u);
    int changedInside = 0;
    int changedOutside = 0;
    int dark = 0;
    for (int y = 0; y < 125; ++y) {
        for (int x = 0; x < 193; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * 193 + x;
            const bool inside = x >= 10 && y >= 33 && y < 100;
            if (written[at] != plain[at]) {
                (inside ? changedInside : changedOutside) += 1;
            }
            const std::uint32_t pixel = written[at];
            if (inside && (pixel >> 24) == 255 && (pixel & 0xFF) < 0x40 && ((pixel >> 8) & 0xFF) < 0x40) {
                ++dark;
            }
        }
    }
    EXPECT_GT(changedInside, 200);
    EXPECT_EQ(changedOutside, 0);
    EXPECT_GT(dark, 50);                          // black text at full opacity, not GDI's transparent text
    EXPECT_EQ(plain[60 * 193 + 96] >> 24, 255u);  // the picture is there
}

TEST_F(UpdateNoticeTest, NewerVersionIsToldOnceAfterTheDelay) {
    server_.SetResponse("/software/online.asp", {.body = "<html>\r\n<BODY>\r\n 4.1 \r\n</BODY>\r\n</html>"});
    NoticeSetup setup("update_notice_version", SiteHost(), 1500);
    testkit::MessageBoxAnswerer answerer(services::kMessageBoxCaption.data(), IDOK);
    testkit::Stopwatch watch;
    setup.Tick(60011);
    ASSERT_TRUE(PumpUntil([&] { return RequestsFor(kVersionPage) > 0; }, 10000));
    EXPECT_GE(watch.Milliseconds(), 1300u);

    const std::optional<testkit::AnsweredDialog> dialog = answerer.Result();
    ASSERT_TRUE(dialog.has_value());
    EXPECT_TRUE(dialog->captionMatched);
    EXPECT_EQ(dialog->text, "泽鲁桌面日历有最新版本可以使用，详情请访问http://" + SiteHost());
    EXPECT_EQ(dialog->icon, testkit::MessageBoxIcon::kInformation);
    EXPECT_EQ(dialog->ButtonIds(), std::vector<int>{IDOK});
    EXPECT_EQ(dialog->owner, nullptr);

    // Once a run: a second first tick starts no second check.
    setup.Tick(60011);
    testkit::MessageBoxAnswerer again(services::kMessageBoxCaption.data(), IDOK, 2500);
    EXPECT_FALSE(again.Result().has_value());
    EXPECT_EQ(RequestsFor(kVersionPage), 1u);
}

TEST_F(UpdateNoticeTest, NoVersionMessageWithoutANewerVersion) {
    struct Case {
        const char* name;
        testkit::HttpResponse response;
    } const cases[] = {
        {"same version", {.body = "<html><body>4.0</body></html>"}},
        {"older version", {.body = "<html><body>3.9</body></html>"}},
        {"no </body>", {.body = "<html><body>4.1</html>"}},
        {"server error", {.status = 500, .body = "<html><body>4.1</body></html>"}},
    };
    for (const Case& c : cases) {
        server_.Reset();
        server_.SetResponse("/software/online.asp", c.response);
        NoticeSetup setup(std::string("update_notice_version_") + std::to_string(&c - cases), SiteHost(), 10);
        testkit::MessageBoxAnswerer answerer(services::kMessageBoxCaption.data(), IDOK, 1500);
        setup.Tick(60011);
        EXPECT_TRUE(PumpUntil([&] { return RequestsFor(kVersionPage) > 0; })) << c.name;
        EXPECT_FALSE(answerer.Result().has_value()) << c.name;
    }
}

// The worker's thread ends when the window goes, whether it still waits or
// shows its message.
TEST_F(UpdateNoticeTest, DestroyingTheWindowEndsTheVersionCheck) {
    server_.SetResponse("/software/online.asp", {.body = "<html><body>4.1</body></html>"});
    for (const unsigned delayMs : {60000u, 10u}) {
        NoticeSetup setup("update_notice_version_end", SiteHost(), delayMs);
        setup.Tick(60011);
        const VersionCheckWorker* worker = setup.Harness().Window().VersionWorker();
        ASSERT_NE(worker, nullptr);
        ASSERT_NE(worker->ThreadId(), 0u);
        UniqueHandle thread(OpenThread(SYNCHRONIZE, FALSE, worker->ThreadId()));
        ASSERT_TRUE(thread);
        if (delayMs < 1000) {
            const std::string caption = services::kMessageBoxCaption.data();
            ASSERT_NE(testkit::WaitForWindow(
                          {.className = "#32770", .title = caption, .processId = GetCurrentProcessId()}, 5000),
                      nullptr);
        }
        setup.Harness().Stop();
        EXPECT_EQ(WaitForSingleObject(thread.get(), 3000), WAIT_OBJECT_0) << delayMs;
    }
    EXPECT_EQ(RequestsFor(kVersionPage), 1u);  // only the short wait came to ask
}

}  // namespace
