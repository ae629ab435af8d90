#pragma once

// An upstream that answers from a script and counts what it was asked.

#include <string>
#include <vector>

#include "site/upstream.h"

class FakeUpstream final : public IUpstream {
public:
    UpstreamReply Get(const std::string& url) override {
        asked.push_back(url);
        return reply;
    }

    UpstreamReply reply;  // what every request gets
    std::vector<std::string> asked;
};

inline UpstreamReply Answered(int status, std::string body) {
    return UpstreamReply{true, status, std::move(body)};
}

inline UpstreamReply Unreachable() {
    return UpstreamReply{};
}
