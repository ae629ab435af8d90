#include "loader/tray_menu_model.h"

#include <algorithm>

#include "loader/desktop_commands.h"
#include "loader/loader_commands.h"

namespace {

// Image-list indexes of the menu icons (bitmap 176).
constexpr int kIconEjectAll = 2;
constexpr int kIconCloseAll = 3;
constexpr int kIconDateTime = 4;
constexpr int kIconSkins = 5;
constexpr int kIconSettings = 6;
constexpr int kIconExit = 7;
constexpr int kIconHelp = 9;
constexpr int kIconWannianli = 10;

constexpr std::size_t kMaxFixedDrives = command::kLastDrive - command::kFirstDrive + 1;
constexpr std::size_t kMaxCdDrives = command::kLastOpenCdDoor - command::kFirstOpenCdDoor + 1;

// The windows behind these commands come with later parts of the program.
std::string DriveName(std::string_view root) {
    while (!root.empty() && (root.back() == '\\' || root.back() == '/')) {
        root.remove_suffix(1);
    }
    return std::string(root);
}

MenuEntry QuickViewSubmenu(const DriveLists& drives) {
    std::vector<MenuEntry> items = {
        MenuEntry::Item("桌面", 70204),
        MenuEntry::Item("我的电脑", 70200),
        MenuEntry::Item("网上邻居", 70201),
        MenuEntry::Item("我的文档", 70202),
        MenuEntry::Item("控制面板", 70203),
        MenuEntry::Separator(),
        MenuEntry::Item("收藏夹", 70207),
        MenuEntry::Item("历史记录", 70209),
        MenuEntry::Item("图片收藏", 70210),
        MenuEntry::Separator(),
        MenuEntry::Item("字体目录", 70208),
        MenuEntry::Item("系统目录", 70213),
        MenuEntry::Item("Windows目录", 70214),
        MenuEntry::Item("程序目录", 70211),
        MenuEntry::Item("临时目录", 70215),
        MenuEntry::Item("启动项", 70212),
        MenuEntry::Item("打印机", 70205),
        MenuEntry::Item("回收站", 70206),
        MenuEntry::Separator(),
    };
    for (std::size_t i = 0; i < drives.fixed.size(); ++i) {
        items.push_back(MenuEntry::Item(drives.fixed[i] + "盘", command::kFirstDrive + static_cast<unsigned>(i)));
    }
    if (!drives.cd.empty()) {
        items.push_back(MenuEntry::Separator());
        items.push_back(MenuEntry::Item("光驱" + drives.cd.front(), command::kFirstCdDrive));
    }
    return MenuEntry::Submenu("快速查看", std::move(items));
}

MenuEntry ProgramsSubmenu() {
    std::vector<MenuEntry> items;
    for (const VendorApplication& application : VendorApplications()) {
        items.push_back(MenuEntry::Item(std::string(application.caption), application.command));
        if (application.command == kLastVendorCommandBeforeSeparator) {
            items.push_back(MenuEntry::Separator());
        }
    }
    items.push_back(MenuEntry::Item("记事本", command::kNotepad));
    items.push_back(MenuEntry::Item("计算器", command::kCalculator));
    items.push_back(MenuEntry::Item("画图板", command::kPaint));
    items.push_back(MenuEntry::Item("浏览器", command::kBrowser));
    items.push_back(MenuEntry::Item("命令行", command::kCommandPrompt));
    return MenuEntry::Submenu("启动程序", std::move(items));
}

MenuEntry CdDrivesSubmenu(const DriveLists& drives) {
    std::vector<MenuEntry> eject;
    std::vector<MenuEntry> close;
    for (std::size_t i = 0; i < drives.cd.size(); ++i) {
        eject.push_back(MenuEntry::Item(drives.cd[i] + "盘", command::kFirstOpenCdDoor + static_cast<unsigned>(i)));
        close.push_back(MenuEntry::Item(drives.cd[i] + "盘", command::kFirstCloseCdDoor + static_cast<unsigned>(i)));
    }
    return MenuEntry::Submenu("我的光驱", {
                                              MenuEntry::Item("弹出所有光驱", command::kOpenAllCdDoors, kIconEjectAll),
                                              MenuEntry::Item("关闭所有光驱", command::kCloseAllCdDoors, kIconCloseAll),
                                              MenuEntry::Submenu("弹出光驱", std::move(eject)),
                                              MenuEntry::Submenu("关闭光驱", std::move(close)),
                                          });
}

MenuEntry PowerSubmenu() {
    return MenuEntry::Submenu("关机", {
                                          MenuEntry::Item("注销", command::kLogOff),
                                          MenuEntry::Item("重启", command::kRestart),
                                          MenuEntry::Item("关机", command::kPowerOff),
                                          MenuEntry::Item("快速关机", command::kShutDown),
                                          MenuEntry::Item("定时关机...", command::kScheduledShutdown),
                                      });
}

}  // namespace

DriveLists SplitDrives(const std::vector<DriveRoot>& roots) {
    DriveLists lists;
    for (const DriveRoot& drive : roots) {
        std::vector<std::string>& list = drive.isCd ? lists.cd : lists.fixed;
        std::size_t limit = drive.isCd ? kMaxCdDrives : kMaxFixedDrives;
        std::string name = DriveName(drive.root);
        if (!name.empty() && list.size() < limit) {
            list.push_back(std::move(name));
        }
    }
    return lists;
}

MenuEntry MenuEntry::Item(std::string caption, unsigned command, int icon) {
    MenuEntry entry;
    entry.caption = std::move(caption);
    entry.command = command;
    entry.icon = icon;
    return entry;
}

MenuEntry MenuEntry::Separator() {
    MenuEntry entry;
    entry.kind = Kind::kSeparator;
    return entry;
}

MenuEntry MenuEntry::Submenu(std::string caption, std::vector<MenuEntry> children) {
    MenuEntry entry;
    entry.kind = Kind::kSubmenu;
    entry.caption = std::move(caption);
    entry.children = std::move(children);
    return entry;
}

MenuEntry BuildTrayMenu(const DriveLists& drives) {
    return MenuEntry::Submenu("", {
                                      MenuEntry::Item("关于", command::kAbout),
                                      MenuEntry::Item("泽鲁首页", command::kHomePage),
                                      MenuEntry::Item("在线帮助", command::kHelp, kIconHelp),
                                      MenuEntry::Separator(),
                                      MenuEntry::Item("属性设置...", command::kPreferences, kIconSettings),
                                      MenuEntry::Item("更换皮肤...", command::kSkins, kIconSkins),
                                      MenuEntry::Separator(),
                                      MenuEntry::Item("网址导航", command::kNavigation),
                                      MenuEntry::Item("MSN聊天记录查看器", command::kMsnHistory),
                                      MenuEntry::Item("今日汇率", command::kExchangeRates),
                                      MenuEntry::Separator(),
                                      MenuEntry::Item("设置日期和时间  ", command::kDateTimeSettings, kIconDateTime),
                                      MenuEntry::Item("网络校时", command::kTimeSync),
                                      MenuEntry::Item("万年历", command::kWannianli, kIconWannianli),
                                      MenuEntry::Separator(),
                                      QuickViewSubmenu(drives),
                                      ProgramsSubmenu(),
                                      CdDrivesSubmenu(drives),
                                      MenuEntry::Separator(),
                                      PowerSubmenu(),
                                      MenuEntry::Separator(),
                                      MenuEntry::Item("退出(&x)", command::kExit, kIconExit),
                                  });
}

MenuEntry BuildShowSubmenu() {
    return MenuEntry::Submenu(std::string(kShowSubmenuCaption),
                              {
                                  MenuEntry::Item("显示桌面日历", command::kShowCalendar),
                                  MenuEntry::Item("显示日程提醒表...", command::kShowReminderList),
                                  MenuEntry::Item("全部显示", command::kShowAll),
                                  MenuEntry::Item("全部隐藏", command::kHideAll),
                              });
}
