#include "xml/xml_dom.h"

#include "xml/dom_backend.h"

namespace {

template <typename Interface>
Interface& Require(const std::shared_ptr<Interface>& object) {
    if (object == nullptr) {
        ThrowComException(kComErrorPointer);
    }
    return *object;
}

bool IsXmlSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The text without an XML declaration ("<?xml", white space, ..., "?>") at its
// very start. The declaration is not parsed: the text is already decoded, and
// an encoding name in it (often GB2312) must not change how it is read. A
// declaration anywhere else stays, and the parser refuses it.
std::string_view WithoutXmlDeclaration(std::string_view text) {
    constexpr std::string_view kOpen = "<?xml";
    if (text.substr(0, kOpen.size()) != kOpen || text.size() == kOpen.size() || !IsXmlSpace(text[kOpen.size()])) {
        return text;
    }
    std::size_t close = text.find("?>", kOpen.size());
    return close == std::string_view::npos ? text : text.substr(close + 2);
}

}  // namespace

CXMLDOMNamedNodeMap::~CXMLDOMNamedNodeMap() = default;

CXMLDOMNode CXMLDOMNamedNodeMap::GetNamedItem(std::string_view name) const {
    qvxml::DomNamedNodeMap& map = Require(Object());
    if (name.find('\0') != std::string_view::npos) {
        return CXMLDOMNode();  // no attribute name holds a NUL
    }
    return CXMLDOMNode(map.NamedItem(name));
}

CXMLDOMNode::~CXMLDOMNode() = default;

std::string CXMLDOMNode::GetText() const {
    return Require(Object()).Text();
}

CXMLDOMNamedNodeMap CXMLDOMNode::GetAttributes() const {
    return CXMLDOMNamedNodeMap(Require(Object()).Attributes());
}

CXMLDOMNodeList::~CXMLDOMNodeList() = default;

long CXMLDOMNodeList::GetLength() const {
    return Require(Object()).Length();
}

CXMLDOMNode CXMLDOMNodeList::GetItem(long index) const {
    qvxml::DomNodeList& list = Require(Object());
    if (index < 0 || index >= list.Length()) {
        return CXMLDOMNode();
    }
    return CXMLDOMNode(list.Item(index));
}

CXMLDOMDocument2::~CXMLDOMDocument2() = default;

void CXMLDOMDocument2::SetProperty(std::string_view name, const XmlVariant& value) {
    Require(Object()).SetProperty(name, value);
}

void CXMLDOMDocument2::SetAsync(int async) {
    Require(Object()).SetAsync(async != 0);
}

void CXMLDOMDocument2::SetPreserveWhiteSpace(int preserve) {
    Require(Object()).SetPreserveWhiteSpace(preserve != 0);
}

int CXMLDOMDocument2::LoadXML(std::string_view text) {
    qvxml::DomDocument& document = Require(Object());
    if (text.find('\0') != std::string_view::npos) {
        // XML has no NUL character, and MSXML would read only up to it.
        // Loading the empty text fails the same way and empties the document.
        document.Load({});
        return 0;
    }
    return document.Load(WithoutXmlDeclaration(text)) ? 1 : 0;
}

int CXMLDOMDocument2::LoadXML(const char* text) {
    return LoadXML(text == nullptr ? std::string_view() : std::string_view(text));
}

CXMLDOMNodeList CXMLDOMDocument2::SelectNodes(std::string_view xpath) const {
    qvxml::DomDocument& document = Require(Object());
    if (xpath.find('\0') != std::string_view::npos) {
        ThrowComException(kComErrorInvalidArgument);  // no valid expression holds a NUL
    }
    return CXMLDOMNodeList(document.SelectNodes(xpath));
}
