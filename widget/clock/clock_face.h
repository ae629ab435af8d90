#pragma once

// What the clock window shows at one redraw, as data: which digit tiles go
// where, whether the colon is drawn, the weekday and date texts and the
// banner. The window paints exactly this onto its 187 x 100 background.

#include <array>
#include <optional>
#include <string>

#include "common/local_time.h"
#include "widget/clock/clock_banner.h"

// A rectangle of the face, in pixels from the window's top left.
struct FaceBox {
    int left;
    int top;
    int width;
    int height;
};

// digit.png holds the tiles side by side: digit n at x = n * kDigitWidth,
// the colon at x = kColonSourceLeft. Every tile is drawn at y = kDigitTop.
inline constexpr int kDigitWidth = 20;
inline constexpr int kDigitHeight = 22;
inline constexpr int kDigitTop = 10;
inline constexpr int kColonLeft = 43;
inline constexpr int kColonSourceLeft = 203;

inline constexpr FaceBox kWeekdayBox = {116, 10, 150, 14};
inline constexpr FaceBox kDateBox = {116, 24, 150, 14};
inline constexpr FaceBox kBannerFirstBox = {31, 47, 196, 18};
inline constexpr FaceBox kBannerSecondBox = {21, 65, 196, 18};

// Font sizes in pixels. The small one serves the weekday, the date and the
// banner's second line, which is the longer one: a count of up to four
// digits still fits the window. The banner's first line is the large one.
inline constexpr int kSmallFontPixels = 12;
inline constexpr int kLargeFontPixels = 14;

struct DigitTile {
    int left;        // where it goes, at y = kDigitTop
    int sourceLeft;  // where it lies in digit.png

    friend bool operator==(const DigitTile&, const DigitTile&) = default;
};

struct ClockFace {
    std::array<DigitTile, 4> digits{};  // hour tens, hour units, minute tens, minute units
    bool colonShown = false;
    std::string weekday;  // GBK, "星期日" ... "星期六"
    std::string date;     // "%Y-%m-%d"
    ClockBanner banner;
};

// The face for the computer's local time `now`; the banner counts from
// `networkTime` (nullopt: no valid network time).
ClockFace ComposeClockFace(const LocalTime& now, bool colonShown, const std::optional<LocalTime>& networkTime);

// The colon blinks: it is drawn at every second redraw, starting with the
// first, so with a redraw every 500 ms it shows half of each second.
class ColonPhase {
public:
    // Whether this redraw draws the colon; the phase then flips.
    bool Next() {
        const bool shown = shown_;
        shown_ = !shown_;
        return shown;
    }

private:
    bool shown_ = true;
};
