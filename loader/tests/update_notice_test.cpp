// The update notice: which published notice is newer, what is shown and
// recorded in the last-notice file, which addresses a click may open, and
// the notice window's spots and roll.

#include "loader/update_notice.h"

#include <gtest/gtest.h>

#include <string>

#include "common/file_io.h"
#include "loader/tests/loader_test_support.h"
#include "toolkit/lyn_ini.h"

namespace {

TEST(UpdateNotice, PageAddressIsOnTheSiteHost) {
    EXPECT_EQ(NoticePageAddress("127.0.0.1:8080"), "http://127.0.0.1:8080/software/tessary/sysupdate.htm");
    EXPECT_EQ(NoticePageAddress("www.zellum.com"), "http://www.zellum.com/software/tessary/sysupdate.htm");
}

TEST(UpdateNotice, PublishedStampMustBeLargerThanTheLastAndAboveZero) {
    struct Case {
        const char* published;
        const char* last;
        bool newer;
    } const cases[] = {
        {"20080815", "20080801", true},
        {"20080815", "20080815", false},
        {"20080801", "20080815", false},
        {"20080815", "", true},         // nothing shown yet
        {"20080815", "garbled", true},  // a last stamp without digits is 0
        {" 20080815xyz", "20080801", true},
        {"+20080815", "20080801", true},
        {"garbled", "", false},  // reads as 0, which is never newer
        {"0", "-5", false},
        {"-3", "-5", false},
        {"", "", false},
        {"1", "0", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsNewerNotice(c.published, c.last), c.newer) << c.published << " after " << c.last;
    }
}

TEST(UpdateNotice, ShownOnlyWithAnAddressWhichIsTrimmed) {
    const UpdateNotice published{"20080815", " \thttp://site/news.htm  ", "新版本发布"};
    EXPECT_EQ(NoticeToShow(published, "20080801"), (UpdateNotice{"20080815", "http://site/news.htm", "新版本发布"}));
    EXPECT_EQ(NoticeToShow(published, "20080815"), std::nullopt);
    EXPECT_EQ(NoticeToShow({"20080815", "", "新版本发布"}, "20080801"), std::nullopt);
    EXPECT_EQ(NoticeToShow({"20080815", "  \t ", "新版本发布"}, "20080801"), std::nullopt);
}

class TakeNewNoticeTest : public LoaderTestFolder {
protected:
    std::string Read(const std::string& path) const {
        std::string contents;
        ReadWholeFile(path, contents);
        return contents;
    }
    std::string Value(const std::string& path, const char* key) const {
        CLynIni ini;
        EXPECT_EQ(ini.SetFileName(path), 1);
        return ini.GetValue(kNoticeSection, key);
    }
    std::string TempPath() const { return PathOf("temp/sysupdate.ini"); }
    std::string LastPath() const { return PathOf("Data/sysupdate.ini"); }
};

constexpr char kPublished[] = "[UPDATE]\r\nDATE=20080815\r\nURL= http://site/news.htm \r\nINFO=新版本发布\r\n";

TEST_F(TakeNewNoticeTest, NewerNoticeIsRecordedAndThenNotShownAgain) {
    WriteFile("temp/old.txt", "");
    WriteFile("Data/sysupdate.ini", "[UPDATE]\r\nDATE=20080801\r\nURL=http://site/old.htm\r\nINFO=旧\r\n");

    EXPECT_EQ(TakeNewNotice(kPublished, TempPath(), LastPath()),
              (UpdateNotice{"20080815", "http://site/news.htm", "新版本发布"}));
    EXPECT_EQ(Read(TempPath()), kPublished);
    EXPECT_EQ(Value(LastPath(), kNoticeDateKey), "20080815");
    EXPECT_EQ(Value(LastPath(), kNoticeUrlKey), "http://site/news.htm");
    EXPECT_EQ(Value(LastPath(), kNoticeInfoKey), "新版本发布");

    EXPECT_EQ(TakeNewNotice(kPublished, TempPath(), LastPath()), std::nullopt);
}

TEST_F(TakeNewNoticeTest, FirstNoticeMakesTheLastNoticeFile) {
    WriteFile("temp/old.txt", "");
    WriteFile("Data/module.ini", "");
    EXPECT_TRUE(TakeNewNotice(kPublished, TempPath(), LastPath()).has_value());
    EXPECT_EQ(Value(LastPath(), kNoticeDateKey), "20080815");
}

TEST_F(TakeNewNoticeTest, NothingIsRecordedWhenNothingIsShown) {
    constexpr char kLast[] = "[UPDATE]\r\nDATE=20080801\r\nURL=http://site/old.htm\r\nINFO=旧\r\n";
    struct Case {
        const char* name;
        const char* published;
    } const cases[] = {
        {"no URL", "[UPDATE]\r\nDATE=20080815\r\nINFO=新\r\n"},
        {"blank URL", "[UPDATE]\r\nDATE=20080815\r\nURL=   \r\nINFO=新\r\n"},
        {"same stamp", "[UPDATE]\r\nDATE=20080801\r\nURL=http://site/a\r\n"},
        {"older stamp", "[UPDATE]\r\nDATE=20080731\r\nURL=http://site/a\r\n"},
        {"no stamp", "[UPDATE]\r\nURL=http://site/a\r\n"},
        {"other section", "[NEWS]\r\nDATE=20080815\r\nURL=http://site/a\r\n"},
        {"an error page", "<html><body>404 Not Found</body></html>"},
        {"empty", ""},
    };
    for (const Case& c : cases) {
        WriteFile("Data/sysupdate.ini", kLast);
        EXPECT_EQ(TakeNewNotice(c.published, TempPath(), LastPath()), std::nullopt) << c.name;
        EXPECT_EQ(Read(LastPath()), kLast) << c.name;
    }
}

// A temporary file that cannot be written must not leave an older download
// to be read in its place.
TEST_F(TakeNewNoticeTest, UnwritableTemporaryFileShowsNothing) {
    WriteFile("Data/sysupdate.ini", "[UPDATE]\r\nDATE=20080801\r\n");
    const std::string missingFolder = PathOf("gone/sysupdate.ini");
    EXPECT_EQ(TakeNewNotice(kPublished, missingFolder, LastPath()), std::nullopt);
    EXPECT_EQ(Value(LastPath(), kNoticeDateKey), "20080801");
}

TEST_F(TakeNewNoticeTest, LastNoticeFileThatCannotBeMadeShowsNothing) {
    WriteFile("temp/old.txt", "");
    EXPECT_EQ(TakeNewNotice(kPublished, TempPath(), PathOf("gone/sysupdate.ini")), std::nullopt);
}

TEST(UpdateNotice, OnlyWebAddressesMayBeOpened) {
    struct Case {
        const char* address;
        bool web;
    } const cases[] = {
        {"http://www.zellum.com/news.htm", true},
        {"https://www.zellum.com/", true},
        {"HTTP://WWW.ZELLUM.COM", true},
        {"http://127.0.0.1:8080/a?b=c", true},
        {"http://", false},
        {"https://", false},
        {"http:///etc/passwd", false},
        {"http:\\\\server\\share", false},
        {"C:\\windows\\notepad.exe", false},
        {"notepad.exe", false},
        {"\\\\server\\share\\setup.exe", false},
        {"file:///C:/windows/notepad.exe", false},
        {"ftp://site/file", false},
        {"javascript:alert(1)", false},
        {"mailto:someone@site", false},
        {" http://site/", false},  // the URL is trimmed before it gets here
        {"http://site/\" -new-window c:\\evil.exe", false},
        {"http://site/\r\nline", false},
        {"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsWebAddress(c.address), c.web) << c.address;
    }
}

TEST(NoticeWindowGeometry, SpotsOfAClick) {
    struct Case {
        int x;
        int y;
        NoticeSpot spot;
    } const cases[] = {
        {175, 7, NoticeSpot::kClose},  {185, 16, NoticeSpot::kClose}, {180, 12, NoticeSpot::kClose},
        {174, 12, NoticeSpot::kNone},  {186, 12, NoticeSpot::kNone},  {180, 6, NoticeSpot::kNone},
        {180, 17, NoticeSpot::kNone},  {0, 0, NoticeSpot::kNone},     {96, 22, NoticeSpot::kNone},
        {96, 23, NoticeSpot::kLink},   {0, 23, NoticeSpot::kLink},    {192, 124, NoticeSpot::kLink},
        {193, 60, NoticeSpot::kNone},  {-1, 60, NoticeSpot::kNone},   {96, 125, NoticeSpot::kNone},
        {180, 100, NoticeSpot::kLink},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NoticeSpotAt(c.x, c.y), c.spot) << c.x << "," << c.y;
    }
}

TEST(NoticeWindowGeometry, RollGrowsFromOneRowToTheWholeWindowIn200Ms) {
    struct Case {
        unsigned elapsedMs;
        int height;
    } const cases[] = {
        {0, 1}, {1, 1}, {2, 1}, {8, 5}, {100, 62}, {160, 100}, {199, 124}, {200, 125}, {60000, 125},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NoticeRollHeight(c.elapsedMs), c.height) << c.elapsedMs;
    }
}

}  // namespace
