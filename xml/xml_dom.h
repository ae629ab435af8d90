#pragma once

// Handles over an XML document object model with XPath 1.0 selection.
//
// A handle holds one shared reference to a DOM object, or none (a
// default-constructed handle). Copies share the object; the object lives as
// long as any handle, list or node refers to it, so a node stays readable
// after its document handle and list are gone, and also after the document
// has loaded other text.
//
// Text crossing these handles is GBK. Natively the DOM is libxml2; in
// QvXML.dll it is MSXML (DOMDocument60, else DOMDocument30). Both behave the
// same for everything below.
//
// Errors: a method that reaches the DOM throws `new CComException(code)`
// when the DOM reports a failure. Every method of an empty handle (except
// IsEmpty) throws CComException with kComErrorPointer; none crashes.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>

#include "xml/com_exception.h"
#include "xml/qvxml_api.h"

namespace qvxml {
class DomDocument;
class DomNodeList;
class DomNode;
class DomNamedNodeMap;
}  // namespace qvxml

// A document property value: a flag, a number or a text (GBK).
using XmlVariant = std::variant<bool, std::int32_t, std::string>;

// Common base of the handles: one shared reference to a DOM object or none.
template <typename Interface>
class CInterfaceCallingWrapper {
public:
    CInterfaceCallingWrapper() = default;
    explicit CInterfaceCallingWrapper(std::shared_ptr<Interface> object) : object_(std::move(object)) {}
    CInterfaceCallingWrapper(const CInterfaceCallingWrapper&) = default;
    CInterfaceCallingWrapper& operator=(const CInterfaceCallingWrapper&) = default;
    virtual ~CInterfaceCallingWrapper() = default;

    bool IsEmpty() const { return object_ == nullptr; }

protected:
    const std::shared_ptr<Interface>& Object() const { return object_; }

private:
    std::shared_ptr<Interface> object_;
};

class CXMLDOMNode;

// The attributes of an element, looked up by name.
class QVXML_API CXMLDOMNamedNodeMap : public CInterfaceCallingWrapper<qvxml::DomNamedNodeMap> {
public:
    using CInterfaceCallingWrapper::CInterfaceCallingWrapper;
    ~CXMLDOMNamedNodeMap() override;

    // The attribute called `name` (its qualified name, "prefix:local" when it
    // has a prefix), or an empty handle when the element has none. Whether
    // namespace declarations (xmlns, xmlns:p) count as attributes is the
    // DOM's choice: not natively nor in Wine's MSXML, but in Windows' MSXML.
    CXMLDOMNode GetNamedItem(std::string_view name) const;
};

// One node: element, attribute, text, CDATA section, comment ...
class QVXML_API CXMLDOMNode : public CInterfaceCallingWrapper<qvxml::DomNode> {
public:
    using CInterfaceCallingWrapper::CInterfaceCallingWrapper;
    ~CXMLDOMNode() override;

    // The text of the node: for an element or the document all text and CDATA
    // below it, concatenated in document order (comments and processing
    // instructions left out); for an attribute its value; for a text node,
    // CDATA section or comment its content. White space is kept as loaded.
    std::string GetText() const;

    // The attributes of an element; an empty handle for any other kind of node.
    CXMLDOMNamedNodeMap GetAttributes() const;
};

// The result of a selection: nodes in document order.
class QVXML_API CXMLDOMNodeList : public CInterfaceCallingWrapper<qvxml::DomNodeList> {
public:
    using CInterfaceCallingWrapper::CInterfaceCallingWrapper;
    ~CXMLDOMNodeList() override;

    long GetLength() const;

    // The node at `index` (from 0), or an empty handle outside 0..length-1.
    CXMLDOMNode GetItem(long index) const;
};

// A document and its settings. Settings are kept across loads.
class QVXML_API CXMLDOMDocument2 : public CInterfaceCallingWrapper<qvxml::DomDocument> {
public:
    using CInterfaceCallingWrapper::CInterfaceCallingWrapper;
    ~CXMLDOMDocument2() override;

    // Known everywhere: "SelectionLanguage" = "XPath" (selections are XPath
    // 1.0 in both builds). In QvXML.dll the other MSXML properties pass
    // through to MSXML; natively any other name or value throws
    // kComErrorInvalidArgument.
    void SetProperty(std::string_view name, const XmlVariant& value);
    // Loading is always synchronous; the flag is kept for MSXML.
    void SetAsync(int async);
    // Non-zero keeps text nodes of white space only (callers always set 1).
    // With 0 such nodes between elements may be dropped; how exactly is the
    // DOM's own rule.
    void SetPreserveWhiteSpace(int preserve);

    // Parses `text` (GBK) and makes it the whole content of the document.
    // Non-zero when the text parsed; otherwise 0 and the document is empty.
    // An XML declaration at the very start is skipped unread: the text is
    // already characters, so its encoding name means nothing. Refused like
    // malformed text: a document type declaration (DTD) and a NUL character.
    // A null pointer is the empty text.
    int LoadXML(std::string_view text);
    int LoadXML(const char* text);

    // The nodes that the XPath 1.0 expression (GBK) selects, in document
    // order; an empty list when nothing matches. An invalid expression, or
    // one whose value is not a node set (such as "count(//a)"), throws.
    CXMLDOMNodeList SelectNodes(std::string_view xpath) const;
};

// Creates documents.
class QVXML_API CDOMDocumentClass {
public:
    // The creation context flags callers pass (COM class contexts): 23 is
    // CLSCTX_ALL, 7 the in-process server and handler and the local server.
    static constexpr std::uint32_t kContextAll = 23;
    static constexpr std::uint32_t kContextLocal = 7;

    // A handle holding a new, empty document. `outer` must be null (documents
    // cannot be aggregated); `contextFlags` is the COM class context in
    // QvXML.dll and unused natively. Throws CComException when no document
    // can be created.
    static CXMLDOMDocument2 CreateXMLDOMDocument2(void* outer = nullptr, std::uint32_t contextFlags = kContextAll);
};
