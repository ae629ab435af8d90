// libFuzzer target of the service's settings: any bytes either give a
// config whose numbers lie in their documented ranges or an error that names
// the file.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "site/site_config.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const SiteConfigResult result = ParseSiteConfig("/fuzz/site.ini", text);
    if (!result.config) {
        Check(result.error.starts_with("/fuzz/site.ini: ["));
        return 0;
    }
    const SiteConfig& config = *result.config;
    Check(config.port >= 0 && config.port <= 65535);
    Check(config.upstreamTimeoutSeconds >= 1 && config.upstreamTimeoutSeconds <= 600);
    Check(config.forecastCacheSeconds >= 0 && config.forecastCacheSeconds <= 86400);
    Check(config.ratesCacheSeconds >= 0 && config.ratesCacheSeconds <= 86400);
    Check(!config.listenAddress.empty() && !config.skinsFolder.empty() && !config.pagesFolder.empty());
    return 0;
}
