#pragma once

// Shared by the loader's tests in both builds: a fresh folder per test for
// fixture files, and COM for the XML layer on Windows (MSXML needs it).

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "common/path_util.h"

#ifdef _WIN32
#include "common/win32/com.h"
#endif

class LoaderTestFolder : public testing::Test {
protected:
    void SetUp() override {
        const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
        folder_ = (std::filesystem::temp_directory_path() /
                   ("loader_" + std::string(test->test_suite_name()) + "_" + test->name()))
                      .string();
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string PathOf(std::string_view relative) const { return JoinPath(folder_, relative); }

    // Writes `contents` at `relative`, making its folders.
    std::string WriteFile(std::string_view relative, std::string_view contents) const {
        std::string path = PathOf(relative);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary).write(contents.data(), static_cast<std::streamsize>(contents.size()));
        return path;
    }

    std::string folder_;

#ifdef _WIN32
private:
    ComApartment com_;
#endif
};
