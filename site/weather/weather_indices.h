#pragma once

// The feed's four indices of a day (dressing, comfort, catching a cold,
// washing the car) from simple rules on the day's figures.

#include <cstdint>
#include <optional>
#include <string_view>

struct DayWeather {
    double maxTemperature = 0;  // °C
    double minTemperature = 0;
    int windForce = 0;  // Beaufort
    std::int32_t skyCode = 0;
    std::optional<double> precipitationProbability;  // %, when the service gave one
};

// One index as the feed writes it: its level and two lines of advice (the
// second may be empty).
struct IndexText {
    std::string_view index;
    std::string_view description1;
    std::string_view description2;

    friend bool operator==(const IndexText&, const IndexText&) = default;
};

// By the day's mean temperature, the midpoint of its extremes: from 炎热 at
// 28 °C and above down to 寒冷 below 0 °C. A range of 10 °C or more adds a
// word on the cool morning and evening.
IndexText DressIndex(const DayWeather& day);

// By the mean temperature, best (舒适) from 18 to 25 °C and worse the farther
// from that; force 5 or more adds a word on the wind.
IndexText ComfortIndex(const DayWeather& day);

// One point each for a range of 8 °C or more, a range of 12 °C or more, a
// mean below 5 °C, and rain or snow, or force 5 or more, on a day with a
// mean below 15 °C: 0 少发, 1 较易发, 2 易发, 3 or more 极易发.
IndexText CatchColdIndex(const DayWeather& day);

// 不宜 on a day of rain or snow; 较不宜 with a precipitation chance of 40 %
// or more, force 5 or more, or dust and sand; 较适宜 with a chance of 20 % or
// more, force 4, or no chance known; else 适宜.
IndexText WashCarIndex(const DayWeather& day);
