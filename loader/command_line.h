#pragma once

// The names and numbers through which a second start of the loader, the
// shell and the widget modules reach the running loader, and how a command
// line and a forwarded command are read.

#include <cstdint>
#include <string>
#include <string_view>

inline constexpr char kSingleInstanceMutexName[] = "{3330AFFF-6B6F-4a14-8AEC-335112B7C5E6}";
inline constexpr char kLoaderWindowClass[] = "QvCalendar Loader Class";
// WM_COPYDATA tag of a command forwarded by a second start.
inline constexpr std::uint32_t kCopyDataCommand = 33333;
// The tray icon's callback message; the mouse message is in its second argument.
inline constexpr unsigned kTrayNotifyMessage = 33768;
// Opens the tray menu; first argument a module index or -1 (sent by widgets
// and by the tray itself).
inline constexpr unsigned kShowTrayMenuMessage = 3026;
// The command that ends the running copy.
inline constexpr std::string_view kExitCommand = "exit";

// The command text of a whole command line (as GetCommandLine gives it):
// what follows the program name, without blanks at either end, and without
// one pair of quotes around the whole rest ("C:\My Widgets\a.xml" arrives
// quoted when the path has blanks). Empty when nothing follows.
std::string CommandTextOf(std::string_view commandLine);

enum class ForwardedKind {
    kNotACommand,  // another tag: default handling
    kExit,         // close the running copy
    kDescriptor,   // a descriptor path to add, if such a file exists
    kIgnored,      // our tag, but nothing to do (empty text)
};

struct ForwardedCommand {
    ForwardedKind kind = ForwardedKind::kNotACommand;
    std::string text;
};

// Reads a WM_COPYDATA: `tag` and the bytes it carried. The text ends at the
// first zero byte or at the end of the data, whichever comes first, so a
// sender that left out the terminating zero is not read past its data.
// "exit" is compared exactly (case-sensitive).
ForwardedCommand ClassifyForwardedCommand(std::uint32_t tag, std::string_view data);
