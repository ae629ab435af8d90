#include "common/temporary_file_name.h"

namespace {

constexpr std::string_view kMarker = ".tmp-";

// Reads a decimal number from the front of `text` as TemporaryFileName
// writes it: 1 to 10 digits, no leading zero, at most 2^32-1.
std::optional<std::uint32_t> TakeNumber(std::string_view& text) {
    std::size_t digits = 0;
    std::uint64_t value = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
        if (digits == 10) {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::uint64_t>(text[digits] - '0');
        ++digits;
    }
    if (digits == 0 || (digits > 1 && text[0] == '0') || value > UINT32_MAX) {
        return std::nullopt;
    }
    text.remove_prefix(digits);
    return static_cast<std::uint32_t>(value);
}

}  // namespace

std::string TemporaryFileName(std::string_view targetName, std::uint32_t processId, std::uint32_t serial) {
    return TemporaryFilePrefix(targetName) + std::to_string(processId) + "-" + std::to_string(serial);
}

std::string TemporaryFilePrefix(std::string_view targetName) {
    std::string prefix(targetName);
    prefix += kMarker;
    return prefix;
}

std::optional<std::uint32_t> TemporaryFileOwner(std::string_view fileName, std::string_view targetName) {
    if (targetName.empty() || fileName.size() <= targetName.size() + kMarker.size() ||
        fileName.substr(0, targetName.size()) != targetName ||
        fileName.substr(targetName.size(), kMarker.size()) != kMarker) {
        return std::nullopt;
    }
    std::string_view rest = fileName.substr(targetName.size() + kMarker.size());
    const std::optional<std::uint32_t> processId = TakeNumber(rest);
    if (!processId || *processId == 0 || rest.empty() || rest[0] != '-') {
        return std::nullopt;
    }
    rest.remove_prefix(1);
    if (!TakeNumber(rest) || !rest.empty()) {
        return std::nullopt;
    }
    return processId;
}

std::vector<std::string> AbandonedTemporaryFiles(const std::vector<std::string>& fileNames,
                                                 std::string_view targetName,
                                                 std::uint32_t ownProcessId,
                                                 const ProcessIsRunning& isRunning) {
    std::vector<std::string> abandoned;
    for (const std::string& name : fileNames) {
        const std::optional<std::uint32_t> owner = TemporaryFileOwner(name, targetName);
        if (owner && *owner != ownProcessId && !isRunning(*owner)) {
            abandoned.push_back(name);
        }
    }
    return abandoned;
}
