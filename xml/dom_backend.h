#pragma once

// What a DOM back end supplies behind the handles of xml_dom.h: libxml2
// natively (dom_libxml2.cpp), MSXML in QvXML.dll (win32/dom_msxml.cpp).
// Each back end also defines CDOMDocumentClass::CreateXMLDOMDocument2.
//
// Strings are GBK; the back end converts at its own boundary. Failures
// throw `new CComException(code)`. The handles have already checked what
// they can (empty handles, indexes, NUL characters), so the back end sees
// only well-formed requests.

#include <memory>
#include <string>
#include <string_view>

#include "xml/xml_dom.h"

namespace qvxml {

class DomNode {
public:
    virtual ~DomNode() = default;
    virtual std::string Text() = 0;
    // Null when the node is not an element.
    virtual std::shared_ptr<DomNamedNodeMap> Attributes() = 0;
};

class DomNamedNodeMap {
public:
    virtual ~DomNamedNodeMap() = default;
    // Null when there is no such attribute.
    virtual std::shared_ptr<DomNode> NamedItem(std::string_view name) = 0;
};

class DomNodeList {
public:
    virtual ~DomNodeList() = default;
    virtual long Length() = 0;
    // `index` is within 0..Length()-1; null if the DOM still has no node there.
    virtual std::shared_ptr<DomNode> Item(long index) = 0;
};

class DomDocument {
public:
    virtual ~DomDocument() = default;
    virtual void SetProperty(std::string_view name, const XmlVariant& value) = 0;
    virtual void SetAsync(bool async) = 0;
    virtual void SetPreserveWhiteSpace(bool preserve) = 0;
    // `text` has no XML declaration and no NUL. True when it parsed and is
    // now the document; false leaves the document empty. A document type
    // declaration makes it false.
    virtual bool Load(std::string_view text) = 0;
    // Never null.
    virtual std::shared_ptr<DomNodeList> SelectNodes(std::string_view xpath) = 0;
};

}  // namespace qvxml
