// libFuzzer target of the history store reader. The first byte of the input
// says where the index ends and the data begins; the store is read with both
// entry widths, and what was read must save and read back unchanged.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <unordered_set>

#include "toolkit/history_store.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::size_t split = std::min<std::size_t>(data[0], input.size());
    std::string_view index = input.substr(0, split);
    std::string_view stored = input.substr(split);

    for (std::size_t width : {kShortHistoryEntryBytes, kLongHistoryEntryBytes}) {
        StoredHistory history = ParseHistory(index, stored, width);
        std::size_t total = 0;
        std::unordered_set<std::string_view> seen;
        for (const std::string& entry : history.entries) {
            Check(!entry.empty() && entry.size() <= width && seen.insert(entry).second);
            total += entry.size();
        }
        Check(total <= stored.size());

        StoredHistory again =
            ParseHistory(FormatHistoryIndex(history.entries), FormatHistoryData(history.entries), width);
        Check(!again.damaged && again.entries == history.entries);
    }
    return 0;
}
