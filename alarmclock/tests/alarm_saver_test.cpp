#include "alarmclock/alarm_saver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include "common/win32/com.h"
#endif
#include "common/file_io.h"
#include "common/local_time.h"
#include "common/path_util.h"

using alarmclock::AlarmItem;

namespace {

// Test names from the cases' own names.
template <typename Case>
std::string CaseName(const testing::TestParamInfo<Case>& param) {
    return param.param.name;
}

Moment Local(int year, int month, int day, int hour, int minute, int second) {
    return FromLocalTime(LocalTime{year, month, day, hour, minute, second, 0});
}

constexpr Moment kEarliest = std::numeric_limits<Moment>::min();
constexpr Moment kLatest = std::numeric_limits<Moment>::max();

// The base class leaves one operation to derived lists; the tests also
// reach the text conversions.
class TestSaver final : public alarmclock::CAlarmSaver_base {
public:
    using CAlarmSaver_base::CAlarmSaver_base;
    using CAlarmSaver_base::Data2XMLString;
    using CAlarmSaver_base::XMLString2Data;
    bool ApplyAlarms() override { return false; }

    std::vector<AlarmItem> Items() const {
        std::vector<AlarmItem> items;
        Get(items);
        return items;
    }
    std::vector<AlarmItem> Loaded() const {
        std::vector<AlarmItem> items;
        GetLoadItem(items);
        return items;
    }
};

// A saver whose save failures are recorded, and a fresh folder for its files.
class AlarmSaverTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("alarm_saver_test_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string PathOf(const char* name) const { return JoinPath(folder_.string(), name); }

    std::vector<std::string> failures_;
    TestSaver saver_{[this](const char* path) { failures_.push_back(path); }};

private:
#ifdef _WIN32
    ComApartment com_;  // the DOM is MSXML
#endif
    std::filesystem::path folder_;
};

}  // namespace

TEST_F(AlarmSaverTest, SaveWritesTheExactTextAndReplacesTheOldFile) {
    ASSERT_TRUE(saver_.Insert({2, "Tea", Local(2024, 3, 5, 9, 7, 0), 0}));
    ASSERT_TRUE(saver_.Insert({1, "喝茶", Local(2024, 12, 31, 23, 59, 59), 1440}));
    ASSERT_TRUE(saver_.Insert({3, "R&D <\"新\">", Local(2000, 1, 1, 0, 0, 0), -5}));
    const std::string path = PathOf("alarm.xml");
    ASSERT_EQ(ReplaceFileAtomically(path, std::string(1000, 'x')), 0);  // a longer old file

    ASSERT_TRUE(saver_.Save(path.c_str()));

    std::string written;
    ASSERT_TRUE(ReadWholeFile(path, written));
    EXPECT_EQ(written,
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
              "<alarmxml>\r\n"
              "<alarm name=\"Tea\" start_time=\"124:2:5:9:7:0\" repeat=\"0\" />\r\n"
              "<alarm name=\"喝茶\" start_time=\"124:11:31:23:59:59\" repeat=\"1440\" />\r\n"
              "<alarm name=\"R&amp;D &lt;&quot;新&quot;&gt;\" start_time=\"100:0:1:0:0:0\" repeat=\"-5\" />\r\n"
              "</alarmxml>");
    EXPECT_TRUE(failures_.empty());
}

TEST_F(AlarmSaverTest, EmptyListWritesTheFrame) {
    EXPECT_EQ(saver_.Data2XMLString({}), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<alarmxml>\r\n</alarmxml>");
}

// Save then Load gives every item back (ids are not saved, so they read 0).
TEST_F(AlarmSaverTest, SaveAndLoadRoundTrip) {
    const std::vector<AlarmItem> items = {
        {1, "Tea", Local(2024, 3, 5, 9, 7, 0), 0},
        {2, "\"quoted\" <b> & 'single'", Local(2024, 7, 1, 12, 0, 1), 45},
        {3, "喝茶 & 读书 <午后>", Local(1999, 12, 31, 23, 59, 59), 1440},
        {4, "tab\there\r\nnext line", Local(2038, 1, 19, 11, 14, 7), -7},
        {5, "", 0, 0},
        {6, std::string(5000, 'n') + "尾", Local(1970, 1, 1, 8, 0, 1), 2147483647},
        {7, "&amp; stays text", kLatest, -2147483647 - 1},
    };
    for (const AlarmItem& item : items) {
        ASSERT_TRUE(saver_.Insert(item));
    }
    const std::string path = PathOf("round.xml");
    ASSERT_TRUE(saver_.Save(path.c_str()));
    ASSERT_TRUE(saver_.Load(path.c_str()));

    std::vector<AlarmItem> expected = items;
    for (AlarmItem& item : expected) {
        item.id = 0;
    }
    EXPECT_EQ(saver_.Loaded(), expected);
    EXPECT_EQ(saver_.Items(), items);  // Load leaves the items alone
}

TEST_F(AlarmSaverTest, LoadAppendsAndFailsWithoutAList) {
    const std::string path = PathOf("two.xml");
    ASSERT_EQ(ReplaceFileAtomically(path, "<alarmxml><alarm name=\"a\"/><alarm name=\"b\"/></alarmxml>"), 0);
    ASSERT_TRUE(saver_.Load(path.c_str()));
    ASSERT_TRUE(saver_.Load(path.c_str()));
    std::vector<std::string> names;
    for (const AlarmItem& item : saver_.Loaded()) {
        names.push_back(item.name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"a", "b", "a", "b"}));

    const std::string broken = PathOf("broken.xml");
    ASSERT_EQ(ReplaceFileAtomically(broken, "<alarmxml><alarm name=\"c\"/>"), 0);
    const std::string empty = PathOf("empty.xml");
    ASSERT_EQ(ReplaceFileAtomically(empty, ""), 0);
    EXPECT_FALSE(saver_.Load(broken.c_str()));
    EXPECT_FALSE(saver_.Load(empty.c_str()));
    EXPECT_FALSE(saver_.Load(PathOf("missing.xml").c_str()));
    EXPECT_FALSE(saver_.Load(nullptr));
    EXPECT_EQ(saver_.Loaded().size(), 4u);
}

TEST_F(AlarmSaverTest, SaveThatCannotWriteFailsAndTellsTheNotifier) {
    ASSERT_TRUE(saver_.Insert({1, "a", 0, 0}));
    const std::string path = PathOf("no_such_folder/alarm.xml");
    EXPECT_FALSE(saver_.Save(path.c_str()));
    EXPECT_EQ(failures_, std::vector<std::string>{path});
    EXPECT_FALSE(std::filesystem::exists(PathOf("no_such_folder")));

    EXPECT_FALSE(saver_.Save(nullptr));
    EXPECT_EQ(failures_.size(), 1u);
}

TEST(AlarmSaver, FailureMessageNamesThePath) {
    EXPECT_EQ(alarmclock::SaveFailureMessage("C:\\日历\\alarm.xml"),
              "无法保存文件 C:\\日历\\alarm.xml , 请检查文件是否只读，或者检查磁盘空间是否不足！");
    EXPECT_STREQ(alarmclock::kSaveFailureCaption, "操作提示");
}

TEST_F(AlarmSaverTest, ItemsKeepTheirPlaceById) {
    EXPECT_FALSE(saver_.Insert({0, "no id", 0, 0}));
    saver_.Insert({10, "a", 0, 0});
    saver_.Insert({20, "b", 0, 0});
    saver_.Insert({30, "c", 0, 0});
    saver_.Insert({20, "B", 60, 5});  // overwritten in place

    AlarmItem item;
    ASSERT_TRUE(saver_.Get(20, item));
    EXPECT_EQ(item, (AlarmItem{20, "B", 60, 5}));
    EXPECT_FALSE(saver_.Get(99, item));
    EXPECT_EQ(item.id, 20u);  // untouched on failure

    EXPECT_TRUE(saver_.Remove(10));
    EXPECT_FALSE(saver_.Remove(10));
    EXPECT_EQ(saver_.Items(), (std::vector<AlarmItem>{{20, "B", 60, 5}, {30, "c", 0, 0}}));

    // Get appends; a copy is a list of its own.
    TestSaver copy = saver_;
    copy.Remove(20);
    std::vector<AlarmItem> both = saver_.Items();
    copy.Get(both);
    EXPECT_EQ(both.size(), 3u);
}

namespace {

struct ParseCase {
    const char* name;
    const char* xml;
    std::vector<AlarmItem> expected;
};

// Failures name the case rather than dump its bytes.
void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << c.name;
}

class AlarmXmlParsing : public testing::TestWithParam<ParseCase> {
#ifdef _WIN32
    ComApartment com_;
#endif
};

}  // namespace

TEST_P(AlarmXmlParsing, ReadsTheAlarmElements) {
    const ParseCase& c = GetParam();
    TestSaver saver{alarmclock::SaveFailureNotifier{}};
    std::vector<AlarmItem> out = {{9, "kept", 1, 2}};
    ASSERT_TRUE(saver.XMLString2Data(c.xml, out));
    std::vector<AlarmItem> expected = {{9, "kept", 1, 2}};
    expected.insert(expected.end(), c.expected.begin(), c.expected.end());
    EXPECT_EQ(out, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Documents,
    AlarmXmlParsing,
    testing::Values(ParseCase{"MissingAttributesReadEmpty",
                              "<alarmxml><alarm/><alarm name=\"x\"/><alarm repeat=\"30\"/></alarmxml>",
                              {{0, "", 0, 0}, {0, "x", 0, 0}, {0, "", 0, 30}}},
                    ParseCase{"FullRecordWithDeclarationAndWhiteSpace",
                              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<alarmxml>\r\n"
                              "  <alarm name=\"喝茶\" start_time=\"124:2:5:9:7:0\" repeat=\"12\" />\r\n</alarmxml>",
                              {{0, "喝茶", Local(2024, 3, 5, 9, 7, 0), 12}}},
                    ParseCase{"OnlyAlarmsUnderAnAlarmList",
                              "<root><alarm name=\"stray\"/><alarmxml><alarm name=\"a\"/><other name=\"o\"/></alarmxml>"
                              "<alarmxml><alarm name=\"b\"/></alarmxml></root>",
                              {{0, "a", 0, 0}, {0, "b", 0, 0}}},
                    ParseCase{"NoAlarmsIsAnEmptyList", "<alarmxml/>", {}},
                    ParseCase{"RepeatReadAsItsLeadingNumber",
                              "<alarmxml><alarm repeat=\" -45min\"/><alarm repeat=\"abc\"/></alarmxml>",
                              {{0, "", 0, -45}, {0, "", 0, 0}}}),
    CaseName<ParseCase>);

namespace {

struct StartTimeCase {
    const char* text;
    Moment expected;
};

class StartTimeParsing : public testing::TestWithParam<StartTimeCase> {};

}  // namespace

TEST_P(StartTimeParsing, ReadsLocalTime) {
    EXPECT_EQ(alarmclock::ParseStartTime(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts,
    StartTimeParsing,
    testing::Values(StartTimeCase{"124:2:5:9:7:0", Local(2024, 3, 5, 9, 7, 0)},
                    StartTimeCase{"124:2:5:9:7:0:99", Local(2024, 3, 5, 9, 7, 0)},  // extra pieces ignored
                    StartTimeCase{"124:2:5:9:7:", Local(2024, 3, 5, 9, 7, 0)},      // an empty sixth piece is 0
                    StartTimeCase{"70:0:1:8:0:0", 0},
                    // Fields out of range carry over as in a calendar.
                    StartTimeCase{"124:12:1:0:0:0", Local(2025, 1, 1, 0, 0, 0)},
                    StartTimeCase{"124:1:30:0:0:0", Local(2024, 3, 1, 0, 0, 0)},
                    StartTimeCase{"124:-1:31:24:0:0", Local(2024, 1, 1, 0, 0, 0)},
                    StartTimeCase{"124:2:5:9:-1:60", Local(2024, 3, 5, 9, 0, 0)},
                    // Too few pieces: no time, as if the attribute were missing.
                    StartTimeCase{"", 0},
                    StartTimeCase{"abc", 0},
                    StartTimeCase{"124:2:5:9:7", 0},
                    // The ends of the range, and numbers far beyond it, without overflow.
                    StartTimeCase{"138:0:19:11:14:6", kLatest - 1},
                    StartTimeCase{"138:0:19:11:14:8", kLatest},
                    StartTimeCase{"138:1:1:0:0:0", kLatest},
                    StartTimeCase{"1:10:30:0:0:0", kEarliest},
                    StartTimeCase{"2147483647:2147483647:2147483647:2147483647:2147483647:2147483647", kLatest},
                    StartTimeCase{"-2147483648:-2147483648:-2147483648:-2147483648:-2147483648:-2147483648", kEarliest},
                    StartTimeCase{"124:0:2147483647:0:0:0", kLatest},
                    StartTimeCase{"124:0:1:-2147483648:-2147483648:-2147483648", kEarliest},
                    StartTimeCase{"99999999999:0:1:0:0:0", kLatest}));

TEST(StartTimeText, WritesLocalCalendarFields) {
    EXPECT_EQ(alarmclock::FormatStartTime(Local(2024, 3, 5, 9, 7, 0)), "124:2:5:9:7:0");
    EXPECT_EQ(alarmclock::FormatStartTime(Local(2001, 12, 31, 23, 59, 58)), "101:11:31:23:59:58");
    EXPECT_EQ(alarmclock::FormatStartTime(0), "70:0:1:8:0:0");  // China time
}

TEST(AlarmSaver, TextThatIsNotAnAlarmListIsRefused) {
#ifdef _WIN32
    ComApartment com;
#endif
    TestSaver saver{alarmclock::SaveFailureNotifier{}};
    std::vector<AlarmItem> out;
    for (const char* text : {"", "<alarmxml><alarm name=\"a\"/>", "not xml", "<a></b>"}) {
        EXPECT_FALSE(saver.XMLString2Data(text, out)) << text;
    }
    EXPECT_TRUE(out.empty());
}
