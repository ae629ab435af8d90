#pragma once

// The service's settings, read from one INI file (site/tessary-site.ini is
// the documented example). A key that is missing, or a file without a
// section, takes the default below; keys the service does not know are
// ignored. Folders and the address table are taken relative to the INI
// file's own folder, so a checked-in INI works from any working folder.

#include <optional>
#include <string>

struct SiteConfig {
    std::string listenAddress = "127.0.0.1";
    int port = 8080;                            // 0: a free port, chosen when the service starts
    std::string skinsFolder = "content/skins";  // the published skin packages
    std::string pagesFolder = "content";        // sysupdate.htm and online.asp
    std::string forecastUrl = "https://api.open-meteo.com/v1/forecast";
    std::string ratesUrl = "https://www.ecb.europa.eu/stats/eurofxref/eurofxref-daily.xml";
    int forecastCacheSeconds = 30 * 60;
    int ratesCacheSeconds = 6 * 60 * 60;
    std::string addressTablePath = "content/address_table.txt";
    std::string holidayTablePath = "../data/holiday.dat";  // the suite's own, for the calendar page
    int upstreamTimeoutSeconds = 15;  // connect and read, each
};

struct SiteConfigResult {
    std::optional<SiteConfig> config;
    std::string error;  // when `config` is empty: the file, key and what is wrong
};

// Reads the INI text `text` of the file at `path` (the path only names the
// file in errors and anchors the relative folders).
SiteConfigResult ParseSiteConfig(const std::string& path, const std::string& text);

// Reads the file at `path`; a file that cannot be read is an error.
SiteConfigResult LoadSiteConfig(const std::string& path);
