#include "common/xml_encoding.h"

#include "common/text_encoding.h"

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

bool StartsWith(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

// True when the XML declaration at the start of `text` names UTF-8 as its
// encoding ("UTF-8", "utf8" in any letter case).
bool DeclaresUtf8(std::string_view text) {
    if (!StartsWith(text, "<?xml")) {
        return false;
    }
    const std::string_view declaration = text.substr(0, text.find("?>"));
    const std::size_t at = declaration.find("encoding");
    if (at == std::string_view::npos) {
        return false;
    }
    const std::string_view rest = declaration.substr(at + 8);
    const std::size_t quote = rest.find_first_of("\"'");
    if (quote == std::string_view::npos) {
        return false;
    }
    std::string lower;
    for (char c : rest.substr(quote + 1, 5)) {
        lower += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return lower == "utf-8" || lower.substr(0, 4) == "utf8";
}

}  // namespace

std::string XmlDocumentAsGbk(std::string_view document) {
    if (StartsWith(document, kUtf8ByteOrderMark)) {
        return Utf8ToGbk(document.substr(kUtf8ByteOrderMark.size()));
    }
    if (DeclaresUtf8(document)) {
        return Utf8ToGbk(document);
    }
    return std::string(document);
}
