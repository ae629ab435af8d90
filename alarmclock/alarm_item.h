#pragma once

// One alarm: a name, a moment and a repeat period. The reminder record of the
// calendar widget begins with these four fields in this order.

#include <cstdint>
#include <string>

#include "common/local_time.h"

namespace alarmclock {

struct AlarmItem {
    std::uint32_t id = 0;     // 0 = none assigned yet
    std::string name;         // GBK
    Moment startTime = 0;     // only its local hour and minute matter for firing
    std::int32_t repeat = 0;  // minutes; 0 = fire once

    friend bool operator==(const AlarmItem&, const AlarmItem&) = default;
};

}  // namespace alarmclock
