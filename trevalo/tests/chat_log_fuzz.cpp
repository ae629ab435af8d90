// libFuzzer target: any bytes read as a chat log and rendered into a
// template that holds the token, so reading and every row's escaping run.

#include <cstddef>
#include <cstdint>
#include <string>

#include "trevalo/history_page.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto messages = ReadChatLog(text);
    if (!messages) {
        return 0;
    }
    // Values are escaped and the inserted table is not searched again, so
    // the page is the heading, the rows and the template's own end.
    const std::string page = RenderHistoryText("<p>[MSNHISTORY]</p>", *messages, 1280);
    if (!page.starts_with("<p>" + HistoryHeader(1280)) || !page.ends_with("</tr></p>")) {
        __builtin_trap();
    }
    // The text itself as a template: any tokens in it are replaced.
    static_cast<void>(RenderHistoryText(text, *messages, 1280));
    return 0;
}
