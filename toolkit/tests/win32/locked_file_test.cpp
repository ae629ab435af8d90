// Files held open by another program without sharing: the toolkit reports
// the failure and never replaces what it could not read.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/win32/handles.h"
#include "toolkit/lyn_ini.h"
#include "toolkit/lyn_list_box.h"
#include "toolkit/tests/test_folder.h"

namespace {

class LockedFileTest : public TestFolder {
protected:
    static UniqueFile Lock(const std::string& path) {
        return UniqueFile(
            CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    }
};

}  // namespace

TEST_F(LockedFileTest, IniWritesFailAndLeaveTheFile) {
    const std::string path = WriteFile("locked.ini", "[A]\r\nx=1\r\n");
    CLynIni ini;
    ASSERT_EQ(ini.SetFileName(path), 1);
    {
        UniqueFile lock = Lock(path);
        ASSERT_TRUE(lock);
        EXPECT_EQ(ini.SetValue("A", "x", "2", true), ERROR_SHARING_VIOLATION);
        EXPECT_EQ(ini.DelAllSections(), ERROR_SHARING_VIOLATION);
        EXPECT_EQ(ini.GetValue("A", "x"), "");
    }
    EXPECT_EQ(Contents(path), "[A]\r\nx=1\r\n");
    EXPECT_EQ(ini.SetValue("A", "x", "2", true), 0);
    EXPECT_EQ(Contents(path), "[A]\r\nx=2\r\n");
}

TEST_F(LockedFileTest, HistoryStoreIsNotSavedOverAnUnreadableIndex) {
    const std::string index = WriteFile("index_url.dat", std::string("\x03\x00\x00\x00", 4));
    const std::string data = WriteFile("url.dat", "abc");
    {
        UniqueFile lock = Lock(index);
        ASSERT_TRUE(lock);
        CLynListBox list;
        EXPECT_EQ(list.ReadHistory(data, index, false), 0);
        EXPECT_EQ(list.AddItem("new"), 1);
    }
    EXPECT_EQ(Contents(index), std::string("\x03\x00\x00\x00", 4));
    EXPECT_EQ(Contents(data), "abc");
}
