// The command text of a start, and commands forwarded by a second start.

#include "loader/command_line.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CommandLine, CommandTextFollowsTheProgramName) {
    struct Case {
        const char* commandLine;
        const char* text;
    } const cases[] = {
        {"tessary.exe", ""},
        {"\"C:\\Program Files\\tessary\\tessary.exe\"", ""},
        {"\"C:\\Program Files\\tessary\\tessary.exe\"   ", ""},
        {"tessary.exe exit", "exit"},
        {"\"C:\\My Apps\\tessary.exe\" exit", "exit"},
        {"\"C:\\My Apps\\tessary.exe\"exit", "exit"},
        {"tessary.exe   C:\\w\\a.xml  ", "C:\\w\\a.xml"},
        {"tessary.exe \"C:\\My Widgets\\a.xml\"", "C:\\My Widgets\\a.xml"},
        {"tessary.exe C:\\My Widgets\\a.xml", "C:\\My Widgets\\a.xml"},  // the whole rest is one text
        {"tessary.exe \"", "\""},
        {"\"unterminated program name exit", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CommandTextOf(c.commandLine), c.text) << c.commandLine;
    }
}

TEST(CommandLine, ForwardedCommands) {
    using namespace std::string_literals;
    struct Case {
        const char* why;
        std::uint32_t tag;
        std::string data;
        ForwardedKind kind;
        const char* text;
    } const cases[] = {
        {"exit with its zero", 33333, "exit\0"s, ForwardedKind::kExit, "exit"},
        {"exit without a zero", 33333, "exit"s, ForwardedKind::kExit, "exit"},
        {"text after the zero is not read", 33333, "exit\0junk"s, ForwardedKind::kExit, "exit"},
        {"another tag", 33334, "exit\0"s, ForwardedKind::kNotACommand, ""},
        {"case matters", 33333, "Exit\0"s, ForwardedKind::kDescriptor, "Exit"},
        {"blanks matter", 33333, "exit \0"s, ForwardedKind::kDescriptor, "exit "},
        {"a path", 33333, "C:\\w\\a.xml\0"s, ForwardedKind::kDescriptor, "C:\\w\\a.xml"},
        {"nothing", 33333, ""s, ForwardedKind::kIgnored, ""},
        {"only a zero", 33333, "\0"s, ForwardedKind::kIgnored, ""},
    };
    for (const Case& c : cases) {
        ForwardedCommand command = ClassifyForwardedCommand(c.tag, c.data);
        EXPECT_EQ(command.kind, c.kind) << c.why;
        EXPECT_EQ(command.text, c.text) << c.why;
    }
}

}  // namespace
