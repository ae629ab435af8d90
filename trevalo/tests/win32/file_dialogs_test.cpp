#include "trevalo/win32/file_dialogs.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

TEST(DialogFilter, BarsBecomeZeroBytesAndTheListEndsWithTwo) {
    struct Case {
        const char* name;
        std::string filter;
        std::string expected;
    };
    const Case cases[] = {
        {"the open filter", "MSN聊天记录文件 (*.xml)|*.xml||", "MSN聊天记录文件 (*.xml)\0*.xml\0\0\0\0"s},
        {"two kinds", "A (*.a)|*.a|B (*.b)|*.b||", "A (*.a)\0*.a\0B (*.b)\0*.b\0\0\0\0"s},
        {"no closing bars", "A|*.a", "A\0*.a\0\0"s},
        // 0x81 0x7C is one GBK character whose second byte is '|'.
        {"a bar inside a character", "\x81|x (*.x)|*.x||", "\x81|x (*.x)\0*.x\0\0\0\0"s},
        {"a lone lead byte at the end", "A|\x81", "A\0\x81\0\0"s},
        {"empty", "", "\0\0"s},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DialogFilter(c.filter), c.expected) << c.name;
    }
}

}  // namespace
