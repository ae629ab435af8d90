#include "tools/lunarcal/terminal_text.h"

#include "common/text_encoding.h"

namespace {

// Longest part of an argument that an error message quotes.
constexpr std::size_t kMaxQuotedBytes = 40;

}  // namespace

std::string TerminalSafe(std::string_view gbk) {
    std::string safe;
    safe.reserve(gbk.size());
    for (std::size_t pos = 0; pos < gbk.size();) {
        std::size_t length = GbkSequenceLength(gbk.substr(pos));
        auto first = static_cast<unsigned char>(gbk[pos]);
        if (length == 0) {
            safe += kGbkReplacement;
            length = 1;
        } else if (first < 0x20 || first == 0x7F) {
            safe += ' ';
        } else {
            safe.append(gbk.substr(pos, length));
        }
        pos += length;
    }
    return safe;
}

std::string QuotedArgument(std::string_view arg) {
    std::size_t cut = 0;
    while (cut < arg.size() && cut < kMaxQuotedBytes) {
        std::size_t length = GbkSequenceLength(arg.substr(cut));
        cut += length == 0 ? 1 : length;
    }
    return "'" + TerminalSafe(arg.substr(0, cut)) + (cut < arg.size() ? "...'" : "'");
}
