#pragma once

// The rules of a one-shot text download, apart from the web client that
// carries it: which answers are taken, how the body's pieces become text, and
// when the transfer counts as whole.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace services {

// The body is read in pieces of at most this many bytes.
inline constexpr std::size_t kDownloadPieceSize = 511;

// 200, and 304: the server says the copy we asked to revalidate is still
// good; the body is then whatever it sent, normally nothing.
bool IsAcceptedDownloadStatus(unsigned long status);

// The length a Content-Length value announces: decimal digits, optionally
// between blanks. nullopt for anything else (empty, signs, lists, garbage,
// more than 64 bits), which no body can match.
std::optional<std::uint64_t> ParseContentLength(std::string_view value);

// Follows one response body as it arrives.
class DownloadBody {
public:
    // `contentLength`: the response's Content-Length value, nullopt when it
    // has none (then the body is expected to be empty).
    explicit DownloadBody(std::optional<std::string_view> contentLength);

    // Counts every byte of `piece`, but appends to `out` only its text: the
    // bytes before its first zero byte (the download is for text).
    void Append(std::string_view piece, std::string& out);

    // A read failed in the middle of the body: the transfer is not whole.
    void BreakOff();

    // True when no read broke off and exactly the announced number of bytes
    // arrived. A body without an announced length is whole only when empty.
    bool Complete() const;

    std::uint64_t BytesRead() const { return bytesRead_; }

private:
    bool lengthValid_;
    std::uint64_t expected_;
    std::uint64_t bytesRead_ = 0;
    bool brokenOff_ = false;
};

}  // namespace services
