// The lookup windows (万年历, 今日汇率) opened by the LoaderWindow's commands
// against a local HTTP server standing in for the maker's site: their
// titles, frame and icons, the page each browser asks the site for, one
// lookup window at a time, the browser following the window's size, and
// other tool windows closing it. Under Wine the browser fetches the page
// but draws nothing, so the tests check the requests, not the pixels.

#include "loader/win32/lookup_window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/win32/com.h"
#include "loader/loader_commands.h"
#include "loader/tests/win32/loader_window_harness.h"
#include "loader/win32/shutdown_resources.h"
#include "testkit/win32/http_test_server.h"
#include "testkit/win32/screenshot.h"
#include "testkit/win32/stopwatch.h"
#include "testkit/win32/window_helpers.h"

namespace {

constexpr char kProduct[] = "泽鲁桌面日历V4.0";
constexpr char kWannianliTitle[] = "泽鲁桌面日历V4.0－万年历";
constexpr char kExchangeRatesTitle[] = "泽鲁桌面日历V4.0－今日汇率";
constexpr char kWannianliPage[] = "/software/lookup.asp?id=wannianli";
constexpr char kExchangeRatesPage[] = "/software/lookup.asp?id=huilv";
constexpr char kDialogClass[] = "#32770";
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

RECT ClientPlace(HWND window, HWND control) {
    RECT place = testkit::WindowRectangle(control);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
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

class LookupWindowTest : public testing::Test {
protected:
    void SetUp() override {
        server_.SetDefaultResponse(
            {.body = "<html><body>lookup</body></html>", .headers = {{"Content-Type", "text/html; charset=gb2312"}}});
        ASSERT_TRUE(harness_.Start(SiteHost()));
    }

    std::string SiteHost() const { return "127.0.0.1:" + std::to_string(server_.Port()); }

    // The visible dialog-class windows of this process: the lookup window
    // and any message box or prompt the browser might have put up.
    static std::vector<HWND> OpenDialogs() {
        return testkit::FindTopLevelWindows(
            {.className = kDialogClass, .processId = GetCurrentProcessId(), .visibleOnly = true});
    }

    static HWND WindowTitled(const std::string& title) {
        return testkit::FindTopLevelWindow({.title = title, .processId = GetCurrentProcessId()});
    }

    bool Requested(const std::string& target) const {
        for (const testkit::HttpRequest& request : server_.Requests()) {
            if (request.target == target) {
                return true;
            }
        }
        return false;
    }

    bool WaitForRequest(const std::string& target) const {
        return PumpUntil([&] { return Requested(target); }, kRequestTimeoutMs);
    }

    ComApartment com_;
    testkit::HttpTestServer server_;
    LoaderWindowHarness harness_{"lookup_window"};
};

TEST_F(LookupWindowTest, WannianliOpensItsTitledWindowOnItsPage) {
    harness_.Command(command::kWannianli);
    HWND window = WindowTitled(kWannianliTitle);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
    EXPECT_NE(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);  // in the task bar
    const LONG_PTR frame = WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    EXPECT_EQ(GetWindowLongPtrA(window, GWL_STYLE) & frame, frame);
    EXPECT_NE(SendMessageA(window, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageA(window, WM_GETICON, ICON_SMALL, 0), 0);
    RECT templateSize{0, 0, 499, 352};
    MapDialogRect(window, &templateSize);
    EXPECT_TRUE(SameRect(ClientArea(window), templateSize));

    HWND browser = GetDlgItem(window, 1017);
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(testkit::WindowClassName(browser), "AtlAxWin");
    EXPECT_TRUE(SameRect(ClientPlace(window, browser), ClientArea(window)));

    ASSERT_TRUE(WaitForRequest(kWannianliPage));
    EXPECT_FALSE(Requested(kExchangeRatesPage));
    testkit::PumpMessages(300);
    EXPECT_EQ(OpenDialogs(), std::vector<HWND>{window});  // no prompt, no message box
    std::filesystem::create_directories("screenshots");
    EXPECT_TRUE(testkit::SaveWindowPng(window, "screenshots\\lookup_window.png"));
}

TEST_F(LookupWindowTest, ExchangeRatesReplacesAnOpenWannianliWindow) {
    harness_.Command(command::kWannianli);
    HWND first = WindowTitled(kWannianliTitle);
    ASSERT_NE(first, nullptr);
    ASSERT_TRUE(WaitForRequest(kWannianliPage));

    harness_.Command(command::kExchangeRates);
    EXPECT_FALSE(IsWindow(first));
    HWND second = WindowTitled(kExchangeRatesTitle);
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(IsWindowVisible(second));
    EXPECT_TRUE(WaitForRequest(kExchangeRatesPage));
    EXPECT_EQ(OpenDialogs(), std::vector<HWND>{second});
}

TEST_F(LookupWindowTest, ChoosingTheCommandAgainReopensTheWindowFresh) {
    harness_.Command(command::kExchangeRates);
    HWND first = WindowTitled(kExchangeRatesTitle);
    ASSERT_NE(first, nullptr);
    ASSERT_TRUE(WaitForRequest(kExchangeRatesPage));
    server_.Reset();
    server_.SetDefaultResponse({.body = "<html></html>"});

    harness_.Command(command::kExchangeRates);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_NE(WindowTitled(kExchangeRatesTitle), nullptr);
    EXPECT_TRUE(WaitForRequest(kExchangeRatesPage));
}

TEST_F(LookupWindowTest, TheBrowserFollowsTheWindowSize) {
    harness_.Command(command::kWannianli);
    HWND window = WindowTitled(kWannianliTitle);
    ASSERT_NE(window, nullptr);
    HWND browser = GetDlgItem(window, 1017);
    ASSERT_NE(browser, nullptr);
    struct Size {
        int width;
        int height;
    } const sizes[] = {{900, 640}, {320, 200}, {1000, 300}};
    for (const Size& size : sizes) {
        SetWindowPos(window, nullptr, 0, 0, size.width, size.height, SWP_NOMOVE | SWP_NOZORDER);
        const RECT client = ClientArea(window);
        EXPECT_TRUE(SameRect(ClientPlace(window, browser), client)) << size.width << "x" << size.height;
        EXPECT_GT(client.right, 0);
    }
    ShowWindow(window, SW_MAXIMIZE);
    EXPECT_TRUE(SameRect(ClientPlace(window, browser), ClientArea(window)));
}

TEST_F(LookupWindowTest, AnotherToolWindowClosesIt) {
    harness_.Command(command::kWannianli);
    HWND lookup = WindowTitled(kWannianliTitle);
    ASSERT_NE(lookup, nullptr);

    harness_.Command(command::kScheduledShutdown);
    EXPECT_FALSE(IsWindow(lookup));
    EXPECT_NE(WindowTitled("泽鲁桌面日历V4.0－定时关机设置"), nullptr);
}

TEST_F(LookupWindowTest, ClosedByTheUserItOpensAgainOnTheNextCommand) {
    harness_.Command(command::kWannianli);
    HWND first = WindowTitled(kWannianliTitle);
    ASSERT_NE(first, nullptr);
    SendMessageA(first, WM_CLOSE, 0, 0);  // the close box: the dialog posts itself 取消
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(first); }, 2000));

    harness_.Command(command::kWannianli);
    HWND second = WindowTitled(kWannianliTitle);
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(IsWindowVisible(second));
}

TEST_F(LookupWindowTest, AnUnknownNameShowsTheSiteRootUnderTheBareProductTitle) {
    auto window = LookupWindow::Open(GetModuleHandleA(nullptr), kProduct, SiteHost(), "calendar");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(testkit::WindowText(window->Handle()), kProduct);
    EXPECT_EQ(window->Name(), "calendar");
    EXPECT_TRUE(WaitForRequest("/"));
}

}  // namespace
