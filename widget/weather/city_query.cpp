#include "widget/weather/city_query.h"

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <vector>

#include "common/text_encoding.h"
#include "widget/weather/weather_settings.h"
#include "widget/weather/weather_stations.h"

namespace {

constexpr char kCityCharacter[] = "市";
constexpr char kProvinceCharacter[] = "省";

// The text between `open` and the first `close` after it, or nothing when
// either is missing. Both tags begin with '<', a byte that is never the
// second byte of a double-byte character, so a match found byte by byte
// starts and ends on character boundaries.
std::optional<std::string_view> TextBetween(std::string_view answer, std::string_view open, std::string_view close) {
    const std::size_t start = answer.find(open);
    if (start == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t textStart = start + open.size();
    const std::size_t end = answer.find(close, textStart);
    if (end == std::string_view::npos) {
        return std::nullopt;
    }
    return answer.substr(textStart, end - textStart);
}

// ASCII blanks and line ends around a tag's text are layout, not part of
// the name. None of them can be the second byte of a double-byte character.
std::string_view TrimAsciiBlanks(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// Bytes of the character at the start of `text`; a byte that starts no GBK
// character counts as a character of its own.
std::size_t CharacterLength(std::string_view text) {
    const std::size_t length = GbkSequenceLength(text);
    return length == 0 ? 1 : length;
}

bool IsOneOf(std::string_view character, std::initializer_list<std::string_view> characters) {
    return std::find(characters.begin(), characters.end(), character) != characters.end();
}

// `text` without the whole characters in `removed`, walking character by
// character so that a trail byte and the next lead byte never read as one.
std::string WithoutCharacters(std::string_view text, std::initializer_list<std::string_view> removed) {
    std::string kept;
    kept.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::string_view character = text.substr(pos, CharacterLength(text.substr(pos)));
        if (!IsOneOf(character, removed)) {
            kept += character;
        }
        pos += character.size();
    }
    return kept;
}

bool ContainsCharacter(std::string_view text, std::string_view wanted) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::string_view character = text.substr(pos, CharacterLength(text.substr(pos)));
        if (character == wanted) {
            return true;
        }
        pos += character.size();
    }
    return false;
}

// The table's name of the region a province text names: the region itself,
// else the region the text starts with, so that the full names of the
// autonomous and special administrative regions (广西壮族自治区,
// 香港特别行政区) are found too. No region's name starts another's, so at
// most one matches.
std::optional<std::string_view> RegionOf(std::string_view province) {
    const std::vector<std::string_view> regions = WeatherRegions();
    const auto same = std::find(regions.begin(), regions.end(), province);
    if (same != regions.end()) {
        return *same;
    }
    const auto found = std::find_if(regions.begin(), regions.end(),
                                    [province](std::string_view region) { return province.starts_with(region); });
    if (found == regions.end()) {
        return std::nullopt;
    }
    return *found;
}

std::string CityOfProvince(std::string_view answer) {
    const std::string_view province =
        TrimAsciiBlanks(TextBetween(answer, "<province>", "</province>").value_or(kDefaultWeatherCity));
    const std::optional<std::string_view> region =
        RegionOf(WithoutCharacters(province, {kProvinceCharacter, kCityCharacter}));
    if (!region) {
        return kDefaultWeatherCity;
    }
    return std::string(FirstCityOfRegion(*region).value_or(kDefaultWeatherCity));
}

}  // namespace

std::string CityFromQueryAnswer(std::string_view answer) {
    const std::string_view city =
        TrimAsciiBlanks(TextBetween(answer, "<city>", "</city>").value_or(kDefaultWeatherCity));
    std::string name(city);
    if (ContainsCharacter(city, kCityCharacter) && !FindStation(DomesticStations(), city)) {
        name = WithoutCharacters(city, {kCityCharacter});
    }
    if (!name.empty()) {
        return name;
    }
    return CityOfProvince(answer);
}
