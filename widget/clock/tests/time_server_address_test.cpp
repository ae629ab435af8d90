#include "widget/clock/time_server_address.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/path_util.h"

namespace {

struct ParseCase {
    const char* text;
    std::optional<TimeServerAddress> expected;
};

TEST(TimeServerAddress, ParsesHostAndPort) {
    const ParseCase cases[] = {
        {"time.example.org", TimeServerAddress{"time.example.org", 37}},
        {"127.0.0.1:8037", TimeServerAddress{"127.0.0.1", 8037}},
        {"  time_1.example-2.org:1\t", TimeServerAddress{"time_1.example-2.org", 1}},
        {"host:65535", TimeServerAddress{"host", 65535}},
        {"host:00037", TimeServerAddress{"host", 37}},
        {"[::1]", TimeServerAddress{"::1", 37}},
        {"[fe80::1:2]:123", TimeServerAddress{"fe80::1:2", 123}},
        {"host:0", std::nullopt},
        {"host:65536", std::nullopt},
        {"host:99999999999999999999", std::nullopt},
        {"host:", std::nullopt},
        {"host:-1", std::nullopt},
        {"host:+37", std::nullopt},
        {"host:3 7", std::nullopt},
        {"host:37:38", std::nullopt},
        {":37", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"two words", std::nullopt},
        {"http://host", std::nullopt},
        {"user@host", std::nullopt},
        {"\xCA\xB1\xBC\xE4.cn", std::nullopt},  // GBK letters
        {"::1", std::nullopt},                  // an IPv6 address needs its brackets
        {"[::1", std::nullopt},
        {"[]:37", std::nullopt},
        {"[::1]37", std::nullopt},
        {"[::1]:0", std::nullopt},
        {"[host.name]", std::nullopt},
    };
    for (const ParseCase& c : cases) {
        EXPECT_EQ(ParseTimeServerAddress(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(TimeServerAddress, HostLengthIsBounded) {
    EXPECT_TRUE(ParseTimeServerAddress(std::string(kMaxTimeServerHostLength, 'a') + ":37"));
    EXPECT_FALSE(ParseTimeServerAddress(std::string(kMaxTimeServerHostLength + 1, 'a')));
    EXPECT_FALSE(ParseTimeServerAddress("[" + std::string(kMaxTimeServerHostLength + 1, '1') + "]"));
}

// A settings file in a folder of its own.
class TimeServerSettings : public testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("clock_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        path_ = JoinPath(folder_.string(), "network.ini");
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    void Write(const std::string& contents) const { std::ofstream(path_, std::ios::binary) << contents; }

    std::filesystem::path folder_;
    std::string path_;
};

TEST_F(TimeServerSettings, ReadsTheTimeServerOfTheHostsSection) {
    Write("[hosts]\r\nsite=www.example.com\r\ntimeserver = 127.0.0.1:3037\r\n");
    EXPECT_EQ(ReadTimeServerAddress(path_), (TimeServerAddress{"127.0.0.1", 3037}));
}

TEST_F(TimeServerSettings, WithoutAUsableValueTheDefaultServer) {
    const TimeServerAddress fallback{"time.nist.gov", 37};
    const char* files[] = {
        "",
        "[hosts]\r\nsite=www.example.com\r\n",
        "[hosts]\r\ntimeserver=\r\n",
        "[hosts]\r\ntimeserver=host:70000\r\n",
        "[other]\r\ntimeserver=127.0.0.1:3037\r\n",
    };
    for (const char* contents : files) {
        Write(contents);
        EXPECT_EQ(ReadTimeServerAddress(path_), fallback) << contents;
    }
}

TEST_F(TimeServerSettings, AMissingFileGivesTheDefaultAndIsNotCreated) {
    EXPECT_EQ(ReadTimeServerAddress(path_), TimeServerAddress{});
    EXPECT_FALSE(std::filesystem::exists(path_));
}

}  // namespace
