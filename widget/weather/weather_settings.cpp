#include "widget/weather/weather_settings.h"

#include <cerrno>
#include <utility>

#include "common/archive.h"
#include "common/file_io.h"

namespace {

// What a save reports when the name is too long for the archive to say its
// length: ERROR_FILE_TOO_LARGE on Windows, EFBIG natively, so the code means
// the same as the file layer's own errors.
#ifdef _WIN32
constexpr int kNameTooLong = 223;
#else
constexpr int kNameTooLong = EFBIG;
#endif

}  // namespace

std::string EncodeWeatherSettings(const WeatherSettings& settings) {
    ArchiveWriter writer;
    writer.WriteText(settings.cityName);
    writer.WriteInt32(settings.detailShown);
    writer.WriteInt32(settings.largeLayout);
    if (!writer.ok()) {
        return {};
    }
    return writer.TakeBytes();
}

bool ParseWeatherSettings(std::string_view bytes, WeatherSettings& settings) {
    ArchiveReader reader(bytes);
    WeatherSettings read = settings;
    reader.ReadText(read.cityName);
    reader.ReadInt32(read.detailShown);
    reader.ReadInt32(read.largeLayout);
    if (!reader.ok()) {
        return false;
    }
    settings = std::move(read);
    return true;
}

WeatherSettings LoadWeatherSettings(const std::string& path) {
    WeatherSettings settings;
    std::string bytes;
    if (!ReadWholeFile(path, bytes) || !ParseWeatherSettings(bytes, settings)) {
        WeatherSettings defaults;
        defaults.autoDetect = 1;
        return defaults;
    }
    settings.detailShown = 0;
    // An empty name would show no city over 北京's weather; the default
    // city says what is shown.
    if (settings.cityName.empty()) {
        settings.cityName = kDefaultWeatherCity;
    }
    return settings;
}

int SaveWeatherSettings(const std::string& path, const WeatherSettings& settings) {
    const std::string bytes = EncodeWeatherSettings(settings);
    if (bytes.empty()) {
        return kNameTooLong;
    }
    return ReplaceFileAtomically(path, bytes);
}
