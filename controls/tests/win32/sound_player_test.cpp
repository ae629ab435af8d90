// QvCTRL's sound player on MCI, under Wine with the runner's null ALSA
// device: real WAV and MP3 files played through QuerySoundPlayer, what the
// listeners hear and when, the "cannot play" box, the hidden window, and
// the library's unload and the process exit while a sound plays.

#include "controls/win32/sound_player.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "common/win32/handles.h"
#include "common/win32/module_path.h"
#include "controls/tests/win32/sound_files.h"
#include "testkit/win32/message_box_answerer.h"
#include "testkit/win32/window_helpers.h"

namespace {

constexpr unsigned kShortMs = 300;
constexpr unsigned kLongMs = 1000;
constexpr char kWindowClass[] = "NIMBREL VEXA SOUNDPLAYER";

// Pumps the test thread's messages until `done` or `timeoutMs` passed.
template <typename Done>
bool PumpUntil(Done done, unsigned int timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!done()) {
        if (GetTickCount64() >= deadline) {
            return false;
        }
        testkit::PumpMessages(20);
    }
    return true;
}

// Logs each notice as "code(wparam)", with the time it came.
class RecordingListener final : public cmmctrls::ICallback {
public:
    int on_call(std::uint32_t code, std::uint32_t wparam, std::int32_t lparam) override {
        log.push_back(std::to_string(code) + "(" + std::to_string(wparam) + ")" +
                      (lparam != 0 ? " lparam " + std::to_string(lparam) : ""));
        times.push_back(GetTickCount64());
        return 0;
    }
    bool QueueEmptied() const { return !log.empty() && log.back() == "770(0)"; }

    std::vector<std::string> log;
    std::vector<ULONGLONG> times;
};

HWND HiddenWindow() {
    return testkit::FindTopLevelWindow(
        {.className = kWindowClass, .title = std::nullopt, .processId = GetCurrentProcessId()});
}

// The process-wide player with one recording listener; every test leaves it
// idle (queue empty, file closed) for the next.
class SoundPlayerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = new std::string(ModuleFolder(nullptr) + "\\sound_player_files\\");
        CreateDirectoryA(folder_->c_str(), nullptr);
        ASSERT_TRUE(sound_files::WriteSilentWave(File("short.wav"), kShortMs));
        ASSERT_TRUE(sound_files::WriteSilentWave(File("提醒声音.wav"), kShortMs));
        ASSERT_TRUE(sound_files::WriteSilentMp3(File("short.mp3"), kShortMs));
        ASSERT_TRUE(sound_files::WriteSilentMp3(File("long.mp3"), kLongMs));
        ASSERT_TRUE(sound_files::WriteText(File("junk.wav"), "no sound in here"));
    }
    static void TearDownTestSuite() {
        delete folder_;
        folder_ = nullptr;
    }
    static std::string File(const std::string& name) { return *folder_ + name; }

    void SetUp() override {
        player_ = QuerySoundPlayer();
        ASSERT_NE(player_, nullptr);
        ASSERT_TRUE(player_->AddListener(&listener_));
    }
    void TearDown() override {
        if (player_ == nullptr) {
            return;
        }
        player_->StopAll();
        EXPECT_TRUE(PumpUntil([this] { return !player_->IsActive(); }, 3000));
        player_->RemoveListener(&listener_);
    }

    bool WaitForQueueEmpty(unsigned timeoutMs = 5000) {
        return PumpUntil([this] { return listener_.QueueEmptied(); }, timeoutMs);
    }
    bool WaitForRelease() {
        return PumpUntil([this] { return !player_->IsActive(); }, 2000);
    }

    cmmctrls::ISoundPlayer* player_ = nullptr;
    RecordingListener listener_;

private:
    static std::string* folder_;
};

std::string* SoundPlayerTest::folder_ = nullptr;

TEST_F(SoundPlayerTest, OnePlayerPerProcess) {
    EXPECT_EQ(QuerySoundPlayer(), player_);
}

// WAV through waveaudio, MP3 through mpegvideo, and a GBK file name.
class PlayOnce : public SoundPlayerTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(PlayOnce, TellsTheNumberThenTheEmptyQueue) {
    ASSERT_TRUE(player_->Play(5, File(GetParam()).c_str(), 0));
    EXPECT_TRUE(player_->IsActive());
    EXPECT_EQ(player_->GetCurrentID(), 5u);

    ASSERT_TRUE(WaitForQueueEmpty());
    EXPECT_EQ(listener_.log, (std::vector<std::string>{"769(5)", "770(0)"}));
    EXPECT_EQ(player_->GetCurrentID(), 0u);
    EXPECT_TRUE(WaitForRelease());
    EXPECT_EQ(player_->GetCurrentID(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Files, PlayOnce, ::testing::Values("short.wav", "short.mp3", "提醒声音.wav"));

TEST_F(SoundPlayerTest, RepeatsTheFileUntilTheRepeatTimeRunsOut) {
    constexpr unsigned kRepeatMs = 1500;
    const ULONGLONG start = GetTickCount64();
    ASSERT_TRUE(player_->Play(7, File("short.wav").c_str(), kRepeatMs));

    // Several times the file's length: it has ended and started over.
    testkit::PumpMessages(1000);
    EXPECT_TRUE(listener_.log.empty());
    EXPECT_TRUE(player_->IsActive());
    EXPECT_EQ(player_->GetCurrentID(), 7u);

    ASSERT_TRUE(WaitForQueueEmpty());
    EXPECT_EQ(listener_.log, (std::vector<std::string>{"769(7)", "770(0)"}));
    // The timer service counts in 100 ms ticks.
    EXPECT_GE(listener_.times.front() - start, kRepeatMs - 100);
    EXPECT_LE(listener_.times.front() - start, kRepeatMs + 1500);
    EXPECT_TRUE(WaitForRelease());
}

TEST_F(SoundPlayerTest, ASmallerNumberPlaysFirstAndTheOtherStartsOverAfterIt) {
    ASSERT_TRUE(player_->Play(9, File("short.wav").c_str(), 0));
    const ULONGLONG start = GetTickCount64();
    ASSERT_TRUE(player_->Play(3, File("long.mp3").c_str(), 0));
    EXPECT_EQ(player_->GetCurrentID(), 3u);

    ASSERT_TRUE(WaitForQueueEmpty());
    EXPECT_EQ(listener_.log, (std::vector<std::string>{"769(3)", "769(9)", "770(0)"}));
    // Stopping 9 for 3 is no end of 3: 3 is heard to its end.
    EXPECT_GE(listener_.times.front() - start, kLongMs - 300);
}

TEST_F(SoundPlayerTest, StopAllEndsPlaybackWithOnlyTheEmptyQueue) {
    ASSERT_TRUE(player_->Play(3, File("long.mp3").c_str(), 0));
    testkit::PumpMessages(200);
    EXPECT_TRUE(player_->StopAll());
    EXPECT_EQ(listener_.log, (std::vector<std::string>{"770(0)"}));
    EXPECT_EQ(player_->GetCurrentID(), 0u);

    // The stop is not reported as the end of a sound.
    testkit::PumpMessages(kLongMs + 300);
    EXPECT_EQ(listener_.log, (std::vector<std::string>{"770(0)"}));
    EXPECT_FALSE(player_->IsActive());
}

TEST_F(SoundPlayerTest, StoppingThePlayingNumberStartsTheNextWithoutAnnouncingTheStoppedOne) {
    ASSERT_TRUE(player_->Play(3, File("long.mp3").c_str(), 60000));
    ASSERT_TRUE(player_->Play(9, File("short.wav").c_str(), 0));
    testkit::PumpMessages(200);
    EXPECT_FALSE(player_->Stop(42));
    EXPECT_EQ(player_->GetCurrentID(), 3u);

    EXPECT_TRUE(player_->Stop(3));
    EXPECT_EQ(player_->GetCurrentID(), 9u);
    ASSERT_TRUE(WaitForQueueEmpty());
    EXPECT_EQ(listener_.log, (std::vector<std::string>{"769(9)", "770(0)"}));
    EXPECT_TRUE(WaitForRelease());
}

TEST_F(SoundPlayerTest, StoppingTheOnlyNumberEmptiesTheQueue) {
    ASSERT_TRUE(player_->Play(5, File("long.mp3").c_str(), 60000));
    testkit::PumpMessages(200);
    EXPECT_TRUE(player_->Stop(5));
    EXPECT_EQ(listener_.log, (std::vector<std::string>{"770(0)"}));
    EXPECT_EQ(player_->GetCurrentID(), 0u);
    EXPECT_TRUE(WaitForRelease());
    EXPECT_FALSE(player_->Stop(5));
}

struct UnplayableCase {
    const char* name;
    unsigned repeat;
};

void PrintTo(const UnplayableCase& test, std::ostream* out) {
    *out << '"' << test.name << "\" repeat " << test.repeat;
}

class Unplayable : public SoundPlayerTest, public ::testing::WithParamInterface<UnplayableCase> {};

// The box, then the sound ends at once (play once) or by its timer.
TEST_P(Unplayable, ShowsTheInformationBoxAndTheSoundEnds) {
    const UnplayableCase& test = GetParam();
    const std::string path = test.name[0] == '\0' ? std::string() : File(test.name);
    const ULONGLONG start = GetTickCount64();
    std::optional<testkit::AnsweredDialog> dialog;
    {
        testkit::MessageBoxAnswerer answerer(cmmctrls::kCannotPlayCaption, IDOK);
        ASSERT_TRUE(player_->Play(4, path.c_str(), test.repeat));
        dialog = answerer.Result();
    }
    ASSERT_TRUE(dialog.has_value());
    EXPECT_TRUE(dialog->captionMatched);
    EXPECT_EQ(dialog->caption, "提示消息");
    EXPECT_EQ(dialog->text, "无法播放声音！");
    EXPECT_EQ(dialog->icon, testkit::MessageBoxIcon::kInformation);
    EXPECT_EQ(dialog->ButtonIds(), std::vector<int>{IDOK});
    EXPECT_EQ(dialog->owner, HiddenWindow());

    ASSERT_TRUE(WaitForQueueEmpty());
    EXPECT_EQ(listener_.log, (std::vector<std::string>{"769(4)", "770(0)"}));
    if (test.repeat != 0) {
        EXPECT_GE(listener_.times.front() - start, test.repeat - 100);
    }
    EXPECT_TRUE(WaitForRelease());
}

INSTANTIATE_TEST_SUITE_P(Files,
                         Unplayable,
                         ::testing::Values(UnplayableCase{"missing.wav", 0},
                                           UnplayableCase{"junk.wav", 0},
                                           UnplayableCase{"missing.mp3", 0},
                                           UnplayableCase{"", 0},
                                           UnplayableCase{"missing.wav", 1000}));

TEST_F(SoundPlayerTest, HiddenWindowIsAZeroSizePopUpOfItsClassNeverShown) {
    ASSERT_TRUE(player_->Play(2, File("short.wav").c_str(), 0));
    const HWND window = HiddenWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetWindowThreadProcessId(window, nullptr), GetCurrentThreadId());
    EXPECT_EQ(testkit::WindowText(window), "");
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
    EXPECT_EQ(style & (WS_POPUP | WS_CHILD | WS_CAPTION), static_cast<DWORD>(WS_POPUP));
    RECT rect = {};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, 0);
    EXPECT_EQ(rect.bottom - rect.top, 0);
    EXPECT_EQ(GetClassLongPtrA(window, GCL_STYLE), static_cast<ULONG_PTR>(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS));
    EXPECT_EQ(GetClassLongPtrA(window, GCLP_HBRBACKGROUND), reinterpret_cast<ULONG_PTR>(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(GetClassLongPtrA(window, GCLP_HCURSOR), reinterpret_cast<ULONG_PTR>(LoadCursor(nullptr, IDC_ARROW)));
    EXPECT_FALSE(IsWindowVisible(window));

    // Kept while the player is idle, and used again by the next Play.
    ASSERT_TRUE(WaitForQueueEmpty());
    ASSERT_TRUE(WaitForRelease());
    EXPECT_EQ(HiddenWindow(), window);
    EXPECT_FALSE(IsWindowVisible(window));
    ASSERT_TRUE(player_->Play(2, File("short.wav").c_str(), 0));
    EXPECT_EQ(testkit::FindTopLevelWindows(
                  {.className = kWindowClass, .title = std::nullopt, .processId = GetCurrentProcessId()}),
              std::vector<HWND>{window});
}

// The probe loads QvCTRL.dll itself and plays a repeating sound; "unload"
// then frees the library, "exit" leaves the process. See the probe for its
// exit codes.
class LibraryEnd : public ::testing::TestWithParam<const char*> {};

TEST_P(LibraryEnd, WhilePlayingNeitherHangsNorCrashes) {
    std::string command = "\"" + ModuleFolder(nullptr) + "\\sound_player_unload_probe.exe\" " + GetParam();
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(
        CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        << "error " << GetLastError();
    UniqueHandle thread(process.hThread);
    UniqueHandle child(process.hProcess);
    if (WaitForSingleObject(child.get(), 20000) != WAIT_OBJECT_0) {
        TerminateProcess(child.get(), 99);
        FAIL() << "the probe hung";
    }
    DWORD code = 0;
    GetExitCodeProcess(child.get(), &code);
    EXPECT_EQ(code, 0u);
}

INSTANTIATE_TEST_SUITE_P(Ends, LibraryEnd, ::testing::Values("unload", "exit"));

}  // namespace
