#include "xml/xml_helper.h"

#include <utility>

#include "common/file_io.h"

namespace {

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Splits `text` at every `separator`; the empty text has no pieces.
std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    if (text.empty()) {
        return pieces;
    }
    std::size_t start = 0;
    for (;;) {
        std::size_t end = text.find(separator, start);
        if (end == std::string_view::npos) {
            pieces.push_back(text.substr(start));
            return pieces;
        }
        pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

std::vector<int> SplitToInts(std::string_view text, char separator) {
    std::vector<int> values;
    for (std::string_view piece : Split(text, separator)) {
        values.push_back(XML_Helper::String2Int(piece));
    }
    return values;
}

// Appends `text` with the characters that would end or change an attribute
// value written as an XML entity or character reference. Byte by byte is
// right for GBK: its second bytes are 0x40 and above, so none of these
// characters is ever part of a Chinese character.
void AppendEscaped(std::string& out, std::string_view text) {
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\t':
                out += "&#9;";
                break;
            case '\n':
                out += "&#10;";
                break;
            case '\r':
                out += "&#13;";
                break;
            default:
                out += c;
                break;
        }
    }
}

void AppendAttribute(std::string& out, std::string_view name, std::string_view value) {
    AppendEscaped(out, name);
    out += "=\"";
    AppendEscaped(out, value);
    out += '"';
}

}  // namespace

XML_KeyVal::XML_KeyVal(std::string attributeName, std::string attributeValue)
    : name(std::move(attributeName)), value(std::move(attributeValue)) {}

XML_KeyVal::~XML_KeyVal() = default;

bool XML_Helper::OpenXMLFromMemory(const char* text, CXMLDOMDocument2& document) {
    if (text == nullptr) {
        return false;
    }
    try {
        return document.LoadXML(text) != 0;
    } catch (CComException* error) {
        delete error;
        return false;
    }
}

bool XML_Helper::OpenXMLFromFile(const std::string& path, CXMLDOMDocument2& document) {
    std::string contents;
    if (!ReadFile2Buf(path, contents)) {
        return false;
    }
    // The whole buffer, not up to a NUL in it: LoadXML refuses a NUL, where
    // reading it as a C string would load only the part before it.
    try {
        return document.LoadXML(std::string_view(contents)) != 0;
    } catch (CComException* error) {
        delete error;
        return false;
    }
}

bool XML_Helper::ReadFile2Buf(const std::string& path, std::string& buffer) {
    return ReadWholeFile(path, buffer);
}

std::string XML_Helper::GetAttr(const CXMLDOMNode& node, std::string_view name) {
    try {
        if (node.IsEmpty()) {
            return {};
        }
        CXMLDOMNamedNodeMap attributes = node.GetAttributes();
        if (attributes.IsEmpty()) {
            return {};
        }
        CXMLDOMNode attribute = attributes.GetNamedItem(name);
        return attribute.IsEmpty() ? std::string() : attribute.GetText();
    } catch (CComException* error) {
        delete error;
        return {};
    }
}

int XML_Helper::String2Int(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Unsigned arithmetic wraps instead of overflowing.
    std::uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
    }
    return static_cast<int>(negative ? 0u - value : value);
}

bool XML_Helper::String2bool(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower == "true" || lower == "t" || lower == "yes" || lower == "y";
}

geometry::Rect XML_Helper::String2Rect(std::string_view text, char separator) {
    std::vector<int> v = SplitToInts(text, separator);
    return v.size() < 4 ? geometry::Rect{} : geometry::Rect{v[0], v[1], v[2], v[3]};
}

geometry::Size XML_Helper::String2Size(std::string_view text, char separator) {
    std::vector<int> v = SplitToInts(text, separator);
    return v.size() < 2 ? geometry::Size{} : geometry::Size{v[0], v[1]};
}

geometry::Point XML_Helper::String2Point(std::string_view text, char separator) {
    std::vector<int> v = SplitToInts(text, separator);
    return v.size() < 2 ? geometry::Point{} : geometry::Point{v[0], v[1]};
}

std::uint32_t XML_Helper::String2RGB(std::string_view text, char separator) {
    std::vector<int> v = SplitToInts(text, separator);
    if (v.size() < 3) {
        return 0;
    }
    auto byte = [](int component) { return static_cast<std::uint32_t>(component) & 0xFFu; };
    return byte(v[2]) << 16 | byte(v[1]) << 8 | byte(v[0]);
}

std::string XML_Helper::Format(std::string_view element, std::string_view attribute, std::string_view value) {
    std::string out = "<";
    AppendEscaped(out, element);
    out += ' ';
    AppendAttribute(out, attribute, value);
    out += "/>";
    return out;
}

std::string XML_Helper::Format(std::string_view element, const std::vector<XML_KeyVal>& attributes) {
    std::string out = "<";
    AppendEscaped(out, element);
    out += ' ';
    for (const XML_KeyVal& pair : attributes) {
        AppendAttribute(out, pair.name, pair.value);
        out += ' ';
    }
    out += "/>";
    return out;
}
