#include "trevalo/history_page.h"

#include "common/file_io.h"
#include "common/html_escape.h"
#include "common/xml_encoding.h"
#include "xml/xml_dom.h"
#include "xml/xml_helper.h"

namespace {

// Width of the date, time, sender and receiver columns together; the message
// column takes the rest of the work area.
constexpr int kFixedColumnsWidth = 600;

bool IsLeadByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x81 && byte <= 0xFE;
}

// The text of the first node `xpath` selects; empty when there is none.
std::string FirstText(const CXMLDOMDocument2& document, const std::string& xpath) {
    const CXMLDOMNodeList nodes = document.SelectNodes(xpath);
    if (nodes.GetLength() < 1) {
        return {};
    }
    return nodes.GetItem(0).GetText();
}

// A part of a message that sits below its element: the path from the
// message to the part (the first node it selects is the part), the same
// part selected for all messages at once (at most one node each), and where
// it goes.
struct MessagePart {
    const char* path;
    const char* firstOfEach;
    std::string ChatMessage::*field;
};

constexpr MessagePart kMessageParts[] = {
    {"/From/User/@FriendlyName", "/*/*/From[User/@FriendlyName][1]/User[@FriendlyName][1]/@FriendlyName",
     &ChatMessage::sender},
    {"/To/User/@FriendlyName", "/*/*/To[User/@FriendlyName][1]/User[@FriendlyName][1]/@FriendlyName",
     &ChatMessage::receiver},
    {"/Text", "/*/*/Text[1]", &ChatMessage::text},
};

// The DOM handles offer no child navigation, so a message's parts are
// selected from the document. Selecting one message by its position costs a
// walk along the root's children; when every message has a part, a single
// selection gives that part of all of them in order instead, so a long log
// does not take a walk per message and part.
std::vector<ChatMessage> ReadMessages(const CXMLDOMDocument2& document) {
    std::vector<ChatMessage> messages;
    try {
        const CXMLDOMNodeList elements = document.SelectNodes("/*/*");
        const long count = elements.GetLength();
        std::vector<CXMLDOMNodeList> allAtOnce;
        for (const MessagePart& part : kMessageParts) {
            CXMLDOMNodeList nodes = document.SelectNodes(part.firstOfEach);
            allAtOnce.push_back(nodes.GetLength() == count ? nodes : CXMLDOMNodeList());
        }
        for (long i = 0; i < count; ++i) {
            const CXMLDOMNode element = elements.GetItem(i);
            ChatMessage message;
            message.date = XML_Helper::GetAttr(element, "Date");
            message.time = XML_Helper::GetAttr(element, "Time");
            const std::string path = "/*/*[" + std::to_string(i + 1) + "]";
            for (std::size_t p = 0; p < allAtOnce.size(); ++p) {
                message.*kMessageParts[p].field = allAtOnce[p].IsEmpty()
                                                      ? FirstText(document, path + kMessageParts[p].path)
                                                      : allAtOnce[p].GetItem(i).GetText();
            }
            messages.push_back(std::move(message));
        }
    } catch (CComException* error) {
        // A message the DOM cannot read ends the log; what came before stays.
        delete error;
    }
    return messages;
}

std::string Cell(int width, const char* style, std::string_view text, const char* cssClass) {
    std::string cell = "<td style=\"width:" + std::to_string(width) + "px" + style + "\"><span class=\"";
    cell += cssClass;
    cell += "\">";
    cell += text;
    cell += "</span></td>";
    return cell;
}

std::string HeadingCell(int width, const char* label) {
    return Cell(width, ";background-color:#E5F1FF", label, "STYLE3");
}

std::string ValueCell(int width, const std::string& value) {
    return Cell(width, "", HtmlEscape(value), "STYLE7");
}

}  // namespace

std::optional<std::vector<ChatMessage>> ReadChatLog(const std::string& xmlText) {
    CXMLDOMDocument2 document;
    try {
        document = CDOMDocumentClass::CreateXMLDOMDocument2();
        document.SetProperty("SelectionLanguage", std::string("XPath"));
        document.SetAsync(0);
        document.SetPreserveWhiteSpace(1);
    } catch (CComException* error) {
        delete error;
        return std::nullopt;
    }
    // The messenger writes its logs in UTF-8; the XML layer reads GBK.
    if (!XML_Helper::OpenXMLFromMemory(XmlDocumentAsGbk(xmlText).c_str(), document)) {
        return std::vector<ChatMessage>{};
    }
    return ReadMessages(document);
}

std::string HistoryHeader(int width) {
    const int messageWidth = width - kFixedColumnsWidth;
    return "<table cellspacing=\"0\" cellpadding=\"0\" border=\"0\" style=\"width:" + std::to_string(width) +
           "px\"><tr>" + HeadingCell(100, "日期") + HeadingCell(100, "时间") + HeadingCell(200, "发送者") +
           HeadingCell(200, "接收者") + HeadingCell(messageWidth, "消息") + "</tr>";
}

std::string HistoryRow(const ChatMessage& message, int width) {
    return "<tr>" + ValueCell(100, message.date) + ValueCell(100, message.time) + ValueCell(200, message.sender) +
           ValueCell(200, message.receiver) + ValueCell(width - kFixedColumnsWidth, message.text) + "</tr>";
}

std::string RenderHistoryText(const std::string& templateText, const std::vector<ChatMessage>& messages, int width) {
    const std::string_view token = kHistoryToken;
    std::string table;
    std::string page;
    page.reserve(templateText.size());
    // Character by character: '[' may be the second byte of a double-byte
    // character, which must not start a token.
    for (std::size_t i = 0; i < templateText.size();) {
        if (templateText.compare(i, token.size(), token) == 0) {
            if (table.empty()) {
                table = HistoryHeader(width);
                for (const ChatMessage& message : messages) {
                    table += HistoryRow(message, width);
                }
            }
            page += table;
            i += token.size();
            continue;
        }
        const std::size_t length = IsLeadByte(templateText[i]) && i + 1 < templateText.size() ? 2 : 1;
        page.append(templateText, i, length);
        i += length;
    }
    return page;
}

RenderResult RenderHistory(const std::string& logPath,
                           const std::string& templatePath,
                           const std::string& pagePath,
                           int width) {
    if (logPath.empty() || templatePath.empty() || pagePath.empty()) {
        return RenderResult::kNothingToDo;
    }
    std::string templateText;
    if (!ReadWholeFile(templatePath, templateText)) {
        return RenderResult::kTemplateUnreadable;
    }
    // A log that cannot be read leaves the text empty and renders like one
    // that does not load: the table's heading without rows.
    std::string logText;
    static_cast<void>(ReadWholeFile(logPath, logText));
    const std::optional<std::vector<ChatMessage>> messages = ReadChatLog(logText);
    if (!messages) {
        return RenderResult::kNoParser;
    }
    if (ReplaceFileAtomically(pagePath, RenderHistoryText(templateText, *messages, width)) != 0) {
        return RenderResult::kWriteFailed;
    }
    return RenderResult::kWritten;
}

bool ExportHistoryPage(const std::string& pagePath, const std::string& targetPath) {
    std::string page;
    return ReadWholeFile(pagePath, page) && ReplaceFileAtomically(targetPath, page) == 0;
}
