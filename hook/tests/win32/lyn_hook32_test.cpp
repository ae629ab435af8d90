// LynHook32 across two processes: a helper program plays the side program
// and registers its window; this process plays the loader.
#include "hook/win32/lyn_hook32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

#include "common/file_io.h"
#include "common/path_util.h"
#include "common/win32/handles.h"
#include "common/win32/module_path.h"
#include "hook/hook_registry.h"

namespace {

// Every wait of these tests ends within this time.
constexpr DWORD kWaitMs = 15000;

struct ModeCase {
    const char* helperMode;
    int (*activate)();
    int (*activateOther)();
};

void PrintTo(const ModeCase& c, std::ostream* out) {
    *out << c.helperMode;
}

const ModeCase kNavigation = {"navigation", ActiveTrevaloWnd, ActiveMsnviewWnd};
const ModeCase kHistory = {"history", ActiveMsnviewWnd, ActiveTrevaloWnd};

// What the library keeps, read through a mapping of this test's own.
class SharedBlockPeek {
public:
    SharedBlockPeek()
        : mapping_(OpenFileMappingA(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, kHookSharedBlockName)),
          view_(mapping_ ? MapViewOfFile(mapping_.get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, 0) : nullptr) {}

    bool ok() const { return static_cast<bool>(view_); }
    HookRegistry Registry() const { return HookRegistry(*static_cast<HookSharedBlock*>(view_.get())); }

private:
    UniqueHandle mapping_;
    UniqueMappedView view_;
};

class LynHook32Test : public testing::Test {
protected:
    void SetUp() override {
        SetHookTrevaloWnd(nullptr);
        SetHookMsnviewWnd(nullptr);
        SetHistoryVisible(false);
        char temp[MAX_PATH];
        ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
        logPath_ = std::string(temp) + "lyn_hook32_tests." + std::to_string(GetCurrentProcessId()) + ".log";
        DeleteFileA(logPath_.c_str());
    }

    void TearDown() override {
        if (helper_) {
            TerminateProcess(helper_.get(), 1);
            WaitForSingleObject(helper_.get(), kWaitMs);
        }
        DeleteFileA(logPath_.c_str());
    }

    // Starts the helper window in `mode` and waits until it has registered.
    // Each helper gets events of its own: a name still open would give the
    // next helper the old, already set event.
    void StartHelper(const char* mode, const char* option = "") {
        const std::string prefix = "Local\\lyn_hook32_tests." + std::to_string(GetCurrentProcessId()) + "." +
                                   std::to_string(++helpersStarted_);
        const std::string readyName = prefix + ".ready";
        const std::string quitName = prefix + ".quit";
        ready_.reset(CreateEventA(nullptr, TRUE, FALSE, readyName.c_str()));
        quit_.reset(CreateEventA(nullptr, TRUE, FALSE, quitName.c_str()));
        ASSERT_TRUE(ready_ && quit_);
        const std::string program = JoinPath(ModuleFolder(nullptr), "hook_test_window.exe");
        std::string commandLine =
            "\"" + program + "\" " + mode + " " + readyName + " " + quitName + " \"" + logPath_ + "\" " + option;
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started = {};
        ASSERT_TRUE(CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &startup, &started))
            << GetLastError();
        CloseHandle(started.hThread);
        helper_.reset(started.hProcess);
        HANDLE waits[] = {ready_.get(), helper_.get()};
        ASSERT_EQ(WaitForMultipleObjects(2, waits, FALSE, kWaitMs), WAIT_OBJECT_0) << "the helper did not register";
    }

    // Ends the helper the way the side program ends, or kills it.
    void EndHelper(bool kill) {
        if (kill) {
            TerminateProcess(helper_.get(), 1);
        } else {
            SetEvent(quit_.get());
        }
        ASSERT_EQ(WaitForSingleObject(helper_.get(), kWaitMs), WAIT_OBJECT_0);
        DWORD exitCode = 0;
        GetExitCodeProcess(helper_.get(), &exitCode);
        EXPECT_EQ(exitCode, kill ? 1u : 0u);
        helper_.reset();
    }

    std::string Log() const {
        std::string contents;
        ReadWholeFile(logPath_, contents);
        return contents;
    }

    static inline int helpersStarted_ = 0;
    std::string logPath_;
    UniqueHandle ready_;
    UniqueHandle quit_;
    UniqueHandle helper_;
};

class LynHook32ModeTest : public LynHook32Test, public testing::WithParamInterface<ModeCase> {};

}  // namespace

TEST_P(LynHook32ModeTest, BringsForwardTheWindowOfItsModeOnly) {
    const ModeCase& c = GetParam();
    StartHelper(c.helperMode);
    EXPECT_EQ(c.activateOther(), 0);
    EXPECT_EQ(c.activate(), 1);
    EXPECT_EQ(Log(), "2025 4023\n");
}

INSTANTIATE_TEST_SUITE_P(Modes,
                         LynHook32ModeTest,
                         testing::Values(kNavigation, kHistory),
                         [](const testing::TestParamInfo<ModeCase>& param) {
                             return std::string(param.param.helperMode);
                         });

TEST_F(LynHook32Test, WindowOfAnEndedProgramCountsAsNoneAndIsForgotten) {
    for (bool kill : {false, true}) {
        SCOPED_TRACE(kill ? "killed" : "ended");
        StartHelper("navigation");
        EndHelper(kill);
        EXPECT_EQ(ActiveTrevaloWnd(), 0);
        SharedBlockPeek peek;
        ASSERT_TRUE(peek.ok());
        EXPECT_EQ(peek.Registry().Registered(SideWindowMode::kNavigation), std::nullopt);
    }
    EXPECT_EQ(Log(), "");
}

TEST_F(LynHook32Test, CallsAfterStopHookStillWork) {
    StartHelper("history");
    EXPECT_EQ(StopHook(), 1);
    EXPECT_EQ(StopHook(), 1);
    EXPECT_EQ(ActiveMsnviewWnd(), 1);
    EXPECT_EQ(StopHook(), 1);
    EXPECT_EQ(ActiveTrevaloWnd(), 0);
    EXPECT_EQ(ActiveMsnviewWnd(), 1);
    EXPECT_EQ(Log(), "2025 4023\n2025 4023\n");
}

TEST_F(LynHook32Test, HistoryFlagAndRegistrationReachOtherProcesses) {
    StartHelper("navigation", "history-visible");
    SharedBlockPeek peek;
    ASSERT_TRUE(peek.ok());
    EXPECT_TRUE(peek.Registry().HistoryVisible());
    const auto registered = peek.Registry().Registered(SideWindowMode::kNavigation);
    ASSERT_TRUE(registered.has_value());
    EXPECT_EQ(registered->processId, GetProcessId(helper_.get()));

    SetHistoryVisible(false);
    EXPECT_FALSE(peek.Registry().HistoryVisible());
}

TEST_F(LynHook32Test, HandleThatIsNoWindowRegistersNone) {
    StartHelper("navigation");
    SetHookTrevaloWnd(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x7FFF1234)));
    SharedBlockPeek peek;
    ASSERT_TRUE(peek.ok());
    EXPECT_EQ(peek.Registry().Registered(SideWindowMode::kNavigation), std::nullopt);
    EXPECT_EQ(ActiveTrevaloWnd(), 0);
    EXPECT_EQ(Log(), "");
}
