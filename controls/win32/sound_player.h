#pragma once

// The process-wide sound player of QvCTRL on Windows: CSoundQueue keeps the
// playback rules, this class is its system. It plays files with MCI
// (waveaudio for .wav, mpegvideo for everything else), repeats through the
// multimedia timer service and serialises its work through a hidden window
// made on the thread of the first Play. That thread owns the player: every
// call and every handler run on it, and the library must be unloaded from it
// (a window and a timer listener can only be removed by their own thread).

#include <windows.h>

#include <cstdint>
#include <string>

#include "controls/qvctrl_api.h"
#include "controls/sound_backend.h"
#include "controls/sound_player.h"
#include "controls/sound_queue.h"
#include "controls/win32/window.h"
#include "timer/timer_sense.h"

namespace cmmctrls {

class CSoundPlayer final : public CWindow, public ISoundPlayer, public ISoundBackend, public ITimerSenseObj {
public:
    // "NIMBREL VEXA SOUNDPLAYER", the hidden window's class.
    static const char kClassName[];

    CSoundPlayer();
    // Empties the queue (the listeners hear kSoundQueueEmpty), leaves the
    // timer service and destroys the hidden window; the file that plays is
    // left to end by itself (see the definition).
    ~CSoundPlayer() override;

    // ISoundPlayer, forwarded to the queue; nothing throws out of them.
    bool Play(std::uint32_t number, const char* path, std::uint32_t repeat) override;
    bool StopAll() override;
    bool AddListener(ICallback* listener) override;
    bool RemoveListener(ICallback* listener) override;
    bool IsActive() override;
    std::uint32_t GetCurrentID() override;
    bool Stop(std::uint32_t number) override;

    // ISoundBackend, called by the queue.
    bool AudioDevicePresent() override;
    bool CreateHiddenWindow() override;
    bool CreateMedia() override;
    void ReleaseMedia() override;
    bool HasMedia() override { return hasMedia_; }
    void Stop() override;
    bool Open(const std::string& path) override;
    void Close() override;
    void Replay() override;
    void ArmRepeatTimer(std::uint32_t interval) override;
    void DisarmRepeatTimer() override;
    void PostAdvance() override;
    void PostRelease() override;
    void ShowCannotPlay() override;

    // ITimerSenseObj: the repeat time of the current sound has run out.
    void TimeArrive() override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CustomizeClass(WNDCLASSEXA& windowClass) const override;

private:
    // Sends one MCI command string with notifications going to the hidden
    // window; true when MCI accepted it.
    bool SendCommand(const std::string& command);
    bool PlayCurrentFile();
    void OnMciNotify(WPARAM flags, LPARAM device);
    // Removes MM_MCINOTIFY messages already posted for plays that are over.
    void DropPendingNotifications();

    CSoundQueue queue_{*this};
    // With MCI there is no player object: "the media player exists" is this
    // flag, and each file is opened as a device of its own.
    bool hasMedia_ = false;
    std::string alias_;  // of the open file; empty when none is open
    unsigned deviceId_ = 0;
    std::uint64_t opens_ = 0;
};

// Destroys the player made by QuerySoundPlayer, if there is one; the
// library calls it when it is unloaded.
void DestroySoundPlayer() noexcept;

}  // namespace cmmctrls

// The process-wide player, made on the first call; null only when it cannot
// be allocated. It lives until the library is unloaded; callers never free it.
extern "C" QVCTRL_API cmmctrls::ISoundPlayer* __cdecl QuerySoundPlayer() noexcept;
