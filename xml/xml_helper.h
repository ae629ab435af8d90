#pragma once

// Loading documents from memory and files, reading attributes, converting
// attribute strings, and writing one-element XML records. All text is GBK.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "xml/geometry.h"
#include "xml/qvxml_api.h"
#include "xml/xml_dom.h"

// One attribute of a record written by XML_Helper::Format: name, then value.
class QVXML_API XML_KeyVal {
public:
    XML_KeyVal() = default;
    XML_KeyVal(std::string attributeName, std::string attributeValue);
    XML_KeyVal(const XML_KeyVal&) = default;
    XML_KeyVal& operator=(const XML_KeyVal&) = default;
    virtual ~XML_KeyVal();

    std::string name;
    std::string value;
};

class QVXML_API XML_Helper {
public:
    XML_Helper() = delete;

    // Loads `text` into `document` with LoadXML. False for a null text (the
    // document is then untouched) and for text that does not parse (the
    // document is then empty). Never throws CComException: a failing
    // document, or an empty handle, also gives false.
    static bool OpenXMLFromMemory(const char* text, CXMLDOMDocument2& document);

    // Reads the whole file (ReadFile2Buf) and loads it like OpenXMLFromMemory.
    // False when the file cannot be read (the document is then untouched).
    static bool OpenXMLFromFile(const std::string& path, CXMLDOMDocument2& document);

    // The whole contents of the file at `path` (GBK path) in `buffer`, which
    // owns it. False, with `buffer` empty, when the file cannot be read.
    static bool ReadFile2Buf(const std::string& path, std::string& buffer);

    // The text of the attribute `name` of `node`; an empty string when the
    // node is empty, is no element, lacks the attribute, or the DOM fails.
    // Never throws CComException.
    static std::string GetAttr(const CXMLDOMNode& node, std::string_view name);

    // The decimal value at the start of `text`, as atoi reads it: white space
    // skipped, an optional sign, digits up to the first non-digit; 0 without
    // digits. Values outside 32 bits wrap around as 32-bit arithmetic does.
    static int String2Int(std::string_view text);

    // True for "true", "t", "yes" and "y" in any letter case; false otherwise.
    static bool String2bool(std::string_view text);

    // The text is cut at every `separator` into pieces, each read with
    // String2Int; "1,,3" has three pieces, the empty text none. Too few
    // pieces give zeros; extra pieces are ignored.
    static geometry::Rect String2Rect(std::string_view text, char separator);    // x, y, width, height
    static geometry::Size String2Size(std::string_view text, char separator);    // width, height
    static geometry::Point String2Point(std::string_view text, char separator);  // x, y
    // Pieces r, g, b (each taken modulo 256) as 0x00bbggrr, red in the low byte.
    static std::uint32_t String2RGB(std::string_view text, char separator);

    // <element attribute="value"/>
    static std::string Format(std::string_view element, std::string_view attribute, std::string_view value);
    // <element a="1" b="2" /> with a blank after every attribute, <element />
    // for an empty list.
    // Both forms escape &, <, >, " and also tab, line feed and carriage
    // return (which a reader would turn into blanks) in names and values, so
    // that values read back as written. Nothing is cut, however long.
    static std::string Format(std::string_view element, const std::vector<XML_KeyVal>& attributes);
};
