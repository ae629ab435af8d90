#include "services/download_body.h"

#include <algorithm>
#include <limits>

namespace services {

bool IsAcceptedDownloadStatus(unsigned long status) {
    return status == 200 || status == 304;
}

std::optional<std::uint64_t> ParseContentLength(std::string_view value) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!value.empty() && blank(value.front())) {
        value.remove_prefix(1);
    }
    while (!value.empty() && blank(value.back())) {
        value.remove_suffix(1);
    }
    if (value.empty()) {
        return std::nullopt;
    }
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t length = 0;
    for (char c : value) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        auto digit = static_cast<std::uint64_t>(c - '0');
        if (length > (kMax - digit) / 10) {
            return std::nullopt;
        }
        length = length * 10 + digit;
    }
    return length;
}

DownloadBody::DownloadBody(std::optional<std::string_view> contentLength) : lengthValid_(true), expected_(0) {
    if (contentLength) {
        std::optional<std::uint64_t> parsed = ParseContentLength(*contentLength);
        lengthValid_ = parsed.has_value();
        expected_ = parsed.value_or(0);
    }
}

void DownloadBody::Append(std::string_view piece, std::string& out) {
    bytesRead_ += piece.size();
    out.append(piece.begin(), std::find(piece.begin(), piece.end(), '\0'));
}

void DownloadBody::BreakOff() {
    brokenOff_ = true;
}

bool DownloadBody::Complete() const {
    return lengthValid_ && !brokenOff_ && bytesRead_ == expected_;
}

}  // namespace services
