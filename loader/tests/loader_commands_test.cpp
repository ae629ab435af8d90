// Command numbers, timer routing and the tool-window slots.

#include "loader/loader_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "loader/tool_window_slots.h"

namespace {

TEST(LoaderCommands, ClassifiesEveryRangeAtItsEdges) {
    struct Case {
        unsigned number;
        LoaderCommand command;
    } const cases[] = {
        {64899, {}},
        {64900, {CommandKind::kHideWidget, 0}},
        {64901, {CommandKind::kHideAll, 0}},
        {64902, {CommandKind::kShowAll, 0}},
        {64903, {CommandKind::kShowCalendar, 0}},
        {64904, {CommandKind::kShowReminderList, 0}},
        {64999, {}},
        {65000, {CommandKind::kShowModule, 1}},  // the timer that shows module 0
        {65002, {CommandKind::kShowModule, 3}},
        {65500, {CommandKind::kShowModule, 501}},
        {65501, {}},
        {68003, {CommandKind::kPreferences, 0}},
        {68004, {CommandKind::kExit, 0}},
        {68005, {CommandKind::kHomePage, 0}},
        {68006, {CommandKind::kHelp, 0}},
        {68012, {CommandKind::kHelp, 0}},
        {68008, {CommandKind::kAbout, 0}},
        {70000, {CommandKind::kToolWindow, static_cast<int>(ToolWindowKind::kSkins)}},
        {70001, {CommandKind::kSideProgram, 0}},
        {70002, {CommandKind::kSideProgram, 1}},
        {70100, {CommandKind::kToolWindow, static_cast<int>(ToolWindowKind::kTimeSync)}},
        {70101, {CommandKind::kDateTimeSettings, 0}},
        {70102, {CommandKind::kToolWindow, static_cast<int>(ToolWindowKind::kWannianli)}},
        {70103, {CommandKind::kToolWindow, static_cast<int>(ToolWindowKind::kExchangeRates)}},
        {70200, {CommandKind::kShellPlace, 0}},
        {70215, {CommandKind::kShellPlace, 15}},
        {70216, {}},
        {70220, {CommandKind::kOpenDrive, 0}},
        {70289, {CommandKind::kOpenDrive, 69}},
        {70290, {CommandKind::kExploreCdDrive, 0}},
        {70291, {}},
        {70300, {CommandKind::kProgram, 70300}},
        {70303, {CommandKind::kBrowserStartPage, 0}},
        {70304, {CommandKind::kProgram, 70304}},
        {70305, {CommandKind::kVendorApplication, 70305}},
        {70310, {CommandKind::kVendorApplication, 70310}},
        {70311, {}},
        {70349, {}},
        {70350, {CommandKind::kVendorApplication, 70350}},
        {70352, {CommandKind::kVendorApplication, 70352}},
        {70353, {}},
        {70400, {CommandKind::kOpenCdDoor, 0}},
        {70449, {CommandKind::kOpenCdDoor, 49}},
        {70450, {CommandKind::kCloseCdDoor, 0}},
        {70499, {CommandKind::kCloseCdDoor, 49}},
        {70500, {CommandKind::kOpenAllCdDoors, 0}},
        {70501, {CommandKind::kCloseAllCdDoors, 0}},
        {70600, {CommandKind::kPower, 70600}},
        {70603, {CommandKind::kPower, 70603}},
        {70604, {CommandKind::kToolWindow, static_cast<int>(ToolWindowKind::kShutdown)}},
        {70605, {}},
    };
    for (const Case& c : cases) {
        LoaderCommand command = ClassifyCommand(c.number);
        EXPECT_EQ(command.kind, c.command.kind) << c.number;
        EXPECT_EQ(command.argument, c.command.argument) << c.number;
    }
}

TEST(LoaderTimers, RoutesTheTimersOfThisBuild) {
    struct Case {
        unsigned timer;
        TimerRoute route;
    } const cases[] = {
        {0, {}},
        {1, {TimerAction::kShowModule, 0}},  // start-up and tray click
        {3, {TimerAction::kShowModule, 2}},
        // A module command can start any timer up to 501; each must stop again.
        {501, {TimerAction::kShowModule, 500}},
        {502, {}},
        {60002, {TimerAction::kShowAll, -1}},
        {60040, {TimerAction::kDateWatch, -1}},
        {60009, {}},
        {60010, {TimerAction::kNoticeCheck, -1}},
        {60011, {TimerAction::kFirstNoticeCheck, -1}},
        {60012, {}},
        {60020, {TimerAction::kShutdownCheck, -1}},
        {60021, {TimerAction::kShutdownResume, -1}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RouteTimer(c.timer), c.route) << c.timer;
    }
    // Every module command's timer is one that shows its module.
    for (unsigned number = 65000; number <= 65500; ++number) {
        LoaderCommand command = ClassifyCommand(number);
        EXPECT_EQ(RouteTimer(static_cast<unsigned>(command.argument)),
                  (TimerRoute{TimerAction::kShowModule, static_cast<int>(number - 65000)}));
    }
}

// A tool window that notes when it is closed.
class NotingWindow : public ToolWindow {
public:
    NotingWindow(std::vector<std::string>& log, std::string name) : log_(log), name_(std::move(name)) {
        log_.push_back("open " + name_);
    }
    ~NotingWindow() override { log_.push_back("close " + name_); }

private:
    std::vector<std::string>& log_;
    std::string name_;
};

TEST(ToolWindowSlots, OpeningOneClosesEveryOpenOneFirst) {
    std::vector<std::string> log;
    ToolWindowSlots slots;
    auto make = [&log](const char* name) {
        return [&log, name]() -> std::unique_ptr<ToolWindow> { return std::make_unique<NotingWindow>(log, name); };
    };
    slots.Open(ToolWindowKind::kShutdown, make("shutdown"));
    slots.Open(ToolWindowKind::kTimeSync, make("timesync"));
    EXPECT_EQ(slots.At(ToolWindowKind::kShutdown), nullptr);
    EXPECT_NE(slots.At(ToolWindowKind::kTimeSync), nullptr);
    // The same command again reopens its window fresh.
    slots.Open(ToolWindowKind::kTimeSync, make("timesync again"));
    // A window that cannot be made leaves every slot empty.
    slots.Open(ToolWindowKind::kSkins, [] { return std::unique_ptr<ToolWindow>(); });
    EXPECT_EQ(slots.At(ToolWindowKind::kSkins), nullptr);
    EXPECT_EQ(slots.At(ToolWindowKind::kTimeSync), nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"open shutdown", "close shutdown", "open timesync", "close timesync",
                                             "open timesync again", "close timesync again"}));
}

}  // namespace
