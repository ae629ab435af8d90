#include "loader/system_figures.h"

#include <cstdio>

#include "loader/tray_texts.h"

namespace {

constexpr std::uint64_t kKilobyte = 1024;
constexpr std::uint64_t kMegabyte = 1048576;
constexpr std::uint64_t kGigabyte = 1073741824;
constexpr char kSeparator[] = "------------------------------";  // 30 hyphens

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

}  // namespace

std::string SizeText(std::uint64_t bytes) {
    double value = static_cast<double>(bytes);
    if (bytes >= kGigabyte) {
        return Format("%.2fGB", value / static_cast<double>(kGigabyte));
    }
    if (bytes >= kMegabyte) {
        return Format("%.2fMB", value / static_cast<double>(kMegabyte));
    }
    return Format("%.2fKB", value / static_cast<double>(kKilobyte));
}

std::string UpTimeText(std::uint64_t seconds) {
    std::uint64_t minutes = seconds / 60;
    unsigned long long days = minutes / 1440;
    unsigned long long hours = (minutes % 1440) / 60;
    unsigned long long rest = minutes % 60;
    char text[96];
    if (days != 0) {
        std::snprintf(text, sizeof text, "%llud %lluh %llum", days, hours, rest);
    } else if (hours != 0) {
        std::snprintf(text, sizeof text, "%lluh %llum", hours, rest);
    } else {
        std::snprintf(text, sizeof text, "%llum", rest);
    }
    return text;
}

std::string BalloonUpTimeText(std::uint64_t seconds) {
    // The GBK bytes of "小时" hold no 'm', so the second replacement only
    // meets the unit letter.
    std::string text = UpTimeText(seconds);
    ReplaceAll(text, "h", "小时");
    ReplaceAll(text, "m", "分钟");
    return text;
}

int ProcessorAverage::Add(const ProcessorTimes* times) {
    int sample = -1;
    if (times != nullptr) {
        sample = 0;
        // The load is busy time over elapsed time since the previous reading;
        // no elapsed time (or times that went backwards) gives no load rather
        // than a division by zero.
        if (havePrevious_ && times->total > previous_.total && times->idle >= previous_.idle) {
            double idleShare =
                static_cast<double>(times->idle - previous_.idle) / static_cast<double>(times->total - previous_.total);
            double load = (1.0 - idleShare) * 100.0 + 0.5;
            sample = load < 0.0 ? 0 : static_cast<int>(load);
        }
        previous_ = *times;
        havePrevious_ = true;
    }
    samples_.push_back(sample);
    if (samples_.size() > 2) {
        samples_.erase(samples_.begin(), samples_.end() - 2);
    }
    return sample;
}

int ProcessorAverage::Average() const {
    if (samples_.empty()) {
        return 0;
    }
    int sum = 0;
    for (int sample : samples_) {
        sum += sample;
    }
    return sum / static_cast<int>(samples_.size());
}

std::uint64_t NetworkSpeed::Read(std::uint64_t octetSum, std::uint32_t tickMs) {
    // Unsigned subtraction carries the tick count across its wrap.
    std::uint32_t elapsedMs = tickMs - previousTick_;
    std::uint64_t speed = 0;
    // A sum below the previous one (an interface gone, a counter wrapped)
    // and a reading within the same millisecond give 0, not a huge figure or
    // a division by zero.
    if (elapsedMs != 0 && octetSum >= previousSum_) {
        speed = (octetSum - previousSum_) * 1000 / elapsedMs;
    }
    previousSum_ = octetSum;
    previousTick_ = tickMs;
    return speed;
}

std::uint64_t SumWithoutFirstRow(std::span<const std::uint32_t> octets) {
    std::uint64_t sum = 0;
    for (std::size_t row = 1; row < octets.size(); ++row) {
        sum += octets[row];
    }
    return sum;
}

ScreenPoint IconPointOfButton(const ScreenRect& button) {
    return {button.left + 4, button.top + 6};
}

ScreenRect HoverSquare(ScreenPoint point) {
    return {point.x - 2, point.y - 4, point.x + 14, point.y + 12};
}

BalloonDecision DecideBalloon(bool iconFound, bool pointerOverIcon, bool menuOpen) {
    if (!iconFound) {
        return {BalloonStep::kNothing, false};
    }
    if (!pointerOverIcon) {
        return {BalloonStep::kHide, true};
    }
    // No balloon over the open menu, nor after it until the pointer has left.
    if (menuOpen) {
        return {BalloonStep::kHide, false};
    }
    return {BalloonStep::kShow, false};
}

std::string SystemBalloonText(const SystemFigures& figures, const LocalTime& now) {
    std::string weekday(WeekdayName(now.weekday));
    char text[512];
    std::snprintf(text, sizeof text,
                  "%04d年%d月%d日 %s %02d:%02d:%02d\r\n%s\r\nCPU使用率:%d%%\r\n内存总数 :%s\r\n空闲内存 :%s\r\n%s\r\n"
                  "网络上传速度 :%s/s\r\n网络下载速度 :%s/s\r\n%s\r\n开机时长 :%s",
                  now.year, now.month, now.day, weekday.c_str(), now.hour, now.minute, now.second, kSeparator,
                  figures.processorPercent, SizeText(figures.totalMemory).c_str(), SizeText(figures.freeMemory).c_str(),
                  kSeparator, SizeText(figures.uploadPerSecond).c_str(), SizeText(figures.downloadPerSecond).c_str(),
                  kSeparator, BalloonUpTimeText(figures.upTimeSeconds).c_str());
    return text;
}

std::string SystemBalloonTitle(std::string_view productName, std::string_view productVersion) {
    std::string title(productName);
    title.append(productVersion);
    return title;
}

namespace {

// Each of red, green and blue below 4.
bool NearlyBlack(std::uint32_t pixel) {
    return (pixel & 0xFF) < 4 && ((pixel >> 8) & 0xFF) < 4 && ((pixel >> 16) & 0xFF) < 4;
}

}  // namespace

std::optional<ScreenPoint> FindMarkerIcon(std::span<const std::uint32_t> pixels, int width, int height) {
    constexpr int kRun = 9;
    if (width <= 0 || height < 5 ||
        pixels.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        return std::nullopt;
    }
    auto at = [&](int x, int y) { return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x]; };
    for (int row = height - 3; row >= 2; --row) {
        int run = 0;
        for (int x = 0; x < width; ++x) {
            run = NearlyBlack(at(x, row)) && NearlyBlack(at(x, row - 2)) && NearlyBlack(at(x, row + 2)) ? run + 1 : 0;
            if (run == kRun) {
                // The first run found starts at the marker's left edge, two
                // rows above its bottom; the point is placed so that the hover
                // square covers the 16 x 16 marker.
                int left = x - (kRun - 1);
                int top = row + 2 - 15;
                return ScreenPoint{left + 2, top + 4};
            }
        }
    }
    return std::nullopt;
}
