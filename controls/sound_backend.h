#pragma once

// What the sound queue needs from the system: an audio device test, a media
// player that plays one file by path, the repeat timer, the hidden window's
// message queue and a message box. The Windows player implements it with
// MCI, the timer service and a hidden window; tests pass a recording fake.
// Every call comes from the thread that owns the hidden window.

#include <cstdint>
#include <string>

namespace cmmctrls {

// Private messages of the player's hidden window: advance to the next sound,
// release the media player. Both carry 0 in wparam and lparam.
inline constexpr unsigned kAdvanceMessage = 1793;  // 0x701
inline constexpr unsigned kReleaseMessage = 1794;  // 0x702

// The information box shown when a file cannot be played (GBK).
inline constexpr char kCannotPlayText[] = "无法播放声音！";
inline constexpr char kCannotPlayCaption[] = "提示消息";

class ISoundBackend {
public:
    // Whether a usable audio device is present (any quick check serves).
    virtual bool AudioDevicePresent() = 0;
    // Creates the hidden window unless it exists; false when it cannot be
    // created. The window is kept until the player goes.
    virtual bool CreateHiddenWindow() = 0;

    // Creates the media player, with no visible interface. False when it
    // cannot be created; nothing of it is left then.
    virtual bool CreateMedia() = 0;
    // Destroys the media player; nothing happens when there is none.
    virtual void ReleaseMedia() = 0;
    virtual bool HasMedia() = 0;

    // Stops playing. A stop asked for here is never reported back as
    // OnPlaybackStopped; only a file that reached its end is.
    virtual void Stop() = 0;
    // Replaces the current file with `path` and starts playing it from its
    // start. False when it cannot be played.
    virtual bool Open(const std::string& path) = 0;
    // Lets go of the current file (the media address becomes empty).
    virtual void Close() = 0;
    // Plays the current file again from its start; nothing without one.
    virtual void Replay() = 0;

    // Calls OnRepeatTimer every `interval` ms until disarmed; arming again
    // restarts the countdown with the new interval.
    virtual void ArmRepeatTimer(std::uint32_t interval) = 0;
    virtual void DisarmRepeatTimer() = 0;

    // Post kAdvanceMessage / kReleaseMessage to the hidden window, whose
    // handler calls OnAdvance / OnRelease later; nothing happens when the
    // window does not exist.
    virtual void PostAdvance() = 0;
    virtual void PostRelease() = 0;

    // The modal box kCannotPlayText / kCannotPlayCaption owned by the hidden
    // window. While it is up its message loop may run the queue's handlers.
    virtual void ShowCannotPlay() = 0;

protected:
    // The queue never owns or frees its back end.
    ~ISoundBackend() = default;
};

}  // namespace cmmctrls
