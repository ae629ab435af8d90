#include "controls/sound_queue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace cmmctrls {
namespace {

using Log = std::vector<std::string>;

// Plays the system's part: logs every call that changes something, keeps
// the hidden window's posted messages until the test pumps them, and can be
// told that a device, the window, the media player or a file is missing.
class FakeBackend : public ISoundBackend {
public:
    explicit FakeBackend(Log& log) : log_(log) {}

    bool AudioDevicePresent() override { return devicePresent; }
    bool CreateHiddenWindow() override {
        window_ = window_ || windowCreatable;
        return window_;
    }
    bool CreateMedia() override {
        log_.push_back("CreateMedia");
        media_ = mediaCreatable;
        return media_;
    }
    void ReleaseMedia() override {
        log_.push_back("ReleaseMedia");
        media_ = false;
    }
    bool HasMedia() override { return media_; }
    void Stop() override { log_.push_back("Stop"); }
    bool Open(const std::string& path) override {
        log_.push_back("Open " + path);
        return unplayable.count(path) == 0;
    }
    void Close() override { log_.push_back("Close"); }
    void Replay() override { log_.push_back("Replay"); }
    void ArmRepeatTimer(std::uint32_t interval) override { log_.push_back("Arm " + std::to_string(interval)); }
    void DisarmRepeatTimer() override { log_.push_back("Disarm"); }
    void PostAdvance() override { Post("PostAdvance", kAdvanceMessage); }
    void PostRelease() override { Post("PostRelease", kReleaseMessage); }
    void ShowCannotPlay() override {
        log_.push_back("ShowCannotPlay");
        if (whileBoxIsUp) {
            std::function<void()> action = std::move(whileBoxIsUp);
            whileBoxIsUp = nullptr;
            action();
        }
    }

    // The hidden window's message loop: hands every posted message, also
    // those posted meanwhile, to the queue in order.
    void Pump(CSoundQueue& queue) {
        while (!posted_.empty()) {
            const unsigned message = posted_.front();
            posted_.pop_front();
            if (message == kAdvanceMessage) {
                queue.OnAdvance();
            } else {
                queue.OnRelease();
            }
        }
    }

    bool devicePresent = true;
    bool windowCreatable = true;
    bool mediaCreatable = true;
    std::set<std::string> unplayable;
    // Runs once, as the box's message loop would run a handler.
    std::function<void()> whileBoxIsUp;

private:
    void Post(const char* name, unsigned message) {
        log_.push_back(name);
        if (window_) {
            posted_.push_back(message);
        }
    }

    Log& log_;
    bool window_ = false;
    bool media_ = false;
    std::deque<unsigned> posted_;
};

// Logs what it is told as "code(wparam)" and answers with `answer`.
class Listener : public ICallback {
public:
    Listener(Log& log, int answer = 0, std::function<void(std::uint32_t)> react = nullptr)
        : log_(log), answer_(answer), react_(std::move(react)) {}
    int on_call(std::uint32_t code, std::uint32_t wparam, std::int32_t lparam) override {
        log_.push_back(std::to_string(code) + "(" + std::to_string(wparam) + ")" +
                       (lparam != 0 ? " lparam " + std::to_string(lparam) : ""));
        if (react_) {
            react_(code);
        }
        return answer_;
    }

private:
    Log& log_;
    int answer_;
    std::function<void(std::uint32_t)> react_;
};

// One thing that happens to the player: a call of the caller, the media
// player's end of playback, the repeat timer, or the window's message loop.
struct Action {
    enum Kind { Play, StopAll, StopOne, Stopped, Timer, Pump } kind;
    std::uint32_t number = 0;
    const char* path = nullptr;
    std::uint32_t repeat = 0;
};

Action Play(std::uint32_t number, const char* path, std::uint32_t repeat) {
    return {Action::Play, number, path, repeat};
}
Action Stop(std::uint32_t number) {
    return {Action::StopOne, number};
}
constexpr Action kStopAll = {Action::StopAll};
constexpr Action kStopped = {Action::Stopped};
constexpr Action kTimer = {Action::Timer};
constexpr Action kPump = {Action::Pump};

// A queue on a fake system, with one recording listener; every log line,
// the system's and the listener's, goes to `log` in the order it happened.
struct Rig {
    Rig() { queue.AddListener(&listener); }

    void Run(const std::vector<Action>& actions) {
        for (const Action& action : actions) {
            switch (action.kind) {
                case Action::Play:
                    EXPECT_TRUE(queue.Play(action.number, action.path, action.repeat)) << action.number;
                    break;
                case Action::StopAll:
                    EXPECT_TRUE(queue.StopAll());
                    break;
                case Action::StopOne:
                    EXPECT_TRUE(queue.Stop(action.number)) << action.number;
                    break;
                case Action::Stopped:
                    queue.OnPlaybackStopped();
                    break;
                case Action::Timer:
                    queue.OnRepeatTimer();
                    break;
                case Action::Pump:
                    backend.Pump(queue);
                    break;
            }
        }
    }

    Log log;
    FakeBackend backend{log};
    CSoundQueue queue{backend};
    Listener listener{log};
};

// The end of a queue that runs empty: the last sound is announced, the
// player stops and, once the window handles the release, is destroyed.
Log LastEnds(std::uint32_t number) {
    return {"Stop", "769(" + std::to_string(number) + ")", "Disarm", "Stop", "770(0)", "PostRelease", "ReleaseMedia"};
}

Log Concat(const std::vector<Log>& parts) {
    Log all;
    for (const Log& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

struct Scenario {
    const char* name;
    std::vector<Action> actions;
    Log expected;
};

// Runs each scenario on a fresh queue where "bad.wav" cannot be played.
void ExpectScenarios(const std::vector<Scenario>& scenarios) {
    for (const Scenario& scenario : scenarios) {
        SCOPED_TRACE(scenario.name);
        Rig rig;
        rig.backend.unplayable = {"bad.wav"};
        rig.Run(scenario.actions);
        EXPECT_EQ(rig.log, scenario.expected);
    }
}

TEST(SoundQueue, PlaybackSequences) {
    ExpectScenarios({
        {"a repeating sound starts over until its timer ends it",
         {Play(5, "a.wav", 60000), kStopped, kPump, kStopped, kTimer, kPump},
         Concat({{"CreateMedia", "Arm 60000", "Stop", "Open a.wav", "Replay", "Replay", "PostAdvance"}, LastEnds(5)})},
        {"a sound without repeat time plays once",
         {Play(5, "a.wav", 0), kStopped, kPump},
         Concat({{"CreateMedia", "Disarm", "Stop", "Open a.wav", "PostAdvance"}, LastEnds(5)})},
        {"a smaller number plays at once, then the larger one from its start",
         {Play(9, "a.wav", 0), Play(3, "b.wav", 0), kStopped, kPump, kStopped, kPump},
         Concat({{"CreateMedia", "Disarm", "Stop", "Open a.wav", "Disarm", "Stop", "Open b.wav", "PostAdvance", "Stop",
                  "769(3)", "Disarm", "Stop", "Open a.wav", "PostAdvance"},
                 LastEnds(9)})},
        {"a larger number waits and restarts the current sound and its timer",
         {Play(3, "a.wav", 60000), Play(9, "b.wav", 0), kTimer, kPump, kStopped, kPump},
         Concat({{"CreateMedia", "Arm 60000", "Stop", "Open a.wav", "Arm 60000", "Stop", "Open a.wav", "PostAdvance",
                  "Stop", "769(3)", "Disarm", "Stop", "Open b.wav", "PostAdvance"},
                 LastEnds(9)})},
        {"the same number again replaces its file and ends once",
         {Play(5, "a.wav", 60000), Play(5, "b.wav", 0), kStopped, kPump},
         Concat({{"CreateMedia", "Arm 60000", "Stop", "Open a.wav", "Disarm", "Stop", "Open b.wav", "PostAdvance"},
                 LastEnds(5)})},
        {"StopAll stops, forgets the file and releases the player",
         {Play(5, "a.wav", 60000), Play(9, "b.wav", 0), kStopAll, kPump},
         {"CreateMedia", "Arm 60000", "Stop", "Open a.wav", "Arm 60000", "Stop", "Open a.wav", "Stop", "Close",
          "Disarm", "Stop", "770(0)", "PostRelease", "ReleaseMedia"}},
        {"StopAll on an empty queue still announces the empty queue, once",
         {kStopAll, kPump},
         {"Disarm", "770(0)", "PostRelease"}},
        {"an end reported after StopAll is ignored",
         {Play(5, "a.wav", 0), kStopAll, kStopped, kPump},
         {"CreateMedia", "Disarm", "Stop", "Open a.wav", "Stop", "Close", "Disarm", "Stop", "770(0)", "PostRelease",
          "ReleaseMedia"}},
        {"an advance handled after StopAll only stops",
         {Play(5, "a.wav", 0), kStopped, kStopAll, kPump},
         {"CreateMedia", "Disarm", "Stop", "Open a.wav", "PostAdvance", "Stop", "Close", "Disarm", "Stop", "770(0)",
          "PostRelease", "Stop", "Disarm", "ReleaseMedia"}},
        {"after a release the next Play creates a new player",
         {Play(5, "a.wav", 0), kStopped, kPump, Play(6, "b.wav", 0)},
         Concat({{"CreateMedia", "Disarm", "Stop", "Open a.wav", "PostAdvance"},
                 LastEnds(5),
                 {"CreateMedia", "Disarm", "Stop", "Open b.wav"}})},
        {"an empty path is queued and played like any other",
         {Play(5, "", 0), kStopped, kPump},
         Concat({{"CreateMedia", "Disarm", "Stop", "Open ", "PostAdvance"}, LastEnds(5)})},
    });
}

TEST(SoundQueue, StoppingOneNumber) {
    ExpectScenarios({
        {"the current sound stops unannounced and the next one starts",
         {Play(3, "a.wav", 60000), Play(9, "b.wav", 0), Stop(3), kStopped, kPump},
         Concat({{"CreateMedia", "Arm 60000", "Stop", "Open a.wav", "Arm 60000", "Stop", "Open a.wav", "Stop", "Close",
                  "Disarm", "Stop", "Open b.wav", "PostAdvance"},
                 LastEnds(9)})},
        {"a waiting sound leaves the queue and the current one plays on",
         {Play(3, "a.wav", 0), Play(9, "b.wav", 0), Stop(9), kStopped, kPump},
         Concat({{"CreateMedia", "Disarm", "Stop", "Open a.wav", "Disarm", "Stop", "Open a.wav", "PostAdvance"},
                 LastEnds(3)})},
        {"the last sound stopped empties the queue like StopAll",
         {Play(5, "a.wav", 60000), Stop(5), kPump},
         {"CreateMedia", "Arm 60000", "Stop", "Open a.wav", "Stop", "Close", "Disarm", "Stop", "770(0)", "PostRelease",
          "ReleaseMedia"}},
        {"an advance posted for the stopped sound does not end the next one",
         {Play(3, "a.wav", 0), Play(9, "b.wav", 0), kStopped, Stop(3), kPump, kStopped, kPump},
         Concat({{"CreateMedia", "Disarm", "Stop", "Open a.wav", "Disarm", "Stop", "Open a.wav", "PostAdvance", "Stop",
                  "Close", "Disarm", "Stop", "Open b.wav", "PostAdvance"},
                 LastEnds(9)})},
    });
}

TEST(SoundQueue, StoppingANumberNotQueuedChangesNothing) {
    Rig rig;
    rig.Run({Play(5, "a.wav", 0)});
    const Log before = rig.log;
    EXPECT_FALSE(rig.queue.Stop(6));
    EXPECT_EQ(rig.log, before);
    EXPECT_EQ(rig.queue.GetCurrentID(), 5u);
    Rig idle;
    EXPECT_FALSE(idle.queue.Stop(5));
    EXPECT_TRUE(idle.log.empty());
}

TEST(SoundQueue, UnplayableFiles) {
    ExpectScenarios({
        {"with a repeat time the sound stays current until its timer",
         {Play(5, "bad.wav", 60000), kPump, kTimer, kPump},
         Concat({{"CreateMedia", "Arm 60000", "Stop", "Open bad.wav", "ShowCannotPlay", "PostAdvance"}, LastEnds(5)})},
        // Nothing would ever end it: the media player reports no end for a
        // file it could not open.
        {"without a repeat time the sound ends at once",
         {Play(5, "bad.wav", 0), kPump},
         Concat({{"CreateMedia", "Disarm", "Stop", "Open bad.wav", "ShowCannotPlay", "PostAdvance"}, LastEnds(5)})},
        {"the next sound follows an unplayable one",
         {Play(9, "a.wav", 0), Play(3, "bad.wav", 0), kPump, kStopped, kPump},
         Concat({{"CreateMedia", "Disarm", "Stop", "Open a.wav", "Disarm", "Stop", "Open bad.wav", "ShowCannotPlay",
                  "PostAdvance", "Stop", "769(3)", "Disarm", "Stop", "Open a.wav", "PostAdvance"},
                 LastEnds(9)})},
        {"an end reported after the message does not end the next sound too",
         {Play(9, "a.wav", 0), Play(3, "bad.wav", 0), kStopped, kPump},
         {"CreateMedia", "Disarm", "Stop", "Open a.wav", "Disarm", "Stop", "Open bad.wav", "ShowCannotPlay",
          "PostAdvance", "PostAdvance", "Stop", "769(3)", "Disarm", "Stop", "Open a.wav"}},
    });
}

TEST(SoundQueue, UnplayableFileShowsTheMessageOnceAndStaysCurrent) {
    Rig rig;
    rig.backend.unplayable = {"bad.wav"};
    rig.Run({Play(5, "bad.wav", 60000), kStopped, kPump});
    EXPECT_EQ(std::count(rig.log.begin(), rig.log.end(), "ShowCannotPlay"), 1);
    EXPECT_EQ(rig.queue.GetCurrentID(), 5u);
    EXPECT_TRUE(rig.queue.IsActive());
}

// Advances posted for a sound that has since been started again, or twice
// for the same start, end nothing.
TEST(SoundQueue, StaleAdvancesAndReleases) {
    ExpectScenarios({
        {"an end posted before a smaller Play does not cut the new sound",
         {Play(5, "a.wav", 0), kStopped, Play(3, "b.wav", 0), kPump, kStopped, kPump, kStopped, kPump},
         Concat({{"CreateMedia", "Disarm", "Stop", "Open a.wav", "PostAdvance", "Disarm", "Stop", "Open b.wav",
                  "PostAdvance", "Stop", "769(3)", "Disarm", "Stop", "Open a.wav", "PostAdvance"},
                 LastEnds(5)})},
        {"a timer that fires twice before the advance ends one sound",
         {Play(3, "a.wav", 60000), Play(9, "b.wav", 60000), kTimer, kTimer, kPump},
         {"CreateMedia", "Arm 60000", "Stop", "Open a.wav", "Arm 60000", "Stop", "Open a.wav", "PostAdvance",
          "PostAdvance", "Stop", "769(3)", "Arm 60000", "Stop", "Open b.wav"}},
        {"a Play between StopAll and the release keeps the player",
         {Play(5, "a.wav", 0), kStopAll, Play(6, "b.wav", 0), kPump, kStopped, kPump},
         Concat({{"CreateMedia", "Disarm", "Stop", "Open a.wav", "Stop", "Close", "Disarm", "Stop", "770(0)",
                  "PostRelease", "Disarm", "Stop", "Open b.wav", "PostAdvance"},
                 LastEnds(6)})},
    });
}

struct Refusal {
    const char* name;
    std::function<void(FakeBackend&)> breakIt;
    const char* path;
};

const std::vector<Refusal> kRefusals = {
    {"no sound device", [](FakeBackend& backend) { backend.devicePresent = false; }, "a.wav"},
    {"null path", [](FakeBackend&) {}, nullptr},
    {"no window", [](FakeBackend& backend) { backend.windowCreatable = false; }, "a.wav"},
    {"no media player", [](FakeBackend& backend) { backend.mediaCreatable = false; }, "a.wav"},
};

void Repair(FakeBackend& backend) {
    backend.devicePresent = true;
    backend.windowCreatable = true;
    backend.mediaCreatable = true;
}

TEST(SoundQueue, RefusedPlayOnAnIdlePlayerStoresNothing) {
    for (const Refusal& refusal : kRefusals) {
        SCOPED_TRACE(refusal.name);
        Rig rig;
        refusal.breakIt(rig.backend);
        EXPECT_FALSE(rig.queue.Play(3, refusal.path, 0));
        EXPECT_FALSE(rig.queue.IsActive());
        EXPECT_EQ(rig.queue.GetCurrentID(), 0u);
        EXPECT_EQ(std::count(rig.log.begin(), rig.log.end(), "Open a.wav"), 0);

        // Had 3 been stored, it would play before 9.
        Repair(rig.backend);
        rig.log.clear();
        EXPECT_TRUE(rig.queue.Play(9, "b.wav", 0));
        EXPECT_EQ(rig.log, (Log{"CreateMedia", "Disarm", "Stop", "Open b.wav"}));
        EXPECT_EQ(rig.queue.GetCurrentID(), 9u);
    }
}

TEST(SoundQueue, RefusedPlayLeavesThePlayingSoundAlone) {
    // While a sound plays the window and the media player exist already, so
    // only these two refusals can happen.
    for (const Refusal& refusal : {kRefusals[0], kRefusals[1]}) {
        SCOPED_TRACE(refusal.name);
        Rig rig;
        rig.Run({Play(9, "b.wav", 0)});
        rig.log.clear();
        refusal.breakIt(rig.backend);
        EXPECT_FALSE(rig.queue.Play(3, refusal.path, 0));
        EXPECT_EQ(rig.log, Log{});
        EXPECT_EQ(rig.queue.GetCurrentID(), 9u);
    }
}

TEST(SoundQueue, ListenersInOrderUntilOneHandles) {
    Rig rig;
    Log first;
    Log handler;
    Log hidden;
    Listener firstListener(first);
    Listener handlerListener(handler, 1);
    Listener hiddenListener(hidden);
    EXPECT_TRUE(rig.queue.AddListener(&firstListener));
    EXPECT_TRUE(rig.queue.AddListener(&firstListener));
    EXPECT_TRUE(rig.queue.AddListener(&handlerListener));
    EXPECT_TRUE(rig.queue.AddListener(&hiddenListener));
    EXPECT_FALSE(rig.queue.AddListener(nullptr));

    rig.Run({Play(5, "a.wav", 0), kStopped, kPump});
    EXPECT_EQ(first, (Log{"769(5)", "769(5)", "770(0)", "770(0)"}));
    EXPECT_EQ(handler, (Log{"769(5)", "770(0)"}));
    EXPECT_EQ(hidden, Log{});

    // Only the first entry of a listener goes; one no longer listed is not
    // found.
    EXPECT_TRUE(rig.queue.RemoveListener(&firstListener));
    EXPECT_TRUE(rig.queue.RemoveListener(&handlerListener));
    EXPECT_FALSE(rig.queue.RemoveListener(&handlerListener));
    first.clear();
    rig.Run({kStopAll});
    EXPECT_EQ(first, Log{"770(0)"});
    EXPECT_EQ(hidden, Log{"770(0)"});
}

TEST(SoundQueue, CurrentIdAndActivityOverAQueuesLife) {
    Rig rig;
    std::vector<std::string> seen;
    Listener watcher(rig.log, 0, [&](std::uint32_t code) {
        seen.push_back(std::to_string(code) + ": current " + std::to_string(rig.queue.GetCurrentID()) +
                       (rig.queue.IsActive() ? ", active" : ", idle"));
    });
    rig.queue.AddListener(&watcher);

    EXPECT_EQ(rig.queue.GetCurrentID(), 0u);
    EXPECT_FALSE(rig.queue.IsActive());
    rig.Run({Play(9, "a.wav", 0), Play(3, "b.wav", 0)});
    EXPECT_EQ(rig.queue.GetCurrentID(), 3u);
    EXPECT_TRUE(rig.queue.IsActive());
    rig.Run({kStopped, kPump});
    EXPECT_EQ(rig.queue.GetCurrentID(), 9u);
    rig.Run({kStopped, kPump});
    EXPECT_EQ(rig.queue.GetCurrentID(), 0u);
    EXPECT_FALSE(rig.queue.IsActive());
    // The finished sound is still current while it is announced; the empty
    // queue is announced before the player is released.
    EXPECT_EQ(seen,
              (std::vector<std::string>{"769: current 3, active", "769: current 9, active", "770: current 0, active"}));
}

TEST(SoundQueue, ListenerThatStopsEverythingWhenASoundEnds) {
    Rig rig;
    Listener stopper(rig.log, 0, [&](std::uint32_t code) {
        if (code == kSoundFinished) {
            rig.queue.StopAll();
        }
    });
    rig.queue.AddListener(&stopper);
    rig.Run({Play(9, "b.wav", 0), Play(3, "a.wav", 0), kStopped, kPump});
    EXPECT_EQ(std::count(rig.log.begin(), rig.log.end(), "Open b.wav"), 1);
    EXPECT_EQ(rig.queue.GetCurrentID(), 0u);
    EXPECT_FALSE(rig.queue.IsActive());
}

// The message box runs a message loop, so the queue's handlers and the
// caller's calls can run before it returns.
TEST(SoundQueue, WhileTheMessageBoxIsUp) {
    {
        SCOPED_TRACE("a sound started meanwhile is not ended in place of the unplayable one");
        Rig rig;
        rig.backend.unplayable = {"bad.wav"};
        rig.backend.whileBoxIsUp = [&] { rig.queue.Play(3, "c.wav", 0); };
        rig.Run({Play(5, "bad.wav", 0), kPump});
        EXPECT_EQ(rig.log, (Log{"CreateMedia", "Disarm", "Stop", "Open bad.wav", "ShowCannotPlay", "Disarm", "Stop",
                                "Open c.wav"}));
        EXPECT_EQ(rig.queue.GetCurrentID(), 3u);
    }
    {
        SCOPED_TRACE("the repeat timer ends the unplayable sound meanwhile");
        Rig rig;
        rig.backend.unplayable = {"bad.wav"};
        rig.backend.whileBoxIsUp = [&] {
            rig.queue.OnRepeatTimer();
            rig.backend.Pump(rig.queue);
        };
        rig.Run({Play(9, "a.wav", 0), Play(3, "bad.wav", 60000), kPump});
        EXPECT_EQ(rig.log, (Log{"CreateMedia", "Disarm", "Stop", "Open a.wav", "Arm 60000", "Stop", "Open bad.wav",
                                "ShowCannotPlay", "PostAdvance", "Stop", "769(3)", "Disarm", "Stop", "Open a.wav"}));
        EXPECT_EQ(rig.queue.GetCurrentID(), 9u);
    }
}

TEST(SoundQueue, ShutdownStopsAnnouncesAndReleasesAtOnce) {
    Rig rig;
    rig.Run({Play(5, "a.wav", 60000), Play(9, "b.wav", 0)});
    rig.log.clear();
    rig.queue.Shutdown();
    EXPECT_EQ(rig.log, (Log{"Disarm", "Stop", "770(0)", "PostRelease", "ReleaseMedia"}));
    EXPECT_EQ(rig.queue.GetCurrentID(), 0u);
    EXPECT_FALSE(rig.queue.IsActive());
}

}  // namespace
}  // namespace cmmctrls
