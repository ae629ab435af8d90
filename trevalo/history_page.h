#pragma once

// The history mode's page: a chat log (the messenger's XML log format) is
// read into messages and written into the template Trevalo\Data\msn.dat at
// its token "[MSNHISTORY]" as an HTML table, giving Trevalo\Data\history.html.
// All text is GBK.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr char kHistoryToken[] = "[MSNHISTORY]";
inline constexpr char kHistoryTemplateFile[] = "msn.dat";
inline constexpr char kHistoryPageFile[] = "history.html";

// One message of a log: the message element's Date and Time attributes, the
// FriendlyName of From/User and of To/User, and the Text element's text. A
// part that is missing is empty.
struct ChatMessage {
    std::string date;
    std::string time;
    std::string sender;
    std::string receiver;
    std::string text;

    bool operator==(const ChatMessage&) const = default;
};

// The messages of the log text `xmlText`, in document order, up to the first
// child of the root that cannot be read. Nothing when the XML parser cannot
// be created; a text that does not load gives no messages.
std::optional<std::vector<ChatMessage>> ReadChatLog(const std::string& xmlText);

// The table's opening and heading row for a work area `width` pixels wide,
// and one row per message (names and text escaped); the message column is
// width - 600 pixels wide.
std::string HistoryHeader(int width);
std::string HistoryRow(const ChatMessage& message, int width);

// `templateText` with every token replaced by the header and the rows; a
// template without the token comes back unchanged.
std::string RenderHistoryText(const std::string& templateText, const std::vector<ChatMessage>& messages, int width);

enum class RenderResult {
    kWritten,      // the page was written
    kNothingToDo,  // a path was empty: nothing read or written
    kNoParser,     // the XML parser could not be made: nothing written
    kTemplateUnreadable,
    kWriteFailed,  // the page could not be written; the old page stays
};

// Reads the log at `logPath` and the template at `templatePath` and writes
// the page to `pagePath` (replaced whole).
RenderResult RenderHistory(const std::string& logPath,
                           const std::string& templatePath,
                           const std::string& pagePath,
                           int width);

// Copies the page at `pagePath` byte for byte to `targetPath` (replaced
// whole). False when the page cannot be read or the target not written.
bool ExportHistoryPage(const std::string& pagePath, const std::string& targetPath);
