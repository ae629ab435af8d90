#include "loader/loader_commands.h"

namespace {

bool Within(unsigned value, unsigned first, unsigned last) {
    return value >= first && value <= last;
}

int Offset(unsigned value, unsigned first) {
    return static_cast<int>(value - first);
}

// Commands that stand for one thing each.
struct FixedCommand {
    unsigned number;
    LoaderCommand command;
};

constexpr FixedCommand kFixedCommands[] = {
    {command::kHideWidget, {CommandKind::kHideWidget, 0}},
    {command::kHideAll, {CommandKind::kHideAll, 0}},
    {command::kShowAll, {CommandKind::kShowAll, 0}},
    {command::kShowCalendar, {CommandKind::kShowCalendar, 0}},
    {command::kShowReminderList, {CommandKind::kShowReminderList, 0}},
    {command::kPreferences, {CommandKind::kPreferences, 0}},
    {command::kExit, {CommandKind::kExit, 0}},
    {command::kHomePage, {CommandKind::kHomePage, 0}},
    {command::kHelpOld, {CommandKind::kHelp, 0}},
    {command::kHelp, {CommandKind::kHelp, 0}},
    {command::kAbout, {CommandKind::kAbout, 0}},
    {command::kSkins, {CommandKind::kToolWindow, static_cast<int>(ToolWindowKind::kSkins)}},
    {command::kNavigation, {CommandKind::kSideProgram, 0}},
    {command::kMsnHistory, {CommandKind::kSideProgram, 1}},
    {command::kTimeSync, {CommandKind::kToolWindow, static_cast<int>(ToolWindowKind::kTimeSync)}},
    {command::kDateTimeSettings, {CommandKind::kDateTimeSettings, 0}},
    {command::kWannianli, {CommandKind::kToolWindow, static_cast<int>(ToolWindowKind::kWannianli)}},
    {command::kExchangeRates, {CommandKind::kToolWindow, static_cast<int>(ToolWindowKind::kExchangeRates)}},
    {command::kFirstCdDrive, {CommandKind::kExploreCdDrive, 0}},
    {command::kNotepad, {CommandKind::kProgram, static_cast<int>(command::kNotepad)}},
    {command::kCalculator, {CommandKind::kProgram, static_cast<int>(command::kCalculator)}},
    {command::kPaint, {CommandKind::kProgram, static_cast<int>(command::kPaint)}},
    {command::kBrowser, {CommandKind::kBrowserStartPage, 0}},
    {command::kCommandPrompt, {CommandKind::kProgram, static_cast<int>(command::kCommandPrompt)}},
    {command::kOpenAllCdDoors, {CommandKind::kOpenAllCdDoors, 0}},
    {command::kCloseAllCdDoors, {CommandKind::kCloseAllCdDoors, 0}},
    {command::kLogOff, {CommandKind::kPower, static_cast<int>(command::kLogOff)}},
    {command::kRestart, {CommandKind::kPower, static_cast<int>(command::kRestart)}},
    {command::kPowerOff, {CommandKind::kPower, static_cast<int>(command::kPowerOff)}},
    {command::kShutDown, {CommandKind::kPower, static_cast<int>(command::kShutDown)}},
    {command::kScheduledShutdown, {CommandKind::kToolWindow, static_cast<int>(ToolWindowKind::kShutdown)}},
};

}  // namespace

LoaderCommand ClassifyCommand(unsigned number) {
    for (const FixedCommand& fixed : kFixedCommands) {
        if (fixed.number == number) {
            return fixed.command;
        }
    }
    if (Within(number, command::kFirstModule, command::kLastModule)) {
        return {CommandKind::kShowModule, Offset(number, command::kFirstModule - 1)};
    }
    if (Within(number, command::kFirstShellPlace, command::kLastShellPlace)) {
        return {CommandKind::kShellPlace, Offset(number, command::kFirstShellPlace)};
    }
    if (Within(number, command::kFirstDrive, command::kLastDrive)) {
        return {CommandKind::kOpenDrive, Offset(number, command::kFirstDrive)};
    }
    if (Within(number, 70305, 70310) || Within(number, 70350, 70352)) {
        return {CommandKind::kVendorApplication, static_cast<int>(number)};
    }
    if (Within(number, command::kFirstOpenCdDoor, command::kLastOpenCdDoor)) {
        return {CommandKind::kOpenCdDoor, Offset(number, command::kFirstOpenCdDoor)};
    }
    if (Within(number, command::kFirstCloseCdDoor, command::kLastCloseCdDoor)) {
        return {CommandKind::kCloseCdDoor, Offset(number, command::kFirstCloseCdDoor)};
    }
    return {};
}

TimerRoute RouteTimer(unsigned timerId) {
    // Every timer a module command can start (1 to 501) shows its module and
    // stops, so none of them is left running.
    if (Within(timerId, timer::kShowFirstModule, timer::kLastShowModule)) {
        return {TimerAction::kShowModule, static_cast<int>(timerId - timer::kShowFirstModule)};
    }
    if (timerId == timer::kShowAll) {
        return {TimerAction::kShowAll, -1};
    }
    if (timerId == timer::kDateWatch) {
        return {TimerAction::kDateWatch, -1};
    }
    if (timerId == timer::kFirstNoticeCheck) {
        return {TimerAction::kFirstNoticeCheck, -1};
    }
    if (timerId == timer::kNoticeCheck) {
        return {TimerAction::kNoticeCheck, -1};
    }
    if (timerId == timer::kShutdownCheck) {
        return {TimerAction::kShutdownCheck, -1};
    }
    if (timerId == timer::kShutdownPause) {
        return {TimerAction::kShutdownResume, -1};
    }
    return {};
}
