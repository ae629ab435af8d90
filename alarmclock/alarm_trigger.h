#pragma once

// The timer listener of one armed alarm. It is registered with the timer
// service at 1000 ms on the thread that added the alarm and decides, about
// once a second, whether the alarm is due.

#include <cstdint>

#include "alarmclock/qvcb_api.h"
#include "common/local_time.h"
#include "timer/timer_sense.h"

namespace alarmclock {

class CAlarmClock;

class QVCB_API AlarmTrigger final : public ITimerSenseObj {
public:
    // Not registered yet: CAlarmClock::AddAlarm registers it.
    AlarmTrigger(CAlarmClock& owner,
                 ITimerService& timer,
                 const IClock& clock,
                 std::uint32_t id,
                 std::int32_t repeat,
                 Moment startTime);
    // Unregisters it from the timer service.
    ~AlarmTrigger() override;
    AlarmTrigger(const AlarmTrigger&) = delete;
    AlarmTrigger& operator=(const AlarmTrigger&) = delete;

    void TimeArrive() override;

    // A new time and period for the same alarm; the last firing is kept.
    void Update(Moment startTime, std::int32_t repeat);

    std::uint32_t Id() const { return id_; }

    // The longest a repeating alarm stays quiet after firing, so that the
    // minute it fired in cannot fire it again.
    static constexpr std::uint32_t kRefireGuardMs = 60000;

private:
    bool IsDueThisMinute(Moment now) const;

    CAlarmClock& owner_;
    ITimerService& timer_;
    const IClock& clock_;
    const std::uint32_t id_;
    std::int32_t repeat_;           // minutes; 0 = once
    Moment startTime_;              // only its local hour and minute count
    std::uint32_t lastFiring_ = 0;  // tick count (ms) of the last firing
    bool hasFired_ = false;
};

}  // namespace alarmclock
