// Any bytes as a published notice's values and as a version page.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "loader/update_notice.h"
#include "loader/version_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::optional<std::string> version = PublishedVersion(text);
    if (version && version->size() > size) {
        __builtin_trap();
    }
    static_cast<void>(IsNewerVersionPublished(text, text));  // only that it returns matters
    static_cast<void>(ReadVersionNumber(text));
    // The first line as the stamp and the rest as the address.
    const std::size_t split = text.find('\n');
    const std::string_view stamp = text.substr(0, split);
    const std::string_view url = split == std::string_view::npos ? std::string_view() : text.substr(split + 1);
    std::optional<UpdateNotice> notice = NoticeToShow({std::string(stamp), std::string(url), "info"}, "0");
    if (notice && (notice->url.empty() || notice->url.size() > url.size())) {
        __builtin_trap();
    }
    if (IsWebAddress(url) && url.find('"') != std::string_view::npos) {
        __builtin_trap();
    }
    return 0;
}
