// The DOM back end of QvXML.dll: MSXML through COM (DOMDocument60, else
// DOMDocument30). The caller's thread must have initialised COM.

#include <windows.h>

#include <msxml2.h>
#include <oleauto.h>

#include <new>
#include <string>
#include <utility>
#include <variant>

#include "common/text_encoding.h"
#include "common/win32/com.h"
#include "xml/dom_backend.h"

namespace {

// mingw's msxml2.h declares these but no import library defines them.
constexpr IID kIidXmlDomDocument2 = {0x2933bf95, 0x7b36, 0x11d2, {0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98, 0x3e, 0x60}};
constexpr CLSID kClsidDomDocument60 = {0x88d96a05, 0xf192, 0x11d4, {0xa6, 0x5f, 0x00, 0x40, 0x96, 0x32, 0x51, 0xe5}};
constexpr CLSID kClsidDomDocument30 = {0xf5078f32, 0xc551, 0x11d3, {0x89, 0xb9, 0x00, 0x00, 0xf8, 0x1f, 0xe2, 0x21}};

void Check(HRESULT result) {
    if (FAILED(result)) {
        ThrowComException(static_cast<std::int32_t>(result));
    }
}

// An owned BSTR, made from and read back as GBK.
class Bstr {
public:
    Bstr() = default;
    explicit Bstr(std::string_view gbk) {
        std::u16string wide = GbkToUtf16(gbk);
        value_ = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(wide.data()), static_cast<UINT>(wide.size()));
        if (value_ == nullptr) {
            throw std::bad_alloc();
        }
    }
    ~Bstr() { SysFreeString(value_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;

    BSTR get() const { return value_; }
    BSTR release() { return std::exchange(value_, nullptr); }
    BSTR* put() {
        SysFreeString(value_);
        value_ = nullptr;
        return &value_;
    }
    std::string ToGbk() const {
        return Utf16ToGbk(std::u16string_view(reinterpret_cast<const char16_t*>(value_), SysStringLen(value_)));
    }

private:
    BSTR value_ = nullptr;
};

// An owned VARIANT holding a copy of an XmlVariant.
class Variant {
public:
    explicit Variant(const XmlVariant& value) {
        VariantInit(&value_);
        std::visit([this](const auto& v) { Set(v); }, value);
    }
    ~Variant() { VariantClear(&value_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;

    const VARIANT& get() const { return value_; }

private:
    void Set(bool flag) {
        value_.vt = VT_BOOL;
        value_.boolVal = flag ? VARIANT_TRUE : VARIANT_FALSE;
    }
    void Set(std::int32_t number) {
        value_.vt = VT_I4;
        value_.lVal = number;
    }
    void Set(const std::string& text) {
        Bstr owned(text);
        value_.vt = VT_BSTR;
        value_.bstrVal = owned.release();
    }

    VARIANT value_;
};

VARIANT_BOOL ToVariantBool(bool flag) {
    return flag ? VARIANT_TRUE : VARIANT_FALSE;
}

class MsxmlNode final : public qvxml::DomNode {
public:
    explicit MsxmlNode(ComPtr<IXMLDOMNode> node) : node_(std::move(node)) {}
    std::string Text() override {
        Bstr text;
        Check(node_->get_text(text.put()));
        return text.ToGbk();
    }
    std::shared_ptr<qvxml::DomNamedNodeMap> Attributes() override;

private:
    ComPtr<IXMLDOMNode> node_;
};

std::shared_ptr<qvxml::DomNode> MakeNode(ComPtr<IXMLDOMNode> node) {
    return node ? std::make_shared<MsxmlNode>(std::move(node)) : nullptr;
}

class MsxmlAttributes final : public qvxml::DomNamedNodeMap {
public:
    explicit MsxmlAttributes(ComPtr<IXMLDOMNamedNodeMap> map) : map_(std::move(map)) {}
    std::shared_ptr<qvxml::DomNode> NamedItem(std::string_view name) override {
        Bstr wanted(name);
        ComPtr<IXMLDOMNode> attribute;
        Check(map_->getNamedItem(wanted.get(), attribute.put()));
        return MakeNode(std::move(attribute));
    }

private:
    ComPtr<IXMLDOMNamedNodeMap> map_;
};

std::shared_ptr<qvxml::DomNamedNodeMap> MsxmlNode::Attributes() {
    // Only elements have attributes (MSXML also gives the XML declaration some).
    DOMNodeType type = NODE_INVALID;
    Check(node_->get_nodeType(&type));
    if (type != NODE_ELEMENT) {
        return nullptr;
    }
    ComPtr<IXMLDOMNamedNodeMap> map;
    Check(node_->get_attributes(map.put()));
    return map ? std::make_shared<MsxmlAttributes>(std::move(map)) : nullptr;
}

class MsxmlNodeList final : public qvxml::DomNodeList {
public:
    explicit MsxmlNodeList(ComPtr<IXMLDOMNodeList> list) : list_(std::move(list)) {}
    long Length() override {
        long length = 0;
        Check(list_->get_length(&length));
        return length;
    }
    std::shared_ptr<qvxml::DomNode> Item(long index) override {
        ComPtr<IXMLDOMNode> node;
        Check(list_->get_item(index, node.put()));
        return MakeNode(std::move(node));
    }

private:
    ComPtr<IXMLDOMNodeList> list_;
};

class MsxmlDocument final : public qvxml::DomDocument {
public:
    explicit MsxmlDocument(ComPtr<IXMLDOMDocument2> document) : document_(std::move(document)) {}

    void SetProperty(std::string_view name, const XmlVariant& value) override {
        Bstr property(name);
        Variant setting(value);
        Check(document_->setProperty(property.get(), setting.get()));
    }
    void SetAsync(bool async) override { Check(document_->put_async(ToVariantBool(async))); }
    void SetPreserveWhiteSpace(bool preserve) override {
        Check(document_->put_preserveWhiteSpace(ToVariantBool(preserve)));
    }
    bool Load(std::string_view text) override;
    std::shared_ptr<qvxml::DomNodeList> SelectNodes(std::string_view xpath) override {
        Bstr expression(xpath);
        ComPtr<IXMLDOMNodeList> list;
        Check(document_->selectNodes(expression.get(), list.put()));
        if (!list) {
            ThrowComException(kComErrorFail);
        }
        return std::make_shared<MsxmlNodeList>(std::move(list));
    }

private:
    bool LoadText(std::string_view text) {
        Bstr xml(text);
        VARIANT_BOOL loaded = VARIANT_FALSE;
        Check(document_->loadXML(xml.get(), &loaded));
        return loaded == VARIANT_TRUE;
    }

    ComPtr<IXMLDOMDocument2> document_;
};

bool MsxmlDocument::Load(std::string_view text) {
    // The text goes over as UTF-16 without its declaration (the handle has
    // removed it), so MSXML never looks for an encoding: Wine's MSXML fails
    // on encoding="GB2312".
    if (!LoadText(text)) {
        return false;
    }
    // DOMDocument60 refuses document type declarations by ProhibitDTD; older
    // or other MSXMLs may not, and the native build never accepts them.
    ComPtr<IXMLDOMDocumentType> type;
    if (SUCCEEDED(document_->get_doctype(type.put())) && type) {
        LoadText({});  // fails, and leaves the document empty
        return false;
    }
    return true;
}

ComPtr<IXMLDOMDocument2> CreateDocument(const CLSID& type, void* outer, std::uint32_t contextFlags, HRESULT& result) {
    ComPtr<IXMLDOMDocument2> document;
    result = CoCreateInstance(type, static_cast<IUnknown*>(outer), contextFlags, kIidXmlDomDocument2,
                              reinterpret_cast<void**>(document.put()));
    return document;
}

// Settings every document gets: XPath selections (DOMDocument30 would use
// XSL patterns), no DTDs and nothing fetched from outside the text. A
// setting this MSXML does not know is left at its default.
void ApplySafeDefaults(IXMLDOMDocument2& document) {
    Bstr selectionLanguage("SelectionLanguage");
    Variant xpath(std::string("XPath"));
    document.setProperty(selectionLanguage.get(), xpath.get());
    Bstr prohibitDtd("ProhibitDTD");
    Variant yes(true);
    document.setProperty(prohibitDtd.get(), yes.get());
    document.put_resolveExternals(VARIANT_FALSE);
    document.put_validateOnParse(VARIANT_FALSE);
}

}  // namespace

CXMLDOMDocument2 CDOMDocumentClass::CreateXMLDOMDocument2(void* outer, std::uint32_t contextFlags) {
    HRESULT result = S_OK;
    ComPtr<IXMLDOMDocument2> document = CreateDocument(kClsidDomDocument60, outer, contextFlags, result);
    if (FAILED(result)) {
        document = CreateDocument(kClsidDomDocument30, outer, contextFlags, result);
    }
    Check(result);
    if (!document) {
        ThrowComException(kComErrorFail);
    }
    ApplySafeDefaults(*document.get());
    return CXMLDOMDocument2(std::make_shared<MsxmlDocument>(std::move(document)));
}
