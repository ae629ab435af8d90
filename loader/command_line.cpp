#include "loader/command_line.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

std::string CommandTextOf(std::string_view commandLine) {
    std::string_view rest = TrimBlanks(commandLine);
    // The program name, quoted or up to the first blank (the rule Windows
    // programs use for their first argument).
    if (!rest.empty() && rest.front() == '"') {
        std::size_t close = rest.find('"', 1);
        rest = close == std::string_view::npos ? std::string_view() : rest.substr(close + 1);
    } else {
        std::size_t blank = rest.find_first_of(" \t");
        rest = blank == std::string_view::npos ? std::string_view() : rest.substr(blank);
    }
    rest = TrimBlanks(rest);
    if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"') {
        rest = TrimBlanks(rest.substr(1, rest.size() - 2));
    }
    return std::string(rest);
}

ForwardedCommand ClassifyForwardedCommand(std::uint32_t tag, std::string_view data) {
    if (tag != kCopyDataCommand) {
        return {};
    }
    std::string_view text = data.substr(0, data.find('\0'));
    if (text == kExitCommand) {
        return {ForwardedKind::kExit, std::string(text)};
    }
    if (text.empty()) {
        return {ForwardedKind::kIgnored, {}};
    }
    return {ForwardedKind::kDescriptor, std::string(text)};
}
