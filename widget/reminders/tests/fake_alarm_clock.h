#pragma once

// An alarm clock for tests: hands out ids as the real one does (from 1, never
// reused, a non-zero id kept), records every AddAlarm and RemoveAlarm, and
// fires an alarm when the test says so.

#include <cstdint>
#include <map>
#include <vector>

#include "alarmclock/alarm_clock.h"

class FakeAlarmClock final : public alarmclock::IAlarmClock {
public:
    struct Alarm {
        alarmclock::AlarmItem item;
        alarmclock::IAlarmListener* listener = nullptr;
    };
    struct Call {
        enum Operation { kAdd, kRemove } operation;
        std::uint32_t id;                                // kAdd: the id handed back
        alarmclock::AlarmItem item;                      // kAdd only
        alarmclock::IAlarmListener* listener = nullptr;  // kAdd only
    };

    ~FakeAlarmClock() = default;

    bool AddTimeObserver(alarmclock::ITimeObserver*) override { return true; }
    void RemoveTimeObserver(alarmclock::ITimeObserver*) override {}

    std::uint32_t AddAlarm(const alarmclock::AlarmItem& item, alarmclock::IAlarmListener* listener) override {
        const std::uint32_t id = item.id != 0 ? item.id : ++lastId_;
        alarmclock::AlarmItem stored = item;
        stored.id = id;
        alarms_[id] = {stored, listener};
        calls_.push_back({Call::kAdd, id, item, listener});
        return id;
    }

    void RemoveAlarm(const std::uint32_t& id) override {
        alarms_.erase(id);
        calls_.push_back({Call::kRemove, id, {}, nullptr});
    }

    int SetTime(const Moment*) override { return 1; }
    Moment GetSetTime() override { return 0; }

    // Calls the listener of an armed alarm as the real clock does when it
    // fires; false when no such alarm is armed.
    bool Fire(std::uint32_t id) {
        auto found = alarms_.find(id);
        if (found == alarms_.end() || found->second.listener == nullptr) {
            return false;
        }
        const std::uint32_t firing = id;
        found->second.listener->OnAlarm(&firing);
        return true;
    }

    bool IsArmed(std::uint32_t id) const { return alarms_.count(id) != 0; }
    const std::map<std::uint32_t, Alarm>& alarms() const { return alarms_; }
    const std::vector<Call>& calls() const { return calls_; }
    void ClearCalls() { calls_.clear(); }

private:
    std::uint32_t lastId_ = 0;
    std::map<std::uint32_t, Alarm> alarms_;
    std::vector<Call> calls_;
};
