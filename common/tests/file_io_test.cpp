#include "common/file_io.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "common/path_util.h"
#include "common/temporary_file_name.h"

#ifdef _WIN32
#include <windows.h>

#include "common/win32/handles.h"
#else
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
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

    bool Exists(const std::string& name) const { return std::filesystem::exists(folder_ / name); }

    void Create(const std::string& name) const { std::ofstream(folder_ / name, std::ios::binary) << name; }

    std::filesystem::path folder_;
};

std::uint32_t OwnProcessId() {
#ifdef _WIN32
    return GetCurrentProcessId();
#else
    return static_cast<std::uint32_t>(::getpid());
#endif
}

// A process that does nothing until it is ended: a process id that is
// running, and after End one that is not (and, held or reaped here, is not
// handed to another process while the test runs).
class IdleProcess {
public:
    IdleProcess() {
#ifdef _WIN32
        char program[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, program, MAX_PATH);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        if (CreateProcessA(program, nullptr, nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &startup,
                           &started)) {
            CloseHandle(started.hThread);
            process_.reset(started.hProcess);
            id_ = started.dwProcessId;
        }
#else
        const pid_t child = ::fork();
        if (child == 0) {
            for (;;) {
                ::pause();
            }
        }
        id_ = child > 0 ? static_cast<std::uint32_t>(child) : 0;
#endif
    }
    ~IdleProcess() {
        End();
    }
    IdleProcess(const IdleProcess&) = delete;
    IdleProcess& operator=(const IdleProcess&) = delete;

    std::uint32_t id() const {
        return id_;
    }

    void End() {
        if (id_ == 0 || ended_) {
            return;
        }
        ended_ = true;
#ifdef _WIN32
        TerminateProcess(process_.get(), 0);
        WaitForSingleObject(process_.get(), INFINITE);
#else
        ::kill(static_cast<pid_t>(id_), SIGKILL);
        ::waitpid(static_cast<pid_t>(id_), nullptr, 0);
#endif
    }

private:
#ifdef _WIN32
    UniqueHandle process_;
#endif
    std::uint32_t id_ = 0;
    bool ended_ = false;
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

TEST_F(FileIoTest, SaveRemovesOnlyLeftOversOfEndedWritersOfThatFile) {
    IdleProcess running;
    IdleProcess ended;
    ASSERT_NE(running.id(), 0u);
    ASSERT_NE(ended.id(), 0u);
    ended.End();
    const std::string leftOver = TemporaryFileName("Calendar.dat", ended.id(), 3);
    const std::string kept[] = {
        TemporaryFileName("Calendar.dat", running.id(), 4),
        // Another thread of this process may be writing it.
        TemporaryFileName("Calendar.dat", OwnProcessId(), 999999),
        TemporaryFileName("Alarmcfg.dat", ended.id(), 3),
        "tmp1234.tmp",
        "Calendar.dat.tmp-1",
        "Calendar.dat.tmp-99999999999-1",
    };
    Create(leftOver);
    for (const std::string& name : kept) {
        Create(name);
    }

    ASSERT_EQ(ReplaceFileAtomically(PathOf("Calendar.dat"), "saved"), 0);
    EXPECT_FALSE(Exists(leftOver));
    for (const std::string& name : kept) {
        EXPECT_TRUE(Exists(name)) << name;
    }
    EXPECT_EQ(FilesInFolder(), 1u + std::size(kept));
}

TEST_F(FileIoTest, ThreadsSavingOneFileAtOnceAllSucceed) {
    const std::string path = PathOf("module.ini");
    // Larger than one read or write chunk.
    const std::string versions[] = {std::string(150000, 'a'), std::string(100000, 'b')};
    std::atomic<int> failures{0};
    auto saveRepeatedly = [&](const std::string& contents) {
        for (int round = 0; round < 40; ++round) {
            if (ReplaceFileAtomically(path, contents) != 0) {
                ++failures;
            }
        }
    };
    std::thread first(saveRepeatedly, versions[0]);
    std::thread second(saveRepeatedly, versions[1]);
    first.join();
    second.join();
    EXPECT_EQ(failures.load(), 0);
    std::string read;
    ASSERT_TRUE(ReadWholeFile(path, read));
    EXPECT_TRUE(read == versions[0] || read == versions[1]) << read.size() << " bytes";
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
    const ULONGLONG start = GetTickCount64();
    const int result = ReplaceFileAtomically(path, "new");
    const ULONGLONG elapsed = GetTickCount64() - start;
    CloseHandle(reader);
    EXPECT_NE(result, 0);
    // It waited about a second, and gave up long before a 5 s reader let go.
    EXPECT_GE(elapsed, 900u);
    EXPECT_LT(elapsed, 3000u);
    std::string read;
    ASSERT_TRUE(ReadWholeFile(path, read));
    EXPECT_EQ(read, "old");
    EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(FileIoTest, ReadSharesTheFileWithOneWhoMayDeleteIt) {
    const std::string path = PathOf("Calendar.dat");
    ASSERT_EQ(ReplaceFileAtomically(path, "old"), 0);
    // As a program that is about to rename or delete the file holds it.
    const UniqueFile holder(CreateFileA(path.c_str(), GENERIC_READ | DELETE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder);
    std::string read;
    EXPECT_TRUE(ReadWholeFile(path, read));
    EXPECT_EQ(read, "old");
}

// Wine (like Windows without POSIX rename semantics) refuses to replace a
// file that is open at all, so a save meets each read; the reads are short
// and the save's wait rides them out.
TEST_F(FileIoTest, SavesSucceedWhileOurOwnReaderKeepsReadingTheFile) {
    const std::string path = PathOf("Calendar.dat");
    const std::string versions[] = {std::string(300000, 'a'), std::string(200000, 'b')};
    ASSERT_EQ(ReplaceFileAtomically(path, versions[0]), 0);
    std::atomic<bool> stop{false};
    std::atomic<int> reads{0};
    std::atomic<int> torn{0};
    std::thread reader([&] {
        std::string read;
        while (!stop) {
            if (ReadWholeFile(path, read)) {
                ++reads;
                torn += read != versions[0] && read != versions[1];
            }
            Sleep(5);
        }
    });
    int failures = 0;
    for (int round = 0; round < 100; ++round) {
        failures += ReplaceFileAtomically(path, versions[round % 2]) != 0;
    }
    stop = true;
    reader.join();
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(torn.load(), 0);
    EXPECT_GT(reads.load(), 0);
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
    EXPECT_EQ(ReadFileStamp(PathOf("none.xml")), std::nullopt);
}

TEST_F(FileIoTest, StampIsTheWriteTimeAndTheSize) {
    const std::string path = PathOf("module.ini");
    ASSERT_EQ(ReplaceFileAtomically(path, "[windowsexit]\r\nstart=1\r\n"), 0);
    const std::chrono::sys_seconds written{std::chrono::seconds(1217889000)};
    std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::from_sys(written));
    EXPECT_EQ(ReadFileStamp(path), (FileStamp{1217889000, 24}));
}
