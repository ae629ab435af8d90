#include "trevalo/navigation_session.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/lyn_list_box.h"
#include "toolkit/tab_model.h"

namespace {

// The tab bar over the toolkit's own tab bookkeeping, with a clock that
// moves one tick per call.
class ModelTabs : public NavigationTabs {
public:
    int GetItemCount() const override { return model.GetItemCount(); }
    int GetCurrentSel() const override { return model.GetCurrentSel(); }
    void* GetItemPage(int index) const override {
        const TabEntry* entry = model.Item(index);
        return entry != nullptr ? entry->window : nullptr;
    }
    std::string GetItemText(int index) const override {
        const TabEntry* entry = model.Item(index);
        return entry != nullptr ? entry->text : std::string();
    }
    int AddItemEx(int index, const std::string& text, void* page) override {
        return model.AddItemEx(index, text, page);
    }
    bool AttachPage(int index, void* page) override { return model.AttachWnd(index, page); }
    int RemoveItem(int index) override { return model.RemoveItem(index); }
    bool SetCurrentSel(int index) override { return model.SetCurrentSel(index, ++now); }
    bool SetItemTextEx(int index, const std::string& text) override { return model.SetItemTextEx(index, text); }
    void RefreshTabWndTime(int index) override { model.RefreshTabWndTime(index, ++now); }

    TabModel model;
    std::uint64_t now = 100;
};

// Pages are numbered slots whose address a test sets; the history is the
// address box's real list (never saved: it reads no store).
class FakeHost : public NavigationHost {
public:
    void* CreatePage(const std::string& address) override {
        if (refusePages) {
            return nullptr;
        }
        pages.push_back(std::make_unique<int>(static_cast<int>(pages.size())));
        void* page = pages.back().get();
        addresses[page] = address;
        return page;
    }
    void DestroyPage(void* page) override { destroyed.push_back(page); }
    std::string PageAddress(void* page) const override {
        const auto found = addresses.find(page);
        return found != addresses.end() ? found->second : std::string();
    }
    void SetAddressText(const std::string& text) override { addressBox = text; }
    void AddToHistory(const std::string& address) override { history.AddItem(address); }
    void SetWindowTitle(const std::string& text) override { title = text; }

    std::vector<std::unique_ptr<int>> pages;
    std::map<void*, std::string> addresses;
    std::vector<void*> destroyed;
    std::string addressBox;
    std::string title;
    CLynListBox history;
    bool refusePages = false;
};

class NavigationSessionTest : public testing::Test {
protected:
    // Opens one tab per address, in order.
    void OpenTabs(const std::vector<std::string>& list) {
        for (const std::string& address : list) {
            ASSERT_TRUE(session.OpenAddress(address));
        }
    }
    std::vector<std::string> TabAddresses() const {
        std::vector<std::string> result;
        for (int i = 0; i < tabs.GetItemCount(); ++i) {
            result.push_back(host.PageAddress(tabs.GetItemPage(i)));
        }
        return result;
    }

    ModelTabs tabs;
    FakeHost host;
    NavigationSession session{tabs, host};
};

TEST_F(NavigationSessionTest, FirstAddressGoesIntoTheBlankTab) {
    ASSERT_TRUE(session.OpenAddress("http://x/"));

    ASSERT_EQ(tabs.GetItemCount(), 1);
    EXPECT_EQ(tabs.GetItemPage(0), host.pages[0].get());
    EXPECT_EQ(tabs.GetItemText(0), "    ...    ");
    EXPECT_EQ(host.addressBox, "http://x/");
    EXPECT_EQ(host.title, "泽鲁网址导航－    ...    ");
}

TEST_F(NavigationSessionTest, AddressOpensInANewTabRightAfterTheCurrentOne) {
    OpenTabs({"http://a/", "http://b/", "http://c/"});
    ASSERT_EQ(TabAddresses(), (std::vector<std::string>{"http://a/", "http://b/", "http://c/"}));
    tabs.SetCurrentSel(1);

    ASSERT_TRUE(session.OpenAddress("http://y/"));

    EXPECT_EQ(TabAddresses(), (std::vector<std::string>{"http://a/", "http://b/", "http://y/", "http://c/"}));
    EXPECT_EQ(tabs.GetCurrentSel(), 2);
    EXPECT_EQ(tabs.GetItemText(2), "    ...    ");
    EXPECT_EQ(host.addressBox, "http://y/");
}

TEST_F(NavigationSessionTest, NothingOpensWithoutAnAddressOrAPage) {
    EXPECT_FALSE(session.OpenAddress(""));
    host.refusePages = true;
    EXPECT_FALSE(session.OpenAddress("http://x/"));
    EXPECT_FALSE(session.OpenHome("http://home/"));

    EXPECT_EQ(tabs.GetItemCount(), 1);
    EXPECT_EQ(session.CurrentPage(), nullptr);
    EXPECT_TRUE(host.history.GetItems().empty());
}

TEST_F(NavigationSessionTest, HomeOpensInANewTabAndEntersTheHistory) {
    OpenTabs({"http://a/"});

    ASSERT_TRUE(session.OpenHome("http://home/"));

    EXPECT_EQ(TabAddresses(), (std::vector<std::string>{"http://a/", "http://home/"}));
    EXPECT_EQ(tabs.GetCurrentSel(), 1);
    EXPECT_EQ(host.addressBox, "http://home/");
    EXPECT_EQ(host.history.GetItems(), (std::vector<std::string>{"http://home/"}));
}

TEST_F(NavigationSessionTest, PageCompletingTwiceEntersTheHistoryOnce) {
    OpenTabs({"http://x/"});
    void* page = tabs.GetItemPage(0);

    session.OnNavigationComplete(page);
    const std::uint64_t activated = tabs.model.Item(0)->activatedAt;
    session.OnNavigationComplete(page);

    EXPECT_EQ(host.history.GetItems(), (std::vector<std::string>{"http://x/"}));
    EXPECT_EQ(tabs.model.Item(0)->activatedAt, activated);
}

TEST_F(NavigationSessionTest, CompletionRecordsTheAddressThePageReallyShows) {
    OpenTabs({"http://x/"});
    void* page = tabs.GetItemPage(0);
    const std::uint64_t opened = tabs.model.Item(0)->activatedAt;
    host.addresses[page] = "http://x/moved";

    session.OnNavigationComplete(page);

    EXPECT_EQ(host.addressBox, "http://x/moved");
    EXPECT_EQ(host.history.GetItems(), (std::vector<std::string>{"http://x/moved"}));
    EXPECT_GT(tabs.model.Item(0)->activatedAt, opened);
}

TEST_F(NavigationSessionTest, PageInAnotherTabLeavesTheAddressBoxAlone) {
    OpenTabs({"http://a/", "http://b/"});
    host.addressBox = "typed";

    session.OnNavigationComplete(tabs.GetItemPage(0));

    EXPECT_EQ(host.addressBox, "typed");
    EXPECT_EQ(host.history.GetItems(), (std::vector<std::string>{"http://a/"}));
}

TEST_F(NavigationSessionTest, PageWithoutAddressAddsNothing) {
    OpenTabs({"http://a/"});
    host.addresses[tabs.GetItemPage(0)] = "";

    session.OnNavigationComplete(tabs.GetItemPage(0));

    EXPECT_TRUE(host.history.GetItems().empty());
}

TEST_F(NavigationSessionTest, ClosedPageThatStillReportsIsIgnored) {
    OpenTabs({"http://a/", "http://b/"});
    void* closed = tabs.GetItemPage(1);
    session.CloseTab(1);
    host.title.clear();

    session.OnNavigationComplete(closed);
    session.OnTitleChange(closed, "Late");

    EXPECT_TRUE(host.history.GetItems().empty());
    EXPECT_EQ(tabs.GetItemText(0), "    ...    ");
    EXPECT_EQ(host.title, "");
}

TEST_F(NavigationSessionTest, TypedAddressAlreadyInTheHistoryKeepsOneCopy) {
    OpenTabs({"http://x/"});
    session.OnNavigationComplete(tabs.GetItemPage(0));

    ASSERT_TRUE(session.OpenAddress("http://x/"));
    session.OnNavigationComplete(tabs.GetItemPage(1));

    EXPECT_EQ(TabAddresses(), (std::vector<std::string>{"http://x/", "http://x/"}));
    EXPECT_EQ(host.history.GetItems(), (std::vector<std::string>{"http://x/"}));
}

TEST_F(NavigationSessionTest, TitleNamesTheTabAndTheWindow) {
    OpenTabs({"http://a/", "http://b/"});

    session.OnTitleChange(tabs.GetItemPage(1), "Example");
    EXPECT_EQ(tabs.GetItemText(1), "Example");
    EXPECT_EQ(host.title, "泽鲁网址导航－Example");

    // A title of a page in the background renames its tab only.
    session.OnTitleChange(tabs.GetItemPage(0), "Other");
    EXPECT_EQ(tabs.GetItemText(0), "Other");
    EXPECT_EQ(host.title, "泽鲁网址导航－Example");
}

TEST_F(NavigationSessionTest, SelectingAnotherTabShowsItsTitleAndAddress) {
    OpenTabs({"http://a/", "http://b/"});
    session.OnTitleChange(tabs.GetItemPage(0), "First");

    tabs.SetCurrentSel(0);
    session.OnCurrentTabChanged();

    EXPECT_EQ(host.title, "泽鲁网址导航－First");
    EXPECT_EQ(host.addressBox, "http://a/");
    EXPECT_EQ(session.CurrentPage(), tabs.GetItemPage(0));
}

struct CloseCase {
    const char* name;
    int closed;
    std::vector<std::string> left;
    int selected;
};

class NavigationSessionCloseTest : public NavigationSessionTest, public testing::WithParamInterface<CloseCase> {};

TEST_P(NavigationSessionCloseTest, ClosingSelectsTheTabBeforeIt) {
    const CloseCase& c = GetParam();
    OpenTabs({"http://a/", "http://b/", "http://c/"});
    tabs.SetCurrentSel(c.closed);
    void* closed = tabs.GetItemPage(c.closed);

    session.CloseCurrentTab();

    EXPECT_EQ(TabAddresses(), c.left);
    EXPECT_EQ(tabs.GetCurrentSel(), c.selected);
    EXPECT_EQ(host.destroyed, (std::vector<void*>{closed}));
    EXPECT_EQ(host.addressBox, c.left[c.selected]);
    EXPECT_EQ(host.title, "泽鲁网址导航－    ...    ");
}

INSTANTIATE_TEST_SUITE_P(Tabs,
                         NavigationSessionCloseTest,
                         testing::Values(CloseCase{"First", 0, {"http://b/", "http://c/"}, 0},
                                         CloseCase{"Middle", 1, {"http://a/", "http://c/"}, 0},
                                         CloseCase{"Last", 2, {"http://a/", "http://b/"}, 1}),
                         [](const testing::TestParamInfo<CloseCase>& tested) { return tested.param.name; });

TEST_F(NavigationSessionTest, ClosingTheLastTabLeavesTheBlankTab) {
    OpenTabs({"http://a/"});
    session.OnTitleChange(tabs.GetItemPage(0), "Example");

    session.CloseCurrentTab();

    ASSERT_EQ(tabs.GetItemCount(), 1);
    EXPECT_EQ(tabs.GetItemText(0), "    空白   ");
    EXPECT_EQ(session.CurrentPage(), nullptr);
    EXPECT_EQ(host.title, "泽鲁网址导航");
    EXPECT_EQ(host.addressBox, "");

    // Closing the blank tab destroys nothing and keeps it.
    session.CloseCurrentTab();
    EXPECT_EQ(tabs.GetItemCount(), 1);
    EXPECT_EQ(host.destroyed.size(), 1u);
}

TEST_F(NavigationSessionTest, NextAddressAfterTheBlankTabGoesIntoIt) {
    OpenTabs({"http://a/"});
    session.CloseCurrentTab();

    ASSERT_TRUE(session.OpenAddress("http://b/"));

    EXPECT_EQ(TabAddresses(), (std::vector<std::string>{"http://b/"}));
}

}  // namespace
