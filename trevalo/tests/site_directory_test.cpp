#include "trevalo/site_directory.h"

#include <gtest/gtest.h>

#include "trevalo/tests/trevalo_test_folder.h"

// Found by GoogleTest next to the type.
void PrintTo(const SiteGroup& group, std::ostream* out) {
    *out << group.name << testing::PrintToString(group.sites);
}

namespace {

class SiteDirectoryTest : public TrevaloTestFolder {
protected:
    // Writes the file of category `index`.
    void WriteCategory(std::size_t index, std::string_view contents) const {
        WriteFile(std::string(kCategoryNames[index]) + ".ini", contents);
    }
};

TEST_F(SiteDirectoryTest, CategoryFileIsNamedAfterTheCategory) {
    EXPECT_EQ(CategoryFile(folder_, "搜索引擎"), PathOf("搜索引擎.ini"));
}

TEST_F(SiteDirectoryTest, FlatListShowsTheKeysOfDataInFileOrder) {
    WriteCategory(0, "[CONFIG]\r\ntype=1\r\n[other]\r\nX=x\r\n[DATA]\r\nB=y\r\nA=x\r\n百度=https://www.baidu.com/\r\n");
    const SiteCategory category = ReadSiteCategory(folder_, 0);
    EXPECT_EQ(category.name, "搜索引擎");
    EXPECT_EQ(category.sites, (std::vector<std::string>{"B", "A", "百度"}));
    EXPECT_TRUE(category.groups.empty());
}

TEST_F(SiteDirectoryTest, GroupedListShowsEverySectionAfterTheFirst) {
    WriteCategory(1,
                  "[CONFIG]\r\ntype=2\r\n[新闻]\r\n新浪=https://www.sina.com.cn/\r\n网易=https://www.163.com/\r\n"
                  "[empty]\r\n[购物]\r\n淘宝=https://www.taobao.com/\r\n");
    const SiteCategory category = ReadSiteCategory(folder_, 1);
    EXPECT_EQ(category.name, "名站导航");
    EXPECT_TRUE(category.sites.empty());
    EXPECT_EQ(category.groups, (std::vector<SiteGroup>{
                                   {"新闻", {"新浪", "网易"}},
                                   {"empty", {}},
                                   {"购物", {"淘宝"}},
                               }));
}

TEST_F(SiteDirectoryTest, GroupedListSkipsTheFirstSectionWhateverItIs) {
    // CONFIG second: it is shown as a group and the real first group is not.
    WriteCategory(
        2, "[视频]\r\n优酷=https://www.youku.com/\r\n[CONFIG]\r\ntype=2\r\n[社区]\r\n知乎=https://www.zhihu.com/\r\n");
    EXPECT_EQ(ReadSiteCategory(folder_, 2).groups, (std::vector<SiteGroup>{
                                                       {"CONFIG", {"type"}},
                                                       {"社区", {"知乎"}},
                                                   }));
}

TEST_F(SiteDirectoryTest, OtherTypesGiveAnEmptyCategory) {
    for (const char* contents : {"[CONFIG]\r\ntype=3\r\n[DATA]\r\nA=x\r\n", "[CONFIG]\r\ntype=one\r\n[DATA]\r\nA=x\r\n",
                                 "[CONFIG]\r\n[DATA]\r\nA=x\r\n", "[DATA]\r\nA=x\r\n", "type=1\r\n", ""}) {
        WriteCategory(3, contents);
        const SiteCategory category = ReadSiteCategory(folder_, 3);
        EXPECT_EQ(category.name, "工具服务") << contents;
        EXPECT_TRUE(category.sites.empty()) << contents;
        EXPECT_TRUE(category.groups.empty()) << contents;
    }
}

TEST_F(SiteDirectoryTest, TypeIsReadAsADecimalNumber) {
    WriteCategory(0, "[CONFIG]\r\ntype = \" 1st\"\r\n[DATA]\r\nA=x\r\n");
    EXPECT_EQ(ReadSiteCategory(folder_, 0).sites, (std::vector<std::string>{"A"}));
    WriteCategory(0, "[config]\r\nTYPE=02\r\n[g]\r\nA=x\r\n");
    EXPECT_EQ(ReadSiteCategory(folder_, 0).groups, (std::vector<SiteGroup>{{"g", {"A"}}}));
}

TEST_F(SiteDirectoryTest, LinesWithoutAKeyAreNoSites) {
    WriteCategory(0, "[CONFIG]\r\ntype=1\r\n[DATA]\r\nno equals sign\r\n=nameless\r\nA=x\r\n");
    EXPECT_EQ(ReadSiteCategory(folder_, 0).sites, (std::vector<std::string>{"A"}));
    WriteCategory(0, "[CONFIG]\r\ntype=1\r\n");
    EXPECT_TRUE(ReadSiteCategory(folder_, 0).sites.empty());
}

TEST_F(SiteDirectoryTest, MissingFileIsMadeEmpty) {
    const SiteCategory category = ReadSiteCategory(folder_, 3);
    EXPECT_EQ(category.name, "工具服务");
    EXPECT_TRUE(category.sites.empty());
    EXPECT_TRUE(category.groups.empty());
    EXPECT_EQ(Contents(PathOf("工具服务.ini")), "");
}

TEST_F(SiteDirectoryTest, IndexPastTheCategoriesGivesNothing) {
    const SiteCategory category = ReadSiteCategory(folder_, kCategoryNames.size());
    EXPECT_EQ(category.name, "");
    EXPECT_TRUE(category.sites.empty());
    EXPECT_TRUE(category.groups.empty());
}

TEST_F(SiteDirectoryTest, FindsTheAddressOfFlatAndGroupedSites) {
    WriteCategory(0, "[CONFIG]\r\ntype=1\r\n[DATA]\r\nA=x\r\nB = \"y\" \r\n空=\r\n");
    WriteCategory(1, "[CONFIG]\r\ntype=2\r\n[新闻]\r\n新浪=https://www.sina.com.cn/\r\n[DATA]\r\nC=z\r\n");
    struct Case {
        std::vector<std::string> itemPath;
        std::string address;
    };
    const Case cases[] = {
        {{"搜索引擎", "A"}, "x"},
        {{"搜索引擎", "B"}, "y"},
        {{"搜索引擎", "b"}, "y"},
        {{"名站导航", "新闻", "新浪"}, "https://www.sina.com.cn/"},
        // Two levels always read DATA, three the group's section.
        {{"名站导航", "C"}, "z"},
        {{"名站导航", "DATA", "C"}, "z"},
        {{"名站导航", "新闻", "网易"}, ""},
        {{"搜索引擎", "空"}, ""},
        {{"搜索引擎", "missing"}, ""},
        {{"搜索引擎"}, ""},
        {{}, ""},
        {{"名站导航", "新闻", "新浪", "more"}, ""},
        {{"其他", "A"}, ""},
        {{"../搜索引擎", "A"}, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindSiteAddress(folder_, c.itemPath), c.address) << testing::PrintToString(c.itemPath);
    }
}

}  // namespace
