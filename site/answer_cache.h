#pragma once

// The last good answer of each upstream question, kept in memory with the
// moment it was fetched, so the service answers from the cache while it is
// fresh and keeps serving it (with its age) when the upstream fails.
// Shared by the HTTP layer's worker threads: every call takes the lock.

#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "common/local_time.h"

class AnswerCache {
public:
    struct Entry {
        std::string body;
        Moment fetchedAt = 0;
    };

    std::optional<Entry> Find(const std::string& key) const;
    void Store(const std::string& key, std::string body, Moment fetchedAt);

    // An entry no older than `maxAgeSeconds` at `now`; one fetched "in the
    // future" (the clock was set back) counts as stale.
    std::optional<Entry> FindFresh(const std::string& key, Moment now, int maxAgeSeconds) const;

private:
    mutable std::mutex lock_;
    std::map<std::string, Entry> entries_;
};
