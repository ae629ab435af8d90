#include "widget/planner/win32/line_fitting.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

class LineFittingTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(font_.GetLastStatus(), Gdiplus::Ok);
        format_.SetFormatFlags(format_.GetFormatFlags() | Gdiplus::StringFormatFlagsNoWrap);
    }

    Gdiplus::REAL Width(std::u16string_view text) { return LineWidth(graphics_, font_, format_, text); }
    std::u16string Fit(std::u16string_view text, Gdiplus::REAL width) {
        return FitToWidth(graphics_, font_, format_, text, width);
    }

    Gdiplus::Bitmap bitmap_{10, 10, PixelFormat32bppARGB};
    Gdiplus::Graphics graphics_{&bitmap_};
    // The planner's text face; the test prefix has it.
    Gdiplus::FontFamily family_{L"\u5B8B\u4F53"};
    Gdiplus::Font font_{&family_, 12, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel};
    Gdiplus::StringFormat format_{Gdiplus::StringFormat::GenericTypographic()};
};

TEST_F(LineFittingTest, ALineThatFitsStaysAsItIs) {
    const std::u16string text = u"七月初八";
    EXPECT_EQ(Fit(text, Width(text)), text);
    EXPECT_EQ(Fit(text, Width(text) + 20), text);
    EXPECT_EQ(Fit(u"", 0), u"");
}

// The longest beginning that fits with the ellipsis: one character more
// would not.
TEST_F(LineFittingTest, ALongLineEndsInAnEllipsisWithinTheWidth) {
    const std::u16string text = u"七月初八（今天）";
    for (Gdiplus::REAL width : {Width(text) - 1, Width(u"七月初八…") + 0.5f, Width(u"七…") + 0.5f}) {
        SCOPED_TRACE(width);
        const std::u16string line = Fit(text, width);
        ASSERT_GE(line.size(), 2u);
        EXPECT_EQ(line.back(), kEllipsis);
        const std::u16string kept = line.substr(0, line.size() - 1);
        EXPECT_EQ(text.substr(0, kept.size()), kept);
        EXPECT_LE(Width(line), width);
        EXPECT_GT(Width(text.substr(0, kept.size() + 1) + kEllipsis), width);
    }
    EXPECT_EQ(Fit(text, Width(u"七月初八…") + 0.5f), u"七月初八…");
}

TEST_F(LineFittingTest, NoBlankStandsBeforeTheEllipsis) {
    EXPECT_EQ(Fit(u"七月初七 立秋", Width(u"七月初七 …") + 0.5f), u"七月初七…");
}

TEST_F(LineFittingTest, NothingIsLeftWhereNotEvenTheEllipsisFits) {
    EXPECT_EQ(Fit(u"七月初八", Width(u"…") - 1), u"");
}

}  // namespace
