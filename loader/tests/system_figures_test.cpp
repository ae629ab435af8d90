// The tray balloon's figures: size texts, up time, processor average,
// network speed, the hover square and the whole balloon text.

#include "loader/system_figures.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace {

TEST(SystemFigures, SizeTextsPickTheUnitAtItsFirstWholeValue) {
    struct Case {
        std::uint64_t bytes;
        const char* text;
    };
    const Case cases[] = {
        {0, "0.00KB"},
        {100, "0.10KB"},  // below a kilobyte: a fraction of one
        {512 * 1024ull, "512.00KB"},
        {1048575, "1024.00KB"},  // one byte short of a megabyte
        {1048576, "1.00MB"},
        {10 * 1048576ull, "10.00MB"},
        {1073741823, "1024.00MB"},
        {1073741824, "1.00GB"},
        {1536 * 1048576ull, "1.50GB"},
        {16ull * 1073741824 + 1073741824 / 4, "16.25GB"},  // beyond 32 bits
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SizeText(c.bytes), c.text) << c.bytes;
    }
}

TEST(SystemFigures, UpTimeLeavesOutLeadingZeroPartsOnly) {
    struct Case {
        std::uint64_t seconds;
        const char* raw;
        const char* balloon;
    };
    const Case cases[] = {
        {0, "0m", "0分钟"},
        {59, "0m", "0分钟"},
        {300, "5m", "5分钟"},
        {3599, "59m", "59分钟"},
        {3600, "1h 0m", "1小时 0分钟"},
        {86400 + 180, "1d 0h 3m", "1d 0小时 3分钟"},
        {90061, "1d 1h 1m", "1d 1小时 1分钟"},
        {400 * 86400ull + 23 * 3600 + 59 * 60 + 59, "400d 23h 59m", "400d 23小时 59分钟"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UpTimeText(c.seconds), c.raw) << c.seconds;
        EXPECT_EQ(BalloonUpTimeText(c.seconds), c.balloon) << c.seconds;
    }
}

TEST(SystemFigures, ProcessorAveragesTheLastTwoReadings) {
    ProcessorAverage load;
    EXPECT_EQ(load.Average(), 0);
    ProcessorTimes first{1000, 4000};
    EXPECT_EQ(load.Add(&first), 0);  // only the baseline
    EXPECT_EQ(load.Average(), 0);

    ProcessorTimes second{1000 + 250, 4000 + 1000};  // a quarter idle: 75% busy
    EXPECT_EQ(load.Add(&second), 75);
    EXPECT_EQ(load.Average(), 37);  // (0 + 75) / 2, truncated

    ProcessorTimes third{1250 + 996, 5000 + 1000};  // 0.4% busy rounds to 0
    EXPECT_EQ(load.Add(&third), 0);
    EXPECT_EQ(load.Average(), 37);  // (75 + 0) / 2: the first reading has dropped out

    ProcessorTimes fourth{2246 + 3, 6000 + 1000};  // 99.7% rounds up
    EXPECT_EQ(load.Add(&fourth), 100);
    EXPECT_EQ(load.Average(), 50);
}

TEST(SystemFigures, ProcessorWithoutTimesReadsMinusOne) {
    ProcessorAverage load;
    EXPECT_EQ(load.Add(nullptr), -1);
    EXPECT_EQ(load.Average(), -1);
    EXPECT_EQ(load.Add(nullptr), -1);
    EXPECT_EQ(load.Average(), -1);
}

TEST(SystemFigures, ProcessorReadingWithoutElapsedTimeIsZeroNotADivisionByZero) {
    ProcessorAverage load;
    ProcessorTimes same{500, 2000};
    load.Add(&same);
    EXPECT_EQ(load.Add(&same), 0);
    ProcessorTimes later{500, 3000};  // no idle time at all since then
    EXPECT_EQ(load.Add(&later), 100);
}

TEST(SystemFigures, NetworkSpeedOfTenMegabytesInOneSecond) {
    NetworkSpeed speed;
    // The first reading is the baseline; its figure is thrown away.
    speed.Read(3'000'000'000ull, 50'000);
    std::uint64_t tenMegabytes = 10 * 1048576ull;
    // (sum difference) x 1000 is past 2^32: it must not wrap.
    std::uint64_t perSecond = speed.Read(3'000'000'000ull + tenMegabytes, 51'000);
    EXPECT_EQ(perSecond, tenMegabytes);
    EXPECT_EQ(SizeText(perSecond), "10.00MB");
}

TEST(SystemFigures, NetworkSpeedAcrossTheTickWrapAndOddCases) {
    NetworkSpeed speed;
    speed.Read(1000, 0xFFFFFE0Cu);                   // 500 ms before the tick count wraps
    EXPECT_EQ(speed.Read(1000 + 2000, 500), 2000u);  // 2000 octets in 1000 ms
    EXPECT_EQ(speed.Read(3000 + 10, 500), 0u);       // the same millisecond: no speed
    EXPECT_EQ(speed.Read(100, 1500), 0u);            // fewer octets than before: no speed
    EXPECT_EQ(speed.Read(100 + 300, 1750), 1200u);   // and it goes on from the new sum
}

TEST(SystemFigures, OctetSumLeavesOutTheFirstRow) {
    const std::array<std::uint32_t, 3> rows = {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
    EXPECT_EQ(SumWithoutFirstRow(rows), 2 * 0xFFFFFFFFull);  // no 32-bit overflow
    const std::array<std::uint32_t, 1> onlyLoopBack = {12345};
    EXPECT_EQ(SumWithoutFirstRow(onlyLoopBack), 0u);
    EXPECT_EQ(SumWithoutFirstRow({}), 0u);
}

TEST(SystemFigures, HoverSquareIsTheSixteenPixelsAroundTheIcon) {
    ScreenPoint point = IconPointOfButton({100, 200, 124, 224});
    EXPECT_EQ(point.x, 104);
    EXPECT_EQ(point.y, 206);
    ScreenRect square = HoverSquare(point);
    EXPECT_EQ(square.left, 102);
    EXPECT_EQ(square.top, 202);
    EXPECT_EQ(square.right, 118);
    EXPECT_EQ(square.bottom, 218);

    struct Case {
        ScreenPoint cursor;
        bool inside;
    };
    const Case cases[] = {
        {{102, 202}, true},  {{117, 217}, true},  {{110, 210}, true},  {{101, 210}, false},
        {{118, 210}, false}, {{110, 201}, false}, {{110, 218}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(square.Contains(c.cursor), c.inside) << c.cursor.x << "," << c.cursor.y;
    }
}

TEST(SystemFigures, BalloonDecisions) {
    struct Case {
        bool found;
        bool over;
        bool menuOpen;
        BalloonStep step;
        bool clearMenuOpen;
    };
    const Case cases[] = {
        {false, true, false, BalloonStep::kNothing, false},
        {false, false, true, BalloonStep::kNothing, false},
        {true, false, false, BalloonStep::kHide, true},
        {true, false, true, BalloonStep::kHide, true},  // leaving the icon ends the menu's hold
        {true, true, true, BalloonStep::kHide, false},  // no balloon over the open menu
        {true, true, false, BalloonStep::kShow, false},
    };
    for (const Case& c : cases) {
        BalloonDecision decision = DecideBalloon(c.found, c.over, c.menuOpen);
        EXPECT_EQ(decision.step, c.step) << c.found << c.over << c.menuOpen;
        EXPECT_EQ(decision.clearMenuOpen, c.clearMenuOpen) << c.found << c.over << c.menuOpen;
    }
}

TEST(SystemFigures, BalloonTextFromFixedReadings) {
    LocalTime now;
    now.year = 2008;
    now.month = 8;
    now.day = 8;
    now.hour = 20;
    now.minute = 8;
    now.second = 5;
    now.weekday = 5;
    SystemFigures figures;
    figures.processorPercent = 37;
    figures.totalMemory = 2048 * 1048576ull;
    figures.freeMemory = 1536 * 1048576ull;
    figures.uploadPerSecond = 512;
    figures.downloadPerSecond = 10 * 1048576ull;
    figures.upTimeSeconds = 90061;
    EXPECT_EQ(SystemBalloonText(figures, now),
              "2008年8月8日 星期五 20:08:05\r\n"
              "------------------------------\r\n"
              "CPU使用率:37%\r\n"
              "内存总数 :2.00GB\r\n"
              "空闲内存 :1.50GB\r\n"
              "------------------------------\r\n"
              "网络上传速度 :0.50KB/s\r\n"
              "网络下载速度 :10.00MB/s\r\n"
              "------------------------------\r\n"
              "开机时长 :1d 1小时 1分钟");
}

TEST(SystemFigures, BalloonTextShowsAMissingProcessorAsMinusOne) {
    LocalTime now;
    now.year = 987;
    now.weekday = 0;
    SystemFigures figures;
    figures.processorPercent = -1;
    std::string text = SystemBalloonText(figures, now);
    EXPECT_EQ(text.substr(0, text.find("\r\n")), "0987年1月1日 星期日 00:00:00");
    EXPECT_NE(text.find("\r\nCPU使用率:-1%\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n开机时长 :0分钟"), std::string::npos);
}

TEST(SystemFigures, BalloonTitleRunsNameAndVersionTogether) {
    EXPECT_EQ(SystemBalloonTitle("泽鲁桌面日历", "V4.0"), "泽鲁桌面日历V4.0");
}

// A tray picture: white, with filled rectangles drawn on it.
class TrayPicture {
public:
    TrayPicture(int width, int height) : width_(width), height_(height), pixels_(width * height, 0xFFFFFF) {}
    void Fill(int left, int top, int width, int height, std::uint32_t colour) {
        for (int y = top; y < top + height; ++y) {
            for (int x = left; x < left + width; ++x) {
                pixels_[static_cast<std::size_t>(y * width_ + x)] = colour;
            }
        }
    }
    std::optional<ScreenPoint> Find() const { return FindMarkerIcon(pixels_, width_, height_); }

private:
    int width_;
    int height_;
    std::vector<std::uint32_t> pixels_;
};

TEST(SystemFigures, MarkerFoundMakesTheHoverSquareCoverIt) {
    TrayPicture tray(60, 30);
    tray.Fill(0, 0, 6, 30, 0x202020);    // a dark frame that is not black enough
    tray.Fill(20, 7, 16, 16, 0x030303);  // nearly black counts
    std::optional<ScreenPoint> point = tray.Find();
    ASSERT_TRUE(point.has_value());
    ScreenRect square = HoverSquare(*point);
    EXPECT_EQ(square.left, 20);
    EXPECT_EQ(square.top, 7);
    EXPECT_EQ(square.right, 36);
    EXPECT_EQ(square.bottom, 23);
}

TEST(SystemFigures, MarkerLowestInThePictureWins) {
    TrayPicture tray(60, 40);
    tray.Fill(30, 2, 16, 16, 0);
    tray.Fill(5, 20, 16, 16, 0);
    std::optional<ScreenPoint> point = tray.Find();
    ASSERT_TRUE(point.has_value());
    EXPECT_EQ(HoverSquare(*point).left, 5);
    EXPECT_EQ(HoverSquare(*point).top, 20);
}

TEST(SystemFigures, NoMarkerInPicturesWithoutOne) {
    TrayPicture empty(40, 20);
    EXPECT_FALSE(empty.Find().has_value());

    TrayPicture eightWide(40, 20);
    eightWide.Fill(5, 2, 8, 16, 0);  // one pixel short of a run
    EXPECT_FALSE(eightWide.Find().has_value());

    TrayPicture thinLines(40, 20);
    thinLines.Fill(5, 4, 20, 1, 0);  // no black two rows above or below
    thinLines.Fill(5, 8, 20, 2, 0);
    EXPECT_FALSE(thinLines.Find().has_value());

    TrayPicture bluish(40, 20);
    bluish.Fill(5, 2, 16, 16, 0x000004);  // blue 4 is no longer nearly black
    EXPECT_FALSE(bluish.Find().has_value());

    std::vector<std::uint32_t> shortBuffer(10, 0);
    EXPECT_FALSE(FindMarkerIcon(shortBuffer, 40, 20).has_value());  // fewer pixels than the size says
    EXPECT_FALSE(FindMarkerIcon(shortBuffer, 10, 1).has_value());
}

}  // namespace
