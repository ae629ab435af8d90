#include "widget/weather/weather_stations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// Every province-level region in the picker's order, with its capital.
const std::pair<std::string_view, std::string_view> kCapitals[] = {
    {"北京", "北京"},     {"天津", "天津"}, {"河北", "石家庄"},   {"山西", "太原"}, {"内蒙古", "呼和浩特"},
    {"辽宁", "沈阳"},     {"吉林", "长春"}, {"黑龙江", "哈尔滨"}, {"上海", "上海"}, {"江苏", "南京"},
    {"浙江", "杭州"},     {"安徽", "合肥"}, {"福建", "福州"},     {"江西", "南昌"}, {"山东", "济南"},
    {"河南", "郑州"},     {"湖北", "武汉"}, {"湖南", "长沙"},     {"广东", "广州"}, {"广西", "南宁"},
    {"海南", "海口"},     {"重庆", "重庆"}, {"四川", "成都"},     {"贵州", "贵阳"}, {"云南", "昆明"},
    {"西藏", "拉萨"},     {"陕西", "西安"}, {"甘肃", "兰州"},     {"青海", "西宁"}, {"宁夏", "银川"},
    {"新疆", "乌鲁木齐"}, {"台湾", "台北"}, {"香港", "香港"},     {"澳门", "澳门"},
};

// Station cities that are not prefecture-level divisions: a district of
// 大连, a district of 呼伦贝尔 and the seat of 锡林郭勒 league.
const std::set<std::string_view> kStationsBelowPrefectures = {"旅顺", "海拉尔", "锡林浩特"};

std::vector<std::string_view> CitiesOf(std::span<const WeatherStation> stations) {
    std::vector<std::string_view> cities;
    for (const WeatherStation& station : stations) {
        cities.push_back(station.city);
    }
    return cities;
}

bool InRegionCities(std::string_view city) {
    const std::span<const RegionCity> pairs = RegionCities();
    return std::any_of(pairs.begin(), pairs.end(), [city](const RegionCity& pair) { return pair.city == city; });
}

}  // namespace

TEST(WeatherStations, TablesHoldEveryEntry) {
    EXPECT_EQ(DomesticStations().size(), 72u);
    EXPECT_EQ(ForeignStations().size(), 38u);
    EXPECT_EQ(RegionCities().size(), 358u);
}

// An array with fewer entries than its size is padded with empty ones, which
// the sizes alone would not show.
TEST(WeatherStations, NoEntryIsBlank) {
    for (std::span<const WeatherStation> stations : {DomesticStations(), ForeignStations()}) {
        for (const WeatherStation& station : stations) {
            EXPECT_FALSE(station.city.empty());
            EXPECT_GT(station.number, 0) << station.city;
        }
    }
    for (const RegionCity& pair : RegionCities()) {
        EXPECT_FALSE(pair.region.empty() || pair.city.empty()) << pair.region << " " << pair.city;
    }
}

TEST(WeatherStations, EveryCityHasOneStation) {
    std::set<std::string_view> seen;
    for (std::string_view city : CitiesOf(DomesticStations())) {
        EXPECT_TRUE(seen.insert(city).second) << city;
    }
    for (std::string_view city : CitiesOf(ForeignStations())) {
        EXPECT_TRUE(seen.insert(city).second) << city;
    }
    const std::set<std::int32_t> numbers = [] {
        std::set<std::int32_t> all;
        for (const WeatherStation& station : DomesticStations()) {
            all.insert(station.number);
        }
        for (const WeatherStation& station : ForeignStations()) {
            all.insert(station.number);
        }
        return all;
    }();
    EXPECT_EQ(numbers.size(), 72u + 38u);
}

TEST(WeatherStations, FindStationLooksInTheGivenTableOnly) {
    struct Case {
        bool foreign;
        std::string_view city;
        std::optional<std::int32_t> number;
    };
    const Case cases[] = {
        {false, "北京", 54511},   {false, "台北", 58968},        {false, "香港", 45005},    {false, "延边", 54292},
        {false, "牡丹江", 54094}, {false, "巴黎", std::nullopt}, {true, "巴黎", 7149},      {true, "伦敦", 3772},
        {true, "芝加哥", 72530},  {true, "北京", std::nullopt},  {false, "", std::nullopt}, {false, "北", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindStation(c.foreign ? ForeignStations() : DomesticStations(), c.city), c.number) << c.city;
    }
}

TEST(WeatherStations, ChooseStationPrefersChinaThenAbroadThenBeijing) {
    struct Case {
        std::string_view cityName;
        StationChoice choice;
    };
    const Case cases[] = {
        {"北京", {"北京", 54511, false}},
        {"乌鲁木齐", {"乌鲁木齐", 51463, false}},
        {"澳门", {"澳门", 45011, false}},
        {"东京", {"东京", 47662, true}},
        {"拉斯维加斯", {"拉斯维加斯", 72386, true}},
        {"深圳", {"北京", 54511, false}},  // in the picker, no station
        {"北京市", {"北京", 54511, false}},
        {"", {"北京", 54511, false}},
        {"Tokyo", {"北京", 54511, false}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChooseStation(c.cityName), c.choice) << c.cityName;
    }
}

TEST(WeatherRegionCities, NoPairTwice) {
    std::set<std::pair<std::string_view, std::string_view>> seen;
    for (const RegionCity& pair : RegionCities()) {
        EXPECT_TRUE(seen.insert({pair.region, pair.city}).second) << pair.region << " " << pair.city;
    }
}

// The picker lists a region's cities together, so a region's pairs must not
// be split across the table.
TEST(WeatherRegionCities, EachRegionIsOneBlock) {
    std::set<std::string_view> finished;
    std::string_view current;
    for (const RegionCity& pair : RegionCities()) {
        if (pair.region != current) {
            EXPECT_TRUE(finished.insert(current).second) << current;
            EXPECT_EQ(finished.count(pair.region), 0u) << pair.region;
            current = pair.region;
        }
    }
}

TEST(WeatherRegionCities, RegionsInOrderEachWithItsCapitalFirst) {
    std::vector<std::string_view> expected;
    for (const auto& [region, capital] : kCapitals) {
        expected.push_back(region);
        EXPECT_EQ(FirstCityOfRegion(region), capital) << region;
        const std::vector<std::string_view> cities = CitiesOfRegion(region);
        ASSERT_FALSE(cities.empty()) << region;
        EXPECT_EQ(cities.front(), capital) << region;
    }
    EXPECT_EQ(WeatherRegions(), expected);
}

TEST(WeatherRegionCities, MunicipalitiesAndSpecialRegionsAreTheirOwnOnlyCity) {
    const std::set<std::string_view> selfRegions = {"北京", "天津", "上海", "重庆", "香港", "澳门"};
    for (std::string_view region : WeatherRegions()) {
        const std::vector<std::string_view> cities = CitiesOfRegion(region);
        if (selfRegions.count(region) != 0) {
            EXPECT_EQ(cities, std::vector<std::string_view>{region});
        } else {
            EXPECT_GT(cities.size(), 1u) << region;
            EXPECT_NE(cities.front(), region) << region;  // 吉林's capital is 长春
        }
    }
}

// Counts of prefecture-level divisions, plus the county-level ones a
// province governs directly as prefectures where the picker lists them.
TEST(WeatherRegionCities, RegionsHoldTheirDivisions) {
    const std::pair<std::string_view, std::size_t> cases[] = {
        {"河北", 11}, {"内蒙古", 12}, {"吉林", 9},  {"黑龙江", 13}, {"山东", 16},
        {"河南", 18}, {"湖北", 17},   {"广东", 21}, {"海南", 4},    {"四川", 21},
        {"云南", 16}, {"西藏", 7},    {"青海", 8},  {"新疆", 19},   {"台湾", 9},
    };
    for (const auto& [region, count] : cases) {
        EXPECT_EQ(CitiesOfRegion(region).size(), count) << region;
    }
    EXPECT_EQ(CitiesOfRegion("广东")[9], "肇庆");
    EXPECT_EQ(CitiesOfRegion("青海")[4], "海南");  // the prefecture, not the province
    EXPECT_EQ(CitiesOfRegion("河南").back(), "济源");
}

TEST(WeatherRegionCities, UnknownRegionHasNoCities) {
    for (std::string_view region : {"", "广东省", "火星", "北"}) {
        EXPECT_TRUE(CitiesOfRegion(region).empty()) << region;
        EXPECT_EQ(FirstCityOfRegion(region), std::nullopt) << region;
    }
}

// The picker's choice must find the station where there is one, so both
// tables spell a city the same.
TEST(WeatherRegionCities, StationCitiesOfPrefectureRankAreInThePicker) {
    for (std::string_view city : CitiesOf(DomesticStations())) {
        EXPECT_EQ(InRegionCities(city), kStationsBelowPrefectures.count(city) == 0) << city;
    }
}

TEST(WeatherRegionCities, NamesAreShort) {
    for (const RegionCity& pair : RegionCities()) {
        for (std::string_view suffix : {"省", "自治区", "特别行政区"}) {
            EXPECT_FALSE(pair.region.ends_with(suffix)) << pair.region;
        }
        for (std::string_view suffix : {"市", "地区", "自治州", "盟", "林区"}) {
            EXPECT_FALSE(pair.city.ends_with(suffix)) << pair.city;
        }
    }
}
