#pragma once

// Resource numbers of the weather section's city picker.

#define IDD_CITY_DIALOG 6026
#define IDC_CITY_REGIONS 6060
#define IDC_CITY_CITIES 6061
