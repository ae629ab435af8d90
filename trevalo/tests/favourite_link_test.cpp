#include "trevalo/favourite_link.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct NameCase {
    const char* title;
    const char* address;
    const char* expected;
};

TEST(FavouriteLink, FileNameIsAPlainNameInTheFolder) {
    const NameCase cases[] = {
        {"Example", "http://x/", "Example.url"},
        {"  Example Domain  ", "http://x/", "Example Domain.url"},
        {"..\\..\\evil", "http://x/", "_.._evil.url"},
        {"a/b:c*d?e\"f<g>h|i", "http://x/", "a_b_c_d_e_f_g_h_i.url"},
        {"line\r\nbreak\t", "http://x/", "line__break.url"},
        {"北京", "http://x/", "北京.url"},
        // Second bytes 0x5C and 0x7C: the characters stay whole.
        {"\x81\x5C\x81\x7C", "http://x/", "\x81\x5C\x81\x7C.url"},
        {"cut\x81", "http://x/", "cut_.url"},
        {"    ...    ", "http://x.cn/a", "http___x.cn_a.url"},
        {"", "", "favourite.url"},
        {"...", "...", "favourite.url"},
    };
    for (const NameCase& c : cases) {
        EXPECT_EQ(FavouriteFileName(c.title, c.address), c.expected) << c.title;
    }
}

TEST(FavouriteLink, LongTitleIsCutBetweenCharacters) {
    const std::string name = FavouriteFileName("a" + std::string(200, '\xB1'), "");
    // "a" and 59 double-byte characters fit in 120 bytes.
    EXPECT_EQ(name, "a" + std::string(118, '\xB1') + ".url");
}

TEST(FavouriteLink, FileTextHoldsOneAddressLine) {
    EXPECT_EQ(FavouriteFileText("http://x/"), "[InternetShortcut]\r\nURL=http://x/\r\n");
    EXPECT_EQ(FavouriteFileText("http://x/\r\nIconFile=c:\\a"), "[InternetShortcut]\r\nURL=http://x/\r\n");
}

}  // namespace
