#include "common/temporary_file_name.h"

#include <gtest/gtest.h>

#include <set>

TEST(TemporaryFileName, IsTheTargetWithProcessAndSerial) {
    EXPECT_EQ(TemporaryFileName("Calendar.dat", 1234, 7), "Calendar.dat.tmp-1234-7");
    EXPECT_EQ(TemporaryFileName("Alarmcfg.dat", 4294967295u, 0), "Alarmcfg.dat.tmp-4294967295-0");
    EXPECT_EQ(TemporaryFilePrefix("module.ini"), "module.ini.tmp-");
}

TEST(TemporaryFileName, OwnerIsReadOnlyFromOurNamesForThatTarget) {
    struct Case {
        const char* target;
        const char* file;
        std::optional<std::uint32_t> owner;
    };
    const Case cases[] = {
        {"Calendar.dat", "Calendar.dat.tmp-1234-0", 1234u},
        {"Calendar.dat", "Calendar.dat.tmp-1-4294967295", 1u},
        {"Calendar.dat", "Calendar.dat.tmp-4294967295-12", 4294967295u},
        {"北京.ini", "北京.ini.tmp-8-1", 8u},
        // A target named like a temporary has temporaries of its own.
        {"Calendar.tmp-5-1", "Calendar.tmp-5-1.tmp-6-2", 6u},
        {"Calendar", "Calendar.tmp-5-1.tmp-6-2", std::nullopt},
        // Foreign files, other targets and the target itself.
        {"Calendar.dat", "tmp1234.tmp", std::nullopt},
        {"Calendar.dat", "Calendar.dat", std::nullopt},
        {"Calendar.dat", "Alarmcfg.dat.tmp-1234-0", std::nullopt},
        {"Calendar.dat", "xCalendar.dat.tmp-1234-0", std::nullopt},
        {"Calendar.dat", "calendar.dat.tmp-1234-0", std::nullopt},
        {"Calendar.dat", "Calendar.dat.tmp-AbC123", std::nullopt},
        {"Calendar.dat", "Calendar.dat.tmp-1234-0.bak", std::nullopt},
        // Malformed numbers.
        {"Calendar.dat", "Calendar.dat.tmp-", std::nullopt},
        {"Calendar.dat", "Calendar.dat.tmp-1", std::nullopt},
        {"Calendar.dat", "Calendar.dat.tmp-12-", std::nullopt},
        {"Calendar.dat", "Calendar.dat.tmp--12-1", std::nullopt},
        {"Calendar.dat", "Calendar.dat.tmp-+12-1", std::nullopt},
        {"Calendar.dat", "Calendar.dat.tmp- 12-1", std::nullopt},
        {"Calendar.dat", "Calendar.dat.tmp-12-3x", std::nullopt},
        {"Calendar.dat", "Calendar.dat.tmp-12-1-2", std::nullopt},
        {"Calendar.dat", "Calendar.dat.tmp-012-1", std::nullopt},
        {"Calendar.dat", "Calendar.dat.tmp-12-01", std::nullopt},
        {"Calendar.dat", "Calendar.dat.tmp-0-1", std::nullopt},
        // Numbers no process id can be.
        {"Calendar.dat", "Calendar.dat.tmp-4294967296-1", std::nullopt},
        {"Calendar.dat", "Calendar.dat.tmp-99999999999-1", std::nullopt},
        {"Calendar.dat", "Calendar.dat.tmp-18446744073709551617-1", std::nullopt},
        {"Calendar.dat", "Calendar.dat.tmp-12-4294967296", std::nullopt},
        {"", ".tmp-12-1", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TemporaryFileOwner(c.file, c.target), c.owner) << c.target << " / " << c.file;
    }
}

TEST(TemporaryFileName, OnlyFilesOfEndedWritersOfThatTargetAreAbandoned) {
    const std::uint32_t ownProcess = 100;
    const std::set<std::uint32_t> running = {ownProcess, 200};
    std::set<std::uint32_t> asked;
    const ProcessIsRunning isRunning = [&](std::uint32_t processId) {
        asked.insert(processId);
        return running.count(processId) != 0;
    };
    const std::vector<std::string> folder = {
        "Calendar.dat",           "Calendar.dat.tmp-300-0",    "Calendar.dat.tmp-200-1", "tmp1234.tmp",
        "Calendar.dat.tmp-100-2", "Calendar.dat.tmp-100000-7", "Alarmcfg.dat.tmp-300-0", "Calendar.dat.tmp-1",
        "Calendar.dat.tmp-300-5",
    };
    const std::vector<std::string> expected = {
        "Calendar.dat.tmp-300-0",
        "Calendar.dat.tmp-100000-7",
        "Calendar.dat.tmp-300-5",
    };
    EXPECT_EQ(AbandonedTemporaryFiles(folder, "Calendar.dat", ownProcess, isRunning), expected);
    // Our own files are kept without asking: this process is running, but a
    // wrong answer about it must not cost another thread its file.
    EXPECT_EQ(asked.count(ownProcess), 0u);
}

TEST(TemporaryFileName, NothingIsAbandonedWhenEveryWriterRuns) {
    const ProcessIsRunning allRunning = [](std::uint32_t) { return true; };
    EXPECT_TRUE(
        AbandonedTemporaryFiles({"Calendar.dat.tmp-300-0", "Calendar.dat.tmp-7-7"}, "Calendar.dat", 1, allRunning)
            .empty());
}
