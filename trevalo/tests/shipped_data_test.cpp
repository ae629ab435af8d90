#include <gtest/gtest.h>

#include <string>

#include "common/file_io.h"
#include "common/path_util.h"
#include "common/text_encoding.h"
#include "trevalo/history_page.h"
#include "trevalo/site_directory.h"
#include "trevalo/tests/trevalo_test_folder.h"

namespace {

// The data files as the build ships them into Trevalo\Data.
std::string ShippedFile(std::string_view gbkName) {
#ifdef _WIN32
    // Wine shows the tree's UTF-8 file names to the program as GBK ones.
    const std::string name(gbkName);
#else
    const std::string name = GbkToUtf8(gbkName);
#endif
    return JoinPath(JoinPath(SUITE_SOURCE_DIR, "trevalo/data"), name);
}

// The shipped files installed into the test's folder under their GBK names,
// as the program sees them on Windows.
class ShippedDataTest : public TrevaloTestFolder {
protected:
    void Install(const std::string& name) const {
        std::string contents;
        ASSERT_TRUE(ReadWholeFile(ShippedFile(name), contents)) << ShippedFile(name);
        WriteFile(name, contents);
    }
};

bool IsWebAddress(const std::string& address) {
    return address.starts_with("http://") || address.starts_with("https://");
}

TEST_F(ShippedDataTest, EveryCategoryListsSitesWithWebAddresses) {
    for (std::size_t index = 0; index < kCategoryNames.size(); ++index) {
        const std::string category = kCategoryNames[index];
        Install(category + ".ini");
        const SiteCategory read = ReadSiteCategory(folder_, index);
        std::size_t sites = read.sites.size();
        for (const std::string& site : read.sites) {
            EXPECT_TRUE(IsWebAddress(FindSiteAddress(folder_, {category, site}))) << category << " " << site;
        }
        for (const SiteGroup& group : read.groups) {
            EXPECT_FALSE(group.sites.empty()) << category << " " << group.name;
            sites += group.sites.size();
            for (const std::string& site : group.sites) {
                EXPECT_TRUE(IsWebAddress(FindSiteAddress(folder_, {category, group.name, site})))
                    << category << " " << group.name << " " << site;
            }
        }
        EXPECT_GT(sites, 0u) << category;
    }
}

TEST_F(ShippedDataTest, SearchEnginesAreAFlatListAndTheOthersGrouped) {
    for (std::size_t index = 0; index < kCategoryNames.size(); ++index) {
        Install(std::string(kCategoryNames[index]) + ".ini");
        const SiteCategory read = ReadSiteCategory(folder_, index);
        EXPECT_EQ(read.groups.empty(), index == 0) << kCategoryNames[index];
    }
    EXPECT_EQ(FindSiteAddress(folder_, {"搜索引擎", "百度"}), "https://www.baidu.com/");
}

TEST_F(ShippedDataTest, HistoryTemplateHoldsTheTokenOnce) {
    std::string templateText;
    ASSERT_TRUE(ReadWholeFile(ShippedFile(kHistoryTemplateFile), templateText));
    const std::string page = RenderHistoryText(templateText, {{"d", "t", "张三", "李四", "你好"}}, 1280);
    EXPECT_EQ(page.find(kHistoryToken), std::string::npos);
    EXPECT_NE(page.find(HistoryHeader(1280)), std::string::npos);
    EXPECT_EQ(page.size(), templateText.size() - std::string(kHistoryToken).size() + HistoryHeader(1280).size() +
                               HistoryRow({"d", "t", "张三", "李四", "你好"}, 1280).size());
    EXPECT_NE(templateText.find("charset=gb2312"), std::string::npos);
    EXPECT_NE(templateText.find(".STYLE3"), std::string::npos);
    EXPECT_NE(templateText.find(".STYLE7"), std::string::npos);
}

}  // namespace
