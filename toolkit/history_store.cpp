#include "toolkit/history_store.h"

#include <cstdint>
#include <unordered_set>

namespace {

std::uint32_t ReadLength(std::string_view bytes) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
    }
    return value;
}

void AppendLength(std::string& out, std::size_t length) {
    auto value = static_cast<std::uint32_t>(length);
    for (int i = 0; i < 4; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

}  // namespace

StoredHistory ParseHistory(std::string_view index, std::string_view data, std::size_t entryBytes) {
    StoredHistory history;
    std::unordered_set<std::string_view> seen;
    std::size_t position = 0;
    for (std::size_t at = 0; index.size() - at >= 4; at += 4) {
        std::uint32_t length = ReadLength(index.substr(at, 4));
        if (length > data.size() - position) {
            history.damaged = true;
            break;
        }
        std::string_view entry = data.substr(position, length);
        position += length;
        if (entry.empty() || entry.size() > entryBytes || !seen.insert(entry).second) {
            continue;
        }
        history.entries.emplace_back(entry);
    }
    return history;
}

std::string FormatHistoryIndex(const std::vector<std::string>& entries) {
    std::string index;
    index.reserve(entries.size() * 4);
    for (const std::string& entry : entries) {
        AppendLength(index, entry.size());
    }
    return index;
}

std::string FormatHistoryData(const std::vector<std::string>& entries) {
    std::string data;
    for (const std::string& entry : entries) {
        data += entry;
    }
    return data;
}
