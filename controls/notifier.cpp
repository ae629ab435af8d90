#include "controls/notifier.h"

#include <algorithm>

namespace cmmctrls {

int CNotifier::notify(std::uint32_t code, std::uint32_t wparam, std::int32_t lparam) {
    // A listener may add or remove listeners while it is told: walk a copy so
    // the walk stays valid, and skip a listener that has been removed
    // meanwhile, since it may be gone. One added meanwhile waits for the next
    // notification.
    const std::vector<ICallback*> listeners = listeners_;
    for (ICallback* listener : listeners) {
        if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end()) {
            continue;
        }
        if (int handled = listener->on_call(code, wparam, lparam); handled != 0) {
            return handled;
        }
    }
    return 0;
}

bool CNotifier::AddListener(ICallback* listener) {
    if (listener == nullptr) {
        return false;
    }
    listeners_.push_back(listener);
    return true;
}

bool CNotifier::RemoveListener(ICallback* listener) {
    auto found = std::find(listeners_.begin(), listeners_.end(), listener);
    if (found == listeners_.end()) {
        return false;
    }
    listeners_.erase(found);
    return true;
}

}  // namespace cmmctrls
