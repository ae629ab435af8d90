// MsgBox shows the flag combinations the suite uses with the product caption;
// the kit's answerer reads each box and presses a button.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/win32/handles.h"
#include "services/product_services.h"
#include "testkit/win32/message_box_answerer.h"

namespace {

using testkit::MessageBoxIcon;

constexpr char kCaption[] = "泽鲁桌面日历V4.0";

TEST(ProductServices, NameAndVersionMakeTheCaption) {
    EXPECT_STREQ(GetSoftName(), "泽鲁桌面日历");
    EXPECT_STREQ(GetSoftVersion(), "V4.0");
    EXPECT_EQ(std::string(GetSoftName()) + GetSoftVersion(), kCaption);
}

TEST(ProductServices, MsgBoxShowsTheButtonsAndIconOfEachFlagCombination) {
    struct Case {
        unsigned int flags;
        std::vector<int> buttons;
        MessageBoxIcon icon;
        int press;
        long result;
    } cases[] = {
        {0, {IDOK}, MessageBoxIcon::kNone, IDOK, 1},
        {4, {IDYES, IDNO}, MessageBoxIcon::kNone, IDNO, 7},
        {4, {IDYES, IDNO}, MessageBoxIcon::kNone, IDYES, 6},
        {33, {IDOK, IDCANCEL}, MessageBoxIcon::kQuestion, IDOK, 1},
        {33, {IDOK, IDCANCEL}, MessageBoxIcon::kQuestion, IDCANCEL, 2},
        {48, {IDOK}, MessageBoxIcon::kWarning, IDOK, 1},
        {64, {IDOK}, MessageBoxIcon::kInformation, IDOK, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "flags " << c.flags << ", pressing " << c.press);
        testkit::MessageBoxAnswerer answerer(kCaption, c.press);
        EXPECT_EQ(MsgBox(nullptr, "确定要退出吗？", c.flags), c.result);
        std::optional<testkit::AnsweredDialog> dialog = answerer.Result();
        ASSERT_TRUE(dialog);
        EXPECT_TRUE(dialog->captionMatched) << dialog->caption;
        EXPECT_EQ(dialog->text, "确定要退出吗？");
        EXPECT_EQ(dialog->ButtonIds(), c.buttons);
        EXPECT_EQ(dialog->icon, c.icon);
        EXPECT_EQ(dialog->owner, nullptr);
    }
}

TEST(ProductServices, MsgBoxIsOwnedByTheParent) {
    UniqueWindow parent(CreateWindowExA(0, "Static", "父窗口", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                        GetModuleHandleA(nullptr), nullptr));
    ASSERT_TRUE(parent);
    testkit::MessageBoxAnswerer answerer(kCaption, IDOK);
    EXPECT_EQ(MsgBox(parent.get(), "有主人", 64), IDOK);
    std::optional<testkit::AnsweredDialog> dialog = answerer.Result();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->owner, parent.get());
}

}  // namespace
