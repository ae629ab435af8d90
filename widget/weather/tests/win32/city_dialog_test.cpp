// The city picker run modally on a thread of its own and driven with
// messages as a user's clicks would send them: its lists, what a region's
// choice shows and what OK, a double click and Cancel give back.
#include "widget/weather/win32/city_dialog.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "common/path_util.h"
#include "testkit/win32/screenshot.h"
#include "testkit/win32/window_helpers.h"
#include "widget/weather/win32/weather_resources.h"

namespace {

constexpr char kTitle[] = "选择城市";
constexpr unsigned kWaitMs = 10000;

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return testkit::SendWithTimeout(window, message, wParam, lParam).value_or(-1);
}

// The list's items, in its order.
std::vector<std::string> Items(HWND list) {
    std::vector<std::string> items;
    const LRESULT count = Send(list, LB_GETCOUNT);
    for (LRESULT i = 0; i < count; ++i) {
        std::string text(static_cast<std::size_t>(Send(list, LB_GETTEXTLEN, i)) + 1, '\0');
        text.resize(static_cast<std::size_t>(Send(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
        items.push_back(text);
    }
    return items;
}

// The selected item's text, "" without a selection.
std::string Selected(HWND list) {
    const LRESULT selected = Send(list, LB_GETCURSEL);
    const std::vector<std::string> items = Items(list);
    return selected >= 0 && static_cast<std::size_t>(selected) < items.size() ? items[selected] : "";
}

// One RunCityDialog on its own thread; the result belongs to that thread
// until Finish() has joined it.
class DialogRun {
public:
    explicit DialogRun(std::string currentCity)
        : currentCity_(std::move(currentCity)),
          thread_([this] { result_ = RunCityDialog(GetModuleHandleA(nullptr), nullptr, currentCity_); }) {}
    ~DialogRun() { Finish(); }
    DialogRun(const DialogRun&) = delete;
    DialogRun& operator=(const DialogRun&) = delete;

    HWND Dialog() {
        if (dialog_ == nullptr) {
            dialog_ = testkit::WaitForWindow(
                {.className = "#32770", .title = kTitle, .processId = GetCurrentProcessId(), .visibleOnly = true},
                kWaitMs);
        }
        return dialog_;
    }
    HWND Item(int id) { return GetDlgItem(Dialog(), id); }

    // A click on an item of a list, as the list reports it to the dialog.
    void Pick(int listId, const std::string& text, WORD notification = LBN_SELCHANGE) {
        HWND list = Item(listId);
        const LRESULT index =
            Send(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
        ASSERT_GE(index, 0) << text;
        Send(list, LB_SETCURSEL, index);
        Send(Dialog(), WM_COMMAND, MAKEWPARAM(listId, notification), reinterpret_cast<LPARAM>(list));
    }
    void Press(int button) { Send(Item(button), BM_CLICK); }

    // Waits for the dialog to close; closes it when a failed test left it open.
    std::optional<std::string> Finish() {
        if (thread_.joinable()) {
            const ULONGLONG deadline = GetTickCount64() + kWaitMs;
            while (dialog_ != nullptr && IsWindow(dialog_) && GetTickCount64() < deadline) {
                Sleep(20);
            }
            if (dialog_ != nullptr && IsWindow(dialog_)) {
                ADD_FAILURE() << "the dialog was still open";
                PostMessageA(dialog_, WM_COMMAND, IDCANCEL, 0);
            }
            thread_.join();
        }
        return result_;
    }

private:
    std::string currentCity_;
    std::optional<std::string> result_;
    HWND dialog_ = nullptr;
    std::thread thread_;  // last: it uses the members above
};

TEST(CityDialog, ListsTheRegionsAndOpensOnTheCurrentCity) {
    DialogRun run("杭州");
    ASSERT_NE(run.Dialog(), nullptr);
    EXPECT_EQ(testkit::WindowText(run.Dialog()), "选择城市");
    EXPECT_EQ(testkit::WindowText(run.Item(IDOK)), "确定");
    EXPECT_EQ(testkit::WindowText(run.Item(IDCANCEL)), "取消");

    const std::vector<std::string> regions = Items(run.Item(IDC_CITY_REGIONS));
    ASSERT_EQ(regions.size(), 34u);
    EXPECT_EQ(regions.front(), "北京");
    EXPECT_EQ(Selected(run.Item(IDC_CITY_REGIONS)), "浙江");
    EXPECT_EQ(Selected(run.Item(IDC_CITY_CITIES)), "杭州");

    run.Press(IDOK);
    EXPECT_EQ(run.Finish(), "杭州");
}

TEST(CityDialog, ARegionShowsItsCitiesAndOkGivesThePickedOne) {
    DialogRun run("杭州");
    ASSERT_NE(run.Dialog(), nullptr);
    run.Pick(IDC_CITY_REGIONS, "广东");
    const std::vector<std::string> cities = Items(run.Item(IDC_CITY_CITIES));
    ASSERT_FALSE(cities.empty());
    EXPECT_EQ(cities.front(), "广州");
    EXPECT_EQ(Selected(run.Item(IDC_CITY_CITIES)), "广州");

    run.Pick(IDC_CITY_CITIES, "潮州");
    // Painted on the dialog's thread: give it the time to finish.
    RedrawWindow(run.Dialog(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    Sleep(500);
    EXPECT_TRUE(testkit::SaveWindowPng(run.Dialog(), JoinPath(WEATHER_SCREENSHOT_DIR, "city_dialog.png")));
    run.Press(IDOK);
    EXPECT_EQ(run.Finish(), "潮州");
}

TEST(CityDialog, ADoubleClickOnACityChoosesIt) {
    DialogRun run("北京");
    ASSERT_NE(run.Dialog(), nullptr);
    run.Pick(IDC_CITY_REGIONS, "广东");
    run.Pick(IDC_CITY_CITIES, "潮州", LBN_DBLCLK);
    EXPECT_EQ(run.Finish(), "潮州");
}

TEST(CityDialog, CancelChoosesNothing) {
    DialogRun run("杭州");
    ASSERT_NE(run.Dialog(), nullptr);
    run.Pick(IDC_CITY_REGIONS, "广东");
    run.Press(IDCANCEL);
    EXPECT_EQ(run.Finish(), std::nullopt);
}

// A city of no region (one abroad, or a stale setting) opens on the first
// region and its first city.
TEST(CityDialog, AnUnknownCityOpensOnTheFirstRegion) {
    DialogRun run("东京");
    ASSERT_NE(run.Dialog(), nullptr);
    EXPECT_EQ(Selected(run.Item(IDC_CITY_REGIONS)), "北京");
    EXPECT_EQ(Selected(run.Item(IDC_CITY_CITIES)), "北京");
    run.Press(IDOK);
    EXPECT_EQ(run.Finish(), "北京");
}

}  // namespace
