#include "trevalo/history_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/text_encoding.h"
#include "trevalo/tests/trevalo_test_folder.h"

// Found by GoogleTest next to the type.
void PrintTo(const ChatMessage& m, std::ostream* out) {
    *out << "{" << m.date << ", " << m.time << ", " << m.sender << ", " << m.receiver << ", " << m.text << "}";
}

namespace {

// A log in the messenger's format: the second message has no To part.
constexpr char kTwoMessageLog[] =
    "<?xml version=\"1.0\"?>\r\n"
    "<?xml-stylesheet type='text/xsl' href='MessageLog.xsl'?>\r\n"
    "<Log FirstSessionID=\"1\" LastSessionID=\"1\">"
    "<Message Date=\"2008-8-15\" Time=\"10:30:00\" SessionID=\"1\">"
    "<From><User FriendlyName=\"张三\"/></From><To><User FriendlyName=\"李四\"/></To>"
    "<Text Style=\"color:#000000; \">你好</Text></Message>\r\n"
    "<Message Date=\"2008-8-15\" Time=\"10:31:05\" SessionID=\"1\">"
    "<From><User FriendlyName=\"李四\"/></From>"
    "<Text>晚上见</Text></Message>\r\n"
    "</Log>\r\n";

// The heading for a work area 1280 pixels wide (message column 680).
constexpr char kHeader1280[] =
    "<table cellspacing=\"0\" cellpadding=\"0\" border=\"0\" style=\"width:1280px\"><tr>"
    "<td style=\"width:100px;background-color:#E5F1FF\"><span class=\"STYLE3\">日期</span></td>"
    "<td style=\"width:100px;background-color:#E5F1FF\"><span class=\"STYLE3\">时间</span></td>"
    "<td style=\"width:200px;background-color:#E5F1FF\"><span class=\"STYLE3\">发送者</span></td>"
    "<td style=\"width:200px;background-color:#E5F1FF\"><span class=\"STYLE3\">接收者</span></td>"
    "<td style=\"width:680px;background-color:#E5F1FF\"><span class=\"STYLE3\">消息</span></td></tr>";

// The rows of kTwoMessageLog for the same width.
constexpr char kFirstRow1280[] =
    "<tr><td style=\"width:100px\"><span class=\"STYLE7\">2008-8-15</span></td>"
    "<td style=\"width:100px\"><span class=\"STYLE7\">10:30:00</span></td>"
    "<td style=\"width:200px\"><span class=\"STYLE7\">张三</span></td>"
    "<td style=\"width:200px\"><span class=\"STYLE7\">李四</span></td>"
    "<td style=\"width:680px\"><span class=\"STYLE7\">你好</span></td></tr>";
constexpr char kSecondRow1280[] =
    "<tr><td style=\"width:100px\"><span class=\"STYLE7\">2008-8-15</span></td>"
    "<td style=\"width:100px\"><span class=\"STYLE7\">10:31:05</span></td>"
    "<td style=\"width:200px\"><span class=\"STYLE7\">李四</span></td>"
    "<td style=\"width:200px\"><span class=\"STYLE7\"></span></td>"
    "<td style=\"width:680px\"><span class=\"STYLE7\">晚上见</span></td></tr>";

const std::vector<ChatMessage> kTwoMessages = {
    {"2008-8-15", "10:30:00", "张三", "李四", "你好"},
    {"2008-8-15", "10:31:05", "李四", "", "晚上见"},
};

using ChatLogTest = TrevaloTestFolder;

TEST_F(ChatLogTest, ReadsMessagesInOrderWithMissingPartsEmpty) {
    EXPECT_EQ(ReadChatLog(kTwoMessageLog), kTwoMessages);
}

TEST_F(ChatLogTest, ReadsLogWrittenInUtf8) {
    std::string utf8 = GbkToUtf8(kTwoMessageLog);
    utf8.replace(utf8.find("version=\"1.0\""), 13, "version=\"1.0\" encoding=\"UTF-8\"");
    EXPECT_EQ(ReadChatLog(utf8), kTwoMessages);
}

TEST_F(ChatLogTest, EveryElementChildOfTheRootIsAMessage) {
    // Parts missing at every level, a comment and text between messages.
    const char* log =
        "<Log><!-- session 2 --><Message/>text<Other Date=\"d\"><From><User/></From><To/></Other>"
        "<Message Time=\"t\"><From><User FriendlyName=\"a\"/><User FriendlyName=\"b\"/></From><Text/></Message></Log>";
    const std::vector<ChatMessage> expected = {{}, {"d", "", "", "", ""}, {"", "t", "a", "", ""}};
    EXPECT_EQ(ReadChatLog(log), expected);
}

TEST_F(ChatLogTest, TakesTheFirstOfSeveralParts) {
    // The first User without a name, a second From, a second Text; the same
    // log again with a last message that has no parts at all.
    const std::string messages =
        "<Message><From><User/><User FriendlyName=\"b\"/></From><From><User FriendlyName=\"c\"/></From>"
        "<To><User FriendlyName=\"r\"/></To><Text>one</Text><Text>two</Text></Message>"
        "<Message><From><User FriendlyName=\"d\"/></From><To><User FriendlyName=\"s\"/></To>"
        "<Text>three</Text></Message>";
    const std::vector<ChatMessage> expected = {{"", "", "b", "r", "one"}, {"", "", "d", "s", "three"}};
    EXPECT_EQ(ReadChatLog("<Log>" + messages + "</Log>"), expected);
    std::vector<ChatMessage> withEmpty = expected;
    withEmpty.push_back({});
    EXPECT_EQ(ReadChatLog("<Log>" + messages + "<Message/></Log>"), withEmpty);
}

TEST_F(ChatLogTest, TextThatDoesNotLoadGivesNoMessages) {
    for (const char* text : {"", "not xml", "<Log><Message>", "<!DOCTYPE Log><Log><Message/></Log>"}) {
        const auto messages = ReadChatLog(text);
        ASSERT_TRUE(messages.has_value()) << text;
        EXPECT_TRUE(messages->empty()) << text;
    }
}

TEST(HistoryTable, HeaderHasFiveHeadingCellsAndOpenTable) {
    EXPECT_EQ(HistoryHeader(1280), kHeader1280);
}

TEST(HistoryTable, MessageColumnIsWorkAreaWidthLess600) {
    EXPECT_NE(HistoryHeader(1024).find("style=\"width:1024px\""), std::string::npos);
    EXPECT_NE(
        HistoryHeader(1024).find("<td style=\"width:424px;background-color:#E5F1FF\"><span class=\"STYLE3\">消息"),
        std::string::npos);
    EXPECT_NE(HistoryRow(kTwoMessages[0], 1024).find("<td style=\"width:424px\"><span class=\"STYLE7\">你好"),
              std::string::npos);
}

TEST(HistoryTable, RowHoldsTheMessagesParts) {
    EXPECT_EQ(HistoryRow(kTwoMessages[0], 1280), kFirstRow1280);
    EXPECT_EQ(HistoryRow(kTwoMessages[1], 1280), kSecondRow1280);
}

TEST(HistoryTable, RowEscapesNamesAndText) {
    const ChatMessage message{"<d>", "t&", "\"Tom\"", "O'Neil", "<script>alert(1)</script>"};
    EXPECT_EQ(
        HistoryRow(message, 700),
        "<tr><td style=\"width:100px\"><span class=\"STYLE7\">&lt;d&gt;</span></td>"
        "<td style=\"width:100px\"><span class=\"STYLE7\">t&amp;</span></td>"
        "<td style=\"width:200px\"><span class=\"STYLE7\">&quot;Tom&quot;</span></td>"
        "<td style=\"width:200px\"><span class=\"STYLE7\">O&#39;Neil</span></td>"
        "<td style=\"width:100px\"><span class=\"STYLE7\">&lt;script&gt;alert(1)&lt;/script&gt;</span></td></tr>");
}

TEST(RenderHistoryText, ReplacesEveryTokenWithHeaderAndRows) {
    const std::string table = std::string(kHeader1280) + kFirstRow1280 + kSecondRow1280;
    struct Case {
        std::string templateText;
        std::string page;
    };
    const Case cases[] = {
        {"<body>[MSNHISTORY]</body>", "<body>" + table + "</body>"},
        {"[MSNHISTORY]-[MSNHISTORY]", table + "-" + table},
        {"[MSNHISTORY[MSNHISTORY]]", "[MSNHISTORY" + table + "]"},
        {"no token here [msnhistory]", "no token here [msnhistory]"},
        {"", ""},
        // '[' as the second byte of a double-byte character starts no token.
        {"\xB0[MSNHISTORY]", "\xB0[MSNHISTORY]"},
        {"中[MSNHISTORY]文", "中" + table + "文"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RenderHistoryText(c.templateText, kTwoMessages, 1280), c.page) << c.templateText;
    }
}

TEST(RenderHistoryText, LogWithoutMessagesGivesTheHeaderAlone) {
    EXPECT_EQ(RenderHistoryText("<p>[MSNHISTORY]</p>", {}, 1280), std::string("<p>") + kHeader1280 + "</p>");
}

class RenderHistoryTest : public TrevaloTestFolder {
protected:
    void SetUp() override {
        TrevaloTestFolder::SetUp();
        logPath_ = PathOf("alice123456789.xml");
        templatePath_ = PathOf("msn.dat");
        pagePath_ = PathOf("history.html");
    }

    std::string logPath_;
    std::string templatePath_;
    std::string pagePath_;
};

TEST_F(RenderHistoryTest, WritesTemplateWithTheLogsTable) {
    WriteFile("alice123456789.xml", kTwoMessageLog);
    WriteFile("msn.dat", "<html>\r\n[MSNHISTORY]\r\n</html>");
    WriteFile("history.html", "an older page that is longer than the new one will be ........................");
    EXPECT_EQ(RenderHistory(logPath_, templatePath_, pagePath_, 1280), RenderResult::kWritten);
    EXPECT_EQ(Contents(pagePath_),
              std::string("<html>\r\n") + kHeader1280 + kFirstRow1280 + kSecondRow1280 + "\r\n</html>");
}

TEST_F(RenderHistoryTest, TemplateWithoutTokenIsWrittenUnchanged) {
    WriteFile("alice123456789.xml", kTwoMessageLog);
    constexpr char kTemplate[] = "<html><body>\xD6\xD0[MSNHIST0RY]\0</body></html>";
    const std::string templateText(kTemplate, sizeof(kTemplate) - 1);
    WriteFile("msn.dat", templateText);
    EXPECT_EQ(RenderHistory(logPath_, templatePath_, pagePath_, 1280), RenderResult::kWritten);
    EXPECT_EQ(Contents(pagePath_), templateText);
}

TEST_F(RenderHistoryTest, LogThatCannotBeReadGivesHeaderOnly) {
    WriteFile("msn.dat", "[MSNHISTORY]");
    WriteFile("broken.xml", "<Log><Message Date=");
    for (const std::string& log : {PathOf("broken.xml"), PathOf("missing.xml")}) {
        EXPECT_EQ(RenderHistory(log, templatePath_, pagePath_, 1280), RenderResult::kWritten) << log;
        EXPECT_EQ(Contents(pagePath_), kHeader1280) << log;
    }
}

TEST_F(RenderHistoryTest, NothingIsWrittenWithoutAPathOrTemplate) {
    WriteFile("alice123456789.xml", kTwoMessageLog);
    WriteFile("msn.dat", "[MSNHISTORY]");
    WriteFile("history.html", "previous page");
    EXPECT_EQ(RenderHistory("", templatePath_, pagePath_, 1280), RenderResult::kNothingToDo);
    EXPECT_EQ(RenderHistory(logPath_, "", pagePath_, 1280), RenderResult::kNothingToDo);
    EXPECT_EQ(RenderHistory(logPath_, templatePath_, "", 1280), RenderResult::kNothingToDo);
    EXPECT_EQ(RenderHistory(logPath_, PathOf("missing.dat"), pagePath_, 1280), RenderResult::kTemplateUnreadable);
    EXPECT_EQ(Contents(pagePath_), "previous page");
}

TEST_F(RenderHistoryTest, PageThatCannotBeWrittenIsReported) {
    WriteFile("alice123456789.xml", kTwoMessageLog);
    WriteFile("msn.dat", "[MSNHISTORY]");
    EXPECT_EQ(RenderHistory(logPath_, templatePath_, PathOf("no_such_folder/history.html"), 1280),
              RenderResult::kWriteFailed);
}

using ExportHistoryPageTest = TrevaloTestFolder;

TEST_F(ExportHistoryPageTest, CopiesThePageByteForByte) {
    const std::string page("<html>\r\n\xC4\xE3\xBA\xC3\0\xFF</html>", 21);
    const std::string pagePath = WriteFile("history.html", page);
    const std::string target = WriteFile("export.html", "an older, longer export that must go completely");
    EXPECT_TRUE(ExportHistoryPage(pagePath, target));
    EXPECT_EQ(Contents(target), page);
}

TEST_F(ExportHistoryPageTest, ReportsPageOrTargetThatFails) {
    const std::string pagePath = WriteFile("history.html", "<html></html>");
    const std::string target = WriteFile("export.html", "kept");
    EXPECT_FALSE(ExportHistoryPage(PathOf("missing.html"), target));
    EXPECT_EQ(Contents(target), "kept");
    EXPECT_FALSE(ExportHistoryPage(pagePath, PathOf("no_such_folder/export.html")));
    EXPECT_EQ(Contents(PathOf("no_such_folder/export.html")), "<missing>");
}

}  // namespace
