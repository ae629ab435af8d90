#include "site/weather/weather_feed.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "common/path_util.h"
#include "widget/weather/weather_report.h"

namespace {

std::string Recorded(const std::string& name) {
    std::string text;
    EXPECT_TRUE(ReadWholeFile(JoinPath(SITE_WEATHER_TEST_DATA_DIR, name), text)) << name;
    return text;
}

// The forecast service: answers every request with `reply` and keeps the
// URLs asked for.
class FakeUpstream final : public IUpstream {
public:
    UpstreamReply Get(const std::string& url) override {
        urls.push_back(url);
        return reply;
    }

    UpstreamReply reply;
    std::vector<std::string> urls;
};

UpstreamReply Answer(std::string body, int status = 200) {
    return UpstreamReply{true, status, std::move(body)};
}

Moment At(int day, int hour, int minute = 0) {
    return FromLocalTime({2026, 12, day, hour, minute, 0});
}

class WeatherFeedTest : public testing::Test {
protected:
    WeatherFeedTest() { upstream_.reply = Answer(Recorded("open_meteo_54511.json")); }

    WeatherFeed Feed(WeatherFeedSettings settings = {}) {
        settings.forecastUrl = "http://forecast.test/v1/forecast";
        return WeatherFeed(upstream_, cache_, clock_, std::move(settings));
    }

    // The served document as the calendar's weather section reads it.
    WeatherReport Report(const SiteResponse& response, std::int32_t station, std::int32_t hours) {
        WeatherReport report = EmptyWeatherReport(station, hours);
        EXPECT_EQ(response.status, 200);
        EXPECT_TRUE(ParseWeatherReport(response.body, clock_.Now(), report)) << response.body;
        return report;
    }

    FakeUpstream upstream_;
    AnswerCache cache_;
    FakeClock clock_{At(11, 10)};
};

TEST_F(WeatherFeedTest, TheFirstDayIsServedAsTheSectionReadsIt) {
    WeatherFeed feed = Feed();
    const SiteResponse response = feed.Forecast("54511_24.xml");
    EXPECT_EQ(response.contentType, "text/xml; charset=gb2312");
    // A client that takes one 4096-byte read still gets all of it.
    EXPECT_LT(response.body.size(), 4096u);
    const WeatherReport report = Report(response, 54511, 24);

    WeatherReport expected = EmptyWeatherReport(54511, 24);
    expected.city = "北京";
    expected.description = "多云";
    expected.skyCode1 = 1;
    expected.skyCode2 = 1;
    expected.minTemperature = "-5";
    expected.maxTemperature = "5";
    expected.startTimeText = "2026-12-10 20:00:00";
    expected.startTime = At(10, 20);
    expected.endTimeText = "2026-12-11 20:00:00";
    expected.endTime = At(11, 20);
    expected.windDirection = "西北风";
    expected.windPower = "2-3级";
    // A day of -5.4 to 4.6 °C, force 3, no rain.
    expected.indices[kDressIndex].index = "寒冷";
    expected.indices[kComfortIndex].index = "不舒适";
    expected.indices[kCatchColdIndex].index = "易发";
    expected.indices[kWashCarIndex].index = "适宜";
    for (std::size_t kind = 0; kind < expected.indices.size(); ++kind) {
        EXPECT_FALSE(report.indices[kind].description1.empty()) << kind;
        expected.indices[kind].description1 = report.indices[kind].description1;
        expected.indices[kind].description2 = report.indices[kind].description2;
    }
    EXPECT_EQ(report, expected);
    EXPECT_EQ(upstream_.urls, std::vector<std::string>{"http://forecast.test/v1/forecast?latitude=39.90&longitude="
                                                       "116.41&daily=weather_code,temperature_2m_max,temperature_2m_"
                                                       "min,wind_speed_10m_max,wind_direction_10m_dominant,"
                                                       "precipitation_probability_max&timezone=Asia%2FShanghai&"
                                                       "forecast_days=3&wind_speed_unit=kmh"});
}

TEST_F(WeatherFeedTest, FromEightInTheEveningTheDocumentsMoveOnADay) {
    WeatherFeed feed = Feed();
    const struct {
        Moment now;
        std::int32_t hours;
        std::string_view end;
        std::string_view description;
        std::string_view temperatures;
    } cases[] = {
        {At(11, 0), 24, "2026-12-11 20:00:00", "多云", "-5/5"},
        {At(11, 19, 59), 24, "2026-12-11 20:00:00", "多云", "-5/5"},
        {At(11, 19, 59), 48, "2026-12-12 20:00:00", "小雪", "-7/1"},
        {At(11, 20), 24, "2026-12-12 20:00:00", "小雪", "-7/1"},
        {At(11, 23, 59), 48, "2026-12-13 20:00:00", "晴", "-8/3"},
    };
    for (const auto& c : cases) {
        clock_.Set(c.now);
        const WeatherReport report =
            Report(feed.Forecast(std::to_string(54511) + "_" + std::to_string(c.hours) + ".xml"), 54511, c.hours);
        EXPECT_EQ(report.endTimeText, c.end) << c.now << " " << c.hours;
        EXPECT_EQ(report.description, c.description) << c.now << " " << c.hours;
        EXPECT_EQ(report.minTemperature + "/" + report.maxTemperature, c.temperatures) << c.now << " " << c.hours;
    }
}

TEST_F(WeatherFeedTest, TheSecondDayOfSnowAndTheThirdWithoutARainChance) {
    WeatherFeed feed = Feed();
    const WeatherReport snow = Report(feed.Forecast("54511_48.xml"), 54511, 48);
    EXPECT_EQ(snow.skyCode1, 14);
    EXPECT_EQ(snow.windDirection, "北风");
    EXPECT_EQ(snow.windPower, "3-4级");
    EXPECT_EQ(snow.indices[kWashCarIndex].index, "不宜");

    clock_.Set(At(11, 21));
    const WeatherReport clear = Report(feed.Forecast("54511_48.xml"), 54511, 48);
    EXPECT_EQ(clear.skyCode1, 0);
    EXPECT_EQ(clear.windDirection, "西风");
    EXPECT_EQ(clear.windPower, "微风");
    EXPECT_EQ(clear.indices[kWashCarIndex].index, "较适宜");
}

TEST_F(WeatherFeedTest, AStationAbroadIsAskedInItsOwnZoneAndItsDayFoundByDate) {
    upstream_.reply = Answer(Recorded("open_meteo_72503.json"));
    WeatherFeed feed = Feed();
    const WeatherReport report = Report(feed.Forecast("72503_24.xml"), 72503, 24);
    EXPECT_EQ(report.city, "纽约");
    EXPECT_EQ(report.description, "中雨");
    EXPECT_EQ(report.minTemperature + "/" + report.maxTemperature, "5/9");
    EXPECT_EQ(report.windDirection, "东南风");
    EXPECT_EQ(report.windPower, "5-6级");
    EXPECT_EQ(report.endTimeText, "2026-12-11 20:00:00");
    ASSERT_EQ(upstream_.urls.size(), 1u);
    EXPECT_NE(upstream_.urls[0].find("latitude=40.71&longitude=-74.01&"), std::string::npos);
    EXPECT_NE(upstream_.urls[0].find("&timezone=auto&"), std::string::npos);
}

// The widget's own cache: a document written when it is served must be
// current there, so the widget does not fetch again at once.
class WidgetCache : public WeatherFeedTest {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("site_weather_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    void Write(const SiteResponse& response, std::int32_t hours) const {
        ASSERT_EQ(response.status, 200);
        const std::string path = WeatherCachePath(folder_.string(), 54511, hours);
        ASSERT_EQ(ReplaceFileAtomically(path, response.body), 0);
        const std::chrono::sys_seconds time{std::chrono::seconds(clock_.Now())};
        std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::from_sys(time));
    }

    bool DownloadNeeded() const { return IsWeatherDownloadNeeded(folder_.string(), 54511, clock_.Now()); }

    std::filesystem::path folder_;
};

TEST_F(WidgetCache, AServedDocumentIsCurrentUntilItsDayEnds) {
    WeatherFeed feed = Feed();
    for (const Moment now : {At(11, 0), At(11, 8), At(11, 19, 59), At(11, 20), At(11, 21), At(11, 23, 59)}) {
        clock_.Set(now);
        Write(feed.Forecast("54511_24.xml"), 24);
        EXPECT_FALSE(DownloadNeeded()) << now;
    }

    clock_.Set(At(11, 19, 30));
    Write(feed.Forecast("54511_24.xml"), 24);
    clock_.Set(At(11, 20, 0) + 1);
    EXPECT_TRUE(DownloadNeeded());  // the day's forecast has run out
    Write(feed.Forecast("54511_24.xml"), 24);
    EXPECT_FALSE(DownloadNeeded());
}

TEST_F(WeatherFeedTest, AnswersAreCachedPerStationForTheCacheTime) {
    WeatherFeedSettings settings;
    settings.cacheSeconds = 600;
    WeatherFeed feed = Feed(settings);
    EXPECT_EQ(feed.Forecast("54511_24.xml").status, 200);
    EXPECT_EQ(feed.Forecast("54511_48.xml").status, 200);
    clock_.Advance(600);
    EXPECT_EQ(feed.Forecast("54511_24.xml").status, 200);
    EXPECT_EQ(upstream_.urls.size(), 1u);

    clock_.Advance(1);
    EXPECT_EQ(feed.Forecast("54511_24.xml").status, 200);
    EXPECT_EQ(upstream_.urls.size(), 2u);

    // Another station has its own answer.
    EXPECT_EQ(feed.Forecast("58367_24.xml").status, 200);
    EXPECT_EQ(upstream_.urls.size(), 3u);
}

TEST_F(WeatherFeedTest, AClockSetBackAsksAgain) {
    WeatherFeed feed = Feed();
    EXPECT_EQ(feed.Forecast("54511_24.xml").status, 200);
    clock_.Set(At(11, 9));
    EXPECT_EQ(feed.Forecast("54511_24.xml").status, 200);
    EXPECT_EQ(upstream_.urls.size(), 2u);
}

struct UpstreamFailure {
    std::string_view why;
    UpstreamReply reply;
    int status;
};

std::vector<UpstreamFailure> UpstreamFailures() {
    const std::string whole = Recorded("open_meteo_54511.json");
    auto changed = [&](std::string_view from, std::string_view to) {
        std::string answer = whole;
        return answer.replace(answer.find(from), from.size(), to);
    };
    return {
        {"not reached", UpstreamReply{false, 0, ""}, 503},
        {"server error", Answer("", 500), 502},
        {"an error answer", Answer(R"({"error":true,"reason":"Cannot initialize WeatherVariable"})", 400), 502},
        {"a good body with a failing status", Answer(whole, 502), 502},
        {"truncated JSON", Answer(whole.substr(0, whole.size() - 40)), 502},
        {"lists of different lengths", Answer(changed("[2, 71, 0]", "[2, 71]")), 502},
        {"a figure missing", Answer(changed(R"("temperature_2m_min": [)", R"("temperature_min": [)")), 502},
        {"a needed figure null", Answer(changed("[4.6, 1.2, 3.0]", "[null, 1.2, 3.0]")), 502},
        {"an undocumented weather code", Answer(changed("[2, 71, 0]", "[4, 71, 0]")), 502},
        {"other days", Answer(changed(R"("2026-12-11")", R"("2026-12-01")")), 502},
    };
}

TEST_F(WeatherFeedTest, AFailingUpstreamWithNothingCachedGivesAnErrorWithoutABody) {
    for (const UpstreamFailure& failure : UpstreamFailures()) {
        AnswerCache cache;
        WeatherFeed feed(upstream_, cache, clock_, WeatherFeedSettings{});
        upstream_.reply = failure.reply;
        const SiteResponse response = feed.Forecast("54511_24.xml");
        EXPECT_EQ(response.status, failure.status) << failure.why;
        EXPECT_EQ(response.body, "") << failure.why;
        EXPECT_TRUE(response.headers.empty()) << failure.why;
        EXPECT_FALSE(cache.Find("weather/54511").has_value()) << failure.why;
    }
}

TEST_F(WeatherFeedTest, AFailingUpstreamServesTheLastGoodAnswerWithItsAge) {
    for (const UpstreamFailure& failure : UpstreamFailures()) {
        AnswerCache cache;
        clock_.Set(At(11, 9));
        WeatherFeed feed(upstream_, cache, clock_, WeatherFeedSettings{});
        upstream_.reply = Answer(Recorded("open_meteo_54511.json"));
        const SiteResponse first = feed.Forecast("54511_24.xml");

        upstream_.reply = failure.reply;
        clock_.Set(At(11, 10, 21));
        const SiteResponse later = feed.Forecast("54511_24.xml");
        EXPECT_EQ(later.status, 200) << failure.why;
        EXPECT_EQ(later.body, first.body) << failure.why;
        using Header = std::pair<std::string, std::string>;
        const std::vector<Header> age = {{"Age", "4860"}};
        EXPECT_EQ(later.headers, age) << failure.why;
    }
}

TEST_F(WeatherFeedTest, TheLastGoodAnswerIsServedOnlyWhileItHoldsTheDay) {
    WeatherFeed feed = Feed();
    EXPECT_EQ(feed.Forecast("54511_24.xml").status, 200);
    upstream_.reply = UpstreamReply{false, 0, ""};

    clock_.Set(At(12, 21));  // the 24-hour document is the 13th's, the last day held
    EXPECT_EQ(feed.Forecast("54511_24.xml").status, 200);
    const SiteResponse beyond = feed.Forecast("54511_48.xml");
    EXPECT_EQ(beyond.status, 503);
    EXPECT_EQ(beyond.body, "");

    // With the clock set back before the answer was fetched.
    clock_.Set(At(11, 9));
    const SiteResponse early = feed.Forecast("54511_24.xml");
    EXPECT_EQ(early.status, 200);
    using Header = std::pair<std::string, std::string>;
    const std::vector<Header> age = {{"Age", "0"}};
    EXPECT_EQ(early.headers, age);
}

TEST_F(WeatherFeedTest, UnknownStationsAndMalformedNamesAreNotFoundWithoutAskingTheService) {
    WeatherFeed feed = Feed();
    for (const std::string_view name : {
             "12345_24.xml",
             "0_24.xml",
             "54511_25.xml",
             "54511_12.xml",
             "54511_24.xml.bak",
             "54511_24.XML",
             "054511_24.xml",
             "+54511_24.xml",
             "-54511_24.xml",
             " 54511_24.xml",
             "54511_24",
             "54511-24.xml",
             "54511__24.xml",
             "_24.xml",
             "54511_.xml",
             "",
             "../x",
             "../54511_24.xml",
             "54511_24.xml/..",
             "a/54511_24.xml",
             "9999999999_24.xml",
             "2147483648_24.xml",
         }) {
        const SiteResponse response = feed.Forecast(name);
        EXPECT_EQ(response.status, 404) << name;
        EXPECT_EQ(response.body, "") << name;
    }
    EXPECT_EQ(feed.Forecast(std::string_view("54511_24.xml\0", 13)).status, 404);
    EXPECT_TRUE(upstream_.urls.empty());
}

class CityQuery : public WeatherFeedTest {
protected:
    void SetUp() override {
        table_ = std::filesystem::temp_directory_path() / "site_weather_address_table.txt";
        ASSERT_EQ(ReplaceFileAtomically(table_.string(),
                                        "# test networks\n"
                                        "10.0.0.0/8 广东省 广州市\n"
                                        "10.9.0.0/16 garbled\n"
                                        "192.168.1.0/24 浙江 杭州\n"),
                  0);
    }
    void TearDown() override { std::filesystem::remove(table_); }

    std::filesystem::path table_;
};

TEST_F(CityQuery, ThePlacedAddressGetsItsCityAndAnyOtherBeijing) {
    WeatherFeedSettings settings;
    settings.addressTablePath = table_.string();
    WeatherFeed feed = Feed(settings);
    const struct {
        std::string_view address;
        std::string_view answer;
    } cases[] = {
        {"10.9.8.7", "<province>广东省</province><city>广州市</city>"},
        {"::ffff:192.168.1.20", "<province>浙江</province><city>杭州</city>"},
        {"127.0.0.1", "<province>北京</province><city>北京</city>"},
        {"::1", "<province>北京</province><city>北京</city>"},
        {"", "<province>北京</province><city>北京</city>"},
        {"not an address", "<province>北京</province><city>北京</city>"},
    };
    for (const auto& c : cases) {
        const SiteResponse response = feed.QueryCity(c.address);
        EXPECT_EQ(response.status, 200) << c.address;
        EXPECT_EQ(response.contentType, "text/html; charset=gb2312");
        EXPECT_EQ(response.body, c.answer) << c.address;
    }
}

TEST_F(CityQuery, WithoutATableEveryoneIsInBeijing) {
    for (const std::string& path :
         {std::string(), (table_.parent_path() / "site_weather_missing_table.txt").string()}) {
        WeatherFeedSettings settings;
        settings.addressTablePath = path;
        WeatherFeed feed = Feed(settings);
        EXPECT_EQ(feed.QueryCity("10.9.8.7").body, "<province>北京</province><city>北京</city>") << path;
    }
}

}  // namespace
