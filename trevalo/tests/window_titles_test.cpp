#include "trevalo/window_titles.h"

#include <gtest/gtest.h>

namespace {

TEST(NavigationWindowTitle, FollowsTheTabTextExceptForTheBlankTab) {
    struct Case {
        std::string tabText;
        std::string title;
    };
    const Case cases[] = {
        {"Example", "泽鲁网址导航－Example"},
        {"    ...    ", "泽鲁网址导航－    ...    "},
        {"百度一下，你就知道", "泽鲁网址导航－百度一下，你就知道"},
        {"    空白   ", "泽鲁网址导航"},
        {"空白", "泽鲁网址导航"},
        {"\t空白 ", "泽鲁网址导航"},
        {"空白页", "泽鲁网址导航－空白页"},
        {"", "泽鲁网址导航－"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NavigationWindowTitle(c.tabText), c.title) << c.tabText;
    }
}

}  // namespace
