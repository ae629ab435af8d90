// Feeds arbitrary bytes to the download rules: the first line is taken as a
// Content-Length value, the rest as a body cut into pieces whose sizes come
// from the input too, the way a server controls both.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "services/download_body.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::size_t lineEnd = input.find('\n');
    std::optional<std::string_view> header;
    if (lineEnd != std::string_view::npos) {
        header = input.substr(0, lineEnd);
        input.remove_prefix(lineEnd + 1);
    }
    std::optional<std::uint64_t> announced = header ? services::ParseContentLength(*header) : std::uint64_t{0};

    services::DownloadBody body(header);
    std::string out;
    std::size_t pieceBytes = input.size();
    while (!input.empty()) {
        // The first byte of each piece picks its length (1 to kDownloadPieceSize).
        std::size_t length = 1 + static_cast<unsigned char>(input.front()) * 2 % services::kDownloadPieceSize;
        std::string_view piece = input.substr(0, length);
        input.remove_prefix(piece.size());
        std::size_t before = out.size();
        body.Append(piece, out);
        // A piece adds exactly its text before the first zero byte.
        if (out.size() - before != piece.substr(0, piece.find('\0')).size() || out.find('\0') != std::string::npos) {
            __builtin_trap();
        }
    }
    if (body.BytesRead() != pieceBytes || body.Complete() != (announced && *announced == pieceBytes)) {
        __builtin_trap();
    }
    body.BreakOff();
    if (body.Complete()) {
        __builtin_trap();
    }
    return 0;
}
