// The weather section in the real widget library against a local feed: the
// city found on first start, both documents fetched, cached and drawn in each
// layout, a city abroad without its second day, a feed that never answers, a
// transfer cut short, and the city menu.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <functional>
#include <string>
#include <thread>

#include "common/local_time.h"
#include "testkit/win32/screenshot.h"
#include "testkit/win32/stopwatch.h"
#include "testkit/win32/window_helpers.h"
#include "widget/weather/weather_settings.h"
#include "widget/win32/tests/widget_library.h"

namespace {

std::string FeedTimeText(Moment moment) {
    const LocalTime time = ToLocalTime(moment);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month, time.day, time.hour,
                  time.minute, time.second);
    return text;
}

// A forecast document as the feed serves it (GBK), for the day that ends
// `daysAhead` days from today at 08:00: with 1 or more the cache needs no
// new download today.
std::string FeedDocument(const std::string& city, int skyCode, const std::string& low, const std::string& high,
                         int daysAhead) {
    LocalTime end = ToLocalTime(static_cast<Moment>(std::time(nullptr)));
    end.day += daysAhead;
    end.hour = 8;
    end.minute = end.second = 0;
    const Moment endMoment = FromLocalTime(end);
    return "<?xml version=\"1.0\" encoding=\"gb2312\"?>\r\n<weather><cityid>0</cityid><city>" + city +
           "</city><description>晴转多云</description><skycode1>" + std::to_string(skyCode) +
           "</skycode1><skycode2>1</skycode2><mintemperature>" + low + "</mintemperature><maxtemperature>" + high +
           "</maxtemperature><starttime>" + FeedTimeText(endMoment - 24 * 60 * 60) + "</starttime><endtime>" +
           FeedTimeText(endMoment) +
           "</endtime><winddirection>北风</winddirection><windpower>3-4级</windpower>"
           "<dress><index>舒适</index><des1>建议穿薄外套</des1><des2></des2></dress>"
           "<comfort><index>较舒适</index><des1></des1><des2></des2></comfort>"
           "<catchcold><index>少发</index><des1>不易感冒</des1><des2></des2></catchcold>"
           "<washcar><index>适宜</index><des1>天气较好</des1><des2></des2></washcar></weather>";
}

// Removes the cached documents the last test left.
void RemoveCachedDocuments(const std::string& folder) {
    WIN32_FIND_DATAA found = {};
    HANDLE search = FindFirstFileA((folder + "\\*.xml").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;  // no folder or no documents yet
    }
    do {
        DeleteFileA((folder + "\\" + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// Dates the file's last write `seconds` back.
void AgeFile(const std::string& path, int seconds) {
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    FILETIME now = {};
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time = {{now.dwLowDateTime, now.dwHighDateTime}};
    time.QuadPart -= static_cast<ULONGLONG>(seconds) * 10000000ULL;
    const FILETIME then = {time.LowPart, time.HighPart};
    EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &then));
    CloseHandle(file);
}

std::string DocumentPath(int station, int hours) {
    return "/weather/" + std::to_string(station) + "_" + std::to_string(hours) + ".xml";
}

class WeatherWindowTest : public WidgetTest {
protected:
    void SetUp() override {
        DeleteFileA(Folder().PathOf("Weathercfg.dat").c_str());  // may be missing
        RemoveCachedDocuments(Folder().PathOf("Data"));
    }

    void WriteWeatherSettings(const std::string& city, int largeLayout = 0) const {
        WeatherSettings settings;
        settings.cityName = city;
        settings.largeLayout = largeLayout;
        Folder().Write("Weathercfg.dat", EncodeWeatherSettings(settings));
    }

    void ServeForecast(int station, const std::string& city) const {
        Feed().SetResponse(DocumentPath(station, 24), {.body = FeedDocument(city, 1, "18", "29", 1)});
        Feed().SetResponse(DocumentPath(station, 48), {.body = FeedDocument(city, 7, "16", "25", 2)});
    }

    // Pumps the window's messages until `done` holds; false after the time.
    static bool WaitUntil(const std::function<bool()>& done, unsigned int timeoutMs) {
        const testkit::Stopwatch watch;
        while (!done()) {
            if (watch.Milliseconds() > timeoutMs) {
                return false;
            }
            testkit::PumpMessages(50);
        }
        return true;
    }

    const WeatherSequence& Weather() const { return *Window()->weather(); }

    testing::AssertionResult ForecastShown() const {
        if (WaitUntil([this] { return Weather().FirstDay() != nullptr; }, 20000)) {
            return testing::AssertionSuccess();
        }
        testing::AssertionResult failure = testing::AssertionFailure();
        failure << "no forecast: status " << static_cast<int>(Weather().Status()) << ", error "
                << Weather().client().ErrorCode() << ", requests:";
        for (const std::string& path : RequestedPaths()) {
            failure << " " << path;
        }
        return failure;
    }

    std::vector<std::string> RequestedPaths() const {
        std::vector<std::string> paths;
        for (const testkit::HttpRequest& request : Feed().Requests()) {
            paths.push_back(request.target);
        }
        return paths;
    }

    void SaveScreenshot(const char* name) const {
        testkit::PumpMessages(300);
        EXPECT_TRUE(testkit::SaveWindowPng(WindowHandle(), std::string(WIDGET_SCREENSHOT_DIR) + "/" + name));
    }

    // Opens the city menu from its button and picks the item `downs` steps
    // down with the keyboard, as a user would.
    bool ChooseFromCityMenu(int downs) const {
        std::thread chooser([downs] {
            testkit::WindowQuery query;
            query.className = "#32768";
            query.processId = GetCurrentProcessId();
            query.visibleOnly = true;
            if (HWND menu = testkit::WaitForWindow(query, 5000)) {
                for (int i = 0; i < downs; ++i) {
                    PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
                }
                PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
            }
        });
        const bool clicked = ClickHitArea(kCommandCityMenu);
        chooser.join();
        return clicked;
    }

    int ClockOffset() const {
        const RECT clock = testkit::WindowRectangle(Window()->clockWindow());
        return clock.top - WindowRect().top;
    }
};

TEST_F(WeatherWindowTest, FirstStartFindsTheCityThenFetchesBothDaysAndDrawsThem) {
    Feed().SetResponse("/querycity.php", {.body = "<province>浙江省</province><city>杭州市</city>"});
    ServeForecast(58457, "杭州");
    ASSERT_EQ(Start(TestSettings(300, 40)), 1);
    EXPECT_EQ(Window()->layout().weather.height, 52);
    ASSERT_TRUE(ForecastShown());
    ASSERT_TRUE(WaitUntil([this] { return Weather().SecondDay() != nullptr; }, 5000));

    EXPECT_EQ(Weather().settings().cityName, "杭州");
    EXPECT_EQ(RequestedPaths(), (std::vector<std::string>{"/querycity.php", DocumentPath(58457, 24),
                                                          DocumentPath(58457, 48)}));
    for (const testkit::HttpRequest& request : Feed().Requests()) {
        EXPECT_EQ(request.Header("User-Agent").value_or(""), "Weather");
    }
    EXPECT_EQ(Folder().Read("Data\\58457_24.xml"), FeedDocument("杭州", 1, "18", "29", 1));
    EXPECT_EQ(Folder().Read("Data\\58457_48.xml"), FeedDocument("杭州", 7, "16", "25", 2));
    EXPECT_EQ(Weather().FirstDay()->maxTemperature, "29");
    EXPECT_EQ(Weather().SecondDay()->skyCode1, 7);
    WeatherSettings saved;
    ASSERT_TRUE(ParseWeatherSettings(Folder().Read("Weathercfg.dat").value_or(""), saved));
    EXPECT_EQ(saved.cityName, "杭州");

    // The short layout, and the clock 38 pixels below the section.
    EXPECT_EQ(Window()->layout().weather.height, 80);
    EXPECT_EQ(ClockOffset(), 80 + 38);
    EXPECT_TRUE(Weather().FailureText().empty());
    SaveScreenshot("weather_short.png");
}

TEST_F(WeatherWindowTest, WhileTheCityQueryFailsTheCityCanBeChosenByHand) {
    Feed().SetResponse("/querycity.php", {.status = 500});
    ServeForecast(57494, "武汉");
    ASSERT_EQ(Start(TestSettings(300, 40)), 1);
    ASSERT_TRUE(WaitUntil([this] { return !Weather().FailureText().empty(); }, 20000));
    // Nothing is saved while the city is unknown, so the next start asks
    // again.
    testkit::PumpMessages(1500);
    EXPECT_FALSE(Folder().Read("Weathercfg.dat").has_value());

    ASSERT_TRUE(ChooseFromCityMenu(8));  // 武汉
    ASSERT_TRUE(ForecastShown());
    EXPECT_EQ(Weather().settings().cityName, "武汉");
    WeatherSettings saved;
    ASSERT_TRUE(ParseWeatherSettings(Folder().Read("Weathercfg.dat").value_or(""), saved));
    EXPECT_EQ(saved.cityName, "武汉");
}

TEST_F(WeatherWindowTest, LayoutAndDetailButtonsResizeTheSectionAndSaveTheLayout) {
    WriteWeatherSettings("北京");
    ServeForecast(54511, "北京");
    ASSERT_EQ(Start(TestSettings(300, 40)), 1);
    ASSERT_TRUE(ForecastShown());
    ASSERT_TRUE(WaitUntil([this] { return Weather().SecondDay() != nullptr; }, 5000));

    ASSERT_TRUE(ClickHitArea(kCommandTallLayout));
    EXPECT_EQ(Window()->layout().weather.height, 200);
    EXPECT_EQ(ClockOffset(), 200 + 38);
    WeatherSettings saved;
    ASSERT_TRUE(ParseWeatherSettings(Folder().Read("Weathercfg.dat").value_or(""), saved));
    EXPECT_EQ(saved.largeLayout, 1);
    SaveScreenshot("weather_tall.png");

    ASSERT_TRUE(ClickHitArea(kCommandShowDetails));
    EXPECT_EQ(Window()->layout().weather.height, 230);
    ASSERT_TRUE(ClickHitArea(kCommandSecondDay));
    EXPECT_EQ(Weather().SelectedDay(), Weather().SecondDay());
    SaveScreenshot("weather_details.png");
    ASSERT_TRUE(ClickHitArea(kCommandHideDetails));
    EXPECT_EQ(Window()->layout().weather.height, 200);
    ASSERT_TRUE(ClickHitArea(kCommandShortLayout));
    EXPECT_EQ(Window()->layout().weather.height, 80);
}

TEST_F(WeatherWindowTest, ACityAbroadWithoutItsSecondDayStillShowsTheFirst) {
    WriteWeatherSettings("东京");
    Feed().SetResponse(DocumentPath(47662, 24), {.body = FeedDocument("东京", 0, "12", "20", 1)});
    Feed().SetResponse(DocumentPath(47662, 48), {.status = 500});
    ASSERT_EQ(Start(TestSettings(300, 40)), 1);
    ASSERT_TRUE(ForecastShown());
    EXPECT_EQ(Weather().SecondDay(), nullptr);
    EXPECT_TRUE(Weather().FailureText().empty());
    Command(kCommandShowDetails);
    EXPECT_EQ(Window()->layout().weather.dayTabs.size(), 1u);
    EXPECT_FALSE(ClickHitArea(kCommandSecondDay));
}

TEST_F(WeatherWindowTest, AFeedThatNeverAnswersIsReportedAndTriedAgain) {
    WriteWeatherSettings("北京");
    Feed().SetDefaultResponse({.neverAnswer = true});
    ASSERT_EQ(Start(TestSettings(300, 40)), 1);
    // The read time-out ends the first attempt; the section says so.
    ASSERT_TRUE(WaitUntil([this] { return !Weather().FailureText().empty(); }, 40000));
    EXPECT_EQ(Weather().FirstDay(), nullptr);
    EXPECT_EQ(Window()->layout().weather.height, 52);
    SaveScreenshot("weather_unreachable.png");
    // Until the retry, nothing is awaited: no poll runs (KillTimer finds none).
    EXPECT_FALSE(KillTimer(WindowHandle(), kWeatherPollTimer));
    const std::size_t before = Feed().ConnectionCount();
    ASSERT_TRUE(WaitUntil([&] { return Feed().ConnectionCount() > before; }, 20000));
}

TEST_F(WeatherWindowTest, ATransferCutShortKeepsTheOldCacheFile) {
    WriteWeatherSettings("北京");
    // Yesterday's file: stale, so a download is due.
    const std::string old = FeedDocument("北京", 2, "1", "2", 0);
    Folder().Write("Data\\54511_24.xml", old);
    AgeFile(Folder().PathOf("Data\\54511_24.xml"), 24 * 60 * 60);
    const std::string whole = FeedDocument("北京", 1, "18", "29", 1);
    Feed().SetResponse(DocumentPath(54511, 24), {.body = whole, .cutAfterBodyBytes = whole.size() / 2});
    ASSERT_EQ(Start(TestSettings(300, 40)), 1);
    ASSERT_TRUE(WaitUntil([this] { return !Weather().FailureText().empty(); }, 20000));
    EXPECT_EQ(Folder().Read("Data\\54511_24.xml"), old);
    EXPECT_EQ(Weather().FirstDay(), nullptr);
}

TEST_F(WeatherWindowTest, TheCityMenuSwitchesTheCityAndFetchesAgainButNotForTheSameCity) {
    WriteWeatherSettings("北京");
    ServeForecast(54511, "北京");
    ServeForecast(57679, "长沙");
    ASSERT_EQ(Start(TestSettings(300, 40)), 1);
    ASSERT_TRUE(ForecastShown());
    ASSERT_TRUE(WaitUntil([this] { return Weather().SecondDay() != nullptr; }, 5000));

    // 长沙 is the menu's ninth city; 北京, the first, is the city shown.
    const std::size_t requestsBefore = Feed().Requests().size();
    ASSERT_TRUE(ChooseFromCityMenu(1));
    testkit::PumpMessages(1500);
    EXPECT_EQ(Weather().settings().cityName, "北京");
    EXPECT_EQ(Feed().Requests().size(), requestsBefore);
    EXPECT_NE(Weather().FirstDay(), nullptr);

    ASSERT_TRUE(ChooseFromCityMenu(9));
    EXPECT_EQ(Weather().settings().cityName, "长沙");
    ASSERT_TRUE(ForecastShown());
    EXPECT_EQ(Weather().FirstDay()->city, "长沙");
    EXPECT_EQ(RequestedPaths().back(), DocumentPath(57679, 48));
    WeatherSettings saved;
    ASSERT_TRUE(ParseWeatherSettings(Folder().Read("Weathercfg.dat").value_or(""), saved));
    EXPECT_EQ(saved.cityName, "长沙");
}

}  // namespace
