#include "toolkit/win32/lyn_tab_ctrl.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/win32/handles.h"
#include "testkit/win32/window_helpers.h"
#include "toolkit/tests/win32/control_fixture.h"

namespace {

using control_test::BmpPixel;
using control_test::ParentWindow;
using control_test::Rendering;
using control_test::SkinPath;

constexpr int kBarId = 77;
constexpr RECT kPageArea{0, 40, 400, 200};

class LynTabCtrlTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(bar_.Create(parent_.get(), kBarId, RECT{0, 0, 400, 28}));
        ASSERT_TRUE(bar_.SetBkImage(SkinPath("tabback.bmp"), SkinPath("tab1.bmp"), SkinPath("tab2.bmp")));
        bar_.SetWndRect(kPageArea);
    }

    // A hidden page window, as the side program makes them.
    HWND NewPage() {
        pages_.emplace_back(CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, parent_.get(), nullptr,
                                            GetModuleHandleA(nullptr), nullptr));
        return pages_.back().get();
    }

    // Tabs A, B, C with pages; A selected.
    void AddThreeTabs() {
        bar_.AddItemEx(0, "A", NewPage());
        bar_.AddItemEx(1, "B", NewPage());
        bar_.AddItemEx(2, "C", NewPage());
        bar_.SetCurrentSel(0);
    }

    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (int i = 0; i < bar_.GetItemCount(); ++i) {
            texts.push_back(bar_.GetItemText(i));
        }
        return texts;
    }

    // Which pages are visible, in tab order.
    std::vector<bool> Visible() const {
        std::vector<bool> visible;
        for (int i = 0; i < bar_.GetItemCount(); ++i) {
            visible.push_back(IsWindowVisible(bar_.GetItemWnd(i)) != FALSE);
        }
        return visible;
    }

    void ClickTab(int index) {
        const RECT tab = bar_.GetItemRect(index);
        control_test::Click(bar_.GetSafeHwnd(), (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
    }

    ParentWindow parent_{RECT{40, 300, 440, 500}, RGB(255, 255, 255)};
    CLynTabCtrl bar_;
    std::vector<UniqueWindow> pages_;
};

TEST_F(LynTabCtrlTest, StartsWithTheBlankTabWithoutAWindow) {
    EXPECT_EQ(bar_.GetItemCount(), 1);
    EXPECT_EQ(bar_.GetItemText(0), "    \xBF\xD5\xB0\xD7   ");
    EXPECT_EQ(bar_.GetCurWnd(), nullptr);
    EXPECT_TRUE(bar_.IsCurPageNull());
}

TEST_F(LynTabCtrlTest, FirstTabReplacesTheBlankTabAndShowsItsPage) {
    HWND page = NewPage();
    EXPECT_EQ(bar_.AddItemEx(1, kLoadingTabText, page), 0);
    EXPECT_EQ(Texts(), std::vector<std::string>{kLoadingTabText});
    EXPECT_EQ(bar_.GetCurWnd(), page);
    EXPECT_TRUE(IsWindowVisible(page));
    RECT place{};
    GetWindowRect(page, &place);
    MapWindowPoints(HWND_DESKTOP, parent_.get(), reinterpret_cast<POINT*>(&place), 2);
    EXPECT_TRUE(EqualRect(&place, &kPageArea));
}

TEST_F(LynTabCtrlTest, InsertedAfterTheCurrentTabStaysHiddenUntilSelected) {
    AddThreeTabs();
    HWND page = NewPage();
    const int added = bar_.AddItemEx(bar_.GetCurrentSel() + 1, "D", page);
    EXPECT_EQ(added, 1);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"A", "D", "B", "C"}));
    EXPECT_EQ(bar_.GetCurrentSel(), 0);
    EXPECT_FALSE(IsWindowVisible(page));

    ASSERT_TRUE(bar_.SetCurrentSel(added));
    EXPECT_EQ(bar_.GetCurWnd(), page);
    EXPECT_EQ(Visible(), (std::vector<bool>{false, true, false, false}));
    EXPECT_TRUE(parent_.notices.empty()) << "selecting from the program is no user's choice";
}

TEST_F(LynTabCtrlTest, ClickSelectsShowsTheTabsPageAndNotifies) {
    AddThreeTabs();
    const ULONGLONG before = GetTickCount64();
    ClickTab(2);
    EXPECT_EQ(bar_.GetCurrentSel(), 2);
    EXPECT_EQ(Visible(), (std::vector<bool>{false, false, true}));
    EXPECT_GE(bar_.GetTabWndTime(2), before);
    ASSERT_EQ(parent_.notices.size(), 1u);
    EXPECT_EQ(parent_.notices[0].id, static_cast<UINT_PTR>(kBarId));
    EXPECT_EQ(parent_.notices[0].code, kLynTabSelChange);

    ClickTab(2);  // already selected
    ClickTab(5);  // no such tab
    EXPECT_EQ(parent_.notices.size(), 1u);
}

TEST_F(LynTabCtrlTest, ClickBesideTheTabsChangesNothing) {
    AddThreeTabs();
    const RECT last = bar_.GetItemRect(2);
    control_test::Click(bar_.GetSafeHwnd(), last.right + 20, (last.top + last.bottom) / 2);
    EXPECT_EQ(bar_.GetCurrentSel(), 0);
    EXPECT_TRUE(parent_.notices.empty());
}

TEST_F(LynTabCtrlTest, RemovalSelectsTheTabBeforeAndShowsItsPage) {
    struct Case {
        int removed;
        std::vector<std::string> expectedTexts;
        int expectedSelected;
    };
    const Case cases[] = {
        {2, {"A", "B"}, 1},
        {1, {"A", "C"}, 0},
        {0, {"B", "C"}, 0},
    };
    for (const Case& c : cases) {
        CLynTabCtrl bar;
        ASSERT_TRUE(bar.Create(parent_.get(), kBarId + 1, RECT{0, 0, 400, 28}));
        bar.SetWndRect(kPageArea);
        HWND pages[3] = {NewPage(), NewPage(), NewPage()};
        bar.AddItemEx(0, "A", pages[0]);
        bar.AddItemEx(1, "B", pages[1]);
        bar.AddItemEx(2, "C", pages[2]);
        bar.SetCurrentSel(c.removed);
        EXPECT_EQ(bar.RemoveItem(c.removed), c.expectedSelected) << c.removed;
        EXPECT_EQ(bar.GetItemCount(), 2) << c.removed;
        EXPECT_EQ(bar.GetItemText(0) + bar.GetItemText(1), c.expectedTexts[0] + c.expectedTexts[1]) << c.removed;
        EXPECT_EQ(bar.GetCurrentSel(), c.expectedSelected) << c.removed;
        EXPECT_TRUE(IsWindowVisible(bar.GetCurWnd())) << c.removed;
        EXPECT_FALSE(IsWindowVisible(pages[c.removed])) << "the removed page is hidden for its owner to destroy";
    }
}

TEST_F(LynTabCtrlTest, RemovingTheLastTabLeavesTheBlankTab) {
    HWND page = NewPage();
    bar_.AddItemEx(0, "A", page);
    EXPECT_EQ(bar_.RemoveItem(0), 0);
    EXPECT_EQ(Texts(), std::vector<std::string>{kBlankTabText});
    EXPECT_EQ(bar_.GetCurWnd(), nullptr);
    EXPECT_TRUE(bar_.IsCurPageNull());
    EXPECT_FALSE(IsWindowVisible(page));
}

TEST_F(LynTabCtrlTest, BlankTabGetsItsPageByAttaching) {
    HWND page = NewPage();
    ASSERT_TRUE(bar_.AttachWnd(0, page));
    EXPECT_FALSE(bar_.IsCurPageNull());
    EXPECT_EQ(bar_.GetCurWnd(), page);
    EXPECT_TRUE(IsWindowVisible(page));
    EXPECT_FALSE(bar_.AttachWnd(3, page));
}

TEST_F(LynTabCtrlTest, TextsAreCutAndOutOfRangeIndicesRefused) {
    AddThreeTabs();
    ASSERT_TRUE(bar_.SetItemTextEx(1, std::string(300, 'x')));
    EXPECT_EQ(bar_.GetItemText(1), std::string(kTabTextMaxBytes, 'x'));
    EXPECT_FALSE(bar_.SetItemTextEx(3, "X"));
    EXPECT_FALSE(bar_.SetCurrentSel(-1));
    EXPECT_EQ(bar_.GetItemText(7), "");
    EXPECT_EQ(bar_.GetItemWnd(7), nullptr);
    EXPECT_EQ(bar_.RemoveItem(9), 0);
    EXPECT_EQ(bar_.GetItemCount(), 3);
}

TEST_F(LynTabCtrlTest, ResizeWndMovesTheCurrentPageToTheNewArea) {
    AddThreeTabs();
    const RECT moved{10, 50, 300, 190};
    bar_.SetWndRect(moved);
    bar_.ResizeWnd();
    RECT place{};
    GetWindowRect(bar_.GetCurWnd(), &place);
    MapWindowPoints(HWND_DESKTOP, parent_.get(), reinterpret_cast<POINT*>(&place), 2);
    EXPECT_TRUE(EqualRect(&place, &moved));
}

TEST_F(LynTabCtrlTest, RefreshTabWndTimeStampsWithoutSelecting) {
    AddThreeTabs();
    const ULONGLONG before = GetTickCount64();
    bar_.RefreshTabWndTime(1);
    EXPECT_GE(bar_.GetTabWndTime(1), before);
    EXPECT_EQ(bar_.GetTabWndTime(2), 0u);
    EXPECT_EQ(bar_.GetCurrentSel(), 0);
}

TEST_F(LynTabCtrlTest, BarIsDrawnFromItsImages) {
    AddThreeTabs();
    const Rendering picture(bar_.GetSafeHwnd());
    const RECT selected = bar_.GetItemRect(0);
    const RECT other = bar_.GetItemRect(1);
    // The tabs' corners hold no text; the bar beyond the tabs is the tiled
    // background.
    EXPECT_EQ(picture.Pixel(selected.left + 1, selected.top + 1), BmpPixel(SkinPath("tab1.bmp"), 1, 1));
    EXPECT_EQ(picture.Pixel(other.left + 1, other.top + 5), BmpPixel(SkinPath("tab2.bmp"), 1, 5));
    EXPECT_EQ(picture.Pixel(390, 3), BmpPixel(SkinPath("tabback.bmp"), 390 % 8, 3));
}

TEST_F(LynTabCtrlTest, MissingImagesStillDrawPlainTabs) {
    EXPECT_FALSE(bar_.SetBkImage(SkinPath("none1.bmp"), SkinPath("none2.bmp"), SkinPath("none3.bmp")));
    AddThreeTabs();
    const RECT tab = bar_.GetItemRect(1);
    EXPECT_GT(tab.right - tab.left, 0);
    const Rendering picture(bar_.GetSafeHwnd());
    EXPECT_NE(picture.Pixel(tab.left + 3, tab.top + 3), picture.Pixel(398, tab.top + 3));
}

TEST_F(LynTabCtrlTest, ManyTabsShareTheBarsWidth) {
    for (int i = 0; i < 8; ++i) {
        bar_.AddItemEx(i, "tab", NewPage());
    }
    const RECT last = bar_.GetItemRect(7);
    EXPECT_LE(last.right, 400);
    EXPECT_GT(last.right - last.left, 0);
}

}  // namespace
