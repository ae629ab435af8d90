// The DOM back end of the native build: libxml2 with its XPath 1.0 engine.
//
// A parsed tree is shared (std::shared_ptr<xmlDoc>) by the document and by
// every list and node taken from it, so a node outlives its document handle
// and a reload: the document only swaps in a new tree.

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <climits>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "common/text_encoding.h"
#include "xml/dom_backend.h"

namespace {

using Tree = std::shared_ptr<xmlDoc>;

const xmlChar* AsXmlChars(const std::string& utf8) {
    return reinterpret_cast<const xmlChar*>(utf8.c_str());
}

std::string_view AsView(const xmlChar* text) {
    return text == nullptr ? std::string_view() : std::string_view(reinterpret_cast<const char*>(text));
}

struct XmlFree {
    void operator()(xmlChar* p) const { xmlFree(p); }
    void operator()(xmlParserCtxt* p) const { xmlFreeParserCtxt(p); }
    void operator()(xmlXPathContext* p) const { xmlXPathFreeContext(p); }
    void operator()(xmlXPathObject* p) const { xmlXPathFreeObject(p); }
};
template <typename T>
using XmlOwned = std::unique_ptr<T, XmlFree>;

Tree NewEmptyTree() {
    xmlDoc* doc = xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0"));
    if (doc == nullptr) {
        throw std::bad_alloc();
    }
    return Tree(doc, xmlFreeDoc);
}

class TreeNode final : public qvxml::DomNode {
public:
    TreeNode(Tree tree, xmlNode* node) : tree_(std::move(tree)), node_(node) {}
    std::string Text() override;
    std::shared_ptr<qvxml::DomNamedNodeMap> Attributes() override;

private:
    Tree tree_;
    xmlNode* node_;
};

class ElementAttributes final : public qvxml::DomNamedNodeMap {
public:
    ElementAttributes(Tree tree, xmlNode* element) : tree_(std::move(tree)), element_(element) {}
    std::shared_ptr<qvxml::DomNode> NamedItem(std::string_view name) override;

private:
    Tree tree_;
    xmlNode* element_;
};

std::string TreeNode::Text() {
    // xmlNodeGetContent gives what DOM "text" means: the value of an
    // attribute, the content of a text, CDATA or comment node, and all text
    // and CDATA below an element or the document.
    XmlOwned<xmlChar> content(xmlNodeGetContent(node_));
    return Utf8ToGbk(AsView(content.get()));
}

std::shared_ptr<qvxml::DomNamedNodeMap> TreeNode::Attributes() {
    if (node_->type != XML_ELEMENT_NODE) {
        return nullptr;
    }
    return std::make_shared<ElementAttributes>(tree_, node_);
}

// The attribute's qualified name as it was written: "prefix:local" or "local".
std::string QualifiedName(const xmlAttr* attribute) {
    std::string name;
    if (attribute->ns != nullptr && attribute->ns->prefix != nullptr) {
        name = AsView(attribute->ns->prefix);
        name += ':';
    }
    name += AsView(attribute->name);
    return name;
}

std::shared_ptr<qvxml::DomNode> ElementAttributes::NamedItem(std::string_view name) {
    const std::string wanted = GbkToUtf8(name);
    for (xmlAttr* attribute = element_->properties; attribute != nullptr; attribute = attribute->next) {
        if (QualifiedName(attribute) == wanted) {
            return std::make_shared<TreeNode>(tree_, reinterpret_cast<xmlNode*>(attribute));
        }
    }
    return nullptr;
}

class NodeList final : public qvxml::DomNodeList {
public:
    NodeList(Tree tree, std::vector<xmlNode*> nodes) : tree_(std::move(tree)), nodes_(std::move(nodes)) {}
    long Length() override { return static_cast<long>(nodes_.size()); }
    std::shared_ptr<qvxml::DomNode> Item(long index) override {
        return std::make_shared<TreeNode>(tree_, nodes_.at(static_cast<std::size_t>(index)));
    }

private:
    Tree tree_;
    std::vector<xmlNode*> nodes_;
};

// Parser errors are results here, not messages for the console.
void IgnoreStructuredError(void*, xmlError*) {}

// A few XPath errors (an unknown function) bypass the context's handler and
// go to the thread's generic handler; it is silenced while we evaluate.
void IgnoreGenericError(void*, const char*, ...) {}

class QuietGenericErrors {
public:
    QuietGenericErrors() : handler_(xmlGenericError), context_(xmlGenericErrorContext) {
        xmlSetGenericErrorFunc(nullptr, IgnoreGenericError);
    }
    ~QuietGenericErrors() { xmlSetGenericErrorFunc(context_, handler_); }
    QuietGenericErrors(const QuietGenericErrors&) = delete;
    QuietGenericErrors& operator=(const QuietGenericErrors&) = delete;

private:
    xmlGenericErrorFunc handler_;
    void* context_;
};

// A document type declaration stops the parse before its internal subset
// is read: no entity is declared or expanded and nothing outside the text
// is fetched. MSXML 6 refuses DTDs by default as well.
void RejectDocumentType(void* context, const xmlChar*, const xmlChar*, const xmlChar*) {
    xmlStopParser(static_cast<xmlParserCtxt*>(context));
}

class Document final : public qvxml::DomDocument {
public:
    Document() : tree_(NewEmptyTree()) {}

    void SetProperty(std::string_view name, const XmlVariant& value) override {
        // Selections are XPath 1.0 whatever is set; saying so is all that is accepted.
        const std::string* text = std::get_if<std::string>(&value);
        if (name != "SelectionLanguage" || text == nullptr || *text != "XPath") {
            ThrowComException(kComErrorInvalidArgument);
        }
    }
    void SetAsync(bool) override {}
    void SetPreserveWhiteSpace(bool preserve) override { preserveWhiteSpace_ = preserve; }
    bool Load(std::string_view text) override;
    std::shared_ptr<qvxml::DomNodeList> SelectNodes(std::string_view xpath) override;

private:
    xmlDoc* Parse(const std::string& utf8) const;

    Tree tree_;
    bool preserveWhiteSpace_ = false;
};

xmlDoc* Document::Parse(const std::string& utf8) const {
    if (utf8.size() > static_cast<std::size_t>(INT_MAX)) {
        return nullptr;
    }
    XmlOwned<xmlParserCtxt> context(xmlNewParserCtxt());
    if (context == nullptr) {
        throw std::bad_alloc();
    }
    context->sax->internalSubset = RejectDocumentType;
    context->sax->serror = IgnoreStructuredError;
    int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_IGNORE_ENC;
    if (!preserveWhiteSpace_) {
        options |= XML_PARSE_NOBLANKS;
    }
    xmlDoc* doc =
        xmlCtxtReadMemory(context.get(), utf8.data(), static_cast<int>(utf8.size()), nullptr, "UTF-8", options);
    if (doc != nullptr && (context->errNo == XML_ERR_USER_STOP || !context->wellFormed)) {
        xmlFreeDoc(doc);
        doc = nullptr;
    }
    return doc;
}

bool Document::Load(std::string_view text) {
    xmlDoc* doc = Parse(GbkToUtf8(text));
    if (doc == nullptr) {
        tree_ = NewEmptyTree();
        return false;
    }
    tree_ = Tree(doc, xmlFreeDoc);
    return true;
}

std::shared_ptr<qvxml::DomNodeList> Document::SelectNodes(std::string_view xpath) {
    XmlOwned<xmlXPathContext> context(xmlXPathNewContext(tree_.get()));
    if (context == nullptr) {
        throw std::bad_alloc();
    }
    context->error = IgnoreStructuredError;
    const std::string expression = GbkToUtf8(xpath);
    XmlOwned<xmlXPathObject> result;
    {
        QuietGenericErrors quiet;
        result.reset(xmlXPathEvalExpression(AsXmlChars(expression), context.get()));
    }
    if (result == nullptr || result->type != XPATH_NODESET) {
        ThrowComException(kComErrorFail);
    }
    std::vector<xmlNode*> nodes;
    if (xmlNodeSet* set = result->nodesetval; set != nullptr) {
        xmlXPathNodeSetSort(set);
        for (int i = 0; i < set->nodeNr; ++i) {
            // Namespace nodes are copies owned by the result, freed with it
            // below; the namespace axis therefore selects nothing here.
            if (set->nodeTab[i]->type != XML_NAMESPACE_DECL) {
                nodes.push_back(set->nodeTab[i]);
            }
        }
    }
    return std::make_shared<NodeList>(tree_, std::move(nodes));
}

}  // namespace

CXMLDOMDocument2 CDOMDocumentClass::CreateXMLDOMDocument2(void* outer, std::uint32_t) {
    if (outer != nullptr) {
        ThrowComException(kComErrorNoAggregation);
    }
    static const bool initialised = (xmlInitParser(), true);
    (void)initialised;
    return CXMLDOMDocument2(std::make_shared<Document>());
}
