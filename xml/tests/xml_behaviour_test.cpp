// Behaviour of the document handles. The same cases run against libxml2
// (native build) and against QvXML.dll with MSXML (Windows build, Wine), so
// the two DOMs must agree on every one of them.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "xml/tests/xml_test_support.h"

namespace {

// Test names from the cases' own names.
template <typename Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& param) {
    return param.param.name;
}

// ---- Selections: what SelectNodes finds, in which order, and GetText of each.

struct SelectionCase {
    const char* name;
    const char* xml;
    const char* xpath;
    std::vector<std::string> texts;
};

const SelectionCase kSelectionCases[] = {
    {"WidgetDescriptorName",
     "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n<widget>\r\n  <file>qvcalendar.dll</file>\r\n"
     "  <name>日历</name>\r\n  <author>作者</author>\r\n</widget>\r\n",
     "//widget/name",
     {"日历"}},
    {"AlarmsInDocumentOrder",
     "<alarmxml><alarm name=\"c\" repeat=\"1\" /><alarm name=\"a\" /><alarm name=\"b\" /></alarmxml>",
     "//alarmxml/alarm/@name",
     {"c", "a", "b"}},
    {"NestedMatchesInDocumentOrder", "<r><a>1<a>2</a></a><b><a>3</a></b><a>4</a></r>", "//a", {"12", "2", "3", "4"}},
    {"UnionInDocumentOrder", "<r><b>1</b><c>2</c><b>3</b></r>", "//c | //b", {"1", "2", "3"}},
    {"ReverseAxisInDocumentOrder", "<r><a>1</a><a>2</a><a>3</a></r>", "/r/a[3]/preceding-sibling::a", {"1", "2"}},
    {"AttributePredicate", "<a><b x=\"2\">two</b><b x=\"1\">one</b></a>", "/a/b[@x='1']", {"one"}},
    {"PositionPredicate", "<a><b>1</b><b>2</b><b>3</b></a>", "/a/b[2]", {"2"}},
    {"ChineseNamesAndValues",
     "<alarmxml><alarm 名称=\"喝茶\">下午</alarm><alarm 名称=\"开会\">上午</alarm></alarmxml>",
     "//alarm[@名称='喝茶']",
     {"下午"}},
    {"NoMatch", "<a><b/></a>", "//c", {}},
    {"TextAndCdataOfDescendants", "<a>x<b>y<![CDATA[<z>&]]></b><!--c--><?p q?>w</a>", "/a", {"xy<z>&w"}},
    {"DocumentNodeText", "<a>x<b>y</b></a>", "/", {"xy"}},
    {"WhiteSpaceKept", "<a>  x <b> y </b>\n</a>", "/a", {"  x  y \n"}},
    {"WhiteSpaceOnlyNodesKept", "<a> <b/>\t</a>", "/a/text()", {" ", "\t"}},
    {"LineEndsNormalised", "<a>1\r\n2\r3</a>", "/a", {"1\n2\n3"}},
    {"EntitiesAndCharacterReferences", "<a>&lt;&amp;&gt;&quot;&apos;&#x4E2D;&#25991;</a>", "/a", {"<&>\"'中文"}},
    {"CharacterOutsideGbk", "<a>x&#x1F600;y</a>", "/a", {"x?y"}},
    {"BadGbkByteReadAsReplacement", "<a>x\xFFy</a>", "/a", {"x?y"}},
    {"AttributeValueNormalised", "<a v=\"1&#9;2\n3 &lt;\"/>", "/a/@v", {"1\t2 3 <"}},
    {"CommentNode", "<a><!-- note --></a>", "//comment()", {" note "}},
};

void PrintTo(const SelectionCase& c, std::ostream* out) {
    *out << c.name;
}

using Selection = XmlTableTest<SelectionCase>;

TEST_P(Selection, FindsTextsInDocumentOrder) {
    const SelectionCase& c = GetParam();
    CXMLDOMDocument2 document = Loaded(c.xml);
    EXPECT_EQ(SelectedTexts(document, c.xpath), c.texts);
}

INSTANTIATE_TEST_SUITE_P(Xml, Selection, ::testing::ValuesIn(kSelectionCases), CaseName<SelectionCase>);

// ---- Loading: which texts load, and what the document holds afterwards.

struct LoadCase {
    const char* name;
    const char* text;
    bool loads;
    long elements;  // //* afterwards: the new text's elements, or 0 (empty)
};

const LoadCase kLoadCases[] = {
    {"Plain", "<a><b/></a>", true, 2},
    {"Gb2312DeclarationWithChinese", "<?xml version=\"1.0\" encoding=\"GB2312\"?><名称>日历</名称>", true, 1},
    {"Utf8DeclarationIgnored", "<?xml version='1.0' encoding='UTF-8' standalone='yes'?>\n<a/>", true, 1},
    {"CommentsAndInstructionsAroundRoot", "<!--x--><a/><?p q?>\n", true, 1},
    {"Empty", "", false, 0},
    {"DeclarationOnly", "<?xml version=\"1.0\"?>", false, 0},
    {"ElementNeverClosed", "<alarmxml><alarm name=\"a\">", false, 0},
    {"ElementsCrossed", "<a><b></a></b>", false, 0},
    {"CaseMismatch", "<a></A>", false, 0},
    {"TwoRoots", "<a/><b/>", false, 0},
    {"TextWithoutElement", "abc", false, 0},
    {"UndefinedEntity", "<a>&nope;</a>", false, 0},
    {"BareAmpersand", "<a>x & y</a>", false, 0},
    {"LessThanInAttribute", "<a b=\"<\"/>", false, 0},
    {"DuplicateAttribute", "<a b=\"1\" b=\"2\"/>", false, 0},
    {"UnquotedAttribute", "<a b=1/>", false, 0},
    {"ControlCharacter", "<a>\x01</a>", false, 0},
    {"DeclarationNotAtStart", " <?xml version=\"1.0\"?><a/>", false, 0},
    {"DocumentTypeWithEntity", "<!DOCTYPE a [<!ENTITY e \"x\">]><a>&e;</a>", false, 0},
    {"DocumentTypeOnly", "<!DOCTYPE a><a/>", false, 0},
    {"ExternalDocumentType", "<!DOCTYPE a SYSTEM \"a.dtd\"><a/>", false, 0},
};

void PrintTo(const LoadCase& c, std::ostream* out) {
    *out << c.name;
}

using Load = XmlTableTest<LoadCase>;

TEST_P(Load, ReplacesOrEmptiesTheDocument) {
    const LoadCase& c = GetParam();
    CXMLDOMDocument2 document = Loaded("<old><x/><x/></old>");
    EXPECT_EQ(XML_Helper::OpenXMLFromMemory(c.text, document), c.loads);
    EXPECT_EQ(CountOf(document, "//*"), c.elements);
    EXPECT_EQ(CountOf(document, "//x"), 0) << "nothing of the earlier text may remain";
}

INSTANTIATE_TEST_SUITE_P(Xml, Load, ::testing::ValuesIn(kLoadCases), CaseName<LoadCase>);

TEST_F(XmlTest, NullTextLeavesTheDocumentUntouched) {
    CXMLDOMDocument2 document = Loaded("<a><b/></a>");
    EXPECT_FALSE(XML_Helper::OpenXMLFromMemory(nullptr, document));
    EXPECT_EQ(CountOf(document, "//b"), 1);
}

TEST_F(XmlTest, TextWithNulIsRefusedWhateverFollows) {
    CXMLDOMDocument2 document = Loaded("<old/>");
    const std::string text("<a/>\0<b/>", 9);
    EXPECT_EQ(document.LoadXML(text), 0);
    EXPECT_EQ(CountOf(document, "//*"), 0);
}

TEST_F(XmlTest, NewDocumentIsEmpty) {
    EXPECT_EQ(CountOf(NewDocument(), "//alarmxml/alarm"), 0);
}

TEST_F(XmlTest, SettingsAreKeptAcrossLoads) {
    CXMLDOMDocument2 document = NewDocument();
    document.SetPreserveWhiteSpace(0);
    ASSERT_TRUE(XML_Helper::OpenXMLFromMemory("<a> <b/> </a>", document));
    EXPECT_EQ(CountOf(document, "/a/text()"), 0);

    document.SetPreserveWhiteSpace(1);
    ASSERT_TRUE(XML_Helper::OpenXMLFromMemory("<a> <b/> </a>", document));
    ASSERT_TRUE(XML_Helper::OpenXMLFromMemory("<c> <d/> </c>", document));
    EXPECT_EQ(CountOf(document, "/c/text()"), 2);
}

// ---- Handles: sharing, lifetime, bounds.

TEST_F(XmlTest, CopiesOfAHandleShareOneDocument) {
    CXMLDOMDocument2 document = NewDocument();
    CXMLDOMDocument2 copy = document;
    ASSERT_TRUE(XML_Helper::OpenXMLFromMemory("<a><b/></a>", copy));
    EXPECT_EQ(CountOf(document, "//b"), 1);
}

TEST_F(XmlTest, NodesOutliveTheirDocumentAndAReload) {
    CXMLDOMNode name;
    CXMLDOMNode attribute;
    {
        CXMLDOMDocument2 document = Loaded("<alarmxml><alarm name=\"喝茶\">下午三点</alarm></alarmxml>");
        CXMLDOMNodeList list = document.SelectNodes("//alarm");
        name = list.GetItem(0);
        attribute = name.GetAttributes().GetNamedItem("name");
        ASSERT_TRUE(XML_Helper::OpenXMLFromMemory("<other>x</other>", document));
    }
    EXPECT_EQ(name.GetText(), "下午三点");
    EXPECT_EQ(attribute.GetText(), "喝茶");
}

TEST_F(XmlTest, GetItemOutsideTheListGivesAnEmptyHandle) {
    CXMLDOMNodeList list = Loaded("<a><b>0</b><b>1</b><b>2</b></a>").SelectNodes("/a/b");
    ASSERT_EQ(list.GetLength(), 3);
    for (long index : {-1L, 3L, 1000L}) {
        EXPECT_TRUE(list.GetItem(index).IsEmpty()) << index;
    }
    for (long index = 0; index < 3; ++index) {
        EXPECT_EQ(list.GetItem(index).GetText(), std::to_string(index));
    }
}

// ---- Attributes.

TEST_F(XmlTest, NamedItemFindsAttributesByQualifiedName) {
    CXMLDOMDocument2 document = Loaded("<a repeat=\"12\" x:b=\"in x\" 名称=\"喝茶\" xmlns:x=\"urn:x\"/>");
    CXMLDOMNamedNodeMap attributes = document.SelectNodes("/*").GetItem(0).GetAttributes();
    ASSERT_FALSE(attributes.IsEmpty());
    EXPECT_EQ(attributes.GetNamedItem("repeat").GetText(), "12");
    EXPECT_EQ(attributes.GetNamedItem("x:b").GetText(), "in x");
    EXPECT_EQ(attributes.GetNamedItem("名称").GetText(), "喝茶");
    EXPECT_TRUE(attributes.GetNamedItem("b").IsEmpty());
    EXPECT_TRUE(attributes.GetNamedItem("REPEAT").IsEmpty());
    EXPECT_TRUE(attributes.GetNamedItem("").IsEmpty());
    EXPECT_TRUE(attributes.GetNamedItem(std::string("repeat\0x", 8)).IsEmpty());
}

TEST_F(XmlTest, OnlyElementsHaveAttributes) {
    CXMLDOMDocument2 document = Loaded("<a b=\"1\">text<!--c--></a>");
    for (const char* xpath : {"/a/text()", "/a/@b", "//comment()", "/"}) {
        EXPECT_TRUE(document.SelectNodes(xpath).GetItem(0).GetAttributes().IsEmpty()) << xpath;
    }
}

// ---- Failures: thrown as CComException* (from inside QvXML.dll on Windows).

TEST_F(XmlTest, BadExpressionsThrowAComException) {
    CXMLDOMDocument2 document = Loaded("<a><b/></a>");
    for (const char* xpath : {"//a[", "", "1 +", "count(//a)", "string(/a)", "//a/@", "foo(//a)"}) {
        EXPECT_LT(ThrownComError([&] { document.SelectNodes(xpath); }), 0) << xpath;
    }
    EXPECT_LT(ThrownComError([&] { document.SelectNodes(std::string("//a\0b", 5)); }), 0);
}

TEST_F(XmlTest, UnknownPropertyThrowsAComException) {
    CXMLDOMDocument2 document = NewDocument();
    EXPECT_LT(ThrownComError([&] { document.SetProperty("NoSuchProperty", "x"); }), 0);
    EXPECT_EQ(ThrownComError([&] { document.SetProperty("SelectionLanguage", "XPath"); }), 0);
}

TEST_F(XmlTest, DocumentsCannotBeAggregated) {
    int outer = 0;
    EXPECT_LT(ThrownComError([&] { CDOMDocumentClass::CreateXMLDOMDocument2(&outer, 23); }), 0);
}

TEST_F(XmlTest, EmptyHandlesThrowInsteadOfCrashing) {
    CXMLDOMDocument2 document;
    CXMLDOMNodeList list;
    CXMLDOMNode node;
    CXMLDOMNamedNodeMap attributes;
    EXPECT_TRUE(document.IsEmpty());
    EXPECT_EQ(ThrownComError([&] { document.SetProperty("SelectionLanguage", "XPath"); }), kComErrorPointer);
    EXPECT_EQ(ThrownComError([&] { document.SetAsync(0); }), kComErrorPointer);
    EXPECT_EQ(ThrownComError([&] { document.SetPreserveWhiteSpace(1); }), kComErrorPointer);
    EXPECT_EQ(ThrownComError([&] { document.LoadXML("<a/>"); }), kComErrorPointer);
    EXPECT_EQ(ThrownComError([&] { document.SelectNodes("/a"); }), kComErrorPointer);
    EXPECT_EQ(ThrownComError([&] { list.GetLength(); }), kComErrorPointer);
    EXPECT_EQ(ThrownComError([&] { list.GetItem(0); }), kComErrorPointer);
    EXPECT_EQ(ThrownComError([&] { node.GetText(); }), kComErrorPointer);
    EXPECT_EQ(ThrownComError([&] { node.GetAttributes(); }), kComErrorPointer);
    EXPECT_EQ(ThrownComError([&] { attributes.GetNamedItem("a"); }), kComErrorPointer);

    // The helpers report instead of throwing.
    EXPECT_FALSE(XML_Helper::OpenXMLFromMemory("<a/>", document));
    EXPECT_EQ(XML_Helper::GetAttr(node, "a"), "");
}

}  // namespace
