// Any bytes as a document (libxml2 back end): loading must not crash, a
// failed load must leave the document empty, and reading selections,
// attributes and conversions must stay in bounds. Plain ASCII values must
// also come back unchanged through Format and GetAttr.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "xml/xml_dom.h"
#include "xml/xml_helper.h"

namespace {

void Convert(std::string_view text) {
    XML_Helper::String2Int(text);
    XML_Helper::String2bool(text);
    XML_Helper::String2Rect(text, ',');
    XML_Helper::String2Size(text, 'x');
    XML_Helper::String2Point(text, ':');
    XML_Helper::String2RGB(text, ',');
}

void ReadSelections(const CXMLDOMDocument2& document) {
    for (const char* xpath : {"//widget/name", "//alarmxml/alarm", "//*", "//@*", "//text()", "/"}) {
        CXMLDOMNodeList list = document.SelectNodes(xpath);
        const long length = std::min(list.GetLength(), 64L);
        for (long i = 0; i < length; ++i) {
            CXMLDOMNode node = list.GetItem(i);
            Convert(node.GetText());
            for (const char* name : {"name", "start_time", "repeat"}) {
                Convert(XML_Helper::GetAttr(node, name));
            }
        }
    }
}

bool IsPlainText(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return (c >= 0x20 && c < 0x7F) || c == '\t' || c == '\n' || c == '\r'; });
}

CXMLDOMDocument2 NewDocument(bool preserveWhiteSpace) {
    CXMLDOMDocument2 document = CDOMDocumentClass::CreateXMLDOMDocument2(nullptr, CDOMDocumentClass::kContextAll);
    document.SetProperty("SelectionLanguage", "XPath");
    document.SetAsync(0);
    document.SetPreserveWhiteSpace(preserveWhiteSpace ? 1 : 0);
    return document;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    Convert(text);

    CXMLDOMDocument2 document = NewDocument(size % 2 == 0);
    // Whole input, NULs included, through LoadXML; up to the first NUL
    // through OpenXMLFromMemory.
    const bool loaded = text.find('\0') == std::string::npos ? XML_Helper::OpenXMLFromMemory(text.c_str(), document)
                                                             : document.LoadXML(std::string_view(text)) != 0;
    if (!loaded && document.SelectNodes("//node()").GetLength() != 0) {
        __builtin_trap();  // a failed load must leave the document empty
    }
    if (loaded) {
        ReadSelections(document);
    }

    if (IsPlainText(text)) {
        CXMLDOMDocument2 record = NewDocument(true);
        const std::string xml = XML_Helper::Format("alarm", {{"name", text}});
        if (!XML_Helper::OpenXMLFromMemory(xml.c_str(), record) ||
            XML_Helper::GetAttr(record.SelectNodes("/alarm").GetItem(0), "name") != text) {
            __builtin_trap();
        }
    }
    return 0;
}
