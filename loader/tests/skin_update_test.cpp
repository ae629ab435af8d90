// The online skin update's rules: which published skins are new, the file
// name a package may be saved as, and the skin page's texts.

#include "loader/skin_update.h"

#include <gtest/gtest.h>

#include <string>

#include "common/file_io.h"
#include "loader/tests/loader_test_support.h"

namespace {

std::string Repeat(std::string_view piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

class NewSkinsTest : public LoaderTestFolder {
protected:
    std::vector<PendingSkin> Load(std::string_view list, std::string_view catalogue) {
        std::string listPath = WriteFile("skins_alarm.ini", list);
        std::string cataloguePath = WriteFile("Data/skins.ini", catalogue);
        return NewSkins(listPath, cataloguePath, "CALENDAR");
    }
};

TEST_F(NewSkinsTest, OnlySkinsTheCatalogueLacksAreOfferedChosen) {
    std::vector<PendingSkin> skins =
        Load("[CALENDAR]\r\nA=http://site/a.rar\r\nB=http://site/b.rar\r\n[CLOCK]\r\nC=http://site/c.rar\r\n",
             "[CALENDAR]\r\nA=http://site/a.rar\r\n");
    ASSERT_EQ(skins.size(), 1u);
    EXPECT_TRUE(skins[0].chosen);
    EXPECT_EQ(skins[0].name, "B");
    EXPECT_EQ(skins[0].address, "http://site/b.rar");
    EXPECT_EQ(NewSkinsStatus(skins.size()), "共有1组最新皮肤，要更新请点击“立即更新”");
}

TEST_F(NewSkinsTest, EmptyCatalogueValuesCountAsNewAndFileOrderIsKept) {
    std::vector<PendingSkin> skins = Load("[CALENDAR]\nzeta=http://site/z.rar\n蓝色=http://site/blue.rar\nA=x\n",
                                          "[CALENDAR]\nzeta=\na=installed\n");
    ASSERT_EQ(skins.size(), 2u);
    EXPECT_EQ(skins[0].name, "zeta");
    EXPECT_EQ(skins[1].name, "蓝色");
    EXPECT_EQ(skins[1].address, "http://site/blue.rar");
}

TEST_F(NewSkinsTest, AListWithoutTheSectionOffersNothing) {
    EXPECT_TRUE(Load("[CLOCK]\nA=http://site/a.rar\n", "").empty());
    EXPECT_TRUE(Load("", "").empty());
    EXPECT_TRUE(Load("[CALENDAR]\nline without a value\n", "").empty());
}

TEST_F(NewSkinsTest, AMissingCatalogueMakesEverythingNewAndIsNotCreated) {
    std::string listPath = WriteFile("skins_alarm.ini", "[CALENDAR]\nA=http://site/a.rar\nB=http://site/b.rar\n");
    std::string cataloguePath = PathOf("Data/skins.ini");
    std::vector<PendingSkin> skins = NewSkins(listPath, cataloguePath, "CALENDAR");
    EXPECT_EQ(skins.size(), 2u);
    std::string contents;
    EXPECT_FALSE(ReadWholeFile(cataloguePath, contents));
}

TEST_F(NewSkinsTest, AMissingListOffersNothingAndIsNotCreated) {
    std::string listPath = PathOf("skins_alarm.ini");
    EXPECT_TRUE(NewSkins(listPath, PathOf("skins.ini"), "CALENDAR").empty());
    std::string contents;
    EXPECT_FALSE(ReadWholeFile(listPath, contents));
}

// 300 two-byte characters: 259 bytes end inside the 130th, so 129 remain;
// after the address's 12 ASCII bytes, 1023 end inside the 506th character,
// so 505 remain.
TEST_F(NewSkinsTest, LongNamesAndAddressesAreCutBetweenCharacters) {
    std::string name = Repeat("皮", 300);
    std::string address = "http://site/" + Repeat("北", 600);
    std::vector<PendingSkin> skins = Load("[CALENDAR]\n" + name + "=" + address + "\n", "");
    ASSERT_EQ(skins.size(), 1u);
    EXPECT_EQ(skins[0].name, Repeat("皮", 129));
    EXPECT_EQ(skins[0].address, "http://site/" + Repeat("北", 505));
}

TEST(PackageFileName, PlainNamesOnTheListsHostAreKeptWithRarTurnedToExe) {
    struct Case {
        std::string_view address;
        std::string_view listHost;
        std::string_view name;
    } const cases[] = {
        {"http://site/skins/skin_blue.rar", "site", "skin_blue.exe"},
        {"http://SITE/skin_blue.rar", "site", "skin_blue.exe"},
        {"HTTP://site/skin.rar", "Site", "skin.exe"},
        {"http://127.0.0.1:8080/a/rarity.rar", "127.0.0.1:8080", "exeity.exe"},
        {"http://site:80/skin.exe", "site", "skin.exe"},
        {"http://site/skin.zip", "site:80", "skin.zip"},
        {"http://site/蓝色.rar", "site", "蓝色.exe"},
        // Second bytes of double-byte characters that read as '\' and '|'
        // on their own.
        {"http://site/\xC0\x5C.rar", "site", "\xC0\x5C.exe"},
        {"http://site/\x9A\x7C.rar", "site", "\x9A\x7C.exe"},
        {"http://site/con-skin.rar", "site", "con-skin.exe"},
    };
    for (const Case& c : cases) {
        std::optional<std::string> name = PackageFileName(c.address, c.listHost);
        ASSERT_TRUE(name.has_value()) << c.address;
        EXPECT_EQ(*name, c.name) << c.address;
    }
}

TEST(PackageFileName, HostileOrForeignAddressesAreRefused) {
    const std::string_view addresses[] = {
        "http://other/skin.rar",
        "http://site:8080/skin.rar",
        "http://site.evil/skin.rar",
        "http://site@evil/skin.rar",
        "https://other/skin.rar",
        "https://site/skin.rar",
        "ftp://site/skin.rar",
        "site/skin.rar",
        "http://site",
        "http://site/",
        "http://site/a/",
        "http://site/../x.exe",
        "http://site/a/%2E%2e/x.exe",
        "http://site/./x.exe",
        "http://site/..",
        "http://site/c:evil.exe",
        "http://site/a\\..\\..\\evil.exe",
        "http://site/x.exe?name=y",
        "http://site/x.exe#part",
        "http://site/a<b.exe",
        "http://site/a\"b.exe",
        "http://site/a*.exe",
        "http://site/a|b.exe",
        "http://site/tab\t.exe",
        "http://site/skin.",
        "http://site/skin ",
        "http://site/nul.rar",
        "http://site/COM1",
        "http://site/lpt9.exe",
        "http://site/\x81",
    };
    for (std::string_view address : addresses) {
        EXPECT_EQ(PackageFileName(address, "site"), std::nullopt) << address;
    }
    EXPECT_EQ(PackageFileName("http://127.0.0.2:8080/skin.rar", "127.0.0.1:8080"), std::nullopt);
    EXPECT_EQ(PackageFileName("http://site/skin.rar", ""), std::nullopt);
}

TEST(PackageFileName, NamesLongerThanWindowsAllowsAreRefused) {
    EXPECT_TRUE(PackageFileName("http://site/" + Repeat("a", 251) + ".exe", "site").has_value());
    EXPECT_EQ(PackageFileName("http://site/" + Repeat("a", 252) + ".exe", "site"), std::nullopt);
}

TEST(AddressHost, TheTextBetweenTheSchemeAndThePath) {
    EXPECT_EQ(AddressHost("http://127.0.0.1:8080/software/download/skins/tessary/skins.htm"), "127.0.0.1:8080");
    EXPECT_EQ(AddressHost("HTTPS://Site"), "Site");
    EXPECT_EQ(AddressHost("ftp://site/x"), "");
    EXPECT_EQ(AddressHost("site/x"), "");
}

TEST(SkinTexts, StatusTextsCarryTheCountAndTheName) {
    EXPECT_EQ(NewSkinsStatus(0), kSkinsUpToDateText);
    EXPECT_EQ(NewSkinsStatus(12), "共有12组最新皮肤，要更新请点击“立即更新”");
    EXPECT_EQ(UpdatingSkinStatus("蓝色"), "正在更新皮肤－蓝色...");
    EXPECT_EQ(std::string(kSkinsUpToDateText), "您本机的皮肤已是最新，不需要更新！");
    EXPECT_EQ(std::string(kSkinUpdateDoneText), "更新完毕！您现在可以使用新的皮肤了！");
}

}  // namespace
