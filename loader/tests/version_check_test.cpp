// The online version check: the version in the page's body, numbers read
// like atof, when the message is due, and its text.

#include "loader/version_check.h"

#include <gtest/gtest.h>

namespace {

TEST(VersionCheck, PageAddressIsOnTheSiteHost) {
    EXPECT_EQ(VersionPageAddress("127.0.0.1:8080"), "http://127.0.0.1:8080/software/online.asp?id=tessary");
}

TEST(VersionCheck, PublishedVersionIsTheTrimmedBody) {
    struct Case {
        const char* page;
        std::optional<std::string> version;
    } const cases[] = {
        {"<html><BODY>\r\n  4.1 \t\r\n</Body></html>", "4.1"},
        {"<body>4.\r\n1</body>", "4.1"},  // line breaks go before the body is looked at
        {"<body>V4.1</body>", "v4.1"},
        {"<body></body>", ""},
        {"<body> 4.1 </body> <body>5.0</body>", "4.1"},
        {"<html>4.1</html>", std::nullopt},
        {"<body>4.1", std::nullopt},
        {"</body><body>4.1", std::nullopt},  // the closing tag must follow the opening one
        {"<body 4.1</body>", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PublishedVersion(c.page), c.version) << c.page;
    }
}

TEST(VersionCheck, NumbersAreReadLikeAtofButOnlyPlainDecimals) {
    struct Case {
        const char* text;
        double value;
    } const cases[] = {
        {"4.1", 4.1},   {" 4.10abc", 4.1}, {"+4", 4.0},  {"-1.5", -1.5}, {".5", 0.5},   {"4.", 4.0},
        {"4.0.1", 4.0}, {"1e2", 100.0},    {"1e", 1.0},  {"1e+", 1.0},   {"abc", 0.0},  {"", 0.0},
        {".", 0.0},     {"-", 0.0},        {"inf", 0.0}, {"nan", 0.0},   {"0x10", 0.0},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(ReadVersionNumber(c.text), c.value) << c.text;
    }
}

TEST(VersionCheck, MessageOnlyWhenTheProductIsOlder) {
    struct Case {
        const char* product;
        const char* page;
        bool newer;
    } const cases[] = {
        {"V4.0", "<html><body>4.1</body></html>", true},
        {"V4.0", "<html><body>4.0</body></html>", false},
        {"V4.0", "<html><body>3.9</body></html>", false},
        {"V4.0", "<html><body>4.01</body></html>", true},
        {"V4.0", "<html><body>4.1</html>", false},
        {"V4.0", "<html>4.1</html>", false},
        {"V4.0", "<body>garbled</body>", false},
        {"v4.0", "<BODY>\r\n4.1\r\n</BODY>", true},
        {"V4.0", "<body>V4.1</body>", false},  // only the product's v is dropped: "v4.1" reads as 0
        {"4.0v", "<body>4.1</body>", true},
        {"V4.0", "<body>1e9</body>", true},
        {"V4.0", "<body>inf</body>", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsNewerVersionPublished(c.product, c.page), c.newer) << c.product << " against " << c.page;
    }
}

TEST(VersionCheck, MessageNamesTheProductAndTheSite) {
    EXPECT_EQ(NewerVersionMessage("泽鲁桌面日历", "www.zellum.com"),
              "泽鲁桌面日历有最新版本可以使用，详情请访问http://www.zellum.com");
    // A name is text, never a format.
    EXPECT_EQ(NewerVersionMessage("%s%n", "127.0.0.1:81"), "%s%n有最新版本可以使用，详情请访问http://127.0.0.1:81");
}

}  // namespace
