#include "trevalo/win32/navigation_view.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <exception>
#include <vector>

#include "common/file_io.h"
#include "common/path_util.h"
#include "hook/win32/lyn_hook32.h"
#include "trevalo/favourite_link.h"
#include "trevalo/site_directory.h"
#include "trevalo/win32/mode_views.h"
#include "trevalo/window_titles.h"

namespace {

// The toolbar's buttons, indexed by NavigationButton: normal image, pressed
// image (none for the buttons that open a menu or the system browser), tool
// tip.
struct ToolbarButton {
    const char* normal;
    const char* pressed;
    const char* tip;
};
constexpr ToolbarButton kToolbar[] = {
    {"file1.bmp", "", "点击弹出页面操作菜单"},
    {"vback1.bmp", "vback4.bmp", "后退"},
    {"vfor1.bmp", "vfor4.bmp", "前进"},
    {"vrefresh1.bmp", "vrefresh4.bmp", "刷新当前页面"},
    {"vstop1.bmp", "vstop4.bmp", "停止当前页面"},
    {"vclose1.bmp", "vclose4.bmp", "关闭当前标签"},
    {"favor1.bmp", "favor4.bmp", "点击弹出收藏夹操作菜单"},
    {"navbar1.bmp", "", "显示或隐藏导航栏"},
    {"vie1.bmp", "", "在IE浏览器中浏览该页面"},
};
static_assert(std::size(kToolbar) == kNavigationToolbarButtons);

// The page menu, top to bottom: its text, the OLE command (OLECMDID_*) it
// sends to the current page, 0 for the entry that ends the program, and
// whether a separator follows it.
struct PageMenuEntry {
    const char* text;
    int oleCommand;
    bool separatorAfter;
};
constexpr PageMenuEntry kPageMenu[] = {
    {"另存为(&A)...", 4, true}, {"页面设置(&S)...", 8, false}, {"打印(&T)...", 6, false}, {"打印预览(&V)...", 7, true},
    {"剪切(&T)...", 11, false}, {"复制(&C)", 12, false},       {"粘贴(&P)", 13, true},    {"撤消(&U)", 15, false},
    {"恢复(&R)", 16, true},     {"全选(&L)", 17, false},       {"清除(&F)", 18, true},    {"退出(&E)", 0, false},
};
// Asks the user where the page allows it (OLECMDEXECOPT_PROMPTUSER).
constexpr int kPromptUser = 1;

// The skins' mask colour, as the frame's and the address box's buttons use.
constexpr COLORREF kButtonMask = RGB(0, 128, 128);
constexpr int kGap = 4;
constexpr int kRowHeight = 24;
constexpr int kTabBarHeight = 24;
constexpr int kTreeWidth = 180;

UniqueMenu NewPopup() {
    return UniqueMenu(CreatePopupMenu());
}

std::string TreeItemText(HWND tree, HTREEITEM item) {
    char text[MAX_PATH] = {};
    TVITEMA query{};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = text;
    query.cchTextMax = static_cast<int>(std::size(text));
    if (SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query)) == 0) {
        return {};
    }
    return text;
}

HTREEITEM NextTreeItem(HWND tree, HTREEITEM item, WPARAM relation) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

void ShellOpen(const std::string& target) {
    // Opening is best effort: the shell reports its own failures to the user.
    ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

std::string FavouritesFolder() {
    char folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_FAVORITES | CSIDL_FLAG_CREATE, nullptr, 0, folder))) {
        return {};
    }
    return folder;
}

}  // namespace

// The tab bar as the session sees it: its pages are the BrowserPages'
// windows.
class NavigationView::TabBar final : public NavigationTabs {
public:
    explicit TabBar(CLynTabCtrl& tabs) : tabs_(tabs) {}
    int GetItemCount() const override { return tabs_.GetItemCount(); }
    int GetCurrentSel() const override { return tabs_.GetCurrentSel(); }
    void* GetItemPage(int index) const override { return tabs_.GetItemWnd(index); }
    std::string GetItemText(int index) const override { return tabs_.GetItemText(index); }
    int AddItemEx(int index, const std::string& text, void* page) override {
        return tabs_.AddItemEx(index, text, static_cast<HWND>(page));
    }
    bool AttachPage(int index, void* page) override { return tabs_.AttachWnd(index, static_cast<HWND>(page)); }
    int RemoveItem(int index) override { return tabs_.RemoveItem(index); }
    bool SetCurrentSel(int index) override { return tabs_.SetCurrentSel(index); }
    bool SetItemTextEx(int index, const std::string& text) override { return tabs_.SetItemTextEx(index, text); }
    void RefreshTabWndTime(int index) override { tabs_.RefreshTabWndTime(index); }

private:
    CLynTabCtrl& tabs_;
};

// A menu entry that cannot be appended (out of memory) is just missing from
// a menu that is made anew for every showing, so the results go unchecked.
UniqueMenu BuildPageMenu() {
    UniqueMenu menu = NewPopup();
    for (std::size_t row = 0; row < std::size(kPageMenu); ++row) {
        AppendMenuA(menu.get(), MF_STRING, kPageMenuFirst + row, kPageMenu[row].text);
        if (kPageMenu[row].separatorAfter) {
            AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
        }
    }
    return menu;
}

UniqueMenu BuildFavouritesMenu() {
    UniqueMenu menu = NewPopup();
    AppendMenuA(menu.get(), MF_STRING, kAddFavourite, "添加到收藏夹(&A)...");
    AppendMenuA(menu.get(), MF_STRING, kOrganiseFavourites, "整理收藏夹(&O)...");
    return menu;
}

UniqueMenu BuildNavigationBarMenu(bool barShown) {
    UniqueMenu menu = NewPopup();
    AppendMenuA(menu.get(), MF_STRING, kToggleNavigationBar, barShown ? "隐藏导航栏" : "显示导航栏");
    return menu;
}

std::unique_ptr<ModeView> MakeNavigationView() {
    return std::make_unique<NavigationView>();
}

NavigationView::NavigationView(OpenWithSystem openWithSystem) : openWithSystem_(std::move(openWithSystem)) {}

NavigationView::~NavigationView() = default;

bool NavigationView::Create(CLynFlatDlg& frame, const TrevaloFolders& folders, const std::string& siteHost) {
    frame_ = &frame;
    folders_ = folders;
    homePage_ = MakerHomePage(siteHost);
    if (!MakeToolbar() || !MakeAddressBox() || !MakeTabBar() || !MakeTree()) {
        return false;
    }
    tabBar_ = std::make_unique<TabBar>(tabs_);
    session_ = std::make_unique<NavigationSession>(*tabBar_, static_cast<NavigationHost&>(*this));
    SetWindowTitle(NavigationWindowTitle(tabs_.GetItemText(tabs_.GetCurrentSel())));
    // When no page window can be made the blank tab stays.
    session_->OpenHome(homePage_);
    return true;
}

bool NavigationView::MakeToolbar() {
    for (std::size_t row = 0; row < std::size(kToolbar); ++row) {
        CTransParentButton& button = buttons_[row];
        const RECT place{0, 0, kRowHeight, kRowHeight};
        if (!button.Create(frame_->GetSafeHwnd(), kNavigationFirstButtonId + static_cast<int>(row), place)) {
            return false;
        }
        const std::string pressed = *kToolbar[row].pressed != '\0' ? SkinImage(folders_, kToolbar[row].pressed) : "";
        // A missing image leaves a plain button, which still works.
        button.SetBitmap(SkinImage(folders_, kToolbar[row].normal), "", pressed, "", kButtonMask);
        frame_->AddToolTip(button.GetSafeHwnd(), kToolbar[row].tip);
    }
    return true;
}

bool NavigationView::MakeAddressBox() {
    history_ = std::make_unique<CLynListBox>();
    // A damaged store is emptied and what could be read is kept; either way
    // the box works, so the answer changes nothing here.
    history_->ReadHistory(JoinPath(folders_.data, "url.dat"), JoinPath(folders_.data, "index_url.dat"), false);
    const RECT place{0, 0, 200, kRowHeight};
    if (!addressBox_.Create(frame_->GetSafeHwnd(), kNavigationAddressBoxId, place)) {
        return false;
    }
    // Without its images the drop button is drawn plain.
    addressBox_.SetButtonBmp(SkinImage(folders_, "combut1.bmp"), SkinImage(folders_, "combut2.bmp"),
                             SkinImage(folders_, "combut3.bmp"));
    addressBox_.SetKidnapListBox(history_.get());
    return true;
}

bool NavigationView::MakeTabBar() {
    const RECT place{0, 0, 200, kTabBarHeight};
    if (!tabs_.Create(frame_->GetSafeHwnd(), kNavigationTabBarId, place)) {
        return false;
    }
    // Without its images the bar draws plain tabs.
    tabs_.SetBkImage(SkinImage(folders_, "tabback.bmp"), SkinImage(folders_, "tab1.bmp"),
                     SkinImage(folders_, "tab2.bmp"));
    return true;
}

bool NavigationView::MakeTree() {
    treeImages_ = MakeTreeImages(folders_);
    tree_ = MakeImageTree(frame_->GetSafeHwnd(), kNavigationTreeId, kTreeWidth, treeImages_);
    return tree_ != nullptr;
}

void NavigationView::Layout(const RECT& area) {
    area_ = area;
    const int width = std::max(0, static_cast<int>(area.right - area.left) - 2 * kGap);
    int x = area.left + kGap;
    int toolbarHeight = kRowHeight;
    for (CTransParentButton& button : buttons_) {
        RECT own{};
        GetWindowRect(button.GetSafeHwnd(), &own);
        const int buttonWidth = own.right - own.left;
        const int buttonHeight = own.bottom - own.top;
        toolbarHeight = std::max(toolbarHeight, buttonHeight);
        SetWindowPos(button.GetSafeHwnd(), nullptr, x, area.top + kGap, buttonWidth, buttonHeight,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        x += buttonWidth + kGap;
    }
    int y = area.top + kGap + toolbarHeight + kGap;
    addressBox_.MoveTo(RECT{area.left + kGap, y, area.left + kGap + width, y + kRowHeight});
    y += kRowHeight + kGap;
    MoveWindow(tabs_.GetSafeHwnd(), area.left + kGap, y, width, kTabBarHeight, TRUE);
    y += kTabBarHeight;
    const int bottom = std::max(y, static_cast<int>(area.bottom) - kGap);
    int pagesLeft = area.left + kGap;
    ShowWindow(tree_, barShown_ ? SW_SHOW : SW_HIDE);
    if (barShown_) {
        MoveWindow(tree_, pagesLeft, y, kTreeWidth, bottom - y, TRUE);
        pagesLeft += kTreeWidth + kGap;
    }
    pageArea_ = RECT{pagesLeft, y, std::max(pagesLeft, static_cast<int>(area.left) + kGap + width), bottom};
    tabs_.SetWndRect(pageArea_);
    tabs_.ResizeWnd();
}

bool NavigationView::OnCommand(WPARAM wParam, LPARAM) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (id == kNavigationAddressBoxId) {
        // An address chosen from the history opens at once, as one typed
        // and confirmed with Enter does.
        if (code == kLynComboEnter || code == kLynComboSelect) {
            session_->OpenAddress(std::string(addressBox_.GetText()));
        } else if (code == kLynComboDropDown || code == kLynComboCloseUp) {
            SetHistoryVisible(code == kLynComboDropDown);
        }
        return true;
    }
    if (id >= kNavigationFirstButtonId && id < kNavigationFirstButtonId + static_cast<int>(std::size(kToolbar)) &&
        code == BN_CLICKED) {
        OnToolbarButton(id - kNavigationFirstButtonId);
        return true;
    }
    return false;
}

bool NavigationView::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.hwndFrom == tabs_.GetSafeHwnd() && header.code == kLynTabSelChange) {
        session_->OnCurrentTabChanged();
        result = 0;
        return true;
    }
    if (header.hwndFrom == tree_ && (header.code == TVN_SELCHANGEDA || header.code == TVN_SELCHANGEDW)) {
        // The item handle sits at the same place in the ANSI and the wide
        // form of the notification.
        const auto& change = reinterpret_cast<const NMTREEVIEWA&>(header);
        OpenSelectedSite(change.itemNew.hItem);
        result = 0;
        return true;
    }
    return false;
}

bool NavigationView::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

void NavigationView::OnToolbarButton(int row) {
    BrowserPage* page = CurrentPage();
    switch (row) {
        case kPageMenuButton:
            ShowMenu(row, BuildPageMenu().get());
            break;
        case kFavouritesButton:
            ShowMenu(row, BuildFavouritesMenu().get());
            break;
        case kNavigationBarButton:
            ShowMenu(row, BuildNavigationBarMenu(barShown_).get());
            break;
        case kSystemBrowserButton: {
            const std::string address = page != nullptr ? page->LocationUrl() : std::string();
            OpenWith(address.empty() ? homePage_ : address);
            break;
        }
        case kCloseTabButton:
            session_->CloseCurrentTab();
            break;
        default:
            if (page == nullptr) {
                break;
            }
            // A page without a history to go to simply does not move.
            if (row == kBackButton) {
                page->GoBack();
            } else if (row == kForwardButton) {
                page->GoForward();
            } else if (row == kReloadButton) {
                page->Refresh();
            } else if (row == kStopButton) {
                page->Stop();
            }
            break;
    }
}

void NavigationView::ShowMenu(int row, HMENU menu) {
    RECT button{};
    GetWindowRect(buttons_[row].GetSafeHwnd(), &button);
    const UINT chosen =
        static_cast<UINT>(TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, button.left, button.bottom,
                                         0, frame_->GetSafeHwnd(), nullptr));
    if (chosen != 0) {
        RunMenuCommand(chosen);
    }
}

void NavigationView::RunMenuCommand(UINT command) {
    if (command >= kPageMenuFirst && command < kPageMenuFirst + std::size(kPageMenu)) {
        const PageMenuEntry& entry = kPageMenu[command - kPageMenuFirst];
        if (entry.oleCommand == 0) {
            frame_->EndDialog(0);
        } else if (BrowserPage* page = CurrentPage()) {
            // A command the page cannot run now (nothing to paste) does nothing.
            page->ExecCommand(entry.oleCommand, kPromptUser);
        }
    } else if (command == kAddFavourite) {
        AddCurrentToFavourites();
    } else if (command == kOrganiseFavourites) {
        OrganiseFavourites();
    } else if (command == kToggleNavigationBar) {
        barShown_ = !barShown_;
        if (area_) {
            Layout(*area_);
        } else {
            ShowWindow(tree_, barShown_ ? SW_SHOW : SW_HIDE);
        }
    }
}

void NavigationView::AddCurrentToFavourites() {
    BrowserPage* page = CurrentPage();
    const std::string folder = FavouritesFolder();
    if (page == nullptr || folder.empty()) {
        return;
    }
    const std::string address = page->LocationUrl();
    if (address.empty()) {
        return;
    }
    const std::string title = tabs_.GetItemText(tabs_.GetCurrentSel());
    if (ReplaceFileAtomically(JoinPath(folder, FavouriteFileName(title, address)), FavouriteFileText(address)) != 0) {
        MessageBoxA(frame_->GetSafeHwnd(), "无法添加到收藏夹。", kNavigationWindowTitle, MB_OK | MB_ICONWARNING);
    }
}

void NavigationView::OrganiseFavourites() {
    const std::string folder = FavouritesFolder();
    if (!folder.empty()) {
        OpenWith(folder);
    }
}

void NavigationView::OpenWith(const std::string& target) const {
    if (openWithSystem_) {
        openWithSystem_(target);
    } else {
        ShellOpen(target);
    }
}

void NavigationView::OpenSelectedSite(HTREEITEM item) {
    if (item == nullptr) {
        return;
    }
    if (NextTreeItem(tree_, item, TVGN_CHILD) != nullptr) {
        SendMessageA(tree_, TVM_EXPAND, TVE_TOGGLE, reinterpret_cast<LPARAM>(item));
        return;
    }
    std::vector<std::string> path;
    for (HTREEITEM at = item; at != nullptr; at = NextTreeItem(tree_, at, TVGN_PARENT)) {
        path.insert(path.begin(), TreeItemText(tree_, at));
    }
    const std::string address = FindSiteAddress(folders_.data, path);
    if (!address.empty()) {
        session_->OpenAddress(address);
    }
}

HTREEITEM NavigationView::InsertTreeItem(HTREEITEM parent, const std::string& text, int image, int selectedImage) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<char*>(text.c_str());
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

void NavigationView::BuildTree() {
    try {
        SendMessageA(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
        for (std::size_t index = 0; index < kCategoryNames.size(); ++index) {
            const SiteCategory category = ReadSiteCategory(folders_.data, index);
            const HTREEITEM node =
                InsertTreeItem(TVI_ROOT, kCategoryNames[index], kTreeImageCategory, kTreeImageCategorySelected);
            for (const std::string& site : category.sites) {
                InsertTreeItem(node, site, kTreeImageSite, kTreeImageSite);
            }
            for (const SiteGroup& group : category.groups) {
                const HTREEITEM groupNode = InsertTreeItem(node, group.name, kTreeImageGroup, kTreeImageGroupSelected);
                for (const std::string& site : group.sites) {
                    InsertTreeItem(groupNode, site, kTreeImageSite, kTreeImageSite);
                }
            }
        }
    } catch (const std::exception&) {
        // Out of memory while reading a file: the categories inserted so far
        // stay, and the worker ends as it would at the end.
    }
}

void NavigationView::OnClickElsewhere() {
    if (!addressBox_.IsDroppedDown()) {
        return;
    }
    POINT cursor{};
    if (GetCursorPos(&cursor) && addressBox_.IsPointOver(cursor)) {
        return;
    }
    // The box reports the drop-down closing, which tells the hook library.
    addressBox_.ShowDropDown(false);
}

void NavigationView::OnClose() {
    addressBox_.ShowDropDown(false);
    addressBox_.SetKidnapListBox(nullptr);
    // Letting the list go saves it into its store.
    history_.reset();
}

BrowserPage* NavigationView::CurrentPage() const {
    if (!session_) {
        return nullptr;
    }
    const auto found = pages_.find(static_cast<HWND>(session_->CurrentPage()));
    return found != pages_.end() ? found->second.get() : nullptr;
}

void* NavigationView::CreatePage(const std::string& address) {
    std::unique_ptr<BrowserPage> page = BrowserPage::Create(frame_->GetSafeHwnd(), pageArea_, this);
    if (!page) {
        return nullptr;
    }
    // Without a web engine the page stays blank; the tab is still the user's.
    page->Navigate(address);
    HWND window = page->Handle();
    pages_[window] = std::move(page);
    return window;
}

void NavigationView::DestroyPage(void* page) {
    pages_.erase(static_cast<HWND>(page));
}

std::string NavigationView::PageAddress(void* page) const {
    const auto found = pages_.find(static_cast<HWND>(page));
    return found != pages_.end() ? found->second->LocationUrl() : std::string();
}

void NavigationView::SetAddressText(const std::string& text) {
    addressBox_.LockChange(true);
    addressBox_.SetText(text);
    addressBox_.LockChange(false);
}

void NavigationView::AddToHistory(const std::string& address) {
    if (history_) {
        // 0 means the address was there already, which is what we want.
        history_->AddItem(address);
    }
}

void NavigationView::SetWindowTitle(const std::string& title) {
    frame_->SetTitleText(title);
}

void NavigationView::OnNavigationComplete(BrowserPage& page) {
    session_->OnNavigationComplete(page.Handle());
}

void NavigationView::OnTitleChange(BrowserPage& page, const std::string& title) {
    session_->OnTitleChange(page.Handle(), title);
}
