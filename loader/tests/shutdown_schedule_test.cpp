// The scheduled shutdown's setting in Data\module.ini, the dialog's range
// messages and the two-second check's decision.

#include "loader/shutdown_schedule.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "loader/tests/loader_test_support.h"

namespace {

LocalTime At(int year, int month, int day, int hour, int minute, int second) {
    LocalTime time;
    time.year = year;
    time.month = month;
    time.day = day;
    time.hour = hour;
    time.minute = minute;
    time.second = second;
    return time;
}

TEST(ShutdownDue, OnlyInTheScheduledMinuteWhileOn) {
    const ShutdownSchedule lateEvening{23, 59, true};
    struct Case {
        ShutdownSchedule schedule;
        LocalTime now;
        bool due;
    } const cases[] = {
        {lateEvening, At(2026, 12, 10, 23, 59, 0), true},      {lateEvening, At(2026, 12, 10, 23, 59, 59), true},
        {lateEvening, At(2026, 12, 10, 23, 58, 59), false},    {lateEvening, At(2026, 12, 11, 0, 0, 0), false},
        {lateEvening, At(2026, 12, 10, 22, 59, 0), false},  // the minute alone is not enough
        {{23, 59, false}, At(2026, 12, 10, 23, 59, 0), false}, {{0, 0, true}, At(2026, 12, 11, 0, 0, 30), true},
        {{0, 0, false}, At(2026, 12, 11, 0, 0, 30), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShutdownDue(c.schedule, c.now), c.due)
            << c.schedule.hour << ":" << c.schedule.minute << " on " << c.schedule.on << " at " << c.now.hour << ":"
            << c.now.minute << ":" << c.now.second;
    }
}

// Whatever second of 23:59 the check fires in, the check that follows the
// pause finds 0:00 of the next day, and the countdown comes again only the
// day after at 23:59.
TEST(ShutdownDue, ThePauseAfterACountdownLeavesTheMinute) {
    const ShutdownSchedule schedule{23, 59, true};
    for (int second = 0; second < 60; ++second) {
        const Moment fired = FromLocalTime(At(2026, 12, 31, 23, 59, second));
        ASSERT_TRUE(ShutdownDue(schedule, ToLocalTime(fired)));
        const Moment resumed = fired + static_cast<Moment>(kShutdownPauseMs / 1000);
        EXPECT_FALSE(ShutdownDue(schedule, ToLocalTime(resumed))) << "fired at second " << second;
    }
    EXPECT_TRUE(ShutdownDue(schedule, ToLocalTime(FromLocalTime(At(2027, 1, 1, 23, 59, 1)))));
}

TEST(ShutdownEntryProblem, MinuteIsCheckedFirstAndTheMessagesNameWhatIsAccepted) {
    struct Case {
        int hour;
        int minute;
        std::optional<std::string_view> problem;
    } const cases[] = {
        {0, 0, std::nullopt},
        {23, 59, std::nullopt},
        {30, 75, "请输入一个0和59之间的数字！"},
        {12, 60, "请输入一个0和59之间的数字！"},
        {12, -1, "请输入一个0和59之间的数字！"},
        {24, 0, "请输入一个0和23之间的数字！"},
        {-1, 59, "请输入一个0和23之间的数字！"},
        {INT_MAX, INT_MIN, "请输入一个0和59之间的数字！"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShutdownEntryProblem(c.hour, c.minute), c.problem) << c.hour << ":" << c.minute;
    }
}

TEST(ReadSettingNumber, ReadsLikeAtolAndHoldsHugeNumbersAtTheEnds) {
    struct Case {
        std::string_view text;
        int value;
    } const cases[] = {
        {"", 0},
        {"abc", 0},
        {"-", 0},
        {"23", 23},
        {"007", 7},
        {" \t5", 5},
        {"7x9", 7},
        {"+8", 8},
        {"-3", -3},
        {"5 9", 5},
        {"2147483647", INT_MAX},
        {"99999999999999999999", INT_MAX},  // not 23 or any other wrapped value
        {"-2147483648", INT_MIN},
        {"-99999999999999999999", INT_MIN},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadSettingNumber(c.text), c.value) << "\"" << c.text << "\"";
    }
}

class ShutdownSettingsFile : public LoaderTestFolder {
protected:
    std::string Read(const std::string& path) const {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }
};

TEST_F(ShutdownSettingsFile, AMissingFileIsMadeEmptyAndReadsAsOffAtMidnight) {
    const std::string path = PathOf("module.ini");
    EXPECT_EQ(ReadShutdownSchedule(path), (ShutdownSchedule{0, 0, false}));
    EXPECT_TRUE(std::filesystem::exists(path));
}

TEST_F(ShutdownSettingsFile, MissingAndGarbledValuesReadAsZero) {
    struct Case {
        std::string_view contents;
        ShutdownSchedule schedule;
    } const cases[] = {
        {"[windowsexit]\r\nhour=22\r\nminute=30\r\nstart=1\r\n", {22, 30, true}},
        {"[windowsexit]\r\nstart=1\r\n", {0, 0, true}},
        {"[windowsexit]\r\nhour=\r\nminute=abc\r\nstart=yes\r\n", {0, 0, false}},
        {"[windowsexit]\r\nhour=7pm\r\nminute= 5\r\nstart=2\r\n", {7, 5, true}},
        {"[windowsexit]\r\nhour=99999999999\r\nminute=-4\r\nstart=0\r\n", {INT_MAX, -4, false}},
        {"[other]\r\nhour=22\r\nstart=1\r\n", {0, 0, false}},
    };
    for (const Case& c : cases) {
        const std::string path = WriteFile("module.ini", c.contents);
        EXPECT_EQ(ReadShutdownSchedule(path), c.schedule) << c.contents;
    }
}

TEST_F(ShutdownSettingsFile, MidnightIsWrittenAsZerosAndTheOtherSettingsStay) {
    const std::string path = WriteFile("module.ini",
                                       "[calendar.dll]\r\nload=1\r\n"
                                       "[windowsexit]\r\nhour=23\r\n");
    ASSERT_TRUE(WriteShutdownSchedule(path, {0, 0, false}));
    const std::string text = Read(path);
    EXPECT_NE(text.find("[calendar.dll]\r\nload=1\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("hour=0\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("minute=0\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("start=0\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("hour=23"), std::string::npos) << text;
    EXPECT_EQ(ReadShutdownSchedule(path), (ShutdownSchedule{0, 0, false}));

    ASSERT_TRUE(WriteShutdownSchedule(path, {23, 59, true}));
    EXPECT_EQ(ReadShutdownSchedule(path), (ShutdownSchedule{23, 59, true}));
    EXPECT_NE(Read(path).find("start=1\r\n"), std::string::npos);
}

// The reader keeps what it read until the file's stamp changes; a file
// rewritten behind its back with the old stamp put back shows whether it
// read again.
TEST_F(ShutdownSettingsFile, TheReaderReadsAgainOnlyWhenTheFileMayHaveChanged) {
    const std::string path = PathOf("module.ini");
    const auto writeAt = [&](std::string_view contents, Moment written) {
        WriteFile("module.ini", contents);
        const std::chrono::sys_seconds time{std::chrono::seconds(written)};
        std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::from_sys(time));
    };
    constexpr Moment kWritten = 1797000000;
    writeAt("[windowsexit]\r\nhour=22\r\nminute=30\r\nstart=1\r\n", kWritten);
    ShutdownScheduleReader reader(path);
    EXPECT_EQ(reader.Read(kWritten + 10), (ShutdownSchedule{22, 30, true}));

    struct Step {
        const char* what;
        std::string_view contents;
        Moment written;
        Moment readAt;
        ShutdownSchedule schedule;
    } const steps[] = {
        {"same stamp: kept", "[windowsexit]\r\nhour=23\r\nminute=30\r\nstart=1\r\n", kWritten, kWritten + 12,
         {22, 30, true}},
        {"new write time", "[windowsexit]\r\nhour=23\r\nminute=30\r\nstart=1\r\n", kWritten + 13,
         kWritten + 14, {23, 30, true}},
        {"new size", "[windowsexit]\r\nhour=23\r\nminute=30\r\nstart=0 \r\n", kWritten + 13, kWritten + 16,
         {23, 30, false}},
        {"written in the second of the last read", "[windowsexit]\r\nhour=21\r\nminute=30\r\nstart=0 \r\n",
         kWritten + 18, kWritten + 18, {21, 30, false}},
        {"so that second is read again", "[windowsexit]\r\nhour=20\r\nminute=30\r\nstart=0 \r\n",
         kWritten + 18, kWritten + 20, {20, 30, false}},
        {"then kept", "[windowsexit]\r\nhour=19\r\nminute=30\r\nstart=0 \r\n", kWritten + 18, kWritten + 22,
         {20, 30, false}},
    };
    for (const Step& step : steps) {
        writeAt(step.contents, step.written);
        EXPECT_EQ(reader.Read(step.readAt), step.schedule) << step.what;
    }
}

TEST_F(ShutdownSettingsFile, TheReaderOfAFileThatCannotBeMadeReadsNothing) {
    ShutdownScheduleReader reader((std::filesystem::path(folder_) / "no such folder" / "module.ini").string());
    EXPECT_EQ(reader.Read(1797000000), std::nullopt);
    EXPECT_EQ(reader.Read(1797000002), std::nullopt);
}

TEST_F(ShutdownSettingsFile, AFileThatCannotBeMadeReadsAsNothingAndTakesNoWrite) {
    const std::string path = (std::filesystem::path(folder_) / "no such folder" / "module.ini").string();
    EXPECT_EQ(ReadShutdownSchedule(path), std::nullopt);
    EXPECT_FALSE(WriteShutdownSchedule(path, {1, 2, true}));
}

}  // namespace
