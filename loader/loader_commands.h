#pragma once

// The numbers of the tray menu's commands and of the LoaderWindow's timers,
// and what each stands for.

#include <cstdint>

namespace command {
inline constexpr unsigned kHideWidget = 64900;        // 隐藏 (only when opened for a widget)
inline constexpr unsigned kHideAll = 64901;           // 全部隐藏
inline constexpr unsigned kShowAll = 64902;           // 全部显示
inline constexpr unsigned kShowCalendar = 64903;      // 显示桌面日历
inline constexpr unsigned kShowReminderList = 64904;  // 显示日程提醒表...
inline constexpr unsigned kFirstModule = 65000;       // a working module, by menu number
inline constexpr unsigned kLastModule = 65500;
inline constexpr unsigned kPreferences = 68003;       // 属性设置...
inline constexpr unsigned kExit = 68004;              // 退出(&x)
inline constexpr unsigned kHomePage = 68005;          // 泽鲁首页
inline constexpr unsigned kHelpOld = 68006;           // also the help page
inline constexpr unsigned kAbout = 68008;             // 关于
inline constexpr unsigned kHelp = 68012;              // 在线帮助
inline constexpr unsigned kSkins = 70000;             // 更换皮肤...
inline constexpr unsigned kNavigation = 70001;        // 网址导航
inline constexpr unsigned kMsnHistory = 70002;        // MSN聊天记录查看器
inline constexpr unsigned kTimeSync = 70100;          // 网络校时
inline constexpr unsigned kDateTimeSettings = 70101;  // 设置日期和时间
inline constexpr unsigned kWannianli = 70102;         // 万年历
inline constexpr unsigned kExchangeRates = 70103;     // 今日汇率
inline constexpr unsigned kFirstShellPlace = 70200;   // 70200-70215: shell places
inline constexpr unsigned kLastShellPlace = 70215;
inline constexpr unsigned kFirstDrive = 70220;  // 70220-70289: drives other than CD drives
inline constexpr unsigned kLastDrive = 70289;
inline constexpr unsigned kFirstCdDrive = 70290;  // the first CD drive, explored
inline constexpr unsigned kNotepad = 70300;
inline constexpr unsigned kCalculator = 70301;
inline constexpr unsigned kPaint = 70302;
inline constexpr unsigned kBrowser = 70303;
inline constexpr unsigned kCommandPrompt = 70304;
inline constexpr unsigned kFirstOpenCdDoor = 70400;  // 70400-70449: open one CD drive's door
inline constexpr unsigned kLastOpenCdDoor = 70449;
inline constexpr unsigned kFirstCloseCdDoor = 70450;  // 70450-70499: close it
inline constexpr unsigned kLastCloseCdDoor = 70499;
inline constexpr unsigned kOpenAllCdDoors = 70500;
inline constexpr unsigned kCloseAllCdDoors = 70501;
inline constexpr unsigned kLogOff = 70600;
inline constexpr unsigned kRestart = 70601;
inline constexpr unsigned kPowerOff = 70602;
inline constexpr unsigned kShutDown = 70603;           // 快速关机
inline constexpr unsigned kScheduledShutdown = 70604;  // 定时关机...
}  // namespace command

enum class CommandKind {
    kUnknown,  // not the loader's: default handling
    kHideWidget,
    kHideAll,
    kShowAll,
    kShowCalendar,
    kShowReminderList,
    kShowModule,  // argument: the timer that shows it (command - 64999)
    kPreferences,
    kExit,
    kHomePage,
    kHelp,
    kAbout,
    kToolWindow,   // argument: ToolWindowKind
    kSideProgram,  // argument: 0 navigation, 1 chat history
    kDateTimeSettings,
    kShellPlace,  // argument: command - 70200
    kOpenDrive,   // argument: place in the list of drives other than CD drives
    kExploreCdDrive,
    kProgram,  // argument: the command (70300-70304, not 70303)
    kBrowserStartPage,
    kVendorApplication,  // argument: the command
    kOpenCdDoor,         // argument: place in the list of CD drives
    kCloseCdDoor,
    kOpenAllCdDoors,
    kCloseAllCdDoors,
    kPower,  // argument: the command (70600-70603)
};

struct LoaderCommand {
    CommandKind kind = CommandKind::kUnknown;
    int argument = 0;

    friend bool operator==(const LoaderCommand&, const LoaderCommand&) = default;
};

LoaderCommand ClassifyCommand(unsigned command);

// The five tool windows; at most one is open at a time.
enum class ToolWindowKind { kShutdown = 0, kTimeSync = 1, kSkins = 2, kWannianli = 3, kExchangeRates = 4 };
inline constexpr int kToolWindowKinds = 5;

// Timers of the LoaderWindow that this build acts on.
namespace timer {
inline constexpr unsigned kShowFirstModule = 1;  // 1 + module index: show that module
inline constexpr unsigned kLastShowModule = command::kLastModule - (command::kFirstModule - 1);
inline constexpr unsigned kShowAll = 60002;
inline constexpr unsigned kDateWatch = 60040;
inline constexpr unsigned kStartUpDelay = 1;  // ms before the first module is shown
inline constexpr unsigned kTrayClickDelay = 100;
inline constexpr unsigned kMenuDelay = 10;
inline constexpr unsigned kDateWatchPeriod = 2000;

inline constexpr unsigned kNoticeCheck = 60010;       // the hourly update notice check
inline constexpr unsigned kFirstNoticeCheck = 60011;  // once, after start-up: the first check, the version check
inline constexpr unsigned kFirstNoticeDelay = 10000;  // ms
inline constexpr unsigned kSecondNoticeDelay = 600000;
inline constexpr unsigned kNoticeCheckPeriod = 3600000;

inline constexpr unsigned kShutdownCheck = 60020;  // every 2 s: is it the scheduled shutdown's minute?
inline constexpr unsigned kShutdownPause = 60021;  // once, after a countdown: start the check again
}  // namespace timer

enum class TimerAction {
    kNone,        // not ours: default handling
    kShowModule,  // stop it; show module `moduleIndex` if it is usable
    kShowAll,     // stop it; Show(1) and ShowCalendar(1) of every usable module
    kDateWatch,   // compare the date, change the day icon

    kFirstNoticeCheck,  // stop it; check for a notice, start the hourly check and the version check
    kNoticeCheck,       // start it again with the hour; check for a notice

    kShutdownCheck,   // show the shutdown countdown at the scheduled minute
    kShutdownResume,  // stop it; start the shutdown check again
};

struct TimerRoute {
    TimerAction action = TimerAction::kNone;
    int moduleIndex = -1;

    friend bool operator==(const TimerRoute&, const TimerRoute&) = default;
};

TimerRoute RouteTimer(unsigned timerId);
