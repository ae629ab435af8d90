#pragma once

// A list of listeners that are told, in order, until one handles the news.

#include <cstdint>
#include <vector>

#include "controls/callback.h"
#include "controls/qvctrl_api.h"

namespace cmmctrls {

class QVCTRL_API CNotifier {
public:
    CNotifier() = default;
    virtual ~CNotifier() = default;

    // Calls on_call on each listener in the order they were added and stops
    // at the first non-zero result, which it returns; 0 when none handled.
    virtual int notify(std::uint32_t code, std::uint32_t wparam, std::int32_t lparam);

    // Appends `listener` (not owned; the same one may be added twice). Null
    // is refused.
    bool AddListener(ICallback* listener);
    // Removes the first entry of `listener`; false when it is not listed.
    bool RemoveListener(ICallback* listener);

private:
    std::vector<ICallback*> listeners_;
};

}  // namespace cmmctrls
