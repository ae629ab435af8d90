// The tray menu's layout: items, numbers, icons, submenus and drive lists.

#include "loader/tray_menu_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "loader/desktop_commands.h"

namespace {

// One line per entry: "caption command icon", "-" for a separator, "caption >"
// for a submenu.
std::vector<std::string> Lines(const MenuEntry& menu) {
    std::vector<std::string> lines;
    for (const MenuEntry& entry : menu.children) {
        switch (entry.kind) {
            case MenuEntry::Kind::kSeparator:
                lines.push_back("-");
                break;
            case MenuEntry::Kind::kSubmenu:
                lines.push_back(entry.caption + " >");
                break;
            case MenuEntry::Kind::kItem:
                lines.push_back(entry.caption + " " + std::to_string(entry.command) +
                                (entry.icon >= 0 ? " " + std::to_string(entry.icon) : ""));
                break;
        }
    }
    return lines;
}

const MenuEntry& Submenu(const MenuEntry& menu, const std::string& caption) {
    for (const MenuEntry& entry : menu.children) {
        if (entry.kind == MenuEntry::Kind::kSubmenu && entry.caption == caption) {
            return entry;
        }
    }
    static const MenuEntry none;
    ADD_FAILURE() << "no submenu " << caption;
    return none;
}

std::vector<std::string> Tail(std::vector<std::string> lines, std::size_t count) {
    return std::vector<std::string>(lines.end() - static_cast<std::ptrdiff_t>(std::min(count, lines.size())),
                                    lines.end());
}

const DriveLists kCAndCdDAndE = SplitDrives({{"C:\\", false}, {"D:\\", true}, {"E:\\", false}});

TEST(TrayMenuModel, MainMenuInOrder) {
    EXPECT_EQ(Lines(BuildTrayMenu(kCAndCdDAndE)), (std::vector<std::string>{
                                                      "关于 68008",
                                                      "泽鲁首页 68005",
                                                      "在线帮助 68012 9",
                                                      "-",
                                                      "属性设置... 68003 6",
                                                      "更换皮肤... 70000 5",
                                                      "-",
                                                      "网址导航 70001",
                                                      "MSN聊天记录查看器 70002",
                                                      "今日汇率 70103",
                                                      "-",
                                                      "设置日期和时间   70101 4",
                                                      "网络校时 70100",
                                                      "万年历 70102 10",
                                                      "-",
                                                      "快速查看 >",
                                                      "启动程序 >",
                                                      "我的光驱 >",
                                                      "-",
                                                      "关机 >",
                                                      "-",
                                                      "退出(&x) 68004 7",
                                                  }));
}

TEST(TrayMenuModel, DrivesWithOneCdDrive) {
    EXPECT_EQ(kCAndCdDAndE.fixed, (std::vector<std::string>{"C:", "E:"}));
    EXPECT_EQ(kCAndCdDAndE.cd, (std::vector<std::string>{"D:"}));
    MenuEntry menu = BuildTrayMenu(kCAndCdDAndE);
    EXPECT_EQ(Tail(Lines(Submenu(menu, "快速查看")), 5),
              (std::vector<std::string>{"-", "C:盘 70220", "E:盘 70221", "-", "光驱D: 70290"}));
    const MenuEntry& cdDrives = Submenu(menu, "我的光驱");
    EXPECT_EQ(Lines(cdDrives),
              (std::vector<std::string>{"弹出所有光驱 70500 2", "关闭所有光驱 70501 3", "弹出光驱 >", "关闭光驱 >"}));
    EXPECT_EQ(Lines(Submenu(cdDrives, "弹出光驱")), (std::vector<std::string>{"D:盘 70400"}));
    EXPECT_EQ(Lines(Submenu(cdDrives, "关闭光驱")), (std::vector<std::string>{"D:盘 70450"}));
}

TEST(TrayMenuModel, OnlyTheFirstCdDriveIsOfferedForExploring) {
    DriveLists drives = SplitDrives({{"C:\\", false}, {"F:\\", true}, {"G:\\", true}});
    MenuEntry menu = BuildTrayMenu(drives);
    EXPECT_EQ(Tail(Lines(Submenu(menu, "快速查看")), 3), (std::vector<std::string>{"C:盘 70220", "-", "光驱F: 70290"}));
    const MenuEntry& cdDrives = Submenu(menu, "我的光驱");
    EXPECT_EQ(Lines(Submenu(cdDrives, "弹出光驱")), (std::vector<std::string>{"F:盘 70400", "G:盘 70401"}));
    EXPECT_EQ(Lines(Submenu(cdDrives, "关闭光驱")), (std::vector<std::string>{"F:盘 70450", "G:盘 70451"}));
}

TEST(TrayMenuModel, NoCdDriveNoSeparatorAndEmptyDoorMenus) {
    MenuEntry menu = BuildTrayMenu(SplitDrives({{"C:\\", false}, {"E:\\", false}}));
    std::vector<std::string> quickView = Lines(Submenu(menu, "快速查看"));
    EXPECT_EQ(Tail(quickView, 3), (std::vector<std::string>{"-", "C:盘 70220", "E:盘 70221"}));
    const MenuEntry& cdDrives = Submenu(menu, "我的光驱");
    EXPECT_TRUE(Submenu(cdDrives, "弹出光驱").children.empty());
    EXPECT_TRUE(Submenu(cdDrives, "关闭光驱").children.empty());
}

TEST(TrayMenuModel, QuickViewAndPowerAndShowSubmenus) {
    MenuEntry menu = BuildTrayMenu(DriveLists{});
    EXPECT_EQ(Lines(Submenu(menu, "快速查看")),
              (std::vector<std::string>{"桌面 70204", "我的电脑 70200", "网上邻居 70201", "我的文档 70202",
                                        "控制面板 70203", "-", "收藏夹 70207", "历史记录 70209", "图片收藏 70210", "-",
                                        "字体目录 70208", "系统目录 70213", "Windows目录 70214", "程序目录 70211",
                                        "临时目录 70215", "启动项 70212", "打印机 70205", "回收站 70206", "-"}));
    EXPECT_EQ(Lines(Submenu(menu, "关机")), (std::vector<std::string>{"注销 70600", "重启 70601", "关机 70602",
                                                                      "快速关机 70603", "定时关机... 70604"}));
    EXPECT_EQ(Lines(BuildShowSubmenu()), (std::vector<std::string>{"显示桌面日历 64903", "显示日程提醒表... 64904",
                                                                   "全部显示 64902", "全部隐藏 64901"}));
    EXPECT_EQ(BuildShowSubmenu().caption, "显示");
}

TEST(TrayMenuModel, ProgramsSubmenuHasNineApplicationsThenTheSystemsOwn) {
    std::vector<std::string> lines = Lines(Submenu(BuildTrayMenu(DriveLists{}), "启动程序"));
    ASSERT_EQ(lines.size(), 15u);
    std::vector<unsigned> commands;
    for (const std::string& line : lines) {
        commands.push_back(line == "-" ? 0 : static_cast<unsigned>(std::stoul(line.substr(line.rfind(' ') + 1))));
    }
    EXPECT_EQ(commands, (std::vector<unsigned>{70350, 70351, 70352, 0, 70305, 70306, 70307, 70308, 70310, 70309, 70300,
                                               70301, 70302, 70303, 70304}));
    EXPECT_EQ(Tail(lines, 5), (std::vector<std::string>{"记事本 70300", "计算器 70301", "画图板 70302", "浏览器 70303",
                                                        "命令行 70304"}));
}

TEST(TrayMenuModel, DriveNamesLoseTheirBackslashAndEmptyRootsAreSkipped) {
    DriveLists drives = SplitDrives({{"", false}, {"A:", false}, {"\\", true}, {"Z:\\\\", true}});
    EXPECT_EQ(drives.fixed, (std::vector<std::string>{"A:"}));
    EXPECT_EQ(drives.cd, (std::vector<std::string>{"Z:"}));
}

}  // namespace
