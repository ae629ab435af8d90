#include "site/weather/station_coordinates.h"

#include <gtest/gtest.h>

#include <set>

#include "widget/weather/weather_stations.h"

namespace {

void ExpectCoordinatesOf(std::span<const WeatherStation> stations, bool foreign) {
    for (const WeatherStation& station : stations) {
        const std::optional<StationCoordinates> found = FindStationCoordinates(station.number);
        ASSERT_TRUE(found.has_value()) << station.number;
        EXPECT_EQ(found->city, station.city) << station.number;
        EXPECT_EQ(found->foreign, foreign) << station.number;
    }
}

TEST(StationCoordinates, EveryStationOfTheSuitesTablesHasItsPlace) {
    ExpectCoordinatesOf(DomesticStations(), false);
    ExpectCoordinatesOf(ForeignStations(), true);
}

TEST(StationCoordinates, TheTableHoldsThoseStationsOnlyEachOnce) {
    std::set<std::int32_t> numbers;
    for (const StationCoordinates& station : AllStationCoordinates()) {
        EXPECT_TRUE(numbers.insert(station.number).second) << station.number;
    }
    EXPECT_EQ(numbers.size(), DomesticStations().size() + ForeignStations().size());
    EXPECT_FALSE(FindStationCoordinates(0).has_value());
    EXPECT_FALSE(FindStationCoordinates(99999).has_value());
}

TEST(StationCoordinates, StationsInChinaLieInsideItsBoundsAndNoneHasSwappedFigures) {
    for (const StationCoordinates& station : AllStationCoordinates()) {
        EXPECT_GE(station.latitude, -90) << station.number;
        EXPECT_LE(station.latitude, 90) << station.number;
        EXPECT_GE(station.longitude, -180) << station.number;
        EXPECT_LE(station.longitude, 180) << station.number;
        if (!station.foreign) {
            // China from Hainan to the Amur and from the Pamirs to the Ussuri.
            EXPECT_GT(station.latitude, 18) << station.number;
            EXPECT_LT(station.latitude, 54) << station.number;
            EXPECT_GT(station.longitude, 73) << station.number;
            EXPECT_LT(station.longitude, 135) << station.number;
        }
    }
    // Places south of the equator and west of Greenwich keep their signs.
    EXPECT_LT(FindStationCoordinates(94767)->latitude, 0);   // 悉尼
    EXPECT_LT(FindStationCoordinates(72503)->longitude, 0);  // 纽约
    EXPECT_LT(FindStationCoordinates(83780)->longitude, 0);  // 圣保罗
    EXPECT_GT(FindStationCoordinates(47662)->longitude, 0);  // 东京
}

}  // namespace
