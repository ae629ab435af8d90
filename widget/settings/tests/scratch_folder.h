#pragma once

// A fresh folder for each test, removed afterwards, and helpers for the
// files in it.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "common/file_io.h"
#include "common/path_util.h"

class ScratchFolder : public testing::Test {
protected:
    void SetUp() override {
        const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
        folder_ = std::filesystem::temp_directory_path() /
                  ("settings_" + std::string(test->test_suite_name()) + "_" + test->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string PathOf(std::string_view name) const { return JoinPath(folder_.string(), name); }

    std::string WriteFile(std::string_view name, std::string_view contents) const {
        const std::string path = PathOf(name);
        std::ofstream(path, std::ios::binary).write(contents.data(), static_cast<std::streamsize>(contents.size()));
        return path;
    }

    // The file's bytes, or "<missing>".
    static std::string Contents(const std::string& path) {
        std::string contents;
        return ReadWholeFile(path, contents) ? contents : std::string("<missing>");
    }

    std::filesystem::path folder_;
};
