#pragma once

// Tree item → log path of the history mode's contact tree. The tree worker
// fills it while the user may already select items on the window's thread,
// so every access takes the lock.

#include <cstdint>
#include <map>
#include <mutex>
#include <string>

class ContactMap {
public:
    void Add(std::uintptr_t item, const std::string& path);
    // The path of `item`; empty when the item is no log.
    std::string PathOf(std::uintptr_t item) const;
    void Clear();

private:
    mutable std::mutex lock_;
    std::map<std::uintptr_t, std::string> paths_;
};
