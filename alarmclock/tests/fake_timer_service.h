#pragma once

// A timer service that the test ticks by hand: every Tick() calls each
// registered listener once, in registration order, as one round of one
// second. Like the real service it calls a listener only if it is still
// registered when its turn comes, and registering a listener again moves it
// to the end.

#include <algorithm>
#include <utility>
#include <vector>

#include "timer/timer_sense.h"

class FakeTimerService final : public ITimerService {
public:
    void RegisterListener(ITimerSenseObj* listener, unsigned interval) override {
        registrations.emplace_back(listener, interval);
        Forget(listener);
        listeners_.push_back(listener);
    }

    void UnRegisterListener(ITimerSenseObj* listener) override { Forget(listener); }

    void Tick() {
        const std::vector<ITimerSenseObj*> round = listeners_;
        for (ITimerSenseObj* listener : round) {
            if (IsRegistered(listener)) {
                listener->TimeArrive();
            }
        }
    }

    bool IsRegistered(const ITimerSenseObj* listener) const {
        return std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end();
    }
    std::size_t ListenerCount() const { return listeners_.size(); }

    // Every RegisterListener call: listener and interval in milliseconds.
    std::vector<std::pair<ITimerSenseObj*, unsigned>> registrations;

private:
    void Forget(ITimerSenseObj* listener) {
        auto found = std::find(listeners_.begin(), listeners_.end(), listener);
        if (found != listeners_.end()) {
            listeners_.erase(found);
        }
    }

    std::vector<ITimerSenseObj*> listeners_;
};
