#pragma once

// A fresh folder for each test of the service, removed afterwards, with a
// helper to put fixture files in it.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

class SiteTestFolder : public testing::Test {
protected:
    void SetUp() override {
        const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
        std::string name = "site_" + std::string(test->test_suite_name()) + "_" + test->name();
        std::replace(name.begin(), name.end(), '/', '_');  // parameterised tests' names hold slashes
        folder_ = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string PathOf(std::string_view name) const { return (folder_ / name).string(); }

    // Makes the folders on the way.
    std::string WriteFile(std::string_view name, std::string_view contents) const {
        const std::filesystem::path path = folder_ / name;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary).write(contents.data(), static_cast<std::streamsize>(contents.size()));
        return path.string();
    }

    std::filesystem::path folder_;
};
