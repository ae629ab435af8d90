#include "widget/weather/win32/city_dialog.h"

#include <algorithm>
#include <vector>

#include "widget/weather/weather_stations.h"
#include "widget/weather/win32/weather_resources.h"

namespace {

// The region of `city`: the first one whose cities hold it.
std::optional<std::size_t> RegionOfCity(const std::vector<std::string_view>& regions, std::string_view city) {
    for (std::size_t i = 0; i < regions.size(); ++i) {
        const std::vector<std::string_view> cities = CitiesOfRegion(regions[i]);
        if (std::find(cities.begin(), cities.end(), city) != cities.end()) {
            return i;
        }
    }
    return std::nullopt;
}

void FillList(HWND list, const std::vector<std::string_view>& texts) {
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (std::string_view text : texts) {
        const std::string item(text);
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
}

// The list's selection as an index into what it was filled with.
std::optional<std::size_t> Selection(HWND list, std::size_t count) {
    const LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (selected < 0 || static_cast<std::size_t>(selected) >= count) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(selected);
}

// One dialog run, on the thread that called RunCityDialog. The lists keep
// the order of `regions_` and `cities_`, so a selection index picks the
// table's own text (the lists are not sorted).
class CityDialog {
public:
    CityDialog(HINSTANCE resources, std::string_view currentCity)
        : resources_(resources), currentCity_(currentCity), regions_(WeatherRegions()) {}

    std::optional<std::string> Run(HWND owner) {
        const INT_PTR result = DialogBoxParamA(resources_, MAKEINTRESOURCEA(IDD_CITY_DIALOG), owner,
                                               &CityDialog::Procedure, reinterpret_cast<LPARAM>(this));
        if (result != IDOK) {
            return std::nullopt;
        }
        return chosen_;
    }

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            reinterpret_cast<CityDialog*>(lParam)->dialog_ = dialog;
        }
        auto* self = reinterpret_cast<CityDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
        if (self == nullptr) {
            return FALSE;
        }
        try {
            return self->Handle(message, wParam);
        } catch (...) {
            // Out of memory while filling a list: the click is lost, the
            // dialog stays usable.
            return FALSE;
        }
    }

    INT_PTR Handle(UINT message, WPARAM wParam) {
        switch (message) {
            case WM_INITDIALOG:
                OnInitDialog();
                return TRUE;
            case WM_COMMAND:
                return OnCommand(LOWORD(wParam), HIWORD(wParam));
            default:
                return FALSE;
        }
    }

    HWND Item(int id) const { return GetDlgItem(dialog_, id); }

    // Opens on the current city's region and the city, else on the first
    // region and its first city.
    void OnInitDialog() {
        FillList(Item(IDC_CITY_REGIONS), regions_);
        const std::size_t region = RegionOfCity(regions_, currentCity_).value_or(0);
        if (region >= regions_.size()) {
            return;
        }
        SendMessageA(Item(IDC_CITY_REGIONS), LB_SETCURSEL, region, 0);
        ShowCities(region);
        const auto city = std::find(cities_.begin(), cities_.end(), currentCity_);
        if (city != cities_.end()) {
            SendMessageA(Item(IDC_CITY_CITIES), LB_SETCURSEL, city - cities_.begin(), 0);
        }
    }

    // Fills the city list with the region's cities, the first selected.
    void ShowCities(std::size_t region) {
        cities_ = CitiesOfRegion(regions_[region]);
        FillList(Item(IDC_CITY_CITIES), cities_);
        SendMessageA(Item(IDC_CITY_CITIES), LB_SETCURSEL, 0, 0);
    }

    INT_PTR OnCommand(int id, int code) {
        switch (id) {
            case IDC_CITY_REGIONS:
                if (code == LBN_SELCHANGE) {
                    if (std::optional<std::size_t> region = Selection(Item(IDC_CITY_REGIONS), regions_.size())) {
                        ShowCities(*region);
                    }
                }
                return TRUE;
            case IDC_CITY_CITIES:
                if (code == LBN_DBLCLK) {
                    Choose();
                }
                return TRUE;
            case IDOK:
                Choose();
                return TRUE;
            case IDCANCEL:
                EndDialog(dialog_, IDCANCEL);
                return TRUE;
            default:
                return FALSE;
        }
    }

    // Ends the dialog with the selected city; without one it stays open.
    void Choose() {
        const std::optional<std::size_t> city = Selection(Item(IDC_CITY_CITIES), cities_.size());
        if (!city) {
            return;
        }
        chosen_ = std::string(cities_[*city]);
        EndDialog(dialog_, IDOK);
    }

    HINSTANCE resources_;
    std::string_view currentCity_;
    std::vector<std::string_view> regions_;
    std::vector<std::string_view> cities_;  // of the region shown
    std::string chosen_;
    HWND dialog_ = nullptr;
};

}  // namespace

std::optional<std::string> RunCityDialog(HINSTANCE resources, HWND owner, std::string_view currentCity) {
    try {
        CityDialog dialog(resources, currentCity);
        return dialog.Run(owner);
    } catch (...) {
        // Out of memory before the dialog showed: as if it was cancelled.
        return std::nullopt;
    }
}
