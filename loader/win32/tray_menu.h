#pragma once

// The tray menu as owner-drawn Win32 menus: built from the menu model, drawn
// with a strip of 16x16 icons on the left, "隐藏" added on top while the menu
// is opened for a widget, and the 显示 submenu added once at start-up.

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "common/win32/handles.h"
#include "loader/tray_menu_model.h"

class TrayMenu {
public:
    // What each owner-drawn item carries (its item data).
    struct Item {
        std::string caption;  // GBK, with an "&" before its mnemonic
        int icon = -1;        // image-list index, -1 for none
        bool separator = false;
    };

    TrayMenu();
    ~TrayMenu();
    TrayMenu(const TrayMenu&) = delete;
    TrayMenu& operator=(const TrayMenu&) = delete;

    // Builds the menu and its submenus from `model`; `icons` (not owned) is
    // drawn beside the items that have an icon.
    bool Build(const MenuEntry& model, HIMAGELIST icons);
    // Destroys the menu with all its submenus.
    void Destroy();
    HMENU Root() const { return root_.get(); }

    // Inserts `submenu`, followed by a separator, before the root's item
    // with command `before`.
    void InsertSubmenuBefore(unsigned before, const MenuEntry& submenu);

    // Puts "隐藏" (command 64900) on top as the default item, or takes it away.
    void SetHideItem(bool present);

    void OnMeasureItem(MEASUREITEMSTRUCT& measure) const;
    void OnDrawItem(const DRAWITEMSTRUCT& draw) const;
    // The answer to WM_MENUCHAR: runs the item of `menu` whose caption has
    // "&" before `character`, else lets the system beep.
    LRESULT OnMenuChar(char character, HMENU menu) const;

    // The item data of the entry at `position` of `menu`, or nullptr.
    static const Item* ItemAt(HMENU menu, UINT position);

private:
    Item* NewItem(std::string caption, int icon, bool separator);
    bool Append(HMENU menu, const MenuEntry& entry);
    bool Insert(HMENU menu, UINT position, const MenuEntry& entry);

    std::vector<std::unique_ptr<Item>> items_;
    Item* hideItem_ = nullptr;
    UniqueMenu root_;
    HIMAGELIST icons_ = nullptr;
    UniqueGdiObject font_;
    UniqueGdiObject boldFont_;
    UniqueGdiObject background_;
};
