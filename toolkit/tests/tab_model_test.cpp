#include "toolkit/tab_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Stand-ins for the tabs' windows: only their addresses matter.
int pageA, pageB, pageC, pageD;

std::vector<std::string> Texts(const TabModel& model) {
    std::vector<std::string> texts;
    for (int i = 0; i < model.GetItemCount(); ++i) {
        texts.push_back(model.Item(i)->text);
    }
    return texts;
}

// Three tabs A, B, C (in that order) with C selected.
TabModel ThreeTabs() {
    TabModel model;
    model.AddItemEx(0, "A", &pageA);
    model.AddItemEx(1, "B", &pageB);
    model.AddItemEx(2, "C", &pageC);
    model.SetCurrentSel(2, 100);
    return model;
}

TEST(TabModel, StartsWithTheBlankTabSelected) {
    const TabModel model;
    ASSERT_EQ(model.GetItemCount(), 1);
    EXPECT_EQ(model.Item(0)->text, "    \xBF\xD5\xB0\xD7   ");  // 空白 in GBK
    EXPECT_EQ(model.Item(0)->window, nullptr);
    EXPECT_EQ(model.GetCurrentSel(), 0);
    EXPECT_TRUE(model.IsCurPageNull());
    EXPECT_TRUE(model.IsBlank());
}

TEST(TabModel, FirstRealTabReplacesTheBlankTabWhateverTheIndex) {
    for (int index : {-3, 0, 1, 5}) {
        TabModel model;
        EXPECT_EQ(model.AddItemEx(index, kLoadingTabText, &pageA), 0) << index;
        ASSERT_EQ(model.GetItemCount(), 1) << index;
        EXPECT_EQ(model.Item(0)->window, &pageA);
        EXPECT_EQ(model.GetCurrentSel(), 0);
        EXPECT_FALSE(model.IsBlank());
        EXPECT_FALSE(model.IsCurPageNull());
    }
}

TEST(TabModel, InsertionClampsTheIndexAndKeepsTheSelectedTab) {
    struct Case {
        int index;
        int expectedIndex;
        std::vector<std::string> expectedTexts;
        int expectedSelected;  // C stays selected wherever it moved
    };
    const Case cases[] = {
        {-1, 0, {"D", "A", "B", "C"}, 3}, {0, 0, {"D", "A", "B", "C"}, 3}, {2, 2, {"A", "B", "D", "C"}, 3},
        {3, 3, {"A", "B", "C", "D"}, 2},  {9, 3, {"A", "B", "C", "D"}, 2},
    };
    for (const Case& c : cases) {
        TabModel model = ThreeTabs();
        EXPECT_EQ(model.AddItemEx(c.index, "D", &pageD), c.expectedIndex) << c.index;
        EXPECT_EQ(Texts(model), c.expectedTexts) << c.index;
        EXPECT_EQ(model.GetCurrentSel(), c.expectedSelected) << c.index;
        EXPECT_EQ(model.Item(model.GetCurrentSel())->window, &pageC) << c.index;
    }
}

TEST(TabModel, AddingATabWithoutAWindowBesideRealTabsKeepsBoth) {
    TabModel model;
    model.AddItemEx(0, "A", &pageA);
    model.AddItemEx(1, "B", nullptr);
    EXPECT_EQ(Texts(model), (std::vector<std::string>{"A", "B"}));
    EXPECT_FALSE(model.IsBlank());
}

TEST(TabModel, RemovalSelectsTheTabBefore) {
    struct Case {
        int removed;
        std::vector<std::string> expectedTexts;
        int expectedSelected;
    };
    const Case cases[] = {
        {2, {"A", "B"}, 1}, {1, {"A", "C"}, 0}, {0, {"B", "C"}, 0},  // the first closed: the new first one
    };
    for (const Case& c : cases) {
        TabModel model = ThreeTabs();
        EXPECT_EQ(model.RemoveItem(c.removed), c.expectedSelected) << c.removed;
        EXPECT_EQ(Texts(model), c.expectedTexts) << c.removed;
        EXPECT_EQ(model.GetCurrentSel(), c.expectedSelected) << c.removed;
    }
}

TEST(TabModel, RemovingTheLastTabLeavesTheBlankTab) {
    TabModel model;
    model.AddItemEx(0, "A", &pageA);
    EXPECT_EQ(model.RemoveItem(0), 0);
    ASSERT_EQ(model.GetItemCount(), 1);
    EXPECT_EQ(model.Item(0)->text, kBlankTabText);
    EXPECT_TRUE(model.IsCurPageNull());
    EXPECT_TRUE(model.IsBlank());
    EXPECT_EQ(model.IndexOfWindow(&pageA), -1);

    // The blank tab is replaced again by the next one.
    model.AddItemEx(0, "B", &pageB);
    EXPECT_EQ(Texts(model), (std::vector<std::string>{"B"}));
}

TEST(TabModel, OutOfRangeIndicesChangeNothing) {
    for (int index : {-1, 3, 100}) {
        TabModel model = ThreeTabs();
        EXPECT_EQ(model.RemoveItem(index), 2) << index;
        EXPECT_FALSE(model.SetCurrentSel(index, 5)) << index;
        EXPECT_FALSE(model.AttachWnd(index, &pageD)) << index;
        EXPECT_FALSE(model.SetItemTextEx(index, "X")) << index;
        EXPECT_FALSE(model.RefreshTabWndTime(index, 5)) << index;
        EXPECT_EQ(model.Item(index), nullptr) << index;
        EXPECT_EQ(Texts(model), (std::vector<std::string>{"A", "B", "C"})) << index;
        EXPECT_EQ(model.GetCurrentSel(), 2) << index;
    }
}

TEST(TabModel, AttachingAWindowToTheBlankTabMakesItAPage) {
    TabModel model;
    ASSERT_TRUE(model.AttachWnd(0, &pageA));
    EXPECT_FALSE(model.IsCurPageNull());
    EXPECT_FALSE(model.IsBlank());
    EXPECT_EQ(model.IndexOfWindow(&pageA), 0);

    // It is a real tab now, so the next one joins it.
    model.AddItemEx(1, "B", &pageB);
    EXPECT_EQ(model.GetItemCount(), 2);
}

TEST(TabModel, ActivationTimesFollowSelectionAndRefresh) {
    TabModel model = ThreeTabs();
    EXPECT_EQ(model.Item(0)->activatedAt, 0u);
    EXPECT_EQ(model.Item(2)->activatedAt, 100u);
    ASSERT_TRUE(model.SetCurrentSel(0, 250));
    EXPECT_EQ(model.Item(0)->activatedAt, 250u);
    ASSERT_TRUE(model.RefreshTabWndTime(1, 300));
    EXPECT_EQ(model.Item(1)->activatedAt, 300u);
    EXPECT_EQ(model.GetCurrentSel(), 0);  // refreshing does not select
    EXPECT_EQ(model.Item(2)->activatedAt, 100u);
}

TEST(TabModel, IndexOfWindowFindsTheOwningTab) {
    const TabModel model = ThreeTabs();
    EXPECT_EQ(model.IndexOfWindow(&pageB), 1);
    EXPECT_EQ(model.IndexOfWindow(&pageD), -1);
    EXPECT_EQ(model.IndexOfWindow(nullptr), -1);  // never the blank or a windowless tab
}

TEST(TabModel, TextsAreCutTo127BytesNeverInsideACharacter) {
    // "中" is two bytes in GBK (D6 D0).
    const std::string ascii(200, 'x');
    const std::string wide = std::string(126, 'x') + "\xD6\xD0" + "yy";
    struct Case {
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {std::string(127, 'x'), std::string(127, 'x')},
        {ascii, std::string(127, 'x')},
        {wide, std::string(126, 'x')},  // the character over the edge goes whole
        {std::string(125, 'x') + "\xD6\xD0" + "y", std::string(125, 'x') + "\xD6\xD0"},
    };
    for (const Case& c : cases) {
        TabModel model;
        model.AddItemEx(0, c.text, &pageA);
        EXPECT_EQ(model.Item(0)->text, c.expected);
        model.AddItemEx(1, "B", &pageB);
        ASSERT_TRUE(model.SetItemTextEx(1, c.text));
        EXPECT_EQ(model.Item(1)->text, c.expected);
    }
}

TEST(TabModel, ShownTextCountsDoubleByteCharactersAsOne) {
    // "北京欢迎你" in GBK: five two-byte characters.
    const std::string beijing = "\xB1\xB1\xBE\xA9\xBB\xB6\xD3\xAD\xC4\xE3";
    struct Case {
        std::string text;
        int characters;
        std::string expected;
    };
    const Case cases[] = {
        {"Example Domain", 0, "Example Domain"},
        {"Example Domain", 7, "Example..."},
        {"Example", 7, "Example"},
        {"Example", 20, "Example"},
        {beijing, 2, "\xB1\xB1\xBE\xA9..."},
        {beijing, 5, beijing},
        {"a" + beijing, 2, "a\xB1\xB1..."},
        {"", 3, ""},
        {"abc\xB1", 3, "abc..."},  // a lone lead byte at the end is a character too
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TabModel::ShownText(c.text, c.characters), c.expected) << c.text << " / " << c.characters;
    }
}

}  // namespace
