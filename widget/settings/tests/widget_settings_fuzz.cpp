// Reads arbitrary bytes as Alarmcfg.dat and places the result in a few work
// areas: what comes out must be usable (holiday details on, opacity in one
// byte, a rectangle with a size that ends left of the work area's right
// edge), a rectangle already inside must stay where it was, and the fields
// read must survive writing and reading again.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "widget/settings/widget_settings.h"

namespace {

constexpr ScreenRect kWorkAreas[] = {
    {0, 0, 1280, 1024},
    {-1920, -200, 0, 880},
    {std::numeric_limits<std::int32_t>::min() / 2, 0, std::numeric_limits<std::int32_t>::max() / 2, 10},
};

bool Inside(const ScreenRect& rect, const ScreenRect& area) {
    return rect.right <= area.right && rect.bottom <= area.bottom;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    WidgetSettings read;
    if (!ParseWidgetSettings(bytes, read)) {
        return 0;
    }
    WidgetSettings again;
    if (!ParseWidgetSettings(EncodeWidgetSettings(read), again) || !(again == read)) {
        __builtin_trap();
    }
    for (const ScreenRect& area : kWorkAreas) {
        const WidgetSettings placed = NormalizeWidgetSettings(read, area);
        const ScreenRect& rect = placed.windowRect;
        if (placed.showHolidayDetails != 1 || placed.alpha < 0 || placed.alpha > 255 || rect.right <= rect.left ||
            rect.bottom <= rect.top || rect.right > area.right) {
            __builtin_trap();
        }
        const ScreenRect& stored = read.windowRect;
        if (stored.right > stored.left && stored.bottom > stored.top && Inside(stored, area) && !(rect == stored)) {
            __builtin_trap();
        }
    }
    return 0;
}
