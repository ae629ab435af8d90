// Any bytes as an alarm list: reading must not crash or overflow, and
// whatever was read must come back unchanged when it is written and read
// again (names, start times and periods).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "alarmclock/alarm_saver.h"

namespace {

class FuzzSaver final : public alarmclock::CAlarmSaver_base {
public:
    FuzzSaver() : CAlarmSaver_base(alarmclock::SaveFailureNotifier{}) {}
    using CAlarmSaver_base::Data2XMLString;
    using CAlarmSaver_base::XMLString2Data;
    bool ApplyAlarms() override { return false; }
};

}  // namespace

// Start times are compared as moments; a fixed zone without daylight saving
// makes local time convert both ways.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("TZ", "UTC", 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    FuzzSaver saver;
    std::vector<alarmclock::AlarmItem> read;
    if (!saver.XMLString2Data(text, read)) {
        if (!read.empty()) {
            __builtin_trap();  // a refused text appends nothing
        }
        return 0;
    }

    vector_map<std::uint32_t, alarmclock::AlarmItem> items;
    for (std::size_t i = 0; i < read.size() && i < 64; ++i) {
        items.Insert(static_cast<std::uint32_t>(i + 1), read[i]);
    }
    std::vector<alarmclock::AlarmItem> again;
    if (!saver.XMLString2Data(saver.Data2XMLString(items), again) || again.size() != items.size()) {
        __builtin_trap();
    }
    for (std::size_t i = 0; i < again.size(); ++i) {
        const alarmclock::AlarmItem& before = items.ValueAt(i);
        if (again[i].name != before.name || again[i].startTime != before.startTime ||
            again[i].repeat != before.repeat) {
            __builtin_trap();
        }
    }
    return 0;
}
