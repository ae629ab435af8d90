#pragma once

// Moments and local calendar time. Moments are signed 32-bit seconds since
// 1970-01-01 00:00 UTC, always shown and compared in the local time zone.

#include <cstdint>

using Moment = std::int32_t;

struct LocalTime {
    int year = 1970;  // full year
    int month = 1;    // 1-12
    int day = 1;      // 1-31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int weekday = 0;  // 0 = Sunday ... 6 = Saturday (as the C library counts)

    friend bool operator==(const LocalTime&, const LocalTime&) = default;
};

// The local calendar time of a moment.
LocalTime ToLocalTime(Moment moment);

// The moment of a local calendar time (weekday ignored; fields out of range
// are carried as mktime does, daylight saving time off). Moments outside the
// 32-bit range are clamped to it.
Moment FromLocalTime(const LocalTime& local);

// What code that needs "now" asks, so tests can set the time.
class IClock {
public:
    virtual ~IClock() = default;
    virtual Moment Now() const = 0;
    // Milliseconds since an arbitrary start, wrapping at 2^32 like GetTickCount.
    virtual std::uint32_t TickCount() const = 0;
};

// The machine's clock.
class SystemClock final : public IClock {
public:
    Moment Now() const override;
    std::uint32_t TickCount() const override;
};

// A clock that shows what the test sets.
class FakeClock final : public IClock {
public:
    explicit FakeClock(Moment now = 0, std::uint32_t tick = 0) : now_(now), tick_(tick) {}
    Moment Now() const override { return now_; }
    std::uint32_t TickCount() const override { return tick_; }

    void Set(Moment now) { now_ = now; }
    void SetTick(std::uint32_t tick) { tick_ = tick; }
    // Moves both the time and the tick count on.
    void Advance(int seconds) {
        now_ += seconds;
        tick_ += static_cast<std::uint32_t>(seconds) * 1000u;
    }

private:
    Moment now_;
    std::uint32_t tick_;
};
