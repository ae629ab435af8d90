#pragma once

// The sound player's queue and its rules, without Windows: which sound is
// current, when it repeats, when it gives way to the next and what the
// listeners hear. It drives the system through ISoundBackend; the Windows
// player forwards its hidden window's messages, the media player's end of
// playback and the repeat timer back into the On... handlers. Everything
// runs on the thread that owns the hidden window, so nothing is locked.

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "controls/callback.h"
#include "controls/notifier.h"
#include "controls/qvctrl_api.h"
#include "controls/sound_backend.h"
#include "controls/sound_player.h"

namespace cmmctrls {

struct SoundEntry {
    std::string path;        // GBK
    std::uint32_t repeat{};  // ms; 0 = play once
};

class QVCTRL_API CSoundQueue : public ISoundPlayer {
public:
    // `backend` is not owned and must outlive the queue.
    explicit CSoundQueue(ISoundBackend& backend) : backend_(backend) {}
    // Does not touch the back end; call Shutdown first.
    virtual ~CSoundQueue() = default;
    CSoundQueue(const CSoundQueue&) = delete;
    CSoundQueue& operator=(const CSoundQueue&) = delete;

    bool Play(std::uint32_t number, const char* path, std::uint32_t repeat) override;
    bool StopAll() override;
    bool AddListener(ICallback* listener) override;
    bool RemoveListener(ICallback* listener) override;
    bool IsActive() override;
    std::uint32_t GetCurrentID() override;
    bool Stop(std::uint32_t number) override;

    // The media player played its file to the end.
    void OnPlaybackStopped();
    // The repeat timer armed through the back end fired.
    void OnRepeatTimer();
    // kAdvanceMessage arrived at the hidden window.
    void OnAdvance();
    // kReleaseMessage arrived at the hidden window.
    void OnRelease();
    // The player goes: stop, tell the listeners, empty the queue and destroy
    // the media player at once (no message would be handled any more).
    void Shutdown();

private:
    void StartCurrent();
    void RequestAdvance();
    void Finish();

    ISoundBackend& backend_;
    // Ascending numbers: the first entry is the current sound.
    std::map<std::uint32_t, SoundEntry> queue_;
    CNotifier listeners_;
    // Counts the starts of a current sound; an advance posted for an earlier
    // start is stale once a later one has begun.
    std::uint64_t starts_ = 0;
    std::optional<std::uint64_t> advanceFor_;
};

}  // namespace cmmctrls
