#include "widget/weather/weather_section.h"

#include <array>
#include <cstdio>

#include "common/local_time.h"

namespace {

// Items 2-14 of the city menu, in their order.
constexpr std::array<std::string_view, 13> kCityMenuCities = {
    "北京", "上海", "广州", "天津", "重庆", "香港", "台北", "武汉", "长沙", "福州", "杭州", "成都", "南京",
};

// symbol.png's tiles by sky code 0-31: small tiles (54 x 50) then large ones
// (114 x 100), as x, y of their top left corners. 21-25 repeat 8-12 and
// 26-28 repeat 15-17. 阵雪 (13) has its own large tile at 684, 0: the place
// 684, 100 belongs to 冻雨 (19), and giving it to both would show freezing
// rain for snow showers.
struct TilePair {
    int smallX, smallY, largeX, largeY;
};
constexpr std::array<TilePair, 32> kSkyTiles = {{
    {0, 300, 0, 0},       {54, 300, 114, 0},    {108, 300, 228, 0},   {162, 300, 342, 0},
    {216, 300, 456, 0},   {270, 300, 570, 0},   {702, 300, 570, 100}, {378, 300, 798, 0},
    {432, 300, 0, 100},   {486, 300, 114, 100}, {540, 300, 228, 100}, {594, 300, 342, 100},
    {648, 300, 456, 100}, {324, 300, 684, 0},   {810, 300, 798, 100}, {0, 350, 0, 200},
    {54, 350, 114, 200},  {108, 350, 228, 200}, {378, 350, 798, 200}, {756, 300, 684, 100},
    {324, 350, 684, 200}, {432, 300, 0, 100},   {486, 300, 114, 100}, {540, 300, 228, 100},
    {594, 300, 342, 100}, {648, 300, 456, 100}, {0, 350, 0, 200},     {54, 350, 114, 200},
    {108, 350, 228, 200}, {162, 350, 342, 200}, {216, 350, 456, 200}, {270, 350, 570, 200},
}};
constexpr int kSmallTileWidth = 54;
constexpr int kSmallTileHeight = 50;
constexpr int kLargeTileWidth = 114;
constexpr int kLargeTileHeight = 100;

// Rows of the section, from its top.
constexpr int kRowHeight = 20;
constexpr int kTextLineHeight = 18;
constexpr int kLoadingPictureHeight = 44;
constexpr int kColumnSpacing = 70;
constexpr int kDayTabWidth = 64;
constexpr int kDayTabHeight = 20;
constexpr int kPanelHeight = 150;
constexpr int kPanelHeadingHeight = 22;
constexpr int kPanelLineHeight = 21;
constexpr int kPanelInset = 8;
constexpr int kDetailLineCount = 6;
// Left free between what the section draws and the clock below it.
constexpr int kGapAboveClock = 4;

WeatherSectionMode ModeOf(const WeatherSectionState& state) {
    if (!state.firstDayLoaded) {
        return WeatherSectionMode::kLoading;
    }
    if (state.detailShown) {
        return WeatherSectionMode::kDetails;
    }
    return state.largeLayout ? WeatherSectionMode::kTall : WeatherSectionMode::kShort;
}

// The city name and the buttons at the right end of the first row: city
// menu, details, layout.
void LayOutFirstRow(const WeatherSectionState& state, WeatherSectionLayout& layout, int left, int top, int width) {
    const int buttonTop = top + (kRowHeight - kWeatherButtonSize) / 2;
    const int right = left + width;
    const int layoutX = right - kWeatherButtonSize;
    const int detailsX = layoutX - kWeatherButtonSize - 1;
    const int menuX = detailsX - kWeatherButtonSize - 1;
    layout.city = {left, top + 1, menuX - left - 4, kTextLineHeight};
    auto add = [&](int x, std::uint32_t command, WeatherButtonFace face) {
        layout.buttons.push_back({{x, buttonTop, kWeatherButtonSize, kWeatherButtonSize}, command, face});
    };
    // The city can always be chosen by hand, also while the city query
    // still fails (a first start without a network).
    add(menuX, kCommandCityMenu, WeatherButtonFace::kCityMenu);
    if (!state.stationKnown) {
        return;
    }
    if (state.detailShown && state.firstDayLoaded) {
        add(detailsX, kCommandHideDetails, WeatherButtonFace::kHideDetails);
    } else {
        add(detailsX, kCommandShowDetails, WeatherButtonFace::kShowDetails);
    }
    if (state.largeLayout) {
        add(layoutX, kCommandShortLayout, WeatherButtonFace::kShortLayout);
    } else {
        add(layoutX, kCommandTallLayout, WeatherButtonFace::kTallLayout);
    }
}

void LayOutShort(WeatherSectionLayout& layout, int left, int top, int width) {
    layout.icon = {left, top + kRowHeight + 4, kSmallTileWidth, kSmallTileHeight};
    const int textLeft = layout.icon.Right() + 6;
    for (int line = 0; line < 3; ++line) {
        layout.summaryLines.push_back({textLeft, layout.icon.y + 2 + line * kTextLineHeight, left + width - textLeft,
                                       kTextLineHeight});
    }
    layout.failureLine = {left, layout.icon.Bottom() + 4, width, kTextLineHeight};
}

void LayOutTall(const WeatherSectionState& state, WeatherSectionLayout& layout, int left, int top, int width) {
    layout.icon = {left + (width - kLargeTileWidth) / 2, top + kRowHeight + 2, kLargeTileWidth, kLargeTileHeight};
    const int days = state.secondDayLoaded ? 2 : 1;
    const int columnsLeft = left + (width - days * kColumnSpacing) / 2;
    const int datesTop = layout.icon.Bottom() + 4;
    for (int day = 0; day < days; ++day) {
        const int x = columnsLeft + day * kColumnSpacing;
        layout.dayDates.push_back({x, datesTop, kColumnSpacing, kTextLineHeight});
        layout.dayTemperatures.push_back({x, datesTop + kTextLineHeight, kColumnSpacing, kTextLineHeight});
    }
    const int descriptionTop = datesTop + 2 * kTextLineHeight + 2;
    layout.summaryLines.push_back({left, descriptionTop, width, kTextLineHeight});
    layout.failureLine = {left, descriptionTop + kTextLineHeight + 2, width, kTextLineHeight};
}

void LayOutDetails(const WeatherSectionState& state, WeatherSectionLayout& layout, int left, int top, int width) {
    const int tabsTop = top + kRowHeight + 2;
    const int days = state.secondDayLoaded ? 2 : 1;
    for (int day = 0; day < days; ++day) {
        const LayoutRect tab{left + day * kDayTabWidth, tabsTop, kDayTabWidth, kDayTabHeight};
        layout.dayTabs.push_back(tab);
        layout.buttons.push_back(
            {tab, day == 0 ? kCommandFirstDay : kCommandSecondDay, WeatherButtonFace::kDayTab});
    }
    layout.panel = {left, tabsTop + kDayTabHeight, width, kPanelHeight};
    layout.panelHeading = {left + kPanelInset, layout.panel.y, width - 2 * kPanelInset, kPanelHeadingHeight};
    for (int line = 0; line < kDetailLineCount; ++line) {
        layout.detailLines.push_back({left + kPanelInset, layout.panel.y + kPanelHeadingHeight + 1 + line * kPanelLineHeight,
                                      width - 2 * kPanelInset, kPanelLineHeight});
    }
    layout.failureLine = {left, layout.panel.Bottom() + 4, width, kTextLineHeight};
}

std::string JoinNonEmpty(const std::string& first, const std::string& second) {
    if (first.empty() || second.empty()) {
        return first + second;
    }
    return first + " " + second;
}

}  // namespace

std::span<const std::string_view> CityMenuCities() {
    return kCityMenuCities;
}

std::string_view CityOfMenuItem(std::uint32_t item) {
    if (item < kCityMenuFirstCity || item - kCityMenuFirstCity >= kCityMenuCities.size()) {
        return {};
    }
    return kCityMenuCities[item - kCityMenuFirstCity];
}

int WeatherSectionHeight(const WeatherSectionState& state) {
    switch (ModeOf(state)) {
        case WeatherSectionMode::kLoading:
            return kWeatherLoadingHeight;
        case WeatherSectionMode::kDetails:
            return kWeatherDetailsHeight;
        case WeatherSectionMode::kTall:
            return kWeatherTallHeight;
        case WeatherSectionMode::kShort:
            break;
    }
    return kWeatherShortHeight;
}

WeatherSectionLayout LayOutWeatherSection(const WeatherSectionState& state, int left, int top, int width) {
    WeatherSectionLayout layout;
    layout.mode = ModeOf(state);
    layout.height = WeatherSectionHeight(state);
    layout.area = {left, top, width, layout.height + kClockBelowWeather - top - kGapAboveClock};
    LayOutFirstRow(state, layout, left, top, width);
    switch (layout.mode) {
        case WeatherSectionMode::kLoading:
            layout.status = {left, top + kRowHeight + 2, width, kLoadingPictureHeight};
            break;
        case WeatherSectionMode::kShort:
            LayOutShort(layout, left, top, width);
            break;
        case WeatherSectionMode::kTall:
            LayOutTall(state, layout, left, top, width);
            break;
        case WeatherSectionMode::kDetails:
            LayOutDetails(state, layout, left, top, width);
            break;
    }
    return layout;
}

std::optional<SkyTile> SmallSkyTile(std::int32_t code) {
    if (code < 0 || code >= static_cast<std::int32_t>(kSkyTiles.size())) {
        return std::nullopt;
    }
    const TilePair& tile = kSkyTiles[static_cast<std::size_t>(code)];
    return SkyTile{tile.smallX, tile.smallY, kSmallTileWidth, kSmallTileHeight};
}

std::optional<SkyTile> LargeSkyTile(std::int32_t code) {
    if (code < 0 || code >= static_cast<std::int32_t>(kSkyTiles.size())) {
        return std::nullopt;
    }
    const TilePair& tile = kSkyTiles[static_cast<std::size_t>(code)];
    return SkyTile{tile.largeX, tile.largeY, kLargeTileWidth, kLargeTileHeight};
}

std::string WeatherDayText(const WeatherReport& report) {
    const LocalTime end = ToLocalTime(report.endTime);
    char text[32];
    std::snprintf(text, sizeof text, "%d月%d日", end.month, end.day);
    return text;
}

std::string TemperatureText(const WeatherReport& report) {
    return report.minTemperature + "/" + report.maxTemperature + "℃";
}

std::string WindText(const WeatherReport& report) {
    return JoinNonEmpty(report.windDirection, report.windPower);
}

std::vector<WeatherDetailLine> WeatherDetailLines(const WeatherReport& report) {
    auto indexText = [&](WeatherIndexKind kind) {
        const WeatherIndex& index = report.indices[kind];
        return JoinNonEmpty(index.index, index.description1);
    };
    return {
        {"天气：", report.description},
        {"风力：", report.windPower},
        {"风向：", report.windDirection},
        {"穿衣指数：", indexText(kDressIndex)},
        {"感冒指数：", indexText(kCatchColdIndex)},
        {"洗车指数：", indexText(kWashCarIndex)},
    };
}

std::string WeatherFailureText(WeatherStatus status) {
    switch (status) {
        case WeatherStatus::kNoConnection:
            return "无法连接网络，稍后重试";
        case WeatherStatus::kFirstDayFailed:
        case WeatherStatus::kSecondDayFailed:
            return "无法连接天气服务，稍后重试";
        case WeatherStatus::kCityQueryFailed:
            return "无法查询所在城市，稍后重试";
        default:
            return {};
    }
}
