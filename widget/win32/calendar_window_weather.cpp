// The calendar window's weather section: its work started with the window,
// its timers, its buttons, the city menu and the city picker.

#include "common/path_util.h"
#include "widget/weather/weather_service_address.h"
#include "widget/weather/win32/city_dialog.h"
#include "widget/win32/calendar_window.h"

namespace {

constexpr char kOtherCityText[] = "其他...";

}  // namespace

void CCalendarWindow::StartWeather() {
    WeatherSequencePaths paths{module_.weatherSettingsPath, JoinPath(module_.folder, "Data")};
    weather_ = std::make_unique<WeatherSequence>(
        module_.weather, std::move(paths), ReadWeatherServiceAddress(module_.networkSettingsPath), systemClock_);
    cityMenu_.reset(CreatePopupMenu());
    for (std::size_t i = 0; i < CityMenuCities().size(); ++i) {
        AppendMenuA(cityMenu_.get(), MF_STRING, kCityMenuFirstCity + i, std::string(CityMenuCities()[i]).c_str());
    }
    AppendMenuA(cityMenu_.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuA(cityMenu_.get(), MF_STRING, kCityMenuOther, kOtherCityText);
    weather_->Start(GetSafeHwnd());
}

bool CCalendarWindow::OnWeatherTimer(UINT_PTR timer) {
    if (!weather_ || !weather_->OnTimer(GetSafeHwnd(), timer)) {
        return false;
    }
    Redraw();
    return true;
}

void CCalendarWindow::OnWeatherCommand(std::uint32_t command) {
    switch (command) {
        case kCommandCityMenu:
            RunCityMenu();
            return;
        case kCommandShowDetails:
        case kCommandHideDetails:
            weather_->FlipDetails();
            break;
        case kCommandFirstDay:
        case kCommandSecondDay:
            weather_->SelectDay(command == kCommandSecondDay);
            break;
        case kCommandShortLayout:
        case kCommandTallLayout:
            weather_->FlipLayout();
            break;
        default:
            return;
    }
    Redraw();
}

// The menu opens under the city button; "其他..." opens the city picker.
void CCalendarWindow::RunCityMenu() {
    POINT anchor = {kContentLeft, layout_.weather.city.Bottom()};
    for (const HitArea& area : layout_.hitAreas) {
        if (area.command == kCommandCityMenu) {
            anchor = {area.rect.x, area.rect.Bottom()};
        }
    }
    ClientToScreen(GetSafeHwnd(), &anchor);
    // The menu closes on a click elsewhere only when its owner is in front.
    SetForegroundWindow(GetSafeHwnd());
    const int chosen = TrackPopupMenu(cityMenu_.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_TOPALIGN,
                                      anchor.x, anchor.y, 0, GetSafeHwnd(), nullptr);
    PostMessageA(GetSafeHwnd(), WM_NULL, 0, 0);
    if (chosen == static_cast<int>(kCityMenuOther)) {
        if (std::optional<std::string> city =
                RunCityDialog(module_.instance, GetSafeHwnd(), weather_->settings().cityName)) {
            ChangeCity(*city);
        }
    } else if (chosen != 0) {
        ChangeCity(CityOfMenuItem(static_cast<std::uint32_t>(chosen)));
    }
}

void CCalendarWindow::ChangeCity(std::string_view city) {
    if (weather_->ChangeCity(GetSafeHwnd(), city)) {
        Redraw();
    }
}

WeatherShown CCalendarWindow::ShownWeather() const {
    WeatherShown shown;
    if (weather_) {
        shown.city = weather_->settings().cityName;
        shown.firstDay = weather_->FirstDay();
        shown.secondDay = weather_->SecondDay();
        shown.selectedDay = weather_->SelectedDay();
        shown.failure = weather_->FailureText();
    }
    return shown;
}
