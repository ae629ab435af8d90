// Calendar.dat saved over and over by other processes: one killed at random
// moments as a log-off or a power cut would, two saving at once as two
// instances of the widget may. Each save goes through ReplaceFileAtomically,
// as CReminderStore::SaveReminders does.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "common/path_util.h"
#include "common/temporary_file_name.h"
#include "common/win32/handles.h"
#include "common/win32/module_path.h"
#include "testkit/win32/program_launcher.h"
#include "testkit/win32/stopwatch.h"
#include "widget/reminders/reminder_file.h"

namespace {

constexpr int kReminderCount = 1000;
constexpr DWORD kExitWaitMs = 60000;

// Files in the folder that are neither ours nor temporaries of Calendar.dat,
// and must outlive every clean-up.
const char* const kForeignFiles[] = {"tmp1234.tmp", "Alarmcfg.dat.tmp-1-1", "Calendar.dat.tmp-1"};

class InterruptedSaveTest : public testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        folder_ = JoinPath(temp, "interrupted_save." + std::to_string(GetCurrentProcessId()) + "." +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        for (const char* name : kForeignFiles) {
            ASSERT_EQ(ReplaceFileAtomically(JoinPath(folder_, name), name), 0);
        }
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string CalendarPath() const { return JoinPath(folder_, "Calendar.dat"); }

    // The writer saving a Calendar.dat of kReminderCount reminders `rounds`
    // times (0: until it is killed).
    UniqueHandle StartWriter(int rounds) const {
        const std::string arguments =
            "\"" + CalendarPath() + "\" " + std::to_string(kReminderCount) + " " + std::to_string(rounds);
        return testkit::StartProgram(JoinPath(ModuleFolder(nullptr), "reminder_file_writer.exe"), arguments, folder_);
    }

    // Temporary files of Calendar.dat in the folder, whoever made them.
    int TemporariesLeft() const {
        int count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
            count += TemporaryFileOwner(entry.path().filename().string(), "Calendar.dat").has_value();
        }
        return count;
    }

    // True when Calendar.dat reads back as every record it was saved with.
    bool LoadsWhole(std::string& bytes) const {
        std::vector<ReminderItem> records;
        return ReadWholeFile(CalendarPath(), bytes) && ParseReminderFile(bytes, records) &&
               records.size() == static_cast<std::size_t>(kReminderCount);
    }

    void ExpectForeignFilesKept() const {
        for (const char* name : kForeignFiles) {
            std::string contents;
            EXPECT_TRUE(ReadWholeFile(JoinPath(folder_, name), contents) && contents == name) << name;
        }
    }

    std::string folder_;
};

DWORD ExitCodeAfterExit(HANDLE process) {
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process, kExitWaitMs) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process, &code);
    }
    return code;
}

}  // namespace

TEST_F(InterruptedSaveTest, KilledWriterLeavesAWholeFileAndNoTemporaryAfterTheNextSave) {
    // One save from start to end, to know how long a writer takes to start
    // and save once; the kills fall anywhere in up to three times that.
    testkit::Stopwatch firstRun;
    const UniqueHandle first = StartWriter(1);
    ASSERT_TRUE(first);
    ASSERT_EQ(ExitCodeAfterExit(first.get()), 0u);
    const long long onceMs = firstRun.Milliseconds();

    constexpr int kKills = 100;
    std::mt19937 random(20261211);
    std::uniform_int_distribution<long long> moment(0, 3 * onceMs);
    int loadedWhole = 0;
    int caughtWriting = 0;
    int leftAfterNextSave = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        // The handle is held until the next save is done, so the killed
        // writer's id is not handed to a new process meanwhile.
        const UniqueHandle writer = StartWriter(0);
        ASSERT_TRUE(writer);
        Sleep(static_cast<DWORD>(moment(random)));
        ASSERT_TRUE(TerminateProcess(writer.get(), 9));
        ASSERT_EQ(WaitForSingleObject(writer.get(), kExitWaitMs), WAIT_OBJECT_0);

        std::string bytes;
        const bool whole = LoadsWhole(bytes);
        EXPECT_TRUE(whole) << "after kill " << kill + 1;
        loadedWhole += whole;
        caughtWriting += TemporariesLeft();
        ASSERT_EQ(ReplaceFileAtomically(CalendarPath(), bytes), 0);
        leftAfterNextSave += TemporariesLeft();
    }
    std::printf(
        "%d kills within %lld ms of a start (one save: %lld ms): %d loaded whole, %d left a temporary, "
        "%d temporaries left after the next save\n",
        kKills, 3 * onceMs, onceMs, loadedWhole, caughtWriting, leftAfterNextSave);
    EXPECT_EQ(loadedWhole, kKills);
    EXPECT_EQ(leftAfterNextSave, 0);
    ExpectForeignFilesKept();
}

TEST_F(InterruptedSaveTest, TwoWritersSavingAtOnceNeverRemoveEachOthersFiles) {
    constexpr int kRounds = 150;
    const UniqueHandle one = StartWriter(kRounds);
    const UniqueHandle other = StartWriter(kRounds);
    ASSERT_TRUE(one);
    ASSERT_TRUE(other);
    EXPECT_EQ(ExitCodeAfterExit(one.get()), 0u);
    EXPECT_EQ(ExitCodeAfterExit(other.get()), 0u);
    std::string bytes;
    EXPECT_TRUE(LoadsWhole(bytes));
    EXPECT_EQ(TemporariesLeft(), 0);
    ExpectForeignFilesKept();
}
