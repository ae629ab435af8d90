// BrowserPage under Wine. The runner turns Wine's web engine off (mshtml),
// so the browser control is made and fetches what it is sent to, but loads
// no document: it reports BeforeNavigate2 and then NavigateError, never
// DocumentComplete or TitleChange. The events the page handles are therefore
// fired at its sink by the test (browser_events.h), as the browser fires
// them.

#include "trevalo/win32/browser_page.h"

#include <gtest/gtest.h>

#include <docobj.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/win32/com.h"
#include "common/win32/control_hosting.h"
#include "common/win32/handles.h"
#include "testkit/win32/http_test_server.h"
#include "testkit/win32/screenshot.h"
#include "testkit/win32/stopwatch.h"
#include "testkit/win32/window_helpers.h"
#include "trevalo/tests/win32/browser_events.h"

namespace {

// The browser fetches in the background; a page of the local server comes
// well within this.
constexpr unsigned kRequestTimeoutMs = 15000;

template <typename Condition>
bool PumpUntil(Condition done, unsigned timeoutMs) {
    testkit::Stopwatch watch;
    while (!done() && watch.Milliseconds() < timeoutMs) {
        testkit::PumpMessages(20);
    }
    return done();
}

// What the page reported, in order.
class RecordingListener : public BrowserPageListener {
public:
    void OnNavigationComplete(BrowserPage& page) override {
        events.push_back("complete");
        pages.push_back(&page);
    }
    void OnTitleChange(BrowserPage& page, const std::string& title) override {
        events.push_back("title " + title);
        pages.push_back(&page);
    }

    std::vector<std::string> events;
    std::vector<BrowserPage*> pages;
};

RECT PlaceInParent(HWND window) {
    RECT place = testkit::WindowRectangle(window);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

RECT ClientArea(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return client;
}

bool SameRect(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

HWND HostOf(const BrowserPage& page) {
    return FindWindowExA(page.Handle(), nullptr, kControlHostClass, nullptr);
}

class BrowserPageTest : public testing::Test {
protected:
    void SetUp() override {
        parent_.reset(CreateWindowExA(0, "STATIC", "BrowserPageTest", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40,
                                      640, 480, nullptr, nullptr, nullptr, nullptr));
        ASSERT_TRUE(parent_);
        ShowWindow(parent_.get(), SW_SHOWNOACTIVATE);
    }

    std::unique_ptr<BrowserPage> MakePage(BrowserPageListener* listener) const {
        return BrowserPage::Create(parent_.get(), kPlace, listener);
    }

    static constexpr RECT kPlace{10, 20, 410, 320};
    ComApartment com_;
    UniqueWindow parent_;
    RecordingListener listener_;
};

TEST_F(BrowserPageTest, IsAHiddenChildAtItsPlaceHoldingTheBrowser) {
    const auto page = MakePage(&listener_);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(GetParent(page->Handle()), parent_.get());
    EXPECT_EQ(testkit::WindowClassName(page->Handle()), "TrevaloBrowserPage");
    EXPECT_FALSE(IsWindowVisible(page->Handle()));
    EXPECT_TRUE(SameRect(PlaceInParent(page->Handle()), kPlace));
    // Wine makes the control, with or without its web engine.
    EXPECT_TRUE(page->HasBrowser());
    ASSERT_NE(HostOf(*page), nullptr);
    EXPECT_TRUE(SameRect(PlaceInParent(HostOf(*page)), ClientArea(page->Handle())));
    EXPECT_EQ(page->LocationUrl(), "");
}

TEST_F(BrowserPageTest, BrowserFollowsThePagesSize) {
    const auto page = MakePage(&listener_);
    ASSERT_NE(page, nullptr);
    ShowWindow(page->Handle(), SW_SHOWNA);
    for (const SIZE size : {SIZE{300, 200}, SIZE{600, 440}, SIZE{1, 1}}) {
        MoveWindow(page->Handle(), 5, 5, size.cx, size.cy, TRUE);
        EXPECT_TRUE(SameRect(PlaceInParent(HostOf(*page)), RECT{0, 0, size.cx, size.cy})) << size.cx << "x" << size.cy;
    }
    MoveWindow(page->Handle(), kPlace.left, kPlace.top, kPlace.right - kPlace.left, kPlace.bottom - kPlace.top, TRUE);
    testkit::PumpMessages(100);
    std::filesystem::create_directories("screenshots");
    EXPECT_TRUE(testkit::SaveWindowPng(parent_.get(), "screenshots\\browser_page.png"));
}

TEST_F(BrowserPageTest, NavigatesToTheAddress) {
    testkit::HttpTestServer server;
    server.SetDefaultResponse({.body = "<html><head><title>Example</title></head><body>page</body></html>",
                               .headers = {{"Content-Type", "text/html; charset=gb2312"}}});
    const auto page = MakePage(&listener_);
    ASSERT_NE(page, nullptr);
    const std::string address = server.Url("/news/index.htm?id=7");
    ASSERT_TRUE(page->Navigate(address));
    EXPECT_TRUE(PumpUntil([&] { return !server.Requests().empty(); }, kRequestTimeoutMs));
    ASSERT_FALSE(server.Requests().empty());
    EXPECT_EQ(server.Requests().front().target, "/news/index.htm?id=7");
    EXPECT_EQ(page->LocationUrl(), address);
}

TEST_F(BrowserPageTest, ReportsTheTopFramesCompletionAndTitles) {
    const auto page = MakePage(&listener_);
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(FireDocumentComplete(page->Handle(), "http://127.0.0.1/frame.htm", false));
    EXPECT_TRUE(FireDocumentComplete(page->Handle(), "http://127.0.0.1/", true));
    EXPECT_TRUE(FireTitleChange(page->Handle(), "百度一下，你就知道"));
    EXPECT_TRUE(FireTitleChange(page->Handle(), ""));
    EXPECT_EQ(listener_.events, (std::vector<std::string>{"complete", "title 百度一下，你就知道", "title "}));
    EXPECT_EQ(listener_.pages, (std::vector<BrowserPage*>(3, page.get())));
}

TEST_F(BrowserPageTest, ListenerMayDestroyThePageItIsTold) {
    // A tab closed in answer to its page's event.
    class ClosingListener : public BrowserPageListener {
    public:
        void OnNavigationComplete(BrowserPage&) override { page.reset(); }
        void OnTitleChange(BrowserPage&, const std::string&) override { page.reset(); }
        std::unique_ptr<BrowserPage> page;
    } closing;
    closing.page = MakePage(&closing);
    ASSERT_NE(closing.page, nullptr);
    const HWND window = closing.page->Handle();
    EXPECT_TRUE(FireTitleChange(window, "closing"));
    EXPECT_EQ(closing.page, nullptr);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(BrowserPageTest, PageWithoutListenerTakesEvents) {
    const auto page = MakePage(nullptr);
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(FireDocumentComplete(page->Handle(), "http://127.0.0.1/", true));
    EXPECT_TRUE(FireTitleChange(page->Handle(), "title"));
}

TEST_F(BrowserPageTest, CommandsWithoutAPageToActOnFail) {
    const auto page = MakePage(&listener_);
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(page->GoBack());
    EXPECT_FALSE(page->GoForward());
    EXPECT_FALSE(page->ExecCommand(OLECMDID_SELECTALL, OLECMDEXECOPT_DONTPROMPTUSER));
}

TEST_F(BrowserPageTest, PageGoneWithItsParentFailsQuietly) {
    const auto page = MakePage(&listener_);
    ASSERT_NE(page, nullptr);
    const HWND window = page->Handle();
    parent_.reset();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(page->Handle(), nullptr);
    EXPECT_FALSE(page->HasBrowser());
    EXPECT_FALSE(page->Navigate("http://127.0.0.1/"));
    EXPECT_EQ(page->LocationUrl(), "");
    EXPECT_FALSE(page->GoBack());
    EXPECT_FALSE(page->GoForward());
    EXPECT_FALSE(page->Refresh());
    EXPECT_FALSE(page->Stop());
    EXPECT_FALSE(page->ExecCommand(OLECMDID_COPY, OLECMDEXECOPT_PROMPTUSER));
    EXPECT_TRUE(listener_.events.empty());
}

TEST_F(BrowserPageTest, NoPageWithoutAParentWindow) {
    EXPECT_EQ(BrowserPage::Create(nullptr, kPlace, &listener_), nullptr);
}

}  // namespace
