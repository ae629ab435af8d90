#pragma once

// NavigationView: the navigation mode's view, a small tabbed web browser. A
// toolbar of page commands, the address box with its remembered history,
// the tab bar whose tabs each hold a BrowserPage, and at the left the tree
// of the site directory. The tab rules are NavigationSession's; this class
// makes the windows, lays them out and passes their events on.

#include <windows.h>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "common/win32/handles.h"
#include "toolkit/lyn_list_box.h"
#include "toolkit/win32/lyn_combo_box.h"
#include "toolkit/win32/lyn_tab_ctrl.h"
#include "toolkit/win32/transparent_button.h"
#include "trevalo/navigation_session.h"
#include "trevalo/win32/browser_page.h"
#include "trevalo/win32/mode_view.h"
#include "trevalo/win32/tree_images.h"

// Commands of the view's pop-up menus (the value TrackPopupMenu returns).
// The page menu's entries are kPageMenuFirst plus their row in the table of
// navigation_view.cpp.
inline constexpr UINT kPageMenuFirst = 100;
inline constexpr UINT kAddFavourite = 200;
inline constexpr UINT kOrganiseFavourites = 201;
inline constexpr UINT kToggleNavigationBar = 300;

// The view's child window ids. The toolbar's buttons are
// kNavigationFirstButtonId plus their place, left to right, as listed in
// NavigationButton.
inline constexpr int kNavigationAddressBoxId = 0x7100;
inline constexpr int kNavigationTabBarId = 0x7101;
inline constexpr int kNavigationTreeId = 0x7102;
inline constexpr int kNavigationFirstButtonId = 0x7110;

enum NavigationButton : int {
    kPageMenuButton,
    kBackButton,
    kForwardButton,
    kReloadButton,
    kStopButton,
    kCloseTabButton,
    kFavouritesButton,
    kNavigationBarButton,
    kSystemBrowserButton,
};
inline constexpr std::size_t kNavigationToolbarButtons = 9;

// The menus as the toolbar shows them.
UniqueMenu BuildPageMenu();
UniqueMenu BuildFavouritesMenu();
UniqueMenu BuildNavigationBarMenu(bool barShown);

// Opens an address or a folder with the system (the default browser, the
// shell's folder window).
using OpenWithSystem = std::function<void(const std::string& target)>;

class NavigationView final : public ModeView, private NavigationHost, private BrowserPageListener {
public:
    // `openWithSystem` stands in for ShellExecuteA when given.
    explicit NavigationView(OpenWithSystem openWithSystem = {});
    ~NavigationView() override;

    bool Create(CLynFlatDlg& frame, const TrevaloFolders& folders, const std::string& siteHost) override;
    void Layout(const RECT& area) override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void BuildTree() override;
    void OnClickElsewhere() override;
    void OnClose() override;

    // Runs a command of the view's menus, as choosing it does.
    void RunMenuCommand(UINT command);

    // What tests look at.
    HWND Tree() const { return tree_; }
    CLynTabCtrl& Tabs() { return tabs_; }
    CLynComboBox& AddressBox() { return addressBox_; }
    const CLynListBox& History() const { return *history_; }
    bool IsNavigationBarShown() const { return barShown_; }
    BrowserPage* CurrentPage() const;

private:
    class TabBar;

    // NavigationHost
    void* CreatePage(const std::string& address) override;
    void DestroyPage(void* page) override;
    std::string PageAddress(void* page) const override;
    void SetAddressText(const std::string& text) override;
    void AddToHistory(const std::string& address) override;
    void SetWindowTitle(const std::string& title) override;
    // BrowserPageListener
    void OnNavigationComplete(BrowserPage& page) override;
    void OnTitleChange(BrowserPage& page, const std::string& title) override;

    bool MakeToolbar();
    bool MakeAddressBox();
    bool MakeTabBar();
    bool MakeTree();
    void OnToolbarButton(int id);
    void ShowMenu(int buttonId, HMENU menu);
    void OpenSelectedSite(HTREEITEM item);
    void AddCurrentToFavourites();
    void OrganiseFavourites();
    void OpenWith(const std::string& target) const;
    HTREEITEM InsertTreeItem(HTREEITEM parent, const std::string& text, int image, int selectedImage);

    OpenWithSystem openWithSystem_;
    CLynFlatDlg* frame_ = nullptr;
    TrevaloFolders folders_;
    std::string homePage_;
    std::array<CTransParentButton, kNavigationToolbarButtons> buttons_;
    // The address box lists this history, so it must outlive the box.
    std::unique_ptr<CLynListBox> history_;
    CLynComboBox addressBox_;
    CLynTabCtrl tabs_;
    std::unique_ptr<TabBar> tabBar_;
    std::unique_ptr<NavigationSession> session_;
    HWND tree_ = nullptr;  // a child of the frame, which destroys it
    UniqueImageList treeImages_;
    bool barShown_ = true;
    std::optional<RECT> area_;
    RECT pageArea_{};
    std::map<HWND, std::unique_ptr<BrowserPage>> pages_;
};
