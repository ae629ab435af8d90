#include "widget/win32/weather_sequence.h"

namespace {

constexpr UINT kStartMilliseconds = 1000;
constexpr UINT kPollMilliseconds = 250;
constexpr UINT kRetryMilliseconds = 10 * 1000;
constexpr UINT kRefreshMilliseconds = 30 * 60 * 1000;

}  // namespace

WeatherSequence::WeatherSequence(WeatherSettings& settings,
                                 WeatherSequencePaths paths,
                                 WeatherServiceAddress server,
                                 const IClock& clock)
    : settings_(settings),
      paths_(std::move(paths)),
      clock_(clock),
      client_(std::make_unique<WeatherClient>(std::move(server), paths_.dataFolder)) {}

void WeatherSequence::Start(HWND window) {
    // A settings file that cannot be written is no reason to show no
    // weather; the pointer watch and the close save it again.
    Save();
    awaitingResult_ = false;
    if (!client_->Busy()) {
        client_->SetStatus(WeatherStatus::kIdle);
    }
    // The poll runs only while a download's result is awaited (BeginDownload).
    KillTimer(window, kWeatherRefreshTimer);
    KillTimer(window, kWeatherPollTimer);
    SetTimer(window, kWeatherStartTimer, kStartMilliseconds, nullptr);
}

void WeatherSequence::Stop(HWND window) {
    for (UINT_PTR timer : {kWeatherStartTimer, kWeatherPollTimer, kWeatherRefreshTimer}) {
        KillTimer(window, timer);
    }
    client_->Stop();
}

bool WeatherSequence::OnTimer(HWND window, UINT_PTR timer) {
    switch (timer) {
        case kWeatherStartTimer: {
            const bool hadStation = station_.has_value();
            const std::string failure = failureText_;
            OnStartTick(window);
            return hadStation != station_.has_value() || failure != failureText_;
        }
        case kWeatherPollTimer:
            return OnPollTick(window);
        case kWeatherRefreshTimer:
            OnRefreshTick(window);
            return false;
        default:
            return false;
    }
}

// While the city is unknown every tick either takes the city a query found
// or starts a query; once it is known the station is chosen and fetched.
void WeatherSequence::OnStartTick(HWND window) {
    if (settings_.autoDetect != 0) {
        if (std::optional<std::string> city = client_->TakeFoundCity()) {
            settings_.cityName = *city;
            settings_.autoDetect = 0;
            failureText_.clear();
            Save();
        } else if (client_->Status() == WeatherStatus::kCityQueryFailed) {
            RetryLater(window, WeatherStatus::kCityQueryFailed);
            return;
        } else {
            // Refused while the last query still runs: one at a time. After
            // a retry's pause the ticks come every second again.
            if (client_->StartCityQuery()) {
                SetTimer(window, kWeatherStartTimer, kStartMilliseconds, nullptr);
            }
            return;
        }
    }
    if (client_->Busy()) {
        return;  // the worker of a city given up still ends; try again at the next tick
    }
    KillTimer(window, kWeatherStartTimer);
    station_ = ChooseStation(settings_.cityName);
    BeginDownload(window);
}

void WeatherSequence::BeginDownload(HWND window) {
    awaitingResult_ = true;
    if (!IsWeatherDownloadNeeded(paths_.dataFolder, station_->number, clock_.Now())) {
        client_->SetStatus(WeatherStatus::kDownloaded);
    } else if (!client_->StartDownload(station_->number)) {
        // No thread could be started: counted as a failed download.
        client_->SetStatus(WeatherStatus::kFirstDayFailed);
    }
    SetTimer(window, kWeatherPollTimer, kPollMilliseconds, nullptr);
}

bool WeatherSequence::OnPollTick(HWND window) {
    if (!awaitingResult_) {
        return false;
    }
    const WeatherStatus status = client_->Status();
    if (status == WeatherStatus::kDownloaded ||
        (status == WeatherStatus::kSecondDayFailed && station_ && station_->foreign)) {
        return TakeResult(window, status);
    }
    if (status == WeatherStatus::kNoConnection || status == WeatherStatus::kFirstDayFailed ||
        status == WeatherStatus::kSecondDayFailed) {
        RetryLater(window, status);
        return true;
    }
    return false;
}

// Both documents are in the cache (or the first, for a city abroad whose
// 48-hour document failed): show them and look again in 30 minutes.
bool WeatherSequence::TakeResult(HWND window, WeatherStatus status) {
    awaitingResult_ = false;
    KillTimer(window, kWeatherPollTimer);
    if (!LoadReports()) {
        // A document that came whole but does not parse is a failed download
        // too: the section would otherwise wait for it without a word.
        RetryLater(window, WeatherStatus::kFirstDayFailed);
        return true;
    }
    if (status == WeatherStatus::kSecondDayFailed) {
        secondDay_.reset();
    }
    failureText_.clear();
    SetTimer(window, kWeatherRefreshTimer, kRefreshMilliseconds, nullptr);
    return true;
}

bool WeatherSequence::LoadReports() {
    const Moment now = clock_.Now();
    WeatherReport first;
    if (!LoadCachedWeatherReport(paths_.dataFolder, station_->number, 24, now, first)) {
        return false;
    }
    firstDay_ = std::move(first);
    WeatherReport second;
    if (LoadCachedWeatherReport(paths_.dataFolder, station_->number, 48, now, second)) {
        secondDay_ = std::move(second);
    } else {
        secondDay_.reset();
        secondDaySelected_ = false;
    }
    return true;
}

void WeatherSequence::RetryLater(HWND window, WeatherStatus failure) {
    awaitingResult_ = false;
    KillTimer(window, kWeatherPollTimer);
    failureText_ = WeatherFailureText(failure);
    client_->SetStatus(WeatherStatus::kIdle);
    SetTimer(window, kWeatherStartTimer, kRetryMilliseconds, nullptr);
}

void WeatherSequence::OnRefreshTick(HWND window) {
    if (!station_ || client_->Busy() || !IsWeatherDownloadNeeded(paths_.dataFolder, station_->number, clock_.Now())) {
        return;
    }
    client_->SetStatus(WeatherStatus::kIdle);
    BeginDownload(window);
}

bool WeatherSequence::ChangeCity(HWND window, std::string_view city) {
    if (city.empty() || city == settings_.cityName) {
        return false;
    }
    settings_.cityName = std::string(city);
    // A city chosen by hand ends the search for the user's own.
    settings_.autoDetect = 0;
    firstDay_.reset();
    secondDay_.reset();
    secondDaySelected_ = false;
    failureText_.clear();
    Start(window);
    return true;
}

void WeatherSequence::FlipDetails() {
    settings_.detailShown = settings_.detailShown != 0 ? 0 : 1;
}

void WeatherSequence::SelectDay(bool second) {
    secondDaySelected_ = second && secondDay_.has_value();
}

void WeatherSequence::FlipLayout() {
    settings_.largeLayout = settings_.largeLayout != 0 ? 0 : 1;
    Save();
}

// While the user's city is still being looked for nothing is written: a
// file saved now would say 北京 and stop the search at the next start, so a
// first start without a network would never find the city.
int WeatherSequence::Save() const {
    if (settings_.autoDetect != 0) {
        return 0;
    }
    return SaveWeatherSettings(paths_.settingsPath, settings_);
}

WeatherSectionState WeatherSequence::State() const {
    WeatherSectionState state;
    state.stationKnown = station_.has_value();
    state.firstDayLoaded = firstDay_.has_value();
    state.secondDayLoaded = secondDay_.has_value();
    state.detailShown = settings_.detailShown != 0;
    state.largeLayout = settings_.largeLayout != 0;
    state.secondDaySelected = secondDaySelected_ && secondDay_.has_value();
    return state;
}

const WeatherReport* WeatherSequence::SelectedDay() const {
    return secondDaySelected_ && secondDay_ ? &*secondDay_ : FirstDay();
}
