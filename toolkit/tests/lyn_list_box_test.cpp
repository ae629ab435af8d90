#include "toolkit/lyn_list_box.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/tests/test_folder.h"

namespace {

using Items = std::vector<std::string>;

// Index file bytes for `lengths` (32-bit little-endian each).
std::string Index(std::initializer_list<std::uint32_t> lengths) {
    std::string bytes;
    for (std::uint32_t length : lengths) {
        for (int i = 0; i < 4; ++i) {
            bytes += static_cast<char>((length >> (8 * i)) & 0xFF);
        }
    }
    return bytes;
}

// Records what the list reports to the drop-down it would fill.
class RecordingListBox : public CLynListBox {
public:
    Items shown;

protected:
    void OnItemAdded(const std::string& item) override { shown.push_back(item); }
};

class LynListBoxTest : public TestFolder {
protected:
    void SetUp() override {
        TestFolder::SetUp();
        data_ = PathOf("url.dat");
        index_ = PathOf("index_url.dat");
    }
    void WriteStore(const std::string& index, const std::string& data) {
        WriteFile("index_url.dat", index);
        WriteFile("url.dat", data);
    }

    std::string data_;
    std::string index_;
};

}  // namespace

TEST_F(LynListBoxTest, ReadHistoryTakesEntriesWhileTheDataLasts) {
    const std::string x256(256, 'x');
    struct Case {
        const char* name;
        std::string index;
        std::string data;
        bool shortEntries;
        int result;
        Items items;
        bool emptied;  // both files emptied by the read
    };
    const Case cases[] = {
        {"lengths 3 and 5 over 8 bytes", Index({3, 5}), "abcdefgh", true, 1, {"abc", "defgh"}, false},
        {"lengths 3 and 5 over 7 bytes", Index({3, 5}), "abcdefg", true, 0, {"abc"}, true},
        {"data beyond the last length", Index({3}), "abcdefg", true, 1, {"abc"}, false},
        {"repeated entry", Index({3, 3, 1}), "abcabcz", true, 1, {"abc", "z"}, false},
        {"entries differ by case", Index({1, 1}), "aA", true, 1, {"a", "A"}, false},
        {"empty entry", Index({0, 3}), "abc", true, 1, {"abc"}, false},
        {"too long for short entries", Index({256, 3}), x256 + "abc", true, 1, {"abc"}, false},
        {"fits long entries", Index({256, 3}), x256 + "abc", false, 1, {x256, "abc"}, false},
        {"index tail under 4 bytes", Index({3}) + std::string("\x05\x00", 2), "abcdefgh", true, 1, {"abc"}, false},
        {"empty store", "", "", true, 1, {}, false},
        {"huge length", Index({3, 0xFFFFFFFFu}), "abcdefgh", true, 0, {"abc"}, true},
        {"GBK entries", Index({4, 8}), "网址百度一下", true, 1, {"网址", "百度一下"}, false},
    };
    for (const Case& c : cases) {
        WriteStore(c.index, c.data);
        RecordingListBox list;
        EXPECT_EQ(list.ReadHistory(data_, index_, c.shortEntries), c.result) << c.name;
        EXPECT_EQ(list.GetItems(), c.items) << c.name;
        EXPECT_EQ(list.shown, c.items) << c.name;
        if (c.emptied) {
            EXPECT_EQ(Contents(index_), "") << c.name;
            EXPECT_EQ(Contents(data_), "") << c.name;
        } else {
            EXPECT_EQ(Contents(index_), c.index) << c.name;
            EXPECT_EQ(Contents(data_), c.data) << c.name;
        }
    }
}

TEST_F(LynListBoxTest, EntriesReadBeforeDamageAreSavedAgain) {
    WriteStore(Index({3, 5}), "abcdefg");
    {
        CLynListBox list;
        EXPECT_EQ(list.ReadHistory(data_, index_, true), 0);
    }
    EXPECT_EQ(Contents(index_), Index({3}));
    EXPECT_EQ(Contents(data_), "abc");
}

TEST_F(LynListBoxTest, AMissingFileGivesANewEmptyStore) {
    // Without its index the data cannot be read: both start again empty.
    WriteFile("url.dat", "abc");
    CLynListBox list;
    EXPECT_EQ(list.ReadHistory(data_, index_, false), 1);
    EXPECT_EQ(Contents(index_), "");
    EXPECT_EQ(Contents(data_), "");

    std::filesystem::remove(data_);
    WriteFile("index_url.dat", Index({3}));
    CLynListBox other;
    EXPECT_EQ(other.ReadHistory(data_, index_, false), 1);
    EXPECT_TRUE(other.GetItems().empty());
    EXPECT_EQ(Contents(index_), "");
    EXPECT_EQ(Contents(data_), "");
}

TEST_F(LynListBoxTest, AddItemTrimsCutsAndRefusesRepeats) {
    std::string chinese;
    for (int i = 0; i < 200; ++i) {
        chinese += "网";
    }
    struct Case {
        bool shortEntries;
        std::string text;
        int result;
        std::string added;
    };
    const Case cases[] = {
        {true, "  http://a.example/  \t", 1, "http://a.example/"},
        {true, "", 0, ""},
        {true, " \t\r\n ", 0, ""},
        {true, std::string(300, 'x'), 1, std::string(255, 'x')},
        {false, std::string(1100, 'x'), 1, std::string(1023, 'x')},
        {false, std::string(300, 'x'), 1, std::string(300, 'x')},
        {true, chinese, 1, chinese.substr(0, 254)},  // no half character
        {true, std::string(254, 'y') + " z", 1, std::string(254, 'y')},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(index_);  // each case starts from an empty store
        std::filesystem::remove(data_);
        RecordingListBox list;
        list.ReadHistory(data_, index_, c.shortEntries);
        EXPECT_EQ(list.AddItem(c.text), c.result) << c.text;
        EXPECT_EQ(list.shown, c.result == 1 ? Items{c.added} : Items{}) << c.text;
    }

    std::filesystem::remove(index_);
    std::filesystem::remove(data_);
    RecordingListBox list;
    list.ReadHistory(data_, index_, true);
    EXPECT_EQ(list.AddItem("a"), 1);
    EXPECT_EQ(list.AddItem("A"), 1);
    EXPECT_EQ(list.AddItem(" a "), 0);
    EXPECT_EQ(list.AddItem(std::string(300, 'c')), 1);
    EXPECT_EQ(list.AddItem(std::string(255, 'c') + "d"), 0);  // the same once cut
    EXPECT_EQ(list.shown, (Items{"a", "A", std::string(255, 'c')}));
}

TEST_F(LynListBoxTest, TheListIsSavedOnDestructionAndReadsBack) {
    WriteStore(Index({3}), "abc");
    {
        CLynListBox list;
        ASSERT_EQ(list.ReadHistory(data_, index_, false), 1);
        EXPECT_EQ(list.AddItem("网址导航"), 1);
        EXPECT_EQ(list.AddItem(std::string(1000, 'l')), 1);
        EXPECT_EQ(Contents(index_), Index({3}));  // nothing is written before the end
    }
    EXPECT_EQ(Contents(index_), Index({3, 8, 1000}));
    EXPECT_EQ(Contents(data_), "abc网址导航" + std::string(1000, 'l'));

    RecordingListBox again;
    EXPECT_EQ(again.ReadHistory(data_, index_, false), 1);
    EXPECT_EQ(again.shown, (Items{"abc", "网址导航", std::string(1000, 'l')}));
}

TEST_F(LynListBoxTest, ReadingAnotherStoreSavesTheFirst) {
    CLynListBox list;
    ASSERT_EQ(list.ReadHistory(data_, index_, true), 1);
    EXPECT_EQ(list.AddItem("first"), 1);
    ASSERT_EQ(list.ReadHistory(PathOf("other.dat"), PathOf("index_other.dat"), true), 1);
    EXPECT_TRUE(list.GetItems().empty());
    EXPECT_EQ(Contents(index_), Index({5}));
    EXPECT_EQ(Contents(data_), "first");
}

TEST_F(LynListBoxTest, AStoreThatCannotBeReadIsLeftAlone) {
    std::filesystem::create_directories(index_);  // there, but not a readable file
    WriteFile("url.dat", "abc");
    {
        CLynListBox list;
        EXPECT_EQ(list.ReadHistory(data_, index_, true), 0);
        EXPECT_TRUE(list.GetItems().empty());
        EXPECT_EQ(list.AddItem("new"), 1);
    }
    EXPECT_TRUE(std::filesystem::is_directory(index_));
    EXPECT_EQ(Contents(data_), "abc");
}

TEST_F(LynListBoxTest, AFailedSaveKeepsTheOldStore) {
    WriteStore(Index({3}), "abc");
    {
        CLynListBox list;
        ASSERT_EQ(list.ReadHistory(data_, index_, true), 1);
        list.AddItem("new");
        // The data file cannot be replaced any more.
        std::filesystem::remove(data_);
        std::filesystem::create_directories(std::filesystem::path(data_) / "blocked");
    }
    EXPECT_EQ(Contents(index_), Index({3}));
}

TEST_F(LynListBoxTest, AListThatNeverReadAStoreSavesNothing) {
    {
        CLynListBox list;
        EXPECT_EQ(list.AddItem("a"), 1);
        EXPECT_EQ(list.GetItems(), Items{"a"});
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder_));
}
