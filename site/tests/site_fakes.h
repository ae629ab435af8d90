#pragma once

// A clock that stands still and an upstream that is never reached, for the
// tests of routes that ask neither.

#include "common/local_time.h"
#include "site/upstream.h"

class StillClock final : public IClock {
public:
    Moment Now() const override { return 1218787200; }  // 2008-08-15 16:00 in Beijing
    std::uint32_t TickCount() const override { return 0; }
};

class UnreachableUpstream final : public IUpstream {
public:
    UpstreamReply Get(const std::string&) override {
        ++asked;
        return {};
    }
    int asked = 0;
};
