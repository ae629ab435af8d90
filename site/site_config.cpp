#include "site/site_config.h"

#include <charconv>
#include <filesystem>
#include <string_view>

#include "common/file_io.h"
#include "toolkit/ini_document.h"

namespace {

// A whole decimal number in [low, high]; none for anything else.
std::optional<int> ParseNumber(std::string_view text, int low, int high) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, failure] = std::from_chars(text.data(), end, value);
    if (text.empty() || failure != std::errc() || stop != end || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

class ConfigReader {
public:
    ConfigReader(const std::string& path, const std::string& text) : path_(path), document_(text) {
        base_ = std::filesystem::path(path).parent_path();
    }

    void Text(const char* section, const char* key, std::string& target) {
        if (auto value = document_.Value(section, key); value && !value->empty()) {
            target = *value;
        }
    }

    void Folder(const char* section, const char* key, std::string& target) {
        Text(section, key, target);
        target = (base_ / target).lexically_normal().string();
    }

    void Number(const char* section, const char* key, int low, int high, int& target) {
        const auto value = document_.Value(section, key);
        if (!value || value->empty() || !error_.empty()) {
            return;
        }
        if (auto number = ParseNumber(*value, low, high)) {
            target = *number;
            return;
        }
        error_ = path_ + ": [" + section + "] " + key + " = \"" + *value + "\" is not a whole number from " +
                 std::to_string(low) + " to " + std::to_string(high);
    }

    const std::string& Error() const { return error_; }

private:
    std::string path_;
    IniDocument document_;
    std::filesystem::path base_;
    std::string error_;
};

}  // namespace

SiteConfigResult ParseSiteConfig(const std::string& path, const std::string& text) {
    constexpr int kDaySeconds = 24 * 60 * 60;
    SiteConfig config;
    ConfigReader reader(path, text);
    reader.Text("server", "address", config.listenAddress);
    reader.Number("server", "port", 0, 65535, config.port);
    reader.Folder("folders", "skins", config.skinsFolder);
    reader.Folder("folders", "pages", config.pagesFolder);
    reader.Folder("files", "address_table", config.addressTablePath);
    reader.Folder("files", "holiday_table", config.holidayTablePath);
    reader.Text("upstream", "forecast_url", config.forecastUrl);
    reader.Text("upstream", "rates_url", config.ratesUrl);
    reader.Number("upstream", "timeout_seconds", 1, 600, config.upstreamTimeoutSeconds);
    reader.Number("cache", "forecast_seconds", 0, kDaySeconds, config.forecastCacheSeconds);
    reader.Number("cache", "rates_seconds", 0, kDaySeconds, config.ratesCacheSeconds);
    if (!reader.Error().empty()) {
        return {std::nullopt, reader.Error()};
    }
    return {config, {}};
}

SiteConfigResult LoadSiteConfig(const std::string& path) {
    std::string text;
    if (!ReadWholeFile(path, text)) {
        return {std::nullopt, path + ": cannot be read"};
    }
    return ParseSiteConfig(path, text);
}
