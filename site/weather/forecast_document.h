#pragma once

// The feed's forecast document of one day for a station, in the form the
// calendar's weather section reads (GBK XML, root <weather>).

#include <cstdint>
#include <optional>
#include <string>

#include "common/local_time.h"
#include "site/weather/open_meteo_forecast.h"
#include "site/weather/station_coordinates.h"

// The day a document covers, the hour fields zero. The 24-hour document
// covers today until 20:00 and tomorrow from then on, as an evening
// forecast does; the 48-hour document covers the day after it.
LocalTime ForecastDay(Moment now, std::int32_t hours);

// Whether `figures` are those of `day`.
bool IsFiguresOfDay(const DailyFigures& figures, const LocalTime& day);

// The document of `figures` for `station`, covering 20:00 of the day before
// `day` to 20:00 of `day` (the section shows the date of the end time, and
// the client fetches again once it has passed). nullopt when a figure the
// document needs is missing or the weather code is not one the service
// documents.
std::optional<std::string> ForecastDocument(const StationCoordinates& station,
                                            const DailyFigures& figures,
                                            const LocalTime& day);
