#pragma once

// The weather section's network work: a city query or a download of a
// station's two documents, each on a worker thread, at most one at a time.
// The window starts the work and watches Status() on its timers; a worker
// hands its result over through the status (and, for a city query, the city
// found, published before the status).

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "common/win32/handles.h"
#include "widget/weather/weather_service_address.h"
#include "widget/weather/weather_status.h"

struct WeatherTiming {
    DWORD connectTimeoutMs = 15000;
    DWORD readTimeoutMs = 15000;
};

// The longest body taken from a response; a longer one fails.
inline constexpr std::size_t kMaxWeatherResponseBytes = 1024 * 1024;
// How long closing the window waits for a running worker.
inline constexpr DWORD kWeatherStopWaitMs = 2000;

class WeatherClient {
public:
    // `dataFolder`: where the cache files go (it exists).
    WeatherClient(WeatherServiceAddress server, std::string dataFolder, WeatherTiming timing = {});
    ~WeatherClient();  // Stop()
    WeatherClient(const WeatherClient&) = delete;
    WeatherClient& operator=(const WeatherClient&) = delete;

    // Starts a city query (status 7). On success the worker publishes the
    // city (FoundCity) and sets status 0; on failure status 8 with the
    // error code. False when a worker still runs or none could be started.
    bool StartCityQuery();
    // Starts the download of the station's 24- and 48-hour documents into
    // their cache files (status 3, then 1, 4, 5 or 6). Each file is written
    // only from a whole response, through a temporary file. False when a
    // worker still runs or none could be started.
    bool StartDownload(std::int32_t stationNumber);

    WeatherStatus Status() const;
    // The window's own moves: 0 after it has handled a result, 1 when the
    // cache needs no download.
    void SetStatus(WeatherStatus status);
    // The system error code of the last failure (0 when it had none).
    DWORD ErrorCode() const;
    // The city the last city query found, once; nullopt before.
    std::optional<std::string> TakeFoundCity();
    // Whether a worker still runs.
    bool Busy() const;

    // Asks a running worker to stop (status 2 while downloading) and waits
    // up to `waitMs` for it. A worker still running then is let go: it
    // writes only to state it shares with this object and keeps the module
    // loaded until it ends. True when no worker runs any more.
    bool Stop(DWORD waitMs = kWeatherStopWaitMs);

    // The state the workers write (defined with their code).
    struct Shared;

private:
    bool StartWorker(std::int32_t stationNumber, bool cityQuery);

    WeatherServiceAddress server_;
    std::string dataFolder_;
    WeatherTiming timing_;
    std::shared_ptr<Shared> shared_;
    // The running worker, or one that ended and was not yet seen to; only
    // the window's thread uses it.
    UniqueHandle thread_;
};
