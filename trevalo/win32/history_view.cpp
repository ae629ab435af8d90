#include "trevalo/win32/history_view.h"

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <array>
#include <atomic>
#include <memory>
#include <optional>
#include <string>

#include "common/path_util.h"
#include "services/product_services.h"
#include "toolkit/win32/transparent_button.h"
#include "trevalo/contact_map.h"
#include "trevalo/contact_tree.h"
#include "trevalo/history_page.h"
#include "trevalo/win32/browser_page.h"
#include "trevalo/win32/file_dialogs.h"
#include "trevalo/win32/mode_views.h"
#include "trevalo/win32/tree_images.h"
#include "trevalo/win32/trevalo_window.h"
#include "trevalo/window_titles.h"

namespace {

constexpr char kOpenFilter[] = "MSN聊天记录文件 (*.xml)|*.xml||";
constexpr char kExportFilter[] = "MSN聊天记录文件 (*.html)|*.html||";
constexpr COLORREF kMaskColour = RGB(0, 128, 128);
constexpr int kToolbarHeight = 36;
constexpr int kGap = 2;

struct ToolButton {
    int id;
    const char* image;
    int width;
    const char* tip;
};

// The toolbar from left to right.
constexpr std::array<ToolButton, 5> kToolButtons = {{
    {kHistoryOpenButton, "open1.bmp", 32, "打开其他MSN聊天记录文件"},
    {kHistorySaveButton, "save1.bmp", 32, "导出当前聊天记录并保存到本地"},
    {kHistoryRefreshButton, "vrefresh1.bmp", 32, "刷新当前聊天记录"},
    {kHistorySearchButton, "search1.bmp", 32, "显示或隐藏联系人列表"},
    {kHistoryHelpButton, "help1.bmp", 42, "帮助"},
}};

int WorkAreaWidth() {
    RECT area{};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) {
        return GetSystemMetrics(SM_CXSCREEN);
    }
    return area.right - area.left;
}

std::string DocumentsFolder() {
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path))) {
        return {};
    }
    return path;
}

HTREEITEM InsertItem(HWND tree, HTREEITEM parent, const std::string& text, int image) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<char*>(text.c_str());
    insert.item.iImage = image;
    insert.item.iSelectedImage = image;
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

void ClearTree(HWND tree) {
    SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

// Fills the tree from the worker thread. Every change is a message sent to
// the tree, so the window's thread makes it and the window stays usable.
class TreeSink : public ContactTreeSink {
public:
    TreeSink(HWND tree, ContactMap& map) : tree_(tree), map_(map) {}

    std::uintptr_t AddAccount(const std::string& text) override {
        if (first_) {
            ClearTree(tree_);
            first_ = false;
        }
        return reinterpret_cast<std::uintptr_t>(InsertItem(tree_, TVI_ROOT, text, kTreeImageAccount));
    }

    void AddLog(std::uintptr_t account, const std::string& text, const std::string& path) override {
        HTREEITEM item = InsertItem(tree_, reinterpret_cast<HTREEITEM>(account), text, kTreeImageLog);
        if (item != nullptr) {
            map_.Add(reinterpret_cast<std::uintptr_t>(item), path);
        }
    }

private:
    HWND tree_;
    ContactMap& map_;
    bool first_ = true;
};

// The system's folders, refusing to list any more once a stop was asked for,
// which ends the walk at its next folder.
class StoppableReader : public DirectoryReader {
public:
    explicit StoppableReader(const std::atomic<bool>& stop) : stop_(stop), reader_(MakeSystemDirectoryReader()) {}
    bool List(const std::string& folder, std::vector<DirectoryEntry>& entries) const override {
        return !stop_.load() && reader_ && reader_->List(folder, entries);
    }

private:
    const std::atomic<bool>& stop_;
    std::unique_ptr<DirectoryReader> reader_;
};

class HistoryView : public ModeView {
public:
    bool Create(CLynFlatDlg& frame, const TrevaloFolders& folders, const std::string& siteHost) override;
    void Layout(const RECT& area) override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    bool OnMessage(UINT, WPARAM, LPARAM, LRESULT&) override { return false; }
    void BuildTree() override;
    void StopTree() override { stop_ = true; }
    void OnClickElsewhere() override {}
    void OnClose() override {}

private:
    bool CreateToolbar();
    bool CreateTree();
    void OnSelect(HTREEITEM item);
    void Render(const std::string& logPath);
    void OpenLog();
    void Export();
    void ToggleTree();
    void ShowMenu(HWND button, const std::array<std::pair<int, const char*>, 2>& items);
    void ShowAbout();

    CLynFlatDlg* frame_ = nullptr;
    HWND window_ = nullptr;
    TrevaloFolders folders_;
    std::string siteHost_;
    std::array<CTransParentButton, kToolButtons.size()> buttons_;
    HWND tree_ = nullptr;  // a child of the frame, destroyed with it
    UniqueImageList treeImages_;
    std::unique_ptr<BrowserPage> pane_;
    ContactMap map_;
    std::atomic<bool> stop_{false};
    std::string currentLog_;
    bool treeShown_ = true;
    RECT area_{};
};

bool HistoryView::Create(CLynFlatDlg& frame, const TrevaloFolders& folders, const std::string& siteHost) {
    frame_ = &frame;
    window_ = frame.GetSafeHwnd();
    folders_ = folders;
    siteHost_ = siteHost;
    frame.SetTitleText(kHistoryWindowTitle);
    if (!CreateToolbar() || !CreateTree()) {
        return false;
    }
    const RECT place{0, 0, 100, 100};
    pane_ = BrowserPage::Create(window_, place, nullptr);
    if (pane_) {
        ShowWindow(pane_->Handle(), SW_SHOW);
    }
    return true;
}

bool HistoryView::CreateToolbar() {
    int left = kGap;
    for (std::size_t i = 0; i < kToolButtons.size(); ++i) {
        const ToolButton& tool = kToolButtons[i];
        const RECT place{left, 0, left + tool.width, 32};
        if (!buttons_[i].Create(window_, tool.id, place)) {
            return false;
        }
        // A missing picture leaves an empty button that still works.
        buttons_[i].SetBitmap(SkinImage(folders_, tool.image), "", "", "", kMaskColour);
        frame_->AddToolTip(buttons_[i].GetSafeHwnd(), tool.tip);
        left += tool.width + kGap;
    }
    return true;
}

bool HistoryView::CreateTree() {
    treeImages_ = MakeTreeImages(folders_);
    tree_ = MakeImageTree(window_, kHistoryTree, kHistoryTreeWidth, treeImages_);
    return tree_ != nullptr;
}

void HistoryView::Layout(const RECT& area) {
    area_ = area;
    int left = area.left + kGap;
    for (std::size_t i = 0; i < kToolButtons.size(); ++i) {
        MoveWindow(buttons_[i].GetSafeHwnd(), left, area.top + kGap, kToolButtons[i].width, 32, TRUE);
        left += kToolButtons[i].width + kGap;
    }
    const int top = area.top + kToolbarHeight;
    const int height = area.bottom > top + kGap ? area.bottom - top - kGap : 0;
    int paneLeft = area.left + kGap;
    if (treeShown_) {
        MoveWindow(tree_, paneLeft, top, kHistoryTreeWidth, height, TRUE);
        paneLeft += kHistoryTreeWidth + kGap;
    }
    if (pane_) {
        const int width = area.right - kGap > paneLeft ? area.right - kGap - paneLeft : 0;
        MoveWindow(pane_->Handle(), paneLeft, top, width, height, TRUE);
    }
}

bool HistoryView::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    switch (id) {
        case kHistoryOpenButton:
            OpenLog();
            return true;
        case kHistorySaveButton:
            Export();
            return true;
        case kHistoryRefreshButton:
        case kHistoryRefreshLogItem:
            Render(currentLog_);
            return true;
        case kHistorySearchButton:
            ToggleTree();
            return true;
        case kHistoryHelpButton:
            ShowMenu(control, {{{kHistoryHomePageItem, "泽鲁首页"}, {kHistoryAboutItem, "关于本软件"}}});
            return true;
        case kHistoryRefreshTreeItem:
            PostMessageA(window_, kRebuildTreeMessage, 0, 0);
            return true;
        case kHistoryHomePageItem:
            // The browser shows its own errors; nothing to add when it cannot start.
            ShellExecuteA(window_, "open", MakerHomePage(siteHost_).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
            return true;
        case kHistoryAboutItem:
            ShowAbout();
            return true;
        default:
            return false;
    }
}

bool HistoryView::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.hwndFrom != tree_) {
        return false;
    }
    result = 0;
    if (header.code == TVN_SELCHANGEDA || header.code == TVN_SELCHANGEDW) {
        // The item handle lies at the same place in both forms.
        OnSelect(reinterpret_cast<const NMTREEVIEWA&>(header).itemNew.hItem);
        return true;
    }
    if (header.code == static_cast<UINT>(NM_RCLICK)) {
        ShowMenu(nullptr,
                 {{{kHistoryRefreshTreeItem, "刷新联系人列表"}, {kHistoryRefreshLogItem, "刷新当前聊天记录"}}});
        result = 1;
        return true;
    }
    return false;
}

void HistoryView::OnSelect(HTREEITEM item) {
    if (item == nullptr) {
        return;
    }
    HWND tree = tree_;
    if (SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)) != 0) {
        SendMessageA(tree, TVM_EXPAND, TVE_TOGGLE, reinterpret_cast<LPARAM>(item));
        return;
    }
    const std::string path = map_.PathOf(reinterpret_cast<std::uintptr_t>(item));
    if (!path.empty()) {
        Render(path);
    }
}

// Whatever the rendering gave, the pane shows the page file as it now is:
// the new page, or the previous one when nothing could be written.
void HistoryView::Render(const std::string& logPath) {
    const std::string page = JoinPath(folders_.data, kHistoryPageFile);
    const RenderResult rendered =
        RenderHistory(logPath, JoinPath(folders_.data, kHistoryTemplateFile), page, WorkAreaWidth());
    if (rendered == RenderResult::kWritten) {
        currentLog_ = logPath;
    }
    if (pane_ && rendered != RenderResult::kNothingToDo) {
        pane_->Navigate(page);
    }
}

void HistoryView::OpenLog() {
    if (std::optional<std::string> chosen = ChooseFileToOpen(window_, kHistoryOpenTitle, kOpenFilter)) {
        Render(*chosen);
    }
}

// A failed export is said so, where it used to pass in silence and leave
// the user believing the log was saved.
void HistoryView::Export() {
    std::optional<std::string> target = ChooseFileToSave(window_, kHistoryExportTitle, kExportFilter, "html");
    if (!target) {
        return;
    }
    if (!ExportHistoryPage(JoinPath(folders_.data, kHistoryPageFile), *target)) {
        MessageBoxA(window_, "聊天记录导出失败：无法读取当前聊天记录或无法写入所选文件。", kHistoryWindowTitle,
                    MB_OK | MB_ICONWARNING);
    }
}

void HistoryView::ToggleTree() {
    treeShown_ = !treeShown_;
    ShowWindow(tree_, treeShown_ ? SW_SHOW : SW_HIDE);
    Layout(area_);
}

// A pop-up menu under `button` (at the pointer without one); the chosen
// item is handled as a command.
void HistoryView::ShowMenu(HWND button, const std::array<std::pair<int, const char*>, 2>& items) {
    UniqueMenu menu(CreatePopupMenu());
    if (!menu) {
        return;
    }
    for (const auto& [id, text] : items) {
        AppendMenuA(menu.get(), MF_STRING, static_cast<UINT_PTR>(id), text);
    }
    POINT at{};
    RECT place{};
    if (button != nullptr && GetWindowRect(button, &place)) {
        at = POINT{place.left, place.bottom};
    } else {
        GetCursorPos(&at);
    }
    const int chosen = static_cast<int>(
        TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, 0, window_, nullptr));
    if (chosen != 0) {
        OnCommand(static_cast<WPARAM>(chosen), 0);
    }
}

void HistoryView::ShowAbout() {
    const std::string text = std::string(kHistoryWindowTitle) + " " + GetSoftVersion() + "\r\n\r\n" + GetSoftName() +
                             "的聊天记录查看器：按帐号列出文档文件夹里的MSN聊天记录，显示并导出为网页。";
    MessageBoxA(window_, text.c_str(), "关于本软件", MB_OK | MB_ICONINFORMATION);
}

// The placeholder first, then the accounts and their logs as the walk finds
// them; the first account replaces the placeholder.
void HistoryView::BuildTree() {
    stop_ = false;
    HWND tree = tree_;
    map_.Clear();
    ClearTree(tree);
    InsertItem(tree, TVI_ROOT, kContactTreePlaceholder, kTreeImageAccount);
    const std::string documents = DocumentsFolder();
    if (documents.empty()) {
        return;
    }
    StoppableReader reader(stop_);
    TreeSink sink(tree, map_);
    BuildContactTree(reader, documents, sink);
}

}  // namespace

std::unique_ptr<ModeView> MakeHistoryView() {
    return std::make_unique<HistoryView>();
}
