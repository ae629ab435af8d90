#include "trevalo/contact_map.h"

void ContactMap::Add(std::uintptr_t item, const std::string& path) {
    const std::lock_guard<std::mutex> hold(lock_);
    paths_[item] = path;
}

std::string ContactMap::PathOf(std::uintptr_t item) const {
    const std::lock_guard<std::mutex> hold(lock_);
    const auto found = paths_.find(item);
    return found == paths_.end() ? std::string() : found->second;
}

void ContactMap::Clear() {
    const std::lock_guard<std::mutex> hold(lock_);
    paths_.clear();
}
