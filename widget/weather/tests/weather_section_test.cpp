#include "widget/weather/weather_section.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

constexpr int kLeft = 21;
constexpr int kTop = 10;
constexpr int kWidth = 188;

WeatherSectionState Loaded(bool detailShown, bool largeLayout, bool secondDay = true) {
    WeatherSectionState state;
    state.stationKnown = true;
    state.firstDayLoaded = true;
    state.secondDayLoaded = secondDay;
    state.detailShown = detailShown;
    state.largeLayout = largeLayout;
    return state;
}

std::set<std::uint32_t> CommandsOf(const WeatherSectionLayout& layout) {
    std::set<std::uint32_t> commands;
    for (const WeatherButton& button : layout.buttons) {
        commands.insert(button.command);
    }
    return commands;
}

bool Inside(const LayoutRect& inner, const LayoutRect& outer) {
    return inner.Empty() || (inner.x >= outer.x && inner.y >= outer.y && inner.Right() <= outer.Right() &&
                             inner.Bottom() <= outer.Bottom());
}

TEST(WeatherSection, HeightsFollowTheRulesInTheirOrder) {
    struct Case {
        bool loaded, detailShown, largeLayout;
        int height;
    };
    const Case cases[] = {
        {false, false, false, 52}, {false, true, true, 52},   {true, true, true, 230},
        {true, true, false, 230},  {true, false, true, 200},  {true, false, false, 80},
    };
    for (const Case& c : cases) {
        WeatherSectionState state = Loaded(c.detailShown, c.largeLayout);
        state.firstDayLoaded = c.loaded;
        state.secondDayLoaded = c.loaded;
        EXPECT_EQ(WeatherSectionHeight(state), c.height)
            << c.loaded << c.detailShown << c.largeLayout;
        EXPECT_EQ(LayOutWeatherSection(state, kLeft, kTop, kWidth).height, c.height);
    }
}

TEST(WeatherSection, OffersEachButtonOnlyWhenItCanAct) {
    using Commands = std::set<std::uint32_t>;
    WeatherSectionState unknown;
    EXPECT_EQ(CommandsOf(LayOutWeatherSection(unknown, kLeft, kTop, kWidth)), Commands{kCommandCityMenu});

    WeatherSectionState loading;
    loading.stationKnown = true;
    EXPECT_EQ(CommandsOf(LayOutWeatherSection(loading, kLeft, kTop, kWidth)),
              (Commands{kCommandCityMenu, kCommandShowDetails, kCommandTallLayout}));

    EXPECT_EQ(CommandsOf(LayOutWeatherSection(Loaded(false, false), kLeft, kTop, kWidth)),
              (Commands{kCommandCityMenu, kCommandShowDetails, kCommandTallLayout}));
    EXPECT_EQ(CommandsOf(LayOutWeatherSection(Loaded(false, true), kLeft, kTop, kWidth)),
              (Commands{kCommandCityMenu, kCommandShowDetails, kCommandShortLayout}));
    EXPECT_EQ(CommandsOf(LayOutWeatherSection(Loaded(true, false), kLeft, kTop, kWidth)),
              (Commands{kCommandCityMenu, kCommandHideDetails, kCommandFirstDay, kCommandSecondDay,
                        kCommandTallLayout}));
    // A foreign city whose 48-hour document failed has one day tab.
    const WeatherSectionLayout oneDay = LayOutWeatherSection(Loaded(true, true, false), kLeft, kTop, kWidth);
    EXPECT_EQ(CommandsOf(oneDay), (Commands{kCommandCityMenu, kCommandHideDetails, kCommandFirstDay,
                                            kCommandShortLayout}));
    EXPECT_EQ(oneDay.dayTabs.size(), 1u);
}

TEST(WeatherSection, EveryModeDrawsInsideItsAreaWithoutOverlappingButtons) {
    WeatherSectionState loading;
    loading.stationKnown = true;
    const WeatherSectionState states[] = {loading, Loaded(false, false), Loaded(false, true), Loaded(true, false),
                                          Loaded(true, true, false)};
    for (const WeatherSectionState& state : states) {
        const WeatherSectionLayout layout = LayOutWeatherSection(state, kLeft, kTop, kWidth);
        // The section reaches down to the clock, which lies 38 pixels below
        // its height.
        EXPECT_EQ(layout.area.Bottom(), layout.height + kClockBelowWeather - 4);
        std::vector<LayoutRect> parts = {layout.city, layout.status, layout.icon, layout.panel, layout.failureLine};
        for (const auto* list : {&layout.summaryLines, &layout.dayDates, &layout.dayTemperatures,
                                 &layout.detailLines, &layout.dayTabs}) {
            parts.insert(parts.end(), list->begin(), list->end());
        }
        for (const LayoutRect& part : parts) {
            EXPECT_TRUE(Inside(part, layout.area)) << part.x << "," << part.y << " " << part.width << "x"
                                                   << part.height << " mode " << static_cast<int>(layout.mode);
        }
        for (const WeatherButton& button : layout.buttons) {
            EXPECT_TRUE(Inside(button.rect, layout.area));
            EXPECT_FALSE(button.rect.Contains(layout.city.Right() - 1, layout.city.y + 1));
        }
    }
}

TEST(WeatherSection, TallLayoutPutsTheDaysSeventyPixelsApartFirstDayFirst) {
    const WeatherSectionLayout layout = LayOutWeatherSection(Loaded(false, true), kLeft, kTop, kWidth);
    ASSERT_EQ(layout.dayDates.size(), 2u);
    EXPECT_EQ(layout.dayDates[1].x - layout.dayDates[0].x, 70);
    EXPECT_EQ(layout.dayTemperatures[0].y, layout.dayDates[0].Bottom());
    EXPECT_EQ(layout.icon.width, 114);
    EXPECT_EQ(LayOutWeatherSection(Loaded(false, false), kLeft, kTop, kWidth).icon.width, 54);
}

TEST(WeatherSection, SkyTilesByCode) {
    struct Case {
        int code;
        SkyTile small, large;
    };
    const Case cases[] = {
        {0, {0, 300, 54, 50}, {0, 0, 114, 100}},
        {6, {702, 300, 54, 50}, {570, 100, 114, 100}},
        // Snow showers keep their own picture; freezing rain has 684, 100.
        {13, {324, 300, 54, 50}, {684, 0, 114, 100}},
        {19, {756, 300, 54, 50}, {684, 100, 114, 100}},
        {21, {432, 300, 54, 50}, {0, 100, 114, 100}},
        {28, {108, 350, 54, 50}, {228, 200, 114, 100}},
        {31, {270, 350, 54, 50}, {570, 200, 114, 100}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SmallSkyTile(c.code), c.small) << c.code;
        EXPECT_EQ(LargeSkyTile(c.code), c.large) << c.code;
    }
    for (int code : {-1, 32, 99}) {
        EXPECT_FALSE(SmallSkyTile(code).has_value()) << code;
        EXPECT_FALSE(LargeSkyTile(code).has_value()) << code;
    }
    // 21-25 and 26-28 repeat the tiles of 8-12 and 15-17.
    for (int code = 21; code <= 25; ++code) {
        EXPECT_EQ(LargeSkyTile(code), LargeSkyTile(code - 13));
    }
    for (int code = 26; code <= 28; ++code) {
        EXPECT_EQ(SmallSkyTile(code), SmallSkyTile(code - 11));
    }
}

TEST(WeatherSection, CityMenuItems) {
    ASSERT_EQ(CityMenuCities().size(), 13u);
    EXPECT_EQ(CityOfMenuItem(2), "北京");
    EXPECT_EQ(CityOfMenuItem(14), "南京");
    EXPECT_EQ(CityOfMenuItem(12), "杭州");
    EXPECT_EQ(CityOfMenuItem(kCityMenuOther), "");
    EXPECT_EQ(CityOfMenuItem(15), "");
    EXPECT_EQ(CityOfMenuItem(0xFFFFFFFFu), "");
}

TEST(WeatherSection, TextsOfAReport) {
    WeatherReport report = EmptyWeatherReport(54511, 24);
    report.endTime = FromLocalTime({2008, 8, 6, 8, 0, 0});
    report.minTemperature = "18";
    report.maxTemperature = "29";
    report.description = "晴转多云";
    report.windDirection = "北风";
    report.windPower = "3-4级";
    report.indices[kDressIndex].index = "热";
    report.indices[kDressIndex].description1 = "建议穿短衫";
    report.indices[kCatchColdIndex].index = "少发";
    EXPECT_EQ(WeatherDayText(report), "8月6日");
    EXPECT_EQ(TemperatureText(report), "18/29℃");
    EXPECT_EQ(WindText(report), "北风 3-4级");

    const std::vector<WeatherDetailLine> lines = WeatherDetailLines(report);
    ASSERT_EQ(lines.size(), 6u);
    const std::pair<const char*, const char*> expected[] = {
        {"天气：", "晴转多云"}, {"风力：", "3-4级"},           {"风向：", "北风"},
        {"穿衣指数：", "热 建议穿短衫"}, {"感冒指数：", "少发"}, {"洗车指数：", ""},
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].label, expected[i].first) << i;
        EXPECT_EQ(lines[i].text, expected[i].second) << i;
    }
    report.windDirection.clear();
    EXPECT_EQ(WindText(report), "3-4级");
}

TEST(WeatherSection, FailureTextOnlyForFailures) {
    for (int value = 0; value <= 8; ++value) {
        const auto status = static_cast<WeatherStatus>(value);
        EXPECT_EQ(!WeatherFailureText(status).empty(), IsWeatherFailure(status)) << value;
    }
    EXPECT_TRUE(IsWeatherFailure(WeatherStatus::kCityQueryFailed));
    EXPECT_FALSE(IsWeatherFailure(WeatherStatus::kQueryingCity));
}

}  // namespace
