#pragma once

// WeatherSequence: the weather section's work as the calendar window's
// timers drive it. A start timer finds the city (once, through the city
// query) and starts a download when the cache needs one; a poll timer waits
// for the worker and loads the reports; a refresh timer looks again every 30
// minutes; a failure is retried after 10 seconds. Runs on the window's
// thread; the worker's results come through WeatherClient's status.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/local_time.h"
#include "common/win32/com.h"
#include "widget/weather/weather_report.h"
#include "widget/weather/weather_section.h"
#include "widget/weather/weather_settings.h"
#include "widget/weather/weather_stations.h"
#include "widget/weather/win32/weather_client.h"

// The calendar window's timers for the weather; its own timers are the
// others (calendar_window.cpp).
enum WeatherTimer : UINT_PTR {
    kWeatherStartTimer = 4,
    kWeatherPollTimer = 5,
    kWeatherRefreshTimer = 6,
};

struct WeatherSequencePaths {
    std::string settingsPath;  // Weathercfg.dat
    std::string dataFolder;    // the cache: module folder\Data
};

class WeatherSequence {
public:
    // `settings` is the module's and outlives the sequence, as does `clock`.
    WeatherSequence(WeatherSettings& settings,
                    WeatherSequencePaths paths,
                    WeatherServiceAddress server,
                    const IClock& clock);
    WeatherSequence(const WeatherSequence&) = delete;
    WeatherSequence& operator=(const WeatherSequence&) = delete;

    // Saves the settings and starts the start timer on `window`; the poll
    // timer runs only while a download's result is awaited.
    void Start(HWND window);
    // Stops the timers and a running worker (waiting at most 2 seconds).
    void Stop(HWND window);
    // One of the weather timers fired; true when the section changed and
    // must be laid out and drawn again.
    bool OnTimer(HWND window, UINT_PTR timer);

    // A city from the menu or the picker: a different one is stored, saved
    // and fetched; false (nothing changes) for the city already shown.
    bool ChangeCity(HWND window, std::string_view city);
    void FlipDetails();
    void SelectDay(bool second);
    // Flips the tall layout and saves the settings.
    void FlipLayout();
    // Writes Weathercfg.dat once the city is known; 0 or the system error
    // code.
    int Save() const;

    WeatherSectionState State() const;
    const WeatherSettings& settings() const { return settings_; }
    // The loaded reports; null while none is loaded.
    const WeatherReport* FirstDay() const { return firstDay_ ? &*firstDay_ : nullptr; }
    const WeatherReport* SecondDay() const { return secondDay_ ? &*secondDay_ : nullptr; }
    // The report the detail panel shows.
    const WeatherReport* SelectedDay() const;
    // Why the last attempt failed, while a retry is pending; empty otherwise.
    const std::string& FailureText() const { return failureText_; }
    WeatherStatus Status() const { return client_->Status(); }
    const WeatherClient& client() const { return *client_; }

private:
    void OnStartTick(HWND window);
    bool OnPollTick(HWND window);
    void OnRefreshTick(HWND window);
    bool TakeResult(HWND window, WeatherStatus status);
    void BeginDownload(HWND window);
    bool LoadReports();
    void RetryLater(HWND window, WeatherStatus failure);

    // The cached documents are read with MSXML on the window's thread: COM
    // is started there for the sequence's life, whatever the host did.
    ComApartment com_;
    WeatherSettings& settings_;
    WeatherSequencePaths paths_;
    const IClock& clock_;
    std::unique_ptr<WeatherClient> client_;
    std::optional<StationChoice> station_;
    std::optional<WeatherReport> firstDay_;
    std::optional<WeatherReport> secondDay_;
    bool secondDaySelected_ = false;
    // A download of the current station was started (or found needless)
    // and its outcome is still to be taken: a worker of a city given up
    // meanwhile may still end, and its status must not count.
    bool awaitingResult_ = false;
    std::string failureText_;
};
