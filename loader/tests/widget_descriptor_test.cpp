// Reading widget descriptors: every field, absent and malformed parts, the
// encodings a descriptor may come in.

#include "loader/widget_descriptor.h"

#include <gtest/gtest.h>

#include <string>

#include "loader/tests/loader_test_support.h"

namespace {

// Descriptors are parsed in memory; the fixture only provides COM on Windows.
class WidgetDescriptorTest : public LoaderTestFolder {};

constexpr char kFullDescriptor[] =
    "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n"
    "<widget>\r\n"
    "  <file>QvCalendar.DLL</file>\r\n"
    "  <name>桌面日历</name>\r\n"
    "  <author>泽鲁</author>\r\n"
    "  <URL>http://www.example.com/calendar/</URL>\r\n"
    "  <description>万年历、日程提醒 &amp; 天气</description>\r\n"
    "  <version>40</version>\r\n"
    "  <buildtime>Fri, 08 Aug 2008 20:08:00 GMT</buildtime>\r\n"
    "</widget>\r\n";

TEST_F(WidgetDescriptorTest, ReadsEveryField) {
    std::optional<WidgetDescriptor> descriptor = ParseWidgetDescriptor(kFullDescriptor);
    ASSERT_TRUE(descriptor.has_value());
    EXPECT_EQ(descriptor->file, "QvCalendar.DLL");  // kept as written
    EXPECT_EQ(descriptor->name, "桌面日历");
    EXPECT_EQ(descriptor->author, "泽鲁");
    EXPECT_EQ(descriptor->url, "http://www.example.com/calendar/");
    EXPECT_EQ(descriptor->description, "万年历、日程提醒 & 天气");
    EXPECT_EQ(descriptor->version, 40);
    // 20:08 taken as China time is 12:08 UTC.
    EXPECT_EQ(descriptor->buildTime, 1218197280);
}

TEST_F(WidgetDescriptorTest, AbsentElementsReadAsEmpty) {
    // The author is missing between two present elements: it must not take
    // the name's text.
    std::optional<WidgetDescriptor> descriptor =
        ParseWidgetDescriptor("<widget><file>a.dll</file><name>甲</name><URL>u</URL></widget>");
    ASSERT_TRUE(descriptor.has_value());
    EXPECT_EQ(descriptor->author, "");
    EXPECT_EQ(descriptor->url, "u");
    EXPECT_EQ(descriptor->description, "");
    EXPECT_EQ(descriptor->version, 0);
    EXPECT_EQ(descriptor->buildTime, 0);
}

TEST_F(WidgetDescriptorTest, RefusesWhatNamesNoModule) {
    struct Case {
        const char* why;
        std::string text;
    } const cases[] = {
        {"empty", ""},
        {"only blanks", "  \r\n"},
        {"not well-formed", "<widget><file>a.dll</file><name>n</name>"},
        {"no file", "<widget><name>n</name></widget>"},
        {"no name", "<widget><file>a.dll</file></widget>"},
        {"empty file", "<widget><file></file><name>n</name></widget>"},
        // An absent name must not borrow the file's text and pass.
        {"name not under widget", "<widget><file>a.dll</file><other><name>n</name></other></widget>"},
        {"nothing before the zero byte", std::string("\0<widget><file>a</file><name>n</name></widget>", 46)},
        {"a document type", "<!DOCTYPE widget><widget><file>a.dll</file><name>n</name></widget>"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(ParseWidgetDescriptor(c.text).has_value()) << c.why;
    }
}

TEST_F(WidgetDescriptorTest, TakesTheFirstWidgetElementAtAnyDepth) {
    std::optional<WidgetDescriptor> descriptor = ParseWidgetDescriptor(
        "<modules><group><widget><file>first.dll</file><name>一</name></widget></group>"
        "<widget><file>second.dll</file><name>二</name><author>作者</author></widget></modules>");
    ASSERT_TRUE(descriptor.has_value());
    EXPECT_EQ(descriptor->file, "first.dll");
    EXPECT_EQ(descriptor->name, "一");
    // Each value is the first selected anywhere, also from another widget element.
    EXPECT_EQ(descriptor->author, "作者");
}

TEST_F(WidgetDescriptorTest, TextEndsAtItsFirstZeroByte) {
    std::string text = "<widget><file>a.dll</file><name>n</name></widget>";
    text += std::string("\0<broken", 8);
    std::optional<WidgetDescriptor> descriptor = ParseWidgetDescriptor(text);
    ASSERT_TRUE(descriptor.has_value());
    EXPECT_EQ(descriptor->file, "a.dll");
}

TEST_F(WidgetDescriptorTest, Utf8DescriptorsAreConvertedToGbk) {
    // "日历" in UTF-8, once declared and once marked with a byte order mark.
    const std::string utf8Name = "\xE6\x97\xA5\xE5\x8E\x86";
    for (const std::string& start :
         {std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"), std::string("\xEF\xBB\xBF")}) {
        std::optional<WidgetDescriptor> descriptor =
            ParseWidgetDescriptor(start + "<widget><file>a.dll</file><name>" + utf8Name + "</name></widget>");
        ASSERT_TRUE(descriptor.has_value()) << start;
        EXPECT_EQ(descriptor->name, "日历");
    }
}

TEST_F(WidgetDescriptorTest, VersionAndBuildTimeAreReadLeniently) {
    std::optional<WidgetDescriptor> descriptor = ParseWidgetDescriptor(
        "<widget><file>a.dll</file><name>n</name><version> 12.5beta</version>"
        "<buildtime>2008-08-08</buildtime></widget>");
    ASSERT_TRUE(descriptor.has_value());
    EXPECT_EQ(descriptor->version, 12);
    EXPECT_EQ(descriptor->buildTime, 0);  // not an RFC 1123 date
}

}  // namespace
