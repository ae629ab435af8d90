#pragma once

// A timer service the test ticks by hand: each Tick() calls every registered
// listener once, in registration order. As with the real service a listener
// is called only while it is registered, so an alarm that removes itself
// while firing is not called again.

#include <algorithm>
#include <vector>

#include "timer/timer_sense.h"

class ManualTimerService final : public ITimerService {
public:
    void RegisterListener(ITimerSenseObj* listener, unsigned) override {
        UnRegisterListener(listener);
        listeners_.push_back(listener);
    }

    void UnRegisterListener(ITimerSenseObj* listener) override {
        listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
    }

    void Tick() {
        const std::vector<ITimerSenseObj*> round = listeners_;
        for (ITimerSenseObj* listener : round) {
            if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end()) {
                listener->TimeArrive();
            }
        }
    }

private:
    std::vector<ITimerSenseObj*> listeners_;
};
