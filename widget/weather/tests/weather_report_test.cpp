#include "widget/weather/weather_report.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/file_io.h"
#include "common/path_util.h"

#ifdef _WIN32
#include <memory>

#include "common/win32/com.h"
#endif

namespace {

#ifdef _WIN32
// The Windows build parses with MSXML, which needs COM on the test thread.
class ComForTheTests final : public testing::Environment {
public:
    void SetUp() override { com_ = std::make_unique<ComApartment>(); }
    void TearDown() override { com_.reset(); }

private:
    std::unique_ptr<ComApartment> com_;
};
testing::Environment* const comForTheTests = testing::AddGlobalTestEnvironment(new ComForTheTests);
#endif

// Moments in China time, worked out by hand.
constexpr Moment kAugust5th0800 = 1217894400;  // 2008-08-05 08:00:00
constexpr Moment kAugust5th0830 = 1217896200;
constexpr Moment kAugust5th1000 = 1217901600;
constexpr Moment kAugust5th2030 = 1217939400;
constexpr Moment kAugust5th2059 = 1217941140;
constexpr Moment kAugust5th2100 = 1217941200;
constexpr Moment kAugust4th2200 = 1217858400;
constexpr Moment kAugust6th0800 = 1217980800;

std::string SampleDocument() {
    std::string document;
    EXPECT_TRUE(ReadWholeFile(JoinPath(WEATHER_TEST_DATA_DIR, "54511_24.xml"), document));
    return document;
}

WeatherReport Parsed(std::string_view document, Moment now = kAugust5th1000) {
    WeatherReport report = EmptyWeatherReport(54511, 24);
    EXPECT_TRUE(ParseWeatherReport(document, now, report)) << document;
    return report;
}

TEST(WeatherReport, AnEmptyReportHasItsStationAndTheIndexLabels) {
    const WeatherReport report = EmptyWeatherReport(54511, 48);
    EXPECT_EQ(report.stationNumber, 54511);
    EXPECT_EQ(report.hours, 48);
    EXPECT_EQ(report.city, "");
    EXPECT_EQ(report.endTime, 0);
    const char* labels[] = {"\xB4\xA9\xD2\xC2\xD6\xB8\xCA\xFD", "\xCA\xE6\xCA\xCA\xB6\xC8",
                            "\xB8\xD0\xC3\xB0\xD6\xB8\xCA\xFD", "\xCF\xB4\xB3\xB5\xD6\xB8\xCA\xFD"};
    for (std::size_t kind = 0; kind < 4; ++kind) {
        EXPECT_EQ(report.indices[kind], (WeatherIndex{labels[kind], "", "", ""})) << kind;
    }
}

TEST(WeatherReport, ReadsEveryFieldOfTheFeedsDocument) {
    WeatherReport expected = EmptyWeatherReport(54511, 24);
    expected.city = "北京";
    expected.description = "晴转多云";
    expected.skyCode1 = 0;
    expected.skyCode2 = 1;
    expected.minTemperature = "18";
    expected.maxTemperature = "29";
    expected.startTime = kAugust5th0800;
    expected.endTime = kAugust6th0800;
    expected.startTimeText = "2008-08-05 08:00:00";
    expected.endTimeText = "2008-08-06 08:00:00";
    expected.windDirection = "北风";
    expected.windPower = "3-4级";
    expected.indices[kDressIndex].index = "热";
    expected.indices[kDressIndex].description1 = "天气较热，建议着短裙、短裤、短套装、T恤等夏季服装。";
    expected.indices[kDressIndex].description2 = "年老体弱者宜着长袖衬衫和单裤。";
    expected.indices[kComfortIndex].index = "较舒适";
    expected.indices[kComfortIndex].description1 = "白天天气晴好，您在这种天气条件下，会感觉早晚凉爽、舒适。";
    expected.indices[kComfortIndex].description2 = "午后偏热，注意防晒。";
    expected.indices[kCatchColdIndex].index = "少发";
    expected.indices[kCatchColdIndex].description1 = "各项气象条件适宜，无明显降温过程，发生感冒机率较低。";
    expected.indices[kCatchColdIndex].description2 = "早晚温差较大，体弱者注意增减衣服。";
    expected.indices[kWashCarIndex].index = "较适宜";
    expected.indices[kWashCarIndex].description1 = "较适宜洗车，未来一天无雨，风力较小。";
    expected.indices[kWashCarIndex].description2 = "擦洗一新的汽车至少能保持一天。";
    EXPECT_EQ(Parsed(SampleDocument()), expected);
}

TEST(WeatherReport, ElementNamesAreComparedWithoutCase) {
    const WeatherReport report = Parsed(
        "<WEATHER><City>北京</City><SKYCODE1>7</SKYCODE1><SkyCode2>8</SkyCode2><WindPower>微风</WindPower>"
        "<EndTime>2008-08-06 08:00:00</EndTime><DRESS><Index>热</Index><DES1>a</DES1></DRESS>"
        "<WashCar><des2>b</des2></WashCar></WEATHER>");
    EXPECT_EQ(report.city, "北京");
    EXPECT_EQ(report.skyCode1, 7);
    EXPECT_EQ(report.skyCode2, 8);
    EXPECT_EQ(report.windPower, "微风");
    EXPECT_EQ(report.endTime, kAugust6th0800);
    EXPECT_EQ(report.indices[kDressIndex], (WeatherIndex{"穿衣指数", "热", "a", ""}));
    EXPECT_EQ(report.indices[kWashCarIndex], (WeatherIndex{"洗车指数", "", "", "b"}));
}

TEST(WeatherReport, TextsComeOutInGbkWhateverTheDocumentsEncoding) {
    // "北京" and "晴" in UTF-8.
    const std::string utf8 =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><weather><city>\xE5\x8C\x97\xE4\xBA\xAC</city>"
        "<description>\xE6\x99\xB4</description></weather>";
    const std::string gbk =
        "<?xml version=\"1.0\" encoding=\"GBK\"?><weather><city>北京</city>"
        "<description>晴</description></weather>";
    for (const std::string& document : {utf8, gbk, "\xEF\xBB\xBF" + utf8.substr(utf8.find("?>") + 2)}) {
        const WeatherReport report = Parsed(document);
        EXPECT_EQ(report.city, "\xB1\xB1\xBE\xA9") << document;
        EXPECT_EQ(report.description, "\xC7\xE7") << document;
    }
}

TEST(WeatherReport, ADamagedDocumentGivesFalseAndAnEmptyReport) {
    const std::string sample = SampleDocument();
    // A longer document, cut where a fixed 4096-byte buffer would cut it.
    std::string padded = sample;
    padded.insert(padded.find("</weather>"), "<forecast>" + std::string(5000, ' ') + "</forecast>");
    const std::string documents[] = {
        "",
        "not xml",
        sample.substr(0, sample.size() / 2),
        sample.substr(0, sample.size() - 3),
        padded.substr(0, 4096),
        "<weather><city>北京</city>",
        "<weather><city>北京</weather></city>",
        std::string("<weather><city>\0</city></weather>", 34),
        "<weather/><weather/>",
        "<!DOCTYPE weather [<!ENTITY e \"x\">]><weather><city>&e;</city></weather>",
    };
    for (const std::string& document : documents) {
        WeatherReport report = Parsed(sample);
        EXPECT_FALSE(ParseWeatherReport(document, kAugust5th1000, report)) << document;
        EXPECT_EQ(report, EmptyWeatherReport(54511, 24)) << document;
    }
    EXPECT_EQ(Parsed(padded).city, "北京");
}

TEST(WeatherReport, MissingElementsStayEmpty) {
    WeatherReport expected = EmptyWeatherReport(54511, 24);
    expected.city = "北京";
    EXPECT_EQ(Parsed("<weather><cityid>54511</cityid><city>北京</city><dress/></weather>"), expected);
    EXPECT_EQ(Parsed("<other/>"), EmptyWeatherReport(54511, 24));
}

TEST(WeatherReport, TheFirstCityWithANameIsKept) {
    EXPECT_EQ(Parsed("<weather><city>北京</city><city>上海</city></weather>").city, "北京");
    EXPECT_EQ(Parsed("<weather><city/><city>上海</city></weather>").city, "上海");
}

TEST(WeatherReport, SkyCodesAreReadAsAtoiReadsThem) {
    struct Case {
        const char* text;
        std::int32_t code;
    };
    const Case cases[] = {{"12abc", 12}, {" 3", 3}, {"-1", -1}, {"abc", 0}, {"", 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(Parsed("<weather><skycode1>" + std::string(c.text) + "</skycode1></weather>").skyCode1, c.code)
            << c.text;
    }
}

TEST(WeatherReport, ElementsAreFoundAtAnyDepth) {
    const WeatherReport report = Parsed(
        "<feed><station><weather><day><city>北京</city><extra><windpower>2级</windpower></extra></day>"
        "<day><windpower>3级</windpower></day><dress><index>热</index></dress></weather></station></feed>");
    EXPECT_EQ(report.city, "北京");
    EXPECT_EQ(report.windPower, "3级");  // the last one, as the walk through the tree leaves it
    EXPECT_EQ(report.indices[kDressIndex].index, "热");
}

TEST(WeatherReport, TimeTextsAreKeptAsReceived) {
    const WeatherReport report =
        Parsed("<weather><starttime>Tue, 05 Aug 2008 08:00:00 GMT</starttime><endtime>soon</endtime></weather>");
    EXPECT_EQ(report.startTime, kAugust5th0800);
    EXPECT_EQ(report.startTimeText, "Tue, 05 Aug 2008 08:00:00 GMT");
    EXPECT_EQ(report.endTime, kAugust5th1000);  // an unreadable time is the time of reading
    EXPECT_EQ(report.endTimeText, "soon");
}

TEST(WeatherReport, ACacheFileServesItsDayUntilTheEveningDocuments) {
    struct Case {
        LocalTime written;
        LocalTime now;
        bool fresh;
    };
    const Case cases[] = {
        {{2008, 8, 5, 8, 0, 0}, {2008, 8, 5, 20, 59, 59}, true},
        {{2008, 8, 5, 8, 0, 0}, {2008, 8, 5, 21, 0, 0}, false},
        {{2008, 8, 5, 20, 30, 0}, {2008, 8, 5, 21, 0, 0}, false},
        {{2008, 8, 5, 21, 0, 0}, {2008, 8, 5, 23, 59, 59}, true},
        {{2008, 8, 5, 21, 0, 0}, {2008, 8, 6, 0, 0, 0}, false},
        {{2008, 8, 4, 22, 0, 0}, {2008, 8, 5, 8, 0, 0}, false},
        {{2008, 7, 5, 8, 0, 0}, {2008, 8, 5, 8, 0, 0}, false},
        {{2007, 8, 5, 8, 0, 0}, {2008, 8, 5, 9, 0, 0}, true},  // the year is not compared
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsWeatherCacheFresh(c.written, c.now), c.fresh)
            << c.written.month << '-' << c.written.day << ' ' << c.written.hour << " read " << c.now.month << '-'
            << c.now.day << ' ' << c.now.hour;
    }
}

// A data folder of its own. The cache paths join with '\', which natively is
// part of a file name: there the files land beside the data folder, inside
// root_; on Windows inside the data folder, which the window makes.
class WeatherCache : public testing::Test {
protected:
    void SetUp() override {
        root_ = std::filesystem::temp_directory_path() /
                ("weather_cache_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_);
        dataFolder_ = JoinPath(root_.string(), "Data");
        std::filesystem::create_directories(dataFolder_);
    }
    void TearDown() override { std::filesystem::remove_all(root_); }

    void WriteCache(std::int32_t hours, const std::string& contents, Moment written) const {
        const std::string path = WeatherCachePath(dataFolder_, 54511, hours);
        ASSERT_EQ(ReplaceFileAtomically(path, contents), 0);
        const std::chrono::sys_seconds time{std::chrono::seconds(written)};
        std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::from_sys(time));
    }

    std::filesystem::path root_;
    std::string dataFolder_;
};

TEST_F(WeatherCache, AFreshFileLoadsWhole) {
    std::string document = SampleDocument();
    // Longer than a 4096-byte read would take.
    document.insert(document.find("<city>"), "<forecast>" + std::string(5000, ' ') + "</forecast>");
    WriteCache(48, document, kAugust5th0830);
    WeatherReport report;
    ASSERT_TRUE(LoadCachedWeatherReport(dataFolder_, 54511, 48, kAugust5th1000, report));
    WeatherReport expected = EmptyWeatherReport(54511, 48);
    ASSERT_TRUE(ParseWeatherReport(SampleDocument(), kAugust5th1000, expected));
    EXPECT_EQ(report, expected);
}

TEST_F(WeatherCache, AMissingStaleOrDamagedFileDoesNotLoad) {
    WeatherReport report;
    EXPECT_FALSE(LoadCachedWeatherReport(dataFolder_, 54511, 24, kAugust5th1000, report));
    EXPECT_EQ(report, EmptyWeatherReport(54511, 24));

    WriteCache(24, SampleDocument(), kAugust5th2030);
    EXPECT_TRUE(LoadCachedWeatherReport(dataFolder_, 54511, 24, kAugust5th2059, report));
    EXPECT_FALSE(LoadCachedWeatherReport(dataFolder_, 54511, 24, kAugust5th2100, report));
    EXPECT_EQ(report, EmptyWeatherReport(54511, 24));

    WriteCache(24, SampleDocument().substr(0, 300), kAugust5th0830);
    EXPECT_FALSE(LoadCachedWeatherReport(dataFolder_, 54511, 24, kAugust5th1000, report));
    EXPECT_EQ(report, EmptyWeatherReport(54511, 24));
}

TEST_F(WeatherCache, ADownloadIsNeededWithoutACurrentDayDocument) {
    EXPECT_TRUE(IsWeatherDownloadNeeded(dataFolder_, 54511, kAugust5th1000));

    // Only the 24-hour document counts.
    WriteCache(48, SampleDocument(), kAugust5th0830);
    EXPECT_TRUE(IsWeatherDownloadNeeded(dataFolder_, 54511, kAugust5th1000));

    WriteCache(24, SampleDocument(), kAugust5th0830);  // it ends on the 6th at 08:00
    EXPECT_FALSE(IsWeatherDownloadNeeded(dataFolder_, 54511, kAugust5th1000));
    EXPECT_TRUE(IsWeatherDownloadNeeded(dataFolder_, 54511, kAugust5th2100));  // stale

    WriteCache(24, "<weather><endtime>2008-08-05 09:59:59</endtime></weather>", kAugust5th0830);
    EXPECT_TRUE(IsWeatherDownloadNeeded(dataFolder_, 54511, kAugust5th1000));
    WriteCache(24, "<weather><endtime>2008-08-05 10:00:00</endtime></weather>", kAugust5th0830);
    EXPECT_FALSE(IsWeatherDownloadNeeded(dataFolder_, 54511, kAugust5th1000));

    WriteCache(24, "<weather/>", kAugust4th2200);
    EXPECT_TRUE(IsWeatherDownloadNeeded(dataFolder_, 54511, kAugust5th1000));
}

}  // namespace
