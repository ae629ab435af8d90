#include "site/http_date.h"

std::string FormatHttpDate(std::time_t moment) {
    std::tm parts{};
    if (gmtime_r(&moment, &parts) == nullptr) {
        return {};
    }
    char text[40] = {};
    // The C locale's names are the English ones HTTP asks for.
    const std::size_t length = std::strftime(text, sizeof text, "%a, %d %b %Y %H:%M:%S GMT", &parts);
    return std::string(text, length);
}
