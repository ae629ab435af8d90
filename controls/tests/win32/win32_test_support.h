#pragma once

// Helpers of the skin controls' Windows tests: GDI+ for the whole program,
// bitmaps made and read pixel by pixel, the screen read back, the generated
// art, and a top-level window that records the messages it gets.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/win32/gdiplus_session.h"
#include "controls/win32/window.h"

namespace controls_test {

// A file of the generated art, e.g. "modules/Calendar/SkinsDefault/mainback.png".
std::string ArtPath(const std::string& relative);

// A bitmap of `format` whose pixel (x, y) is colour(x, y) (0xAARRGGBB).
std::unique_ptr<Gdiplus::Bitmap> MakeBitmap(int width,
                                            int height,
                                            Gdiplus::PixelFormat format,
                                            const std::function<std::uint32_t(int, int)>& colour);

// Straight-alpha ARGB of one pixel.
std::uint32_t PixelOf(Gdiplus::Bitmap& bitmap, int x, int y);

// `argb` as the screen shows it without a compositor: colour times alpha
// over black (times `opacity` / 255 on top).
std::uint32_t PremultipliedOverBlack(std::uint32_t argb, int opacity = 255);

// Largest difference of the red, green and blue channels.
int ColourDistance(std::uint32_t a, std::uint32_t b);

// The screen's pixels inside `area`, row by row, 0x00RRGGBB.
struct ScreenPixels {
    RECT area = {};
    std::vector<std::uint32_t> rgb;
    std::uint32_t At(int screenX, int screenY) const {
        return rgb[static_cast<std::size_t>(screenY - area.top) * (area.right - area.left) + (screenX - area.left)];
    }
};
ScreenPixels ReadScreen(const RECT& area);

// A plain top-level pop-up window that logs the private messages it gets.
class MessageLogWindow : public cmmctrls::CWindow {
public:
    struct Entry {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    bool Open(int x, int y, int width, int height);
    std::vector<Entry> Of(UINT message) const;
    std::vector<Entry> entries;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace controls_test
