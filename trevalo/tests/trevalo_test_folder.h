#pragma once

// Shared by Trevalo's tests in both builds: a fresh folder per test for
// fixture files, and COM for the XML layer on Windows (MSXML needs it).

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "common/file_io.h"
#include "common/path_util.h"

#ifdef _WIN32
#include "common/win32/com.h"
#endif

class TrevaloTestFolder : public testing::Test {
protected:
    void SetUp() override {
        const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(test->test_suite_name()) + "_" + test->name();
        // Parameterised tests are named "Suite/Case/0": one folder level.
        std::replace(name.begin(), name.end(), '/', '_');
        folder_ = (std::filesystem::temp_directory_path() / ("trevalo_" + name)).string();
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    // `relative` may hold GBK bytes: the path is narrow text, as the
    // product's are.
    std::string PathOf(std::string_view relative) const { return JoinPath(folder_, relative); }

    // Writes `contents` at `relative` (its folder must exist).
    std::string WriteFile(std::string_view relative, std::string_view contents) const {
        std::string path = PathOf(relative);
        std::ofstream(path, std::ios::binary).write(contents.data(), static_cast<std::streamsize>(contents.size()));
        return path;
    }

    std::string MakeFolder(std::string_view relative) const {
        std::string path = PathOf(relative);
        std::filesystem::create_directories(path);
        return path;
    }

    // The file's bytes, or "<missing>".
    static std::string Contents(const std::string& path) {
        std::string contents;
        return ReadWholeFile(path, contents) ? contents : std::string("<missing>");
    }

    std::string folder_;

private:
#ifdef _WIN32
    ComApartment com_;
#endif
};
