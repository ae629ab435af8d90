#include "widget/weather/weather_settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "common/file_io.h"
#include "common/path_util.h"

namespace {

// A fresh folder for each test, removed afterwards.
class WeatherSettingsFile : public testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("weather_settings_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string PathOf(std::string_view name) const { return JoinPath(folder_.string(), name); }

    std::string WriteFile(std::string_view contents) const {
        const std::string path = PathOf("Weathercfg.dat");
        std::ofstream(path, std::ios::binary).write(contents.data(), static_cast<std::streamsize>(contents.size()));
        return path;
    }

    std::filesystem::path folder_;
};

WeatherSettings Settings(std::string cityName,
                         std::int32_t detailShown,
                         std::int32_t largeLayout,
                         std::int32_t autoDetect) {
    WeatherSettings settings;
    settings.cityName = std::move(cityName);
    settings.detailShown = detailShown;
    settings.largeLayout = largeLayout;
    settings.autoDetect = autoDetect;
    return settings;
}

const WeatherSettings kDetected = Settings("北京", 0, 0, 1);

// 北京 and 杭州 in GBK.
const std::string kBeijing = "\xB1\xB1\xBE\xA9";
const std::string kHangzhou = "\xBA\xBC\xD6\xDD";

}  // namespace

TEST(WeatherSettings, DefaultsAreBeijingCollapsedAndSmall) {
    EXPECT_EQ(WeatherSettings{}, Settings(kBeijing, 0, 0, 0));
}

TEST(WeatherSettings, EncodesNameThenTwoIntegers) {
    EXPECT_EQ(EncodeWeatherSettings(WeatherSettings{}), std::string("\x04" + kBeijing + std::string(8, '\0')));
    EXPECT_EQ(EncodeWeatherSettings(Settings(kHangzhou, 1, -2, 1)),
              "\x04" + kHangzhou + std::string("\x01\x00\x00\x00\xFE\xFF\xFF\xFF", 8));  // autoDetect not stored
}

TEST(WeatherSettings, LongNameTakesTheSixteenBitLength) {
    const std::string name(300, 'a');
    const std::string bytes = EncodeWeatherSettings(Settings(name, 0, 1, 0));
    EXPECT_EQ(bytes, std::string("\xFF\x2C\x01", 3) + name + std::string("\x00\x00\x00\x00\x01\x00\x00\x00", 8));
    WeatherSettings read;
    ASSERT_TRUE(ParseWeatherSettings(bytes, read));
    EXPECT_EQ(read, Settings(name, 0, 1, 0));
}

TEST(WeatherSettings, ParseTakesTheLongerLengthFormsAndIgnoresTrailingBytes) {
    const std::string ints("\x01\x00\x00\x00\x01\x00\x00\x00", 8);
    const std::string cases[] = {
        "\x04" + kHangzhou + ints + "trailing",
        std::string("\xFF\x04\x00", 3) + kHangzhou + ints,
        std::string("\xFF\xFF\xFF\x04\x00\x00\x00", 7) + kHangzhou + ints,
    };
    for (const std::string& bytes : cases) {
        WeatherSettings read = Settings("x", 5, 5, 7);
        ASSERT_TRUE(ParseWeatherSettings(bytes, read));
        EXPECT_EQ(read, Settings(kHangzhou, 1, 1, 7));  // autoDetect as it was
    }
}

TEST(WeatherSettings, ParseRefusesShortOrMalformedBytesAndKeepsTheSettings) {
    const std::string cases[] = {
        "",
        "\x04",
        "\x04" + kHangzhou.substr(0, 3),
        "\x04" + kHangzhou + std::string(7, '\0'),
        std::string("\xFF\x04", 2),
        std::string("\xFF\xFE\xFF", 3) + kHangzhou + std::string(8, '\0'),  // announces UTF-16 text
        std::string("\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 7) + kHangzhou + std::string(8, '\0'),
    };
    for (const std::string& bytes : cases) {
        WeatherSettings read = Settings(kHangzhou, 1, 1, 0);
        EXPECT_FALSE(ParseWeatherSettings(bytes, read)) << testing::PrintToString(bytes);
        EXPECT_EQ(read, Settings(kHangzhou, 1, 1, 0));
    }
}

TEST_F(WeatherSettingsFile, SaveWritesTheBytesAndLoadCollapsesTheDetails) {
    const std::string path = PathOf("Weathercfg.dat");
    ASSERT_EQ(ReplaceFileAtomically(path, std::string(100, 'x')), 0);  // a longer old file

    ASSERT_EQ(SaveWeatherSettings(path, Settings(kHangzhou, 1, 1, 1)), 0);

    std::string written;
    ASSERT_TRUE(ReadWholeFile(path, written));
    EXPECT_EQ(written, "\x04" + kHangzhou + std::string("\x01\x00\x00\x00\x01\x00\x00\x00", 8));
    EXPECT_EQ(LoadWeatherSettings(path), Settings(kHangzhou, 0, 1, 0));
}

TEST_F(WeatherSettingsFile, RoundTripKeepsALongName) {
    std::string name;
    for (int i = 0; i < 200; ++i) {
        name += kHangzhou;
    }
    const std::string path = PathOf("Weathercfg.dat");
    ASSERT_EQ(SaveWeatherSettings(path, Settings(name, 0, 1, 0)), 0);
    EXPECT_EQ(LoadWeatherSettings(path), Settings(name, 0, 1, 0));
}

TEST_F(WeatherSettingsFile, MissingOrUnreadableFileGivesTheDefaultsAndDetects) {
    EXPECT_EQ(LoadWeatherSettings(PathOf("Weathercfg.dat")), kDetected);
    EXPECT_EQ(LoadWeatherSettings(folder_.string()), kDetected);  // a folder, not a file
    for (const std::string& bytes : {std::string(), "\x04" + kHangzhou + std::string(4, '\x01'),
                                     std::string("\xFF\xFE\xFF", 3) + std::string(20, '\0')}) {
        EXPECT_EQ(LoadWeatherSettings(WriteFile(bytes)), kDetected) << testing::PrintToString(bytes);
    }
}

TEST_F(WeatherSettingsFile, EmptyStoredNameLoadsAsTheDefaultCity) {
    const std::string path = WriteFile(std::string("\x00\x01\x00\x00\x00\x01\x00\x00\x00", 9));
    EXPECT_EQ(LoadWeatherSettings(path), Settings(kBeijing, 0, 1, 0));
}

TEST_F(WeatherSettingsFile, SaveIntoMissingFolderFails) {
    const std::string path = JoinPath(PathOf("missing"), "Weathercfg.dat");
    EXPECT_NE(SaveWeatherSettings(path, WeatherSettings{}), 0);
    EXPECT_FALSE(std::filesystem::exists(PathOf("missing")));
}
