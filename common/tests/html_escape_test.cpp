#include "common/html_escape.h"

#include <gtest/gtest.h>

#include <string>

TEST(HtmlEscape, WritesMarkupCharactersAsEntities) {
    struct Case {
        std::string text;
        std::string escaped;
    };
    const Case cases[] = {
        {"", ""},
        {"plain 你好", "plain 你好"},
        {"<b>Tom & \"Jerry\"</b> isn't", "&lt;b&gt;Tom &amp; &quot;Jerry&quot;&lt;/b&gt; isn&#39;t"},
        {"&amp;", "&amp;amp;"},
        // Double-byte characters whose second bytes are '[', '\\' and '|'.
        {"\xB0[<\x81\\&\xFE|", "\xB0[&lt;\x81\\&amp;\xFE|"},
        // A lead byte left alone at the end is kept as it is.
        {"a>\x81", "a&gt;\x81"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HtmlEscape(c.text), c.escaped) << c.text;
    }
}
