#include "site/package_name.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct NameCase {
    std::string segment;
    bool accepted;
};

class PackageNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(PackageNameTest, TakesOnlyPlainFileNames) {
    const NameCase& c = GetParam();
    const auto name = CheckedPackageName(c.segment);
    EXPECT_EQ(name.has_value(), c.accepted);
    if (c.accepted) {
        EXPECT_EQ(*name, c.segment);
    }
}

INSTANTIATE_TEST_SUITE_P(Names,
                         PackageNameTest,
                         testing::Values(NameCase{"SkinsJade.rar", true},
                                         NameCase{"skin blue-2.exe", true},
                                         NameCase{"a..b.rar", true},  // dots inside a name reach nowhere
                                         NameCase{"", false},
                                         NameCase{".", false},
                                         NameCase{"..", false},
                                         NameCase{"../secret.rar", false},
                                         NameCase{"..\\secret.rar", false},
                                         NameCase{"sub/skin.rar", false},
                                         NameCase{"/etc/passwd", false},
                                         NameCase{"\\\\server\\share.rar", false},
                                         NameCase{"C:skin.rar", false},
                                         NameCase{"C:\\skin.rar", false},
                                         NameCase{"%2e%2e", false},
                                         NameCase{"%2e%2e%2fsecret.rar", false},
                                         NameCase{std::string("skin\0.rar", 9), false},
                                         NameCase{"skin\r\n.rar", false},
                                         NameCase{".hidden.rar", false}));

}  // namespace
