#include "common/file_io.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/path_util.h"

#ifdef _WIN32
#include <windows.h>

#include <thread>
#endif

namespace {

// A fresh folder of its own for each test, removed afterwards.
class FileIoTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("file_io_test_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string PathOf(const char* name) const { return JoinPath(folder_.string(), name); }

    std::size_t FilesInFolder() const {
        std::size_t count = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder_)) {
            ++count;
        }
        return count;
    }

    std::filesystem::path folder_;
};

}  // namespace

TEST_F(FileIoTest, ReplaceCreatesAndReplacesWithExactBytes) {
    const std::string path = PathOf("Calendar.dat");
    const std::string first("\x01\x00\r\n\xFF binary", 12);
    ASSERT_EQ(ReplaceFileAtomically(path, first), 0);
    std::string read;
    ASSERT_TRUE(ReadWholeFile(path, read));
    EXPECT_EQ(read, first);

    ASSERT_EQ(ReplaceFileAtomically(path, "shorter"), 0);
    ASSERT_TRUE(ReadWholeFile(path, read));
    EXPECT_EQ(read, "shorter");
    ASSERT_EQ(ReplaceFileAtomically(path, ""), 0);
    ASSERT_TRUE(ReadWholeFile(path, read));
    EXPECT_EQ(read, "");
    // No temporary file is left behind.
    EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(FileIoTest, FailedReplaceKeepsTheOldFileAndReportsTheError) {
    const std::string path = PathOf("missing_folder/Alarmcfg.dat");
    EXPECT_NE(ReplaceFileAtomically(path, "data"), 0);
    EXPECT_EQ(FilesInFolder(), 0u);

    // A folder in the way of the file: the replace fails, the folder stays.
    const std::string blocked = PathOf("blocked");
    std::filesystem::create_directories(blocked);
    std::ofstream(JoinPath(blocked, "inside")) << "kept";
    EXPECT_NE(ReplaceFileAtomically(blocked, "data"), 0);
    std::string read;
    ASSERT_TRUE(ReadWholeFile(JoinPath(blocked, "inside"), read));
    EXPECT_EQ(read, "kept");
    EXPECT_EQ(FilesInFolder(), 1u);
}

#ifdef _WIN32
// Opens the file for reading as most programs do, sharing reading and
// writing but not deleting, which keeps a replace from taking its place.
HANDLE OpenWithoutDeleteSharing(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

TEST_F(FileIoTest, ReplaceWaitsForAReaderThatSoonLetsGo) {
    const std::string path = PathOf("Calendar.dat");
    ASSERT_EQ(ReplaceFileAtomically(path, "old"), 0);
    HANDLE reader = OpenWithoutDeleteSharing(path);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    std::thread release([reader] {
        Sleep(300);
        CloseHandle(reader);
    });
    const int result = ReplaceFileAtomically(path, "new");
    release.join();
    EXPECT_EQ(result, 0);
    std::string read;
    ASSERT_TRUE(ReadWholeFile(path, read));
    EXPECT_EQ(read, "new");
    EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(FileIoTest, ReplaceGivesUpOnAReaderThatHoldsOnAndKeepsTheOldFile) {
    const std::string path = PathOf("Calendar.dat");
    ASSERT_EQ(ReplaceFileAtomically(path, "old"), 0);
    HANDLE reader = OpenWithoutDeleteSharing(path);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    const int result = ReplaceFileAtomically(path, "new");
    CloseHandle(reader);
    EXPECT_NE(result, 0);
    std::string read;
    ASSERT_TRUE(ReadWholeFile(path, read));
    EXPECT_EQ(read, "old");
    EXPECT_EQ(FilesInFolder(), 1u);
}
#endif

TEST_F(FileIoTest, ReadOfAMissingFileFails) {
    std::string read = "stale";
    EXPECT_FALSE(ReadWholeFile(PathOf("none.ini"), read));
    EXPECT_EQ(read, "");
}

TEST_F(FileIoTest, ReadOfAFolderFails) {
    std::string read = "stale";
    EXPECT_FALSE(ReadWholeFile(folder_.string(), read));
    EXPECT_EQ(read, "");
}

TEST_F(FileIoTest, WriteTimeIsTheFilesModificationTime) {
    const std::string path = PathOf("54511_24.xml");
    ASSERT_EQ(ReplaceFileAtomically(path, "<weather/>"), 0);
    // 2008-08-05 06:30:00 in China time, whole seconds as both builds keep them.
    const std::chrono::sys_seconds written{std::chrono::seconds(1217889000)};
    std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::from_sys(written));
    EXPECT_EQ(FileWriteTime(path), std::optional<Moment>(1217889000));
}

TEST_F(FileIoTest, WriteTimeOfAMissingFileIsUnknown) {
    EXPECT_EQ(FileWriteTime(PathOf("none.xml")), std::nullopt);
}
