#pragma once

// A map from key to value that also numbers its entries 0 ... n-1 in
// insertion order. Overwriting a key keeps its number; removing one moves
// every later entry down by one, so the numbers stay contiguous. Iteration
// runs by number, that is in insertion order.

#include <cstddef>
#include <map>
#include <optional>
#include <utility>
#include <vector>

template <typename Key, typename Value>
class vector_map {
public:
    using Entry = std::pair<Key, Value>;
    using const_iterator = typename std::vector<Entry>::const_iterator;

    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }

    const_iterator begin() const { return entries_.begin(); }
    const_iterator end() const { return entries_.end(); }

    // The number of `key`, or nullopt when it is not present.
    std::optional<std::size_t> IndexOf(const Key& key) const {
        auto found = index_.find(key);
        if (found == index_.end()) {
            return std::nullopt;
        }
        return found->second;
    }

    bool Contains(const Key& key) const { return index_.count(key) != 0; }

    // The value stored under `key`, or nullptr. The pointer is valid until
    // the map next changes.
    Value* Find(const Key& key) {
        auto found = index_.find(key);
        return found == index_.end() ? nullptr : &entries_[found->second].second;
    }
    const Value* Find(const Key& key) const {
        auto found = index_.find(key);
        return found == index_.end() ? nullptr : &entries_[found->second].second;
    }

    // Stores `value` under `key`: a new key gets the next number, a present
    // one is overwritten in place. Returns the number.
    std::size_t Insert(const Key& key, Value value) {
        auto found = index_.find(key);
        if (found != index_.end()) {
            entries_[found->second].second = std::move(value);
            return found->second;
        }
        entries_.emplace_back(key, std::move(value));
        try {
            index_.emplace(key, entries_.size() - 1);
        } catch (...) {
            entries_.pop_back();  // keep the two halves in step
            throw;
        }
        return entries_.size() - 1;
    }

    // The entry with number `index`; the caller keeps index < size().
    const Key& KeyAt(std::size_t index) const { return entries_[index].first; }
    Value& ValueAt(std::size_t index) { return entries_[index].second; }
    const Value& ValueAt(std::size_t index) const { return entries_[index].second; }

    // Removes `key`; false when it is not present.
    bool Remove(const Key& key) {
        auto found = index_.find(key);
        if (found == index_.end()) {
            return false;
        }
        const std::size_t removed = found->second;
        index_.erase(found);
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(removed));
        for (std::size_t i = removed; i < entries_.size(); ++i) {
            index_[entries_[i].first] = i;
        }
        return true;
    }

    void Clear() {
        entries_.clear();
        index_.clear();
    }

private:
    std::vector<Entry> entries_;
    std::map<Key, std::size_t> index_;  // key -> its number in entries_
};
