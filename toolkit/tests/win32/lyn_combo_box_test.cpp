#include "toolkit/win32/lyn_combo_box.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "testkit/win32/window_helpers.h"
#include "toolkit/tests/win32/control_fixture.h"

namespace {

using control_test::CodesFrom;
using control_test::ParentWindow;
using control_test::SkinPath;

constexpr int kBoxId = 55;
constexpr RECT kBoxPlace{10, 10, 310, 36};

class LynComboBoxTest : public testing::Test {
protected:
    void SetUp() override {
        const std::filesystem::path folder = std::filesystem::temp_directory_path() / "toolkit_combo_history";
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        ASSERT_EQ(history_.ReadHistory((folder / "url.dat").string(), (folder / "index_url.dat").string(), false), 1);
        for (const char* entry : kEntries) {
            ASSERT_EQ(history_.AddItem(entry), 1);
        }
        ASSERT_TRUE(box_.Create(parent_.get(), kBoxId, kBoxPlace));
        ASSERT_TRUE(box_.SetButtonBmp(SkinPath("combut1.bmp"), SkinPath("combut2.bmp"), SkinPath("combut3.bmp")));
        box_.SetKidnapListBox(&history_);
        parent_.onCommand = [this](const control_test::CommandRecord& record) {
            if (record.id == kBoxId) {
                textAtNotice_.push_back(box_.GetText());
            }
        };
    }

    HWND Edit() const { return FindWindowExA(box_.GetSafeHwnd(), nullptr, "Edit", nullptr); }
    HWND Button() const {
        for (HWND child : testkit::ChildWindows(box_.GetSafeHwnd())) {
            if (child != Edit()) {
                return child;
            }
        }
        return nullptr;
    }
    // The drop-down: a visible pop-up list of this thread owned by the parent.
    HWND DropDown() const {
        for (HWND window : testkit::FindTopLevelWindows({.className = "ListBox", .visibleOnly = true})) {
            if (GetWindow(window, GW_OWNER) == parent_.get()) {
                return window;
            }
        }
        return nullptr;
    }
    std::vector<std::string> DropDownEntries() const {
        std::vector<std::string> entries;
        HWND list = DropDown();
        const int count = list != nullptr ? static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)) : 0;
        for (int i = 0; i < count; ++i) {
            char text[256] = {};
            SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            entries.push_back(text);
        }
        return entries;
    }
    void Key(WPARAM key) {
        PostMessageA(Edit(), WM_KEYDOWN, key, 1);
        testkit::PumpMessages(50);
    }
    std::vector<int> Codes() const { return CodesFrom(parent_.commands, kBoxId); }

    static constexpr const char* kEntries[] = {"http://127.0.0.1/a", "http://127.0.0.1/b", "http://127.0.0.1/c"};
    ParentWindow parent_{RECT{500, 40, 900, 240}, RGB(255, 255, 255)};
    CLynListBox history_;
    CLynComboBox box_;
    std::vector<std::string> textAtNotice_;
};

TEST_F(LynComboBoxTest, EnterInTheFieldTellsTheParentWithTheText) {
    box_.LockChange(true);
    box_.SetText("http://127.0.0.1/typed");
    SetFocus(Edit());
    Key(VK_RETURN);
    EXPECT_EQ(Codes(), std::vector<int>{kLynComboEnter});
    EXPECT_EQ(textAtNotice_, std::vector<std::string>{"http://127.0.0.1/typed"});
}

TEST_F(LynComboBoxTest, ChangesAreToldUnlessLocked) {
    struct Case {
        bool locked;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {false, {kLynComboChange, kLynComboChange}},
        {true, {}},
    };
    for (const Case& c : cases) {
        parent_.commands.clear();
        box_.LockChange(c.locked);
        box_.SetText("by the program");
        PostMessageA(Edit(), WM_CHAR, 'x', 1);  // by the user
        testkit::PumpMessages(50);
        EXPECT_EQ(Codes(), c.expected) << c.locked;
    }
    EXPECT_EQ(box_.GetText(), "by the programx");
}

TEST_F(LynComboBoxTest, DropDownListsTheHistoryBelowTheBox) {
    box_.ShowDropDown(true);
    EXPECT_TRUE(box_.IsDroppedDown());
    EXPECT_EQ(Codes(), std::vector<int>{kLynComboDropDown});
    ASSERT_NE(DropDown(), nullptr);
    EXPECT_EQ(DropDownEntries(), (std::vector<std::string>{kEntries[0], kEntries[1], kEntries[2]}));
    const RECT box = testkit::WindowRectangle(box_.GetSafeHwnd());
    const RECT list = testkit::WindowRectangle(DropDown());
    EXPECT_EQ(list.top, box.bottom);
    EXPECT_EQ(list.left, box.left);
    EXPECT_EQ(list.right, box.right);

    box_.ShowDropDown(false);
    EXPECT_FALSE(box_.IsDroppedDown());
    EXPECT_EQ(DropDown(), nullptr);
    EXPECT_EQ(Codes(), (std::vector<int>{kLynComboDropDown, kLynComboCloseUp}));
}

TEST_F(LynComboBoxTest, EntriesAddedLaterAreListedWhenItOpensAgain) {
    box_.ShowDropDown(true);
    box_.ShowDropDown(false);
    ASSERT_EQ(history_.AddItem("http://127.0.0.1/d"), 1);
    box_.ShowDropDown(true);
    EXPECT_EQ(DropDownEntries().size(), 4u);
    EXPECT_EQ(DropDownEntries().back(), "http://127.0.0.1/d");
}

TEST_F(LynComboBoxTest, ClickingAnEntryChoosesIt) {
    box_.ShowDropDown(true);
    HWND list = DropDown();
    ASSERT_NE(list, nullptr);
    RECT item{};
    SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    control_test::Click(list, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
    EXPECT_EQ(box_.GetText(), kEntries[1]);
    EXPECT_FALSE(box_.IsDroppedDown());
    // Choosing is no change by typing.
    EXPECT_EQ(Codes(), (std::vector<int>{kLynComboDropDown, kLynComboCloseUp, kLynComboSelect}));
    EXPECT_EQ(textAtNotice_.back(), kEntries[1]);
}

TEST_F(LynComboBoxTest, ArrowKeysAndEnterChooseAnEntry) {
    SetFocus(Edit());
    Key(VK_DOWN);  // opens
    EXPECT_TRUE(box_.IsDroppedDown());
    Key(VK_DOWN);  // the first entry
    Key(VK_DOWN);  // the second
    Key(VK_UP);    // the first again
    Key(VK_RETURN);
    EXPECT_EQ(box_.GetText(), kEntries[0]);
    EXPECT_FALSE(box_.IsDroppedDown());
    EXPECT_EQ(Codes(), (std::vector<int>{kLynComboDropDown, kLynComboCloseUp, kLynComboSelect}));
}

TEST_F(LynComboBoxTest, EnterWithNothingHighlightedClosesAndTellsEnter) {
    box_.LockChange(true);
    box_.SetText("typed");
    SetFocus(Edit());
    box_.ShowDropDown(true);
    Key(VK_RETURN);
    EXPECT_FALSE(box_.IsDroppedDown());
    EXPECT_EQ(Codes(), (std::vector<int>{kLynComboDropDown, kLynComboCloseUp, kLynComboEnter}));
    EXPECT_EQ(box_.GetText(), "typed");
}

TEST_F(LynComboBoxTest, EscapeAndLosingTheFocusClose) {
    SetFocus(Edit());
    box_.ShowDropDown(true);
    Key(VK_ESCAPE);
    EXPECT_FALSE(box_.IsDroppedDown());

    HWND other = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 100, 100, 20, parent_.get(), nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    SetFocus(Edit());
    box_.ShowDropDown(true);
    SetFocus(other);
    EXPECT_FALSE(box_.IsDroppedDown());
    EXPECT_EQ(Codes(), (std::vector<int>{kLynComboDropDown, kLynComboCloseUp, kLynComboDropDown, kLynComboCloseUp}));
    DestroyWindow(other);
}

TEST_F(LynComboBoxTest, DropButtonOpensAndClosesAndLeavesTheFocusInTheField) {
    HWND button = Button();
    ASSERT_NE(button, nullptr);
    RECT place = testkit::WindowRectangle(button);
    EXPECT_EQ(place.right - place.left, 18);
    EXPECT_EQ(place.bottom - place.top, 22);
    control_test::Click(button, 5, 5);
    EXPECT_TRUE(box_.IsDroppedDown());
    EXPECT_EQ(GetFocus(), Edit());
    control_test::Click(button, 5, 5);
    EXPECT_FALSE(box_.IsDroppedDown());
    EXPECT_EQ(Codes(), (std::vector<int>{kLynComboDropDown, kLynComboCloseUp}));
}

TEST_F(LynComboBoxTest, IsPointOverTheBoxAndTheOpenDropDown) {
    const RECT box = testkit::WindowRectangle(box_.GetSafeHwnd());
    const POINT onBox{box.left + 5, box.top + 5};
    const POINT belowBox{box.left + 5, box.bottom + 10};
    const POINT faraway{box.right + 300, box.bottom + 300};
    EXPECT_TRUE(box_.IsPointOver(onBox));
    EXPECT_FALSE(box_.IsPointOver(belowBox)) << "the drop-down is closed";
    EXPECT_FALSE(box_.IsPointOver(faraway));
    box_.ShowDropDown(true);
    EXPECT_TRUE(box_.IsPointOver(belowBox));
    EXPECT_FALSE(box_.IsPointOver(faraway));
}

TEST_F(LynComboBoxTest, WithoutAHistoryTheDropDownIsEmpty) {
    CLynComboBox bare;
    ASSERT_TRUE(bare.Create(parent_.get(), kBoxId + 1, RECT{10, 60, 310, 86}));
    bare.ShowDropDown(true);
    EXPECT_TRUE(bare.IsDroppedDown());
    HWND list = DropDown();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 0);
}

TEST_F(LynComboBoxTest, MoveToClosesTheDropDownAndMovesTheBox) {
    box_.ShowDropDown(true);
    box_.MoveTo(RECT{20, 50, 220, 76});
    EXPECT_FALSE(box_.IsDroppedDown());
    RECT place = testkit::WindowRectangle(box_.GetSafeHwnd());
    MapWindowPoints(HWND_DESKTOP, parent_.get(), reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, 20);
    EXPECT_EQ(place.right, 220);
}

}  // namespace
