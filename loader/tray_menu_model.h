#pragma once

// The tray menu as data: items, separators and submenus in their order, with
// command numbers and image-list icons. The Windows code turns it into
// owner-drawn menus; tests read it as it is.

#include <string>
#include <string_view>
#include <vector>

// A drive root as the system lists it ("C:\") and whether it is a CD drive.
struct DriveRoot {
    std::string root;
    bool isCd = false;
};

// The drive names of the menus ("C:", without the backslash), made once when
// the menu is built.
struct DriveLists {
    std::vector<std::string> fixed;  // every drive that is not a CD drive, in drive order
    std::vector<std::string> cd;     // the CD drives, in drive order
};

// Splits the system's drive roots into the two lists. At most as many drives
// as the menu has command numbers for are kept (70 others, 50 CD drives).
DriveLists SplitDrives(const std::vector<DriveRoot>& roots);

struct MenuEntry {
    enum class Kind { kItem, kSeparator, kSubmenu };

    Kind kind = Kind::kItem;
    std::string caption;  // GBK
    unsigned command = 0;
    int icon = -1;  // index in the 16x16 menu image list, -1 for none
    std::vector<MenuEntry> children;  // the submenu's entries

    static MenuEntry Item(std::string caption, unsigned command, int icon = -1);
    static MenuEntry Separator();
    static MenuEntry Submenu(std::string caption, std::vector<MenuEntry> children);
};

// The tray menu as it is built when the LoaderWindow is created (without
// "隐藏" and without the 显示 submenu, which are added later).
MenuEntry BuildTrayMenu(const DriveLists& drives);

// The 显示 submenu, added once at start-up when a module is working.
MenuEntry BuildShowSubmenu();

inline constexpr std::string_view kHideCaption = "隐藏";
inline constexpr std::string_view kShowSubmenuCaption = "显示";
