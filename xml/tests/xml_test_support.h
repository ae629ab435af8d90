#pragma once

// What the XML tests share: COM for the test thread on Windows, documents
// made the way the layer's callers make them, and reading selections.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include "common/win32/com.h"
#endif
#include "xml/xml_dom.h"
#include "xml/xml_helper.h"

class XmlTest : public ::testing::Test {
protected:
    // A new empty document with the settings every caller uses.
    static CXMLDOMDocument2 NewDocument() {
        CXMLDOMDocument2 document = CDOMDocumentClass::CreateXMLDOMDocument2(nullptr, 23);
        document.SetProperty("SelectionLanguage", "XPath");
        document.SetAsync(0);
        document.SetPreserveWhiteSpace(1);
        return document;
    }

    // A new document holding `text`; the test fails when it does not load.
    static CXMLDOMDocument2 Loaded(const char* text) {
        CXMLDOMDocument2 document = NewDocument();
        EXPECT_TRUE(XML_Helper::OpenXMLFromMemory(text, document)) << text;
        return document;
    }

    // GetText of every node the expression selects, in list order.
    static std::vector<std::string> SelectedTexts(const CXMLDOMDocument2& document, std::string_view xpath) {
        CXMLDOMNodeList list = document.SelectNodes(xpath);
        std::vector<std::string> texts;
        for (long i = 0; i < list.GetLength(); ++i) {
            texts.push_back(list.GetItem(i).GetText());
        }
        return texts;
    }

    static long CountOf(const CXMLDOMDocument2& document, std::string_view xpath) {
        return document.SelectNodes(xpath).GetLength();
    }

private:
#ifdef _WIN32
    ComApartment com_;
#endif
};

template <typename Case>
class XmlTableTest : public XmlTest, public ::testing::WithParamInterface<Case> {};

// The failure code of the CComException that `action` throws, 0 when it
// throws none. The exception is deleted, as every catcher must.
template <typename Action>
std::int32_t ThrownComError(Action action) {
    try {
        action();
    } catch (CComException* error) {
        std::int32_t code = error->GetErrorCode();
        delete error;
        return code;
    }
    return 0;
}
