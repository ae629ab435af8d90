#pragma once

// The figures of the tray balloon that shows while the pointer rests on the
// tray icon: size texts, up time, processor load, network speed, the square
// around the icon that counts as "over it", and the balloon text itself.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/local_time.h"

// "1.50GB", "10.00MB", "512.00KB" of a count of bytes: GB from 2^30 on, MB
// from 2^20 on, else KB, so small values read as fractions of a kilobyte.
std::string SizeText(std::uint64_t bytes);

// "1d 1h 1m" of an up time in seconds: whole minutes; days left out when
// there are none, hours too when there are neither days nor hours.
std::string UpTimeText(std::uint64_t seconds);
// The same with "h" shown as "小时" and "m" as "分钟" ("d" stays).
std::string BalloonUpTimeText(std::uint64_t seconds);

// Two readings of the processor's cumulative times, in any one unit.
struct ProcessorTimes {
    std::uint64_t idle = 0;
    std::uint64_t total = 0;  // idle included
};

// The processor load as the average of the last two readings.
class ProcessorAverage {
public:
    // Adds one reading: 0 the first time (it only sets the baseline), then
    // the percentage of busy time since the previous reading. A system
    // without the times gives -1.
    int Add(const ProcessorTimes* times);
    // The integer average of the last two readings (0 before any).
    int Average() const;

private:
    std::vector<int> samples_;  // at most the last two
    ProcessorTimes previous_;
    bool havePrevious_ = false;
};

// Octets per second of one direction of the network.
class NetworkSpeed {
public:
    // The speed since the previous reading, from the octet sum now and the
    // millisecond tick count (which wraps at 2^32). Both start at 0, so the
    // first reading is a baseline whose value is thrown away.
    std::uint64_t Read(std::uint64_t octetSum, std::uint32_t tickMs);

private:
    std::uint64_t previousSum_ = 0;
    std::uint32_t previousTick_ = 0;
};

// The octets of every interface but the first row of the table (which is the
// loop-back interface).
std::uint64_t SumWithoutFirstRow(std::span<const std::uint32_t> octets);

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;  // exclusive
    int bottom = 0;

    bool Contains(ScreenPoint point) const {
        return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
    }
};

// The point that stands for an icon whose button has this rectangle.
ScreenPoint IconPointOfButton(const ScreenRect& button);
// The 16 x 16 square around the icon found at `point`, in which the pointer
// counts as resting on the icon.
ScreenRect HoverSquare(ScreenPoint point);

// What one tick does with the balloon.
enum class BalloonStep {
    kNothing,  // the icon was not found: leave everything as it is
    kHide,     // empty title, text and tip
    kShow,     // fresh figures
};

struct BalloonDecision {
    BalloonStep step = BalloonStep::kNothing;
    bool clearMenuOpen = false;  // the pointer has left the icon since the menu opened
};

BalloonDecision DecideBalloon(bool iconFound, bool pointerOverIcon, bool menuOpen);

struct SystemFigures {
    int processorPercent = 0;       // average of the last two readings
    std::uint64_t totalMemory = 0;  // bytes
    std::uint64_t freeMemory = 0;
    std::uint64_t uploadPerSecond = 0;  // bytes per second
    std::uint64_t downloadPerSecond = 0;
    std::uint64_t upTimeSeconds = 0;
};

// The balloon: the date line, then processor and memory, network speeds and
// up time in three groups between lines of 30 hyphens; CR LF line ends.
std::string SystemBalloonText(const SystemFigures& figures, const LocalTime& now);
// The product name and version run together.
std::string SystemBalloonTitle(std::string_view productName, std::string_view productVersion);

// Where the marker icon is in a picture of the tray (rows top to bottom, each
// `width` pixels of 0x00RRGGBB), in the picture's coordinates; none when it
// is not there. The marker is black all over: the search runs from the
// bottom row up, left to right, for nine pixels side by side that are
// nearly black together with the pixels two rows above and below them.
std::optional<ScreenPoint> FindMarkerIcon(std::span<const std::uint32_t> pixels, int width, int height);
