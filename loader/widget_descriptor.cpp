#include "loader/widget_descriptor.h"

#include "common/xml_encoding.h"
#include "loader/http_date.h"
#include "xml/xml_dom.h"
#include "xml/xml_helper.h"

namespace {

// The text of the first node `xpath` selects; empty when there is none.
std::string FirstText(const CXMLDOMDocument2& document, std::string_view xpath) {
    CXMLDOMNodeList nodes = document.SelectNodes(xpath);
    if (nodes.GetLength() < 1) {
        return {};
    }
    return nodes.GetItem(0).GetText();
}

}  // namespace

std::optional<WidgetDescriptor> ParseWidgetDescriptor(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    const std::string gbk = XmlDocumentAsGbk(text);
    if (gbk.empty()) {
        return std::nullopt;
    }
    try {
        CXMLDOMDocument2 document = CDOMDocumentClass::CreateXMLDOMDocument2();
        document.SetProperty("SelectionLanguage", std::string("XPath"));
        document.SetAsync(0);
        document.SetPreserveWhiteSpace(1);
        if (document.LoadXML(std::string_view(gbk)) == 0) {
            return std::nullopt;
        }
        WidgetDescriptor descriptor;
        descriptor.file = FirstText(document, "//widget/file");
        descriptor.name = FirstText(document, "//widget/name");
        descriptor.author = FirstText(document, "//widget/author");
        descriptor.url = FirstText(document, "//widget/URL");
        descriptor.description = FirstText(document, "//widget/description");
        descriptor.version = XML_Helper::String2Int(FirstText(document, "//widget/version"));
        descriptor.buildTime = BuildTimeFromHttpDate(FirstText(document, "//widget/buildtime"));
        if (descriptor.file.empty() || descriptor.name.empty()) {
            return std::nullopt;
        }
        return descriptor;
    } catch (CComException* error) {
        delete error;
        return std::nullopt;
    }
}
