#include "controls/sound_queue.h"

namespace cmmctrls {

bool CSoundQueue::Play(std::uint32_t number, const char* path, std::uint32_t repeat) {
    if (!backend_.AudioDevicePresent()) {
        return false;
    }
    if (path == nullptr) {
        return false;
    }
    if (!backend_.CreateHiddenWindow()) {
        return false;
    }
    if (!backend_.HasMedia() && !backend_.CreateMedia()) {
        return false;
    }
    queue_.insert_or_assign(number, SoundEntry{path, repeat});
    StartCurrent();
    return true;
}

bool CSoundQueue::StopAll() {
    if (backend_.HasMedia()) {
        backend_.Stop();
        backend_.Close();
    }
    queue_.clear();
    Finish();
    return true;
}

bool CSoundQueue::AddListener(ICallback* listener) {
    return listeners_.AddListener(listener);
}

bool CSoundQueue::RemoveListener(ICallback* listener) {
    return listeners_.RemoveListener(listener);
}

bool CSoundQueue::IsActive() {
    return backend_.HasMedia();
}

std::uint32_t CSoundQueue::GetCurrentID() {
    if (!backend_.HasMedia() || queue_.empty()) {
        return 0;
    }
    return queue_.begin()->first;
}

// A stop is not the end of a sound: like StopAll it announces nothing but
// the empty queue. A start of the next sound makes an advance still posted
// for the stopped one stale.
bool CSoundQueue::Stop(std::uint32_t number) {
    const auto found = queue_.find(number);
    if (found == queue_.end()) {
        return false;
    }
    const bool current = found == queue_.begin();
    queue_.erase(found);
    if (!current) {
        return true;
    }
    if (backend_.HasMedia()) {
        backend_.Stop();
        backend_.Close();
    }
    if (queue_.empty()) {
        Finish();
    } else {
        StartCurrent();
    }
    return true;
}

void CSoundQueue::OnPlaybackStopped() {
    if (!backend_.HasMedia() || queue_.empty()) {
        return;
    }
    // A sound with a repeat time starts over until its timer ends it.
    if (queue_.begin()->second.repeat != 0) {
        backend_.Replay();
        return;
    }
    RequestAdvance();
}

void CSoundQueue::OnRepeatTimer() {
    RequestAdvance();
}

void CSoundQueue::OnAdvance() {
    // Only an advance posted for the sound that is playing now acts. One
    // posted before a later start (a Play came first) would end a sound that
    // has only just begun, and a second one for the same start (the timer
    // fired twice) would end the next sound unheard.
    if (advanceFor_ != starts_) {
        return;
    }
    advanceFor_.reset();
    if (backend_.HasMedia()) {
        backend_.Stop();
    }
    if (queue_.empty()) {
        backend_.DisarmRepeatTimer();
        return;
    }
    const std::uint32_t number = queue_.begin()->first;
    listeners_.notify(kSoundFinished, number, 0);
    // By number: a listener may have changed the queue while it was told.
    queue_.erase(number);
    if (!queue_.empty()) {
        StartCurrent();
    } else {
        Finish();
    }
}

void CSoundQueue::OnRelease() {
    // A Play between the finish and this message has put the still existing
    // media player to use; releasing it now would cut that sound off and
    // leave its entry stranded without a player.
    if (!queue_.empty()) {
        return;
    }
    backend_.ReleaseMedia();
}

void CSoundQueue::Shutdown() {
    Finish();
    queue_.clear();
    backend_.ReleaseMedia();
}

void CSoundQueue::StartCurrent() {
    if (!backend_.HasMedia() || queue_.empty()) {
        return;
    }
    const std::uint64_t start = ++starts_;
    // A copy: the message box below runs a message loop, whose handlers may
    // change the queue.
    const SoundEntry entry = queue_.begin()->second;
    if (entry.repeat != 0) {
        backend_.ArmRepeatTimer(entry.repeat);
    } else {
        backend_.DisarmRepeatTimer();
    }
    backend_.Stop();
    if (backend_.Open(entry.path)) {
        return;
    }
    backend_.ShowCannotPlay();
    // A file that cannot be played never reports an end. One with a repeat
    // time stays current until its timer fires; one without would hold the
    // queue for good, so it ends at once, as if it had stopped. A start made
    // while the box was up has taken its place and is left alone.
    if (entry.repeat == 0 && starts_ == start) {
        RequestAdvance();
    }
}

void CSoundQueue::RequestAdvance() {
    advanceFor_ = starts_;
    backend_.PostAdvance();
}

void CSoundQueue::Finish() {
    backend_.DisarmRepeatTimer();
    if (backend_.HasMedia()) {
        backend_.Stop();
    }
    listeners_.notify(kSoundQueueEmpty, 0, 0);
    backend_.PostRelease();
}

}  // namespace cmmctrls
