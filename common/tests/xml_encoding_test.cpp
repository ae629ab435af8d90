#include "common/xml_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// "北京" in UTF-8 and in GBK.
constexpr char kUtf8City[] = "\xE5\x8C\x97\xE4\xBA\xAC";
constexpr char kGbkCity[] = "\xB1\xB1\xBE\xA9";

TEST(XmlEncoding, MarkedOrDeclaredUtf8BecomesGbk) {
    const std::string declarations[] = {
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
        "<?xml version='1.0' encoding='utf-8'?>",
        "<?xml version=\"1.0\" encoding=\"Utf8\" standalone=\"yes\"?>",
    };
    for (const std::string& declaration : declarations) {
        EXPECT_EQ(XmlDocumentAsGbk(declaration + "<city>" + kUtf8City + "</city>"),
                  declaration + "<city>" + kGbkCity + "</city>")
            << declaration;
    }
    EXPECT_EQ(XmlDocumentAsGbk(std::string("\xEF\xBB\xBF<city>") + kUtf8City + "</city>"),
              std::string("<city>") + kGbkCity + "</city>");
}

TEST(XmlEncoding, OtherDocumentsStayAsTheyAre) {
    const std::string documents[] = {
        std::string("<?xml version=\"1.0\" encoding=\"gb2312\"?><city>") + kGbkCity + "</city>",
        std::string("<?xml version=\"1.0\" encoding=\"GBK\"?><city>") + kGbkCity + "</city>",
        std::string("<?xml version=\"1.0\"?><city>") + kGbkCity + "</city>",
        // Only the declaration at the start counts.
        std::string("<city>") + kGbkCity + "</city><?xml encoding=\"UTF-8\"?>",
        std::string("<?xml version=\"1.0\"?><note>encoding=\"UTF-8\"</note>"),
        "<?xml encoding",
        "",
    };
    for (const std::string& document : documents) {
        EXPECT_EQ(XmlDocumentAsGbk(document), document) << document;
    }
}

}  // namespace
