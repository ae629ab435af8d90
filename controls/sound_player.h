#pragma once

// The public face of the process-wide sound player: a queue of sound files
// keyed by a caller-chosen number, played one at a time, smallest number
// first. A sound plays once (repeat time 0) or repeats until its repeat time
// runs out, then gives way to the next. The interface crosses the DLL
// boundary; its operations are in this fixed order. Call every operation on
// the thread of the first Play (the caller's user-interface thread).

#include <cstdint>

#include "controls/callback.h"

namespace cmmctrls {

// Codes the player sends to its listeners; lparam is 0.
// The current sound has ended and left the queue; wparam is its number.
inline constexpr std::uint32_t kSoundFinished = 769;  // 0x301
// The queue is empty and playback has stopped; wparam is 0.
inline constexpr std::uint32_t kSoundQueueEmpty = 770;  // 0x302

class ISoundPlayer {
public:
    // Queues `path` (GBK; empty is accepted) under `number`, replacing what
    // that number held, and starts the smallest number. `repeat` is in ms,
    // 0 = play once. False without a sound device, for a null path, or when
    // the player cannot be set up; the queue is then unchanged.
    virtual bool Play(std::uint32_t number, const char* path, std::uint32_t repeat) = 0;
    // Empties the queue and stops; the listeners hear kSoundQueueEmpty even
    // when nothing was queued. Always true.
    virtual bool StopAll() = 0;
    // Listeners are told in the order added (the same one may be added
    // twice) until one answers non-zero; they are not owned. False for null.
    virtual bool AddListener(ICallback* listener) = 0;
    // Removes the first entry of `listener`; false when it is not listed.
    virtual bool RemoveListener(ICallback* listener) = 0;
    // True while the media player exists (from a Play until the queue has
    // run empty and the player has been released).
    virtual bool IsActive() = 0;
    // The number of the current sound; 0 when nothing is queued or there is
    // no media player.
    virtual std::uint32_t GetCurrentID() = 0;
    // Takes `number` out of the queue. The current sound stops without being
    // told as finished and the next number starts; when none is left the
    // listeners hear kSoundQueueEmpty, as after StopAll. False when the
    // number was not queued (nothing changes then).
    virtual bool Stop(std::uint32_t number) = 0;

protected:
    // The player lives as long as the library; callers never free it.
    ~ISoundPlayer() = default;
};

}  // namespace cmmctrls
