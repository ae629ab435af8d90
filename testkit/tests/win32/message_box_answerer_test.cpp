#include "testkit/win32/message_box_answerer.h"

#include <gtest/gtest.h>

namespace testkit {
namespace {

TEST(MessageBoxAnswerer, AnswersAndDescribesTheBox) {
    MessageBoxAnswerer answerer("测试问题", IDNO);
    EXPECT_EQ(MessageBoxA(nullptr, "要删除吗?", "测试问题", MB_YESNO | MB_ICONQUESTION), IDNO);
    std::optional<AnsweredDialog> dialog = answerer.Result();
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(dialog->captionMatched);
    EXPECT_EQ(dialog->caption, "测试问题");
    EXPECT_EQ(dialog->text, "要删除吗?");
    EXPECT_EQ(dialog->ButtonIds(), (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(dialog->icon, MessageBoxIcon::kQuestion);
    EXPECT_EQ(dialog->owner, nullptr);
    EXPECT_EQ(dialog->pressed, IDNO);
}

TEST(MessageBoxAnswerer, ClosesABoxWithAnotherCaptionInsteadOfHanging) {
    MessageBoxAnswerer answerer("等待的标题", IDOK, 300);
    EXPECT_EQ(MessageBoxA(nullptr, "意外", "别的标题", MB_OK | MB_ICONWARNING), IDOK);
    std::optional<AnsweredDialog> dialog = answerer.Result();
    ASSERT_TRUE(dialog);
    EXPECT_FALSE(dialog->captionMatched);
    EXPECT_EQ(dialog->caption, "别的标题");
    EXPECT_EQ(dialog->icon, MessageBoxIcon::kWarning);
}

TEST(MessageBoxAnswerer, ReportsNothingWhenNoBoxAppears) {
    MessageBoxAnswerer answerer("没有对话框", IDOK, 100);
    EXPECT_EQ(answerer.Result(), std::nullopt);
}

}  // namespace
}  // namespace testkit
