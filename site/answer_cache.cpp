#include "site/answer_cache.h"

#include <utility>

std::optional<AnswerCache::Entry> AnswerCache::Find(const std::string& key) const {
    const std::lock_guard guard(lock_);
    const auto found = entries_.find(key);
    if (found == entries_.end()) {
        return std::nullopt;
    }
    return found->second;
}

void AnswerCache::Store(const std::string& key, std::string body, Moment fetchedAt) {
    const std::lock_guard guard(lock_);
    entries_[key] = Entry{std::move(body), fetchedAt};
}

std::optional<AnswerCache::Entry> AnswerCache::FindFresh(const std::string& key, Moment now,
                                                         int maxAgeSeconds) const {
    auto entry = Find(key);
    if (!entry || entry->fetchedAt > now || now - entry->fetchedAt > maxAgeSeconds) {
        return std::nullopt;
    }
    return entry;
}
