// The history mode's main window in the test's own process, on a thread of
// its own as the program runs it: a scratch installation, a documents folder
// of the test's making, and the window driven by the messages a user's
// clicks and the hook library send. Checks the window's place and size, the
// hook messages, the contact tree, rendering and export of a log, and that
// the window closes while its tree is still being built.

#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "common/win32/handles.h"
#include "hook/win32/lyn_hook32.h"
#include "testkit/win32/documents_redirect.h"
#include "testkit/win32/file_box_answerer.h"
#include "testkit/win32/message_box_answerer.h"
#include "testkit/win32/screenshot.h"
#include "testkit/win32/stopwatch.h"
#include "testkit/win32/window_helpers.h"
#include "toolkit/win32/lyn_flat_dlg.h"
#include "trevalo/contact_tree.h"
#include "trevalo/history_page.h"
#include "trevalo/tests/win32/trevalo_fixture.h"
#include "trevalo/win32/history_view.h"
#include "trevalo/win32/mode_views.h"
#include "trevalo/win32/trevalo_window.h"
#include "trevalo/window_titles.h"

namespace {

constexpr unsigned kWaitMs = 15000;
constexpr char kTemplate[] = "<html><body>[MSNHISTORY]</body></html>";

// A TrevaloWindow in history mode running modally on its own thread.
class HistoryWindowRun {
public:
    explicit HistoryWindowRun(const TrevaloFolders& folders)
        : ended_(CreateEventA(nullptr, TRUE, FALSE, nullptr)), thread_([this, folders] { Run(folders); }) {
        testkit::WindowQuery query;
        query.title = kHistoryWindowTitle;
        query.processId = GetCurrentProcessId();
        query.visibleOnly = true;
        window_ = testkit::WaitForWindow(query, kWaitMs);
    }

    ~HistoryWindowRun() {
        if (!Ended(0) && window_ != nullptr) {
            PostMessageA(window_, kLynHookMessage, kLynHookEndProgram, 0);
        }
        if (Ended(kWaitMs)) {
            thread_.join();
        } else {
            ADD_FAILURE() << "the window did not end";
            thread_.detach();
        }
    }

    HWND Window() const { return window_; }
    HWND Tree() const {
        for (HWND child : testkit::ChildWindows(window_)) {
            if (testkit::WindowClassName(child) == WC_TREEVIEWA) {
                return child;
            }
        }
        return nullptr;
    }
    bool Ended(unsigned waitMs) const { return WaitForSingleObject(ended_.get(), waitMs) == WAIT_OBJECT_0; }
    bool TreeWorkerRunning() const {
        TrevaloWindow* dialog = dialog_.load();
        return dialog != nullptr && dialog->TreeWorkerRunning();
    }

    // Waits until the tree worker has finished.
    bool WaitForTree() const {
        testkit::Stopwatch watch;
        while (watch.Milliseconds() < kWaitMs) {
            if (!TreeWorkerRunning()) {
                return true;
            }
            Sleep(20);
        }
        return false;
    }

    // Sends a command as the toolbar button `id` would.
    void Click(int id) const { SendMessageA(window_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    // The same, posted, for commands that open a modal box.
    void PostClick(int id) const { PostMessageA(window_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

private:
    void Run(const TrevaloFolders& folders) {
        const HRESULT ole = OleInitialize(nullptr);
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
        {
            TrevaloWindow dialog(ProgramMode::kHistory, folders, MakeHistoryView());
            dialog_ = &dialog;
            dialog.DoModal(GetModuleHandleA(nullptr));
            dialog_ = nullptr;
        }
        if (SUCCEEDED(ole)) {
            OleUninitialize();
        }
        SetEvent(ended_.get());
    }

    UniqueHandle ended_;
    std::atomic<TrevaloWindow*> dialog_{nullptr};
    HWND window_ = nullptr;
    std::thread thread_;  // last: it uses the members above
};

std::string ItemText(HWND tree, HTREEITEM item) {
    char text[256] = {};
    TVITEMA request{};
    request.mask = TVIF_TEXT;
    request.hItem = item;
    request.pszText = text;
    request.cchTextMax = sizeof text;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&request));
    return text;
}

HTREEITEM NextItem(HWND tree, HTREEITEM item, WPARAM relation) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

// The tree as "account" and "account/log" lines, in its order.
std::vector<std::string> TreeLines(HWND tree) {
    std::vector<std::string> lines;
    for (HTREEITEM top = NextItem(tree, nullptr, TVGN_ROOT); top != nullptr; top = NextItem(tree, top, TVGN_NEXT)) {
        const std::string account = ItemText(tree, top);
        lines.push_back(account);
        for (HTREEITEM log = NextItem(tree, top, TVGN_CHILD); log != nullptr; log = NextItem(tree, log, TVGN_NEXT)) {
            lines.push_back(account + "/" + ItemText(tree, log));
        }
    }
    return lines;
}

// The tip that the frame's tool tips show over `control`.
std::string TipOf(HWND frame, HWND control) {
    testkit::WindowQuery query;
    query.className = TOOLTIPS_CLASSA;
    query.processId = GetCurrentProcessId();
    for (HWND tips : testkit::FindTopLevelWindows(query)) {
        if (GetWindow(tips, GW_OWNER) != frame) {
            continue;
        }
        char text[256] = {};
        TTTOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.hwnd = frame;
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = text;
        SendMessageA(tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
        if (text[0] != '\0') {
            return text;
        }
    }
    return {};
}

// The texts of the pop-up menu the window's thread shows now, once it shows
// one; empty when none came up.
std::vector<std::string> ShownMenuItems(HWND* menuWindow) {
    testkit::WindowQuery query;
    query.className = "#32768";
    query.processId = GetCurrentProcessId();
    query.visibleOnly = true;
    *menuWindow = testkit::WaitForWindow(query, kWaitMs);
    std::vector<std::string> items;
    if (*menuWindow == nullptr) {
        return items;
    }
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(*menuWindow, MN_GETHMENU, 0, 0));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[128] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        items.push_back(text);
    }
    return items;
}

RECT WorkArea() {
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

class HistoryViewTest : public testing::Test {
protected:
    HistoryViewTest() : documents_(folder_.PathOf("Documents")) {
        folder_.AddSkin();
        folder_.Write("Trevalo\\Data\\msn.dat", kTemplate);
        std::filesystem::create_directories(folder_.PathOf("Documents"));
    }

    void SetUp() override { ASSERT_TRUE(documents_.ok()); }

    std::string Page() const { return FileBytes(folder_.PathOf("Trevalo\\Data\\history.html")); }

    // The documents folder of the usual case: one account with one log and a
    // text file that is no log.
    void AddJohnsLog(const std::initializer_list<const char*>& texts) const {
        folder_.Write("Documents\\john0123456789\\alice123456789.xml", ChatLogXml(texts));
        folder_.Write("Documents\\john0123456789\\notes.txt", "not a log");
    }

    // Selects the first log of the first account, as a click on it does.
    static void SelectFirstLog(HWND tree) {
        HTREEITEM account = NextItem(tree, nullptr, TVGN_ROOT);
        HTREEITEM log = NextItem(tree, account, TVGN_CHILD);
        ASSERT_NE(log, nullptr);
        SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(log));
    }

    TrevaloFolder folder_{"history"};
    testkit::DocumentsRedirect documents_;
};

TEST_F(HistoryViewTest, WindowTakesFourFifthsOfTheWorkAreaAndRefusesToGetSmallerThan415By400) {
    HistoryWindowRun run(folder_.Folders());
    ASSERT_NE(run.Window(), nullptr);
    const RECT area = WorkArea();
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    const RECT placed = testkit::WindowRectangle(run.Window());
    EXPECT_EQ(placed.left, area.left + width / 10);
    EXPECT_EQ(placed.top, area.top + height / 10);
    EXPECT_EQ(placed.right - placed.left, width * 4 / 5);
    EXPECT_EQ(placed.bottom - placed.top, height * 4 / 5);

    SetWindowPos(run.Window(), nullptr, 0, 0, 200, 150, SWP_NOMOVE | SWP_NOZORDER);
    const RECT shrunk = testkit::WindowRectangle(run.Window());
    EXPECT_EQ(shrunk.right - shrunk.left, 415);
    EXPECT_EQ(shrunk.bottom - shrunk.top, 400);
}

TEST_F(HistoryViewTest, BringForwardRestoresAMinimisedWindowAndEndProgramClosesIt) {
    HistoryWindowRun run(folder_.Folders());
    ASSERT_NE(run.Window(), nullptr);
    ShowWindow(run.Window(), SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(run.Window()));
    SendMessageA(run.Window(), kLynHookMessage, kLynHookBringForward, 0);
    EXPECT_FALSE(IsIconic(run.Window()));
    EXPECT_TRUE(IsWindowVisible(run.Window()));
    EXPECT_FALSE(GetWindowLongA(run.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST);

    // A click elsewhere means nothing to the history mode.
    SendMessageA(run.Window(), kLynHookMessage, kLynHookMouseClick, 0);
    EXPECT_FALSE(run.Ended(300));
    PostMessageA(run.Window(), kLynHookMessage, kLynHookEndProgram, 0);
    EXPECT_TRUE(run.Ended(kWaitMs));
}

TEST_F(HistoryViewTest, ToolbarAndWindowButtonsCarryTheirTips) {
    HistoryWindowRun run(folder_.Folders());
    ASSERT_NE(run.Window(), nullptr);
    const std::pair<int, const char*> tips[] = {
        {kHistoryOpenButton, "打开其他MSN聊天记录文件"},
        {kHistorySaveButton, "导出当前聊天记录并保存到本地"},
        {kHistoryRefreshButton, "刷新当前聊天记录"},
        {kHistorySearchButton, "显示或隐藏联系人列表"},
        {kHistoryHelpButton, "帮助"},
        {kFlatDlgMinimiseId, "最小化"},
        {kFlatDlgMaximiseId, "最大化"},
        {kFlatDlgCloseId, "退出"},
    };
    for (const auto& [id, tip] : tips) {
        HWND button = GetDlgItem(run.Window(), id);
        ASSERT_NE(button, nullptr) << id;
        EXPECT_EQ(TipOf(run.Window(), button), tip) << id;
    }
}

TEST_F(HistoryViewTest, TreeListsTheAccountFolderWithItsLogAndNothingElse) {
    AddJohnsLog({"See you at eight"});
    HistoryWindowRun run(folder_.Folders());
    ASSERT_NE(run.Window(), nullptr);
    ASSERT_TRUE(run.WaitForTree());
    HWND tree = run.Tree();
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(TreeLines(tree), (std::vector<std::string>{"john0123456789", "john0123456789/alice123456789"}));

    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(NextItem(tree, nullptr, TVGN_ROOT)));
    testkit::PumpMessages(300);
    std::filesystem::create_directories("screenshots");
    EXPECT_TRUE(testkit::SaveWindowPng(run.Window(), "screenshots\\trevalo_history.png"));
}

TEST_F(HistoryViewTest, EmptyDocumentsFolderLeavesThePlaceholder) {
    HistoryWindowRun run(folder_.Folders());
    ASSERT_NE(run.Window(), nullptr);
    ASSERT_TRUE(run.WaitForTree());
    EXPECT_EQ(TreeLines(run.Tree()), (std::vector<std::string>{kContactTreePlaceholder}));
}

TEST_F(HistoryViewTest, SelectingALogRendersItAtTheWorkAreasWidthAndRefreshRendersItAgain) {
    AddJohnsLog({"See you at eight", "Fine"});
    HistoryWindowRun run(folder_.Folders());
    ASSERT_NE(run.Window(), nullptr);
    ASSERT_TRUE(run.WaitForTree());
    SelectFirstLog(run.Tree());

    const RECT area = WorkArea();
    const int width = area.right - area.left;
    const std::string page = Page();
    EXPECT_EQ(page.rfind("<html><body><table", 0), 0u) << page;
    EXPECT_NE(page.find("width:" + std::to_string(width) + "px"), std::string::npos);
    EXPECT_NE(page.find("width:" + std::to_string(width - 600) + "px"), std::string::npos);
    EXPECT_NE(page.find("See you at eight"), std::string::npos);
    EXPECT_NE(page.find("Fine"), std::string::npos);
    EXPECT_EQ(page.find("[MSNHISTORY]"), std::string::npos);
    EXPECT_EQ(page.substr(page.size() - 14), "</body></html>");

    // The log changes on disk; refreshing shows the new text.
    AddJohnsLog({"Changed my mind"});
    run.Click(kHistoryRefreshButton);
    EXPECT_NE(Page().find("Changed my mind"), std::string::npos);
    EXPECT_EQ(Page().find("See you at eight"), std::string::npos);
}

TEST_F(HistoryViewTest, OpenRendersTheChosenLogFile) {
    folder_.Write("elsewhere\\old_log.xml", ChatLogXml({"From another folder"}));
    HistoryWindowRun run(folder_.Folders());
    ASSERT_NE(run.Window(), nullptr);
    run.PostClick(kHistoryOpenButton);
    ASSERT_TRUE(testkit::AnswerFileBox(kHistoryOpenTitle, folder_.PathOf("elsewhere\\old_log.xml")));
    testkit::Stopwatch watch;
    while (Page().find("From another folder") == std::string::npos && watch.Milliseconds() < kWaitMs) {
        Sleep(50);
    }
    EXPECT_NE(Page().find("From another folder"), std::string::npos);
}

TEST_F(HistoryViewTest, AboutBoxNamesTheViewerAndItsVersion) {
    HistoryWindowRun run(folder_.Folders());
    ASSERT_NE(run.Window(), nullptr);
    testkit::MessageBoxAnswerer answerer("关于本软件", IDOK, kWaitMs);
    run.PostClick(kHistoryAboutItem);
    std::optional<testkit::AnsweredDialog> dialog = answerer.Result();
    ASSERT_TRUE(dialog.has_value());
    EXPECT_TRUE(dialog->captionMatched);
    EXPECT_EQ(dialog->text.rfind(std::string(kHistoryWindowTitle) + " V4.0", 0), 0u) << dialog->text;
    EXPECT_EQ(dialog->owner, run.Window());
}

TEST_F(HistoryViewTest, HelpMenuOffersTheHomePageAndTheAboutBox) {
    HistoryWindowRun run(folder_.Folders());
    ASSERT_NE(run.Window(), nullptr);
    testkit::MessageBoxAnswerer answerer("关于本软件", IDOK, kWaitMs);
    run.PostClick(kHistoryHelpButton);
    HWND menu = nullptr;
    EXPECT_EQ(ShownMenuItems(&menu), (std::vector<std::string>{"泽鲁首页", "关于本软件"}));
    ASSERT_NE(menu, nullptr);
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) {
        PostMessageA(menu, WM_KEYDOWN, key, 0);
    }
    EXPECT_TRUE(answerer.Result().has_value());
}

TEST_F(HistoryViewTest, RightClickOnTheTreeOffersTheTwoRefreshes) {
    HistoryWindowRun run(folder_.Folders());
    ASSERT_NE(run.Window(), nullptr);
    ASSERT_TRUE(run.WaitForTree());
    NMHDR click{run.Tree(), static_cast<UINT_PTR>(kHistoryTree), static_cast<UINT>(NM_RCLICK)};
    std::thread sender([&] { SendMessageA(run.Window(), WM_NOTIFY, kHistoryTree, reinterpret_cast<LPARAM>(&click)); });
    HWND menu = nullptr;
    EXPECT_EQ(ShownMenuItems(&menu), (std::vector<std::string>{"刷新联系人列表", "刷新当前聊天记录"}));
    if (menu != nullptr) {
        PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    }
    sender.join();
}

TEST_F(HistoryViewTest, ExportCopiesThePageByteForByte) {
    AddJohnsLog({"Keep this"});
    HistoryWindowRun run(folder_.Folders());
    ASSERT_NE(run.Window(), nullptr);
    ASSERT_TRUE(run.WaitForTree());
    SelectFirstLog(run.Tree());
    ASSERT_NE(Page().find("Keep this"), std::string::npos);

    const std::string target = folder_.PathOf("exported.html");
    run.PostClick(kHistorySaveButton);
    ASSERT_TRUE(testkit::AnswerFileBox(kHistoryExportTitle, target));
    testkit::Stopwatch watch;
    while (FileBytes(target).empty() && watch.Milliseconds() < kWaitMs) {
        Sleep(50);
    }
    EXPECT_EQ(FileBytes(target), Page());
}

TEST_F(HistoryViewTest, FailedExportIsToldToTheUser) {
    HistoryWindowRun run(folder_.Folders());
    ASSERT_NE(run.Window(), nullptr);
    ASSERT_TRUE(run.WaitForTree());
    ASSERT_TRUE(Page().empty());  // nothing rendered yet: there is no page to export

    const std::string target = folder_.PathOf("exported.html");
    testkit::MessageBoxAnswerer answerer(kHistoryWindowTitle, IDOK, kWaitMs);
    run.PostClick(kHistorySaveButton);
    ASSERT_TRUE(testkit::AnswerFileBox(kHistoryExportTitle, target));
    std::optional<testkit::AnsweredDialog> dialog = answerer.Result();
    ASSERT_TRUE(dialog.has_value());
    EXPECT_TRUE(dialog->captionMatched);
    EXPECT_EQ(dialog->text, "聊天记录导出失败：无法读取当前聊天记录或无法写入所选文件。");
    EXPECT_EQ(dialog->icon, testkit::MessageBoxIcon::kWarning);
    EXPECT_FALSE(std::filesystem::exists(target));
}

TEST_F(HistoryViewTest, SearchButtonHidesAndShowsTheTree) {
    HistoryWindowRun run(folder_.Folders());
    ASSERT_NE(run.Window(), nullptr);
    HWND tree = run.Tree();
    ASSERT_TRUE(IsWindowVisible(tree));
    run.Click(kHistorySearchButton);
    EXPECT_FALSE(IsWindowVisible(tree));
    run.Click(kHistorySearchButton);
    EXPECT_TRUE(IsWindowVisible(tree));
}

TEST_F(HistoryViewTest, RefreshingTheContactListFindsANewAccount) {
    AddJohnsLog({"Hello"});
    HistoryWindowRun run(folder_.Folders());
    ASSERT_NE(run.Window(), nullptr);
    ASSERT_TRUE(run.WaitForTree());
    folder_.Write("Documents\\mary9876543210\\bob111222333.xml", ChatLogXml({"Hi"}));
    run.Click(kHistoryRefreshTreeItem);
    testkit::Stopwatch watch;
    std::vector<std::string> lines;
    while (watch.Milliseconds() < kWaitMs) {
        testkit::PumpMessages(50);
        if (run.WaitForTree() && (lines = TreeLines(run.Tree())).size() == 4) {
            break;
        }
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"john0123456789", "john0123456789/alice123456789", "mary9876543210",
                                               "mary9876543210/bob111222333"}));
}

// The worker fills the tree with messages to the window's thread while that
// thread is closing the window: closing must neither hang nor wait for the
// whole walk.
TEST_F(HistoryViewTest, ClosingWhileTheTreeIsBeingBuiltEndsPromptly) {
    for (int account = 0; account < 80; ++account) {
        const std::string folder = "Documents\\user" + std::to_string(100000000 + account) + "0\\";
        for (int log = 0; log < 25; ++log) {
            folder_.Write(folder + "friend" + std::to_string(200000000 + log) + ".xml", "<Log/>");
        }
    }
    HistoryWindowRun run(folder_.Folders());
    ASSERT_NE(run.Window(), nullptr);
    ASSERT_TRUE(run.TreeWorkerRunning()) << "the walk ended before the test could close the window";
    testkit::Stopwatch watch;
    PostMessageA(run.Window(), kLynHookMessage, kLynHookEndProgram, 0);
    EXPECT_TRUE(run.Ended(kWaitMs));
    EXPECT_LT(watch.Milliseconds(), 5000);
}

}  // namespace
