#include "common/path_util.h"

#include <gtest/gtest.h>

namespace {

// Writes `/` for this build's separator, so one table serves both builds.
std::string Native(std::string path) {
    for (char& c : path) {
        if (c == '/') {
            c = kPathSeparator;
        }
    }
    return path;
}

}  // namespace

TEST(PathUtil, JoinNeverDoublesOrDropsTheSeparator) {
    struct Case {
        const char* folder;
        const char* relative;
        const char* joined;  // with '/' standing for this build's separator
    };
    const Case cases[] = {
        {"C:/Suite", "Data/module.ini", "C:/Suite/Data/module.ini"},
        {"C:/Suite/", "Data/module.ini", "C:/Suite/Data/module.ini"},
        {"C:/Suite", "/holiday.dat", "C:/Suite/holiday.dat"},
        {"C:/Suite//", "//holiday.dat", "C:/Suite/holiday.dat"},
        {"C:/Suite", "Data\\module.ini", "C:/Suite/Data/module.ini"},
        {"", "holiday.dat", "holiday.dat"},
        {"C:/Suite", "", "C:/Suite"},
        {"/", "etc", "/etc"},
    };
    for (const Case& c : cases) {
        std::string folder = Native(c.folder);
        EXPECT_EQ(JoinPath(folder, c.relative), Native(c.joined)) << c.folder << " + " << c.relative;
    }
}

TEST(PathUtil, FolderAndFileName) {
    EXPECT_EQ(FolderOf("C:\\Suite\\modules\\Calendar\\qvcalendar.dll"), "C:\\Suite\\modules\\Calendar");
    EXPECT_EQ(FolderOf("/opt/suite/lunarcal"), "/opt/suite");
    EXPECT_EQ(FolderOf("C:\\tessary.exe"), "C:\\");
    EXPECT_EQ(FolderOf("/lunarcal"), "/");
    EXPECT_EQ(FolderOf("lunarcal"), "");
    EXPECT_EQ(FileNameOf("C:\\Suite\\modules\\Calendar\\Calendar.xml"), "Calendar.xml");
    EXPECT_EQ(FileNameOf("/opt/suite/lunarcal"), "lunarcal");
    EXPECT_EQ(FileNameOf("lunarcal"), "lunarcal");
    EXPECT_EQ(FileNameOf("C:\\Suite\\"), "");
}
