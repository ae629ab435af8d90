#include "trevalo/contact_tree.h"

#include <gtest/gtest.h>

#include <map>
#include <thread>

#include "common/path_util.h"
#include "trevalo/contact_map.h"
#include "trevalo/tests/trevalo_test_folder.h"

namespace {

// Folders by path; a folder that is not listed cannot be listed.
class FakeDirectoryReader : public DirectoryReader {
public:
    void Add(const std::string& folder, std::vector<DirectoryEntry> entries) { folders_[folder] = std::move(entries); }
    bool List(const std::string& folder, std::vector<DirectoryEntry>& entries) const override {
        const auto found = folders_.find(folder);
        if (found == folders_.end()) {
            return false;
        }
        entries = found->second;
        return true;
    }

private:
    std::map<std::string, std::vector<DirectoryEntry>> folders_;
};

// The tree as lines: "account TEXT" and "  log TEXT under ACCOUNT at PATH",
// in the order they were added. Accounts get handles 1, 2, ... unless
// `refuseFrom` says from which one on insertion fails.
class RecordingSink : public ContactTreeSink {
public:
    explicit RecordingSink(std::size_t refuseFrom = 0) : refuseFrom_(refuseFrom) {}
    std::uintptr_t AddAccount(const std::string& text) override {
        if (refuseFrom_ != 0 && accounts_.size() + 1 >= refuseFrom_) {
            return 0;
        }
        accounts_.push_back(text);
        lines.push_back("account " + text);
        return accounts_.size();
    }
    void AddLog(std::uintptr_t account, const std::string& text, const std::string& path) override {
        lines.push_back("  log " + text + " under " + accounts_.at(account - 1) + " at " + path);
    }

    std::vector<std::string> lines;

private:
    std::size_t refuseFrom_;
    std::vector<std::string> accounts_;
};

std::string P(std::string_view a, std::string_view b) {
    return JoinPath(a, b);
}

TEST(IsContactName, NeedsNineDigitsAtTheEndAndMore) {
    struct Case {
        std::string name;
        bool qualifies;
    };
    const Case cases[] = {
        {"alice123456789", true},
        {"a123456789", true},
        {"1234567890", true},
        {"123456789", false},
        {"alice12345678", false},
        {"alice123456789.xml", false},
        {"alice12345678x", false},
        {"张三123456789", true},
        {"", false},
        {"alice 23456789", false},
        {"alice１２３４５６７８９", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsContactName(c.name), c.qualifies) << c.name;
    }
}

TEST(TitleOf, DropsTheLastExtension) {
    struct Case {
        std::string name;
        std::string title;
    };
    const Case cases[] = {
        {"alice123456789.xml", "alice123456789"}, {"a.b.xml", "a.b"},   {"notes", "notes"}, {".xml", ""},
        {"alice123456789.", "alice123456789"},    {"中文.txt", "中文"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TitleOf(c.name), c.title) << c.name;
    }
}

TEST(BuildContactTree, AccountFolderHoldsItsLogs) {
    FakeDirectoryReader reader;
    reader.Add("docs", {{"john1234567890", true}, {"readme.txt", false}});
    reader.Add(P("docs", "john1234567890"), {{"alice123456789.xml", false}, {"notes", false}});
    RecordingSink sink;
    BuildContactTree(reader, "docs", sink);
    EXPECT_EQ(sink.lines, (std::vector<std::string>{
                              "account john1234567890",
                              "  log alice123456789 under john1234567890 at " +
                                  P(P("docs", "john1234567890"), "alice123456789.xml"),
                          }));
}

TEST(BuildContactTree, WalksEveryFolderAndKeepsTheParentThroughOthers) {
    // Logs at any depth below an account, folders that are logs themselves,
    // an account inside an account, and logs outside any account.
    FakeDirectoryReader reader;
    reader.Add("docs", {{"bob123456789.xml", false}, {"My Received Files", true}});
    reader.Add(P("docs", "My Received Files"), {{"john1234567890", true}, {"mary987654321", true}});
    const std::string john = P(P("docs", "My Received Files"), "john1234567890");
    reader.Add(john, {{"History", true}});
    reader.Add(P(john, "History"), {{"alice123456789.xml", false}, {"carol111111111", true}, {"x.log", false}});
    reader.Add(P(P(john, "History"), "carol111111111"), {});
    const std::string mary = P(P("docs", "My Received Files"), "mary987654321");
    reader.Add(mary, {{"dave222222222.xml", false}});
    RecordingSink sink;
    BuildContactTree(reader, "docs", sink);
    EXPECT_EQ(sink.lines,
              (std::vector<std::string>{
                  "account john1234567890",
                  "  log alice123456789 under john1234567890 at " + P(P(john, "History"), "alice123456789.xml"),
                  "account carol111111111",
                  "  log carol111111111 under john1234567890 at " + P(P(john, "History"), "carol111111111"),
                  "account mary987654321",
                  "  log dave222222222 under mary987654321 at " + P(mary, "dave222222222.xml"),
              }));
}

TEST(BuildContactTree, FailureEndsTheWalkKeepingWhatWasFound) {
    FakeDirectoryReader reader;
    reader.Add("docs", {{"john1234567890", true}, {"locked", true}, {"mary987654321", true}});
    reader.Add(P("docs", "john1234567890"), {{"alice123456789.xml", false}});
    reader.Add(P("docs", "mary987654321"), {{"dave222222222.xml", false}});
    RecordingSink sink;
    BuildContactTree(reader, "docs", sink);
    EXPECT_EQ(sink.lines, (std::vector<std::string>{
                              "account john1234567890",
                              "  log alice123456789 under john1234567890 at " +
                                  P(P("docs", "john1234567890"), "alice123456789.xml"),
                          }));

    RecordingSink missing;
    BuildContactTree(reader, "no such folder", missing);
    EXPECT_TRUE(missing.lines.empty());
}

TEST(BuildContactTree, AccountThatCannotBeInsertedEndsTheWalk) {
    FakeDirectoryReader reader;
    reader.Add("docs", {{"john1234567890", true}, {"mary987654321", true}});
    reader.Add(P("docs", "john1234567890"), {{"alice123456789.xml", false}});
    reader.Add(P("docs", "mary987654321"), {{"dave222222222.xml", false}});
    RecordingSink sink(2);
    BuildContactTree(reader, "docs", sink);
    EXPECT_EQ(sink.lines, (std::vector<std::string>{
                              "account john1234567890",
                              "  log alice123456789 under john1234567890 at " +
                                  P(P("docs", "john1234567890"), "alice123456789.xml"),
                          }));
}

using SystemDirectoryReaderTest = TrevaloTestFolder;

TEST_F(SystemDirectoryReaderTest, ListsFilesAndFoldersWithoutDotEntries) {
    MakeFolder("john1234567890");
    WriteFile("john1234567890/alice123456789.xml", "<Log/>");
    WriteFile("john1234567890/notes", "");
    WriteFile("top.txt", "");
    const auto reader = MakeSystemDirectoryReader();
    std::vector<DirectoryEntry> entries;
    ASSERT_TRUE(reader->List(folder_, entries));
    std::map<std::string, bool> listed;
    for (const DirectoryEntry& entry : entries) {
        listed[entry.name] = entry.folder;
    }
    EXPECT_EQ(listed, (std::map<std::string, bool>{{"john1234567890", true}, {"top.txt", false}}));

    EXPECT_FALSE(reader->List(PathOf("no such folder"), entries));
}

TEST_F(SystemDirectoryReaderTest, WalksARealFolder) {
    MakeFolder("john1234567890");
    const std::string log = WriteFile("john1234567890/alice123456789.xml", "<Log/>");
    WriteFile("john1234567890/notes", "");
    RecordingSink sink;
    BuildContactTree(*MakeSystemDirectoryReader(), folder_, sink);
    EXPECT_EQ(sink.lines, (std::vector<std::string>{
                              "account john1234567890",
                              "  log alice123456789 under john1234567890 at " + log,
                          }));
}

TEST(ContactMap, MapsItemsToPathsAndForgetsThemOnClear) {
    ContactMap map;
    map.Add(7, "a.xml");
    map.Add(9, "b.xml");
    map.Add(7, "c.xml");
    EXPECT_EQ(map.PathOf(7), "c.xml");
    EXPECT_EQ(map.PathOf(9), "b.xml");
    EXPECT_EQ(map.PathOf(8), "");
    map.Clear();
    EXPECT_EQ(map.PathOf(9), "");
}

TEST(ContactMap, FilledByOneThreadWhileAnotherReads) {
    constexpr std::uintptr_t kItems = 2000;
    ContactMap map;
    std::thread worker([&map] {
        for (std::uintptr_t item = 1; item <= kItems; ++item) {
            map.Add(item, std::to_string(item));
        }
    });
    // Reads race the worker's writes until the last item is in.
    for (std::uintptr_t item = 1; map.PathOf(kItems).empty(); item = item % kItems + 1) {
        const std::string path = map.PathOf(item);
        ASSERT_TRUE(path.empty() || path == std::to_string(item));
    }
    worker.join();
    for (std::uintptr_t item = 1; item <= kItems; ++item) {
        ASSERT_EQ(map.PathOf(item), std::to_string(item));
    }
}

}  // namespace
