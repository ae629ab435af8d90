#include "loader/widget_descriptor.h"

#include <cctype>

#include "common/text_encoding.h"
#include "loader/http_date.h"
#include "xml/xml_dom.h"
#include "xml/xml_helper.h"

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

bool StartsWith(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

// True when the XML declaration at the start of `text` names UTF-8 as its
// encoding. Our XML layer reads every text as GBK, so such a text is
// converted before it is parsed.
bool DeclaresUtf8(std::string_view text) {
    if (!StartsWith(text, "<?xml")) {
        return false;
    }
    std::string_view declaration = text.substr(0, text.find("?>"));
    std::size_t at = declaration.find("encoding");
    if (at == std::string_view::npos) {
        return false;
    }
    std::string_view rest = declaration.substr(at + 8);
    std::size_t quote = rest.find_first_of("\"'");
    if (quote == std::string_view::npos) {
        return false;
    }
    std::string_view value = rest.substr(quote + 1, 5);
    std::string lower;
    for (char c : value) {
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower == "utf-8" || lower.substr(0, 4) == "utf8";
}

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
    std::string gbk;
    if (StartsWith(text, kUtf8ByteOrderMark)) {
        gbk = Utf8ToGbk(text.substr(kUtf8ByteOrderMark.size()));
    } else if (DeclaresUtf8(text)) {
        gbk = Utf8ToGbk(text);
    } else {
        gbk = std::string(text);
    }
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
