// XML_Helper: string conversions, record formatting, attribute reading and
// file loading.

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "xml/tests/xml_test_support.h"

namespace {

TEST(XmlHelperString2Int, ReadsTheLeadingNumberLikeAtoi) {
    struct Case {
        const char* text;
        int value;
    } const cases[] = {
        {"12", 12},
        {" 42abc", 42},
        {"\t\n\v\f\r 7", 7},
        {"-7", -7},
        {"+5", 5},
        {"007", 7},
        {"12 34", 12},
        {"0x10", 0},
        {"abc", 0},
        {"", 0},
        {"-", 0},
        {"- 3", 0},
        {"--3", 0},
        {"3-", 3},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        // Beyond 32 bits the value wraps as 32-bit arithmetic does.
        {"2147483648", INT_MIN},
        {"4294967297", 1},
        {"-4294967295", 1},
        {"99999999999999999999", 1661992959},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(XML_Helper::String2Int(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(XmlHelperString2bool, OnlyTrueWordsInAnyCaseAreTrue) {
    for (const char* text : {"true", "TRUE", "True", "t", "T", "yes", "Yes", "YES", "y", "Y"}) {
        EXPECT_TRUE(XML_Helper::String2bool(text)) << text;
    }
    for (const char* text : {"1", "on", "no", "n", "false", "", " yes", "yes ", "ye", "truth", "是"}) {
        EXPECT_FALSE(XML_Helper::String2bool(text)) << text;
    }
}

TEST(XmlHelperSplitting, RectNeedsFourPieces) {
    struct Case {
        const char* text;
        geometry::Rect rect;
    } const cases[] = {
        {"1,2,3,4", {1, 2, 3, 4}},
        {"1,,3,4", {1, 0, 3, 4}},
        {"-5, 6 ,7x,8,99", {-5, 6, 7, 8}},
        {"1,2,3", {}},
        {"1,2,3,", {1, 2, 3, 0}},
        {",,,", {}},
        {"", {}},
        {"1;2;3;4", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(XML_Helper::String2Rect(c.text, ','), c.rect) << c.text;
    }
    EXPECT_EQ(XML_Helper::String2Rect("1;2;3;4", ';'), (geometry::Rect{1, 2, 3, 4}));
}

TEST(XmlHelperSplitting, SizeAndPointNeedTwoPieces) {
    struct Case {
        const char* text;
        std::int32_t first;
        std::int32_t second;
    } const cases[] = {
        {"640,480", 640, 480}, {"640,480,1", 640, 480}, {"640", 0, 0}, {"", 0, 0}, {",5", 0, 5}, {"-3,", -3, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(XML_Helper::String2Size(c.text, ','), (geometry::Size{c.first, c.second})) << c.text;
        EXPECT_EQ(XML_Helper::String2Point(c.text, ','), (geometry::Point{c.first, c.second})) << c.text;
    }
}

TEST(XmlHelperSplitting, RgbPutsRedInTheLowByte) {
    struct Case {
        const char* text;
        std::uint32_t colour;
    } const cases[] = {
        {"255,0,0", 255u},
        {"0,0,255", 16711680u},
        {"0,255,0", 0x00FF00u},
        {"1,2,3,4", 0x030201u},
        {"256,257,-1", 0xFF0100u},
        {"255,0", 0u},
        {"", 0u},
        {",,", 0u},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(XML_Helper::String2RGB(c.text, ','), c.colour) << c.text;
    }
}

TEST(XmlHelperFormat, ListFormPutsABlankAfterEveryAttribute) {
    EXPECT_EQ(XML_Helper::Format("alarm", {{"name", "Tea"}, {"repeat", "1"}}), "<alarm name=\"Tea\" repeat=\"1\" />");
    EXPECT_EQ(XML_Helper::Format("alarm", std::vector<XML_KeyVal>{}), "<alarm />");
    EXPECT_EQ(XML_Helper::Format("alarm", {{"名称", "喝茶"}}), "<alarm 名称=\"喝茶\" />");
}

TEST(XmlHelperFormat, SingleAttributeFormHasNoBlankBeforeTheEnd) {
    EXPECT_EQ(XML_Helper::Format("widget", "name", "日历"), "<widget name=\"日历\"/>");
    EXPECT_EQ(XML_Helper::Format("w", "v", ""), "<w v=\"\"/>");
}

TEST(XmlHelperFormat, EscapesMarkupAndLineBreaks) {
    EXPECT_EQ(XML_Helper::Format("a", "v", "x\"<y>&z"), "<a v=\"x&quot;&lt;y&gt;&amp;z\"/>");
    EXPECT_EQ(XML_Helper::Format("a", {{"v", "1\t2\r\n3"}}), "<a v=\"1&#9;2&#13;&#10;3\" />");
    EXPECT_EQ(XML_Helper::Format("a<b", {{"c&d", "&amp;"}}), "<a&lt;b c&amp;d=\"&amp;amp;\" />");
}

TEST(XmlHelperFormat, LongValuesAreNotCut) {
    const std::string value(5000, 'v');
    const std::string name(300, 'n');
    std::vector<XML_KeyVal> attributes(20, XML_KeyVal(name, value));
    std::string xml = XML_Helper::Format("alarm", attributes);
    EXPECT_EQ(xml.size(), std::string("<alarm />").size() + 20 * (name.size() + value.size() + 4));
    EXPECT_EQ(xml.substr(xml.size() - 8), "vvvv\" />");
}

// ---- Reading attributes back, through the document.

using XmlHelperGetAttr = XmlTest;

TEST_F(XmlHelperGetAttr, ReadsAlarmAttributes) {
    CXMLDOMDocument2 document = Loaded(
        "<alarmxml><alarm name=\"a\" start_time=\"124:2:5:9:7:0\" repeat=\"12\" /><alarm name=\"b\" /></alarmxml>");
    CXMLDOMNodeList alarms = document.SelectNodes("//alarmxml/alarm");
    ASSERT_EQ(alarms.GetLength(), 2);
    EXPECT_EQ(XML_Helper::GetAttr(alarms.GetItem(0), "repeat"), "12");
    EXPECT_EQ(XML_Helper::String2Int(XML_Helper::GetAttr(alarms.GetItem(0), "repeat")), 12);
    EXPECT_EQ(XML_Helper::GetAttr(alarms.GetItem(0), "start_time"), "124:2:5:9:7:0");
    EXPECT_EQ(XML_Helper::GetAttr(alarms.GetItem(1), "repeat"), "");
    EXPECT_EQ(XML_Helper::GetAttr(alarms.GetItem(2), "name"), "") << "past the end";
    EXPECT_EQ(XML_Helper::GetAttr(document.SelectNodes("//alarm/@name").GetItem(0), "name"), "") << "not an element";
}

TEST_F(XmlHelperGetAttr, FormattedRecordsReadBackUnchanged) {
    const std::vector<std::string> values = {"Tea",        "喝茶",       "",         "a\"b", "<x>&amp;</x>",
                                             "1\t2\r\n3 ", "  padded  ", "'single'", "]]>"};
    for (const std::string& value : values) {
        CXMLDOMDocument2 document = NewDocument();
        const std::string xml = "<alarmxml>" + XML_Helper::Format("alarm", {{"name", value}}) +
                                XML_Helper::Format("alarm", "name", value) + "</alarmxml>";
        ASSERT_TRUE(XML_Helper::OpenXMLFromMemory(xml.c_str(), document)) << xml;
        CXMLDOMNodeList alarms = document.SelectNodes("//alarmxml/alarm");
        ASSERT_EQ(alarms.GetLength(), 2);
        EXPECT_EQ(XML_Helper::GetAttr(alarms.GetItem(0), "name"), value);
        EXPECT_EQ(XML_Helper::GetAttr(alarms.GetItem(1), "name"), value);
    }
}

// ---- Files.

class XmlHelperFile : public XmlTest {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("xml_helper_test_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string Write(const char* name, const std::string& contents) {
        std::filesystem::path path = folder_ / name;
        std::ofstream(path, std::ios::binary) << contents;
        return path.string();
    }

    std::filesystem::path folder_;
};

TEST_F(XmlHelperFile, ReadsTheWholeFile) {
    const std::string contents("line 1\r\n\0\xFF\x80 end", 16);
    std::string buffer;
    ASSERT_TRUE(XML_Helper::ReadFile2Buf(Write("bytes.bin", contents), buffer));
    EXPECT_EQ(buffer, contents);

    EXPECT_FALSE(XML_Helper::ReadFile2Buf((folder_ / "missing.xml").string(), buffer));
    EXPECT_EQ(buffer, "");
}

TEST_F(XmlHelperFile, OpensADescriptorFile) {
    CXMLDOMDocument2 document = NewDocument();
    ASSERT_TRUE(XML_Helper::OpenXMLFromFile(
        Write("Calendar.xml",
              "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n<widget><file>qvcalendar.dll</file>"
              "<name>日历</name></widget>\r\n"),
        document));
    EXPECT_EQ(SelectedTexts(document, "//widget/name"), std::vector<std::string>{"日历"});

    EXPECT_FALSE(XML_Helper::OpenXMLFromFile((folder_ / "missing.xml").string(), document));
    EXPECT_EQ(CountOf(document, "//widget"), 1) << "an unreadable file leaves the document as it was";
}

TEST_F(XmlHelperFile, RefusesAFileWithANul) {
    CXMLDOMDocument2 document = NewDocument();
    EXPECT_FALSE(XML_Helper::OpenXMLFromFile(Write("nul.xml", std::string("<a/>\0garbage", 12)), document));
    EXPECT_EQ(CountOf(document, "//*"), 0);
}

}  // namespace
