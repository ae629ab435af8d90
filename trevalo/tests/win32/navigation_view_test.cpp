#include "trevalo/win32/navigation_view.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "common/file_io.h"
#include "common/path_util.h"
#include "testkit/win32/http_test_server.h"
#include "testkit/win32/screenshot.h"
#include "testkit/win32/stopwatch.h"
#include "testkit/win32/window_helpers.h"
#include "toolkit/win32/lyn_flat_dlg.h"
#include "trevalo/program_mode.h"
#include "trevalo/tests/win32/browser_events.h"

namespace {

namespace fs = std::filesystem;

// The site host of every test: a closed port, so pages fail at once.
constexpr char kSiteHost[] = "127.0.0.1:9";
constexpr char kHome[] = "http://127.0.0.1:9/";
constexpr char kSiteX[] = "http://127.0.0.1:9/x";
constexpr char kSiteY[] = "http://127.0.0.1:9/y";
constexpr UINT kRunBody = WM_APP + 77;
// Ends a frame that its body left open, with kGaveUp.
constexpr UINT_PTR kGiveUpTimer = 77;
constexpr INT_PTR kGaveUp = 99;

// A 24-bit bottom-up BMP of one colour.
std::string SolidBitmap(int width, int height, COLORREF colour) {
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    const std::uint32_t pixelBytes = static_cast<std::uint32_t>(rowBytes * height);
    std::string bytes(54 + pixelBytes, '\0');
    auto put32 = [&bytes](std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
        }
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, 54 + pixelBytes);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    bytes[26] = 1;
    bytes[28] = 24;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t at = 54 + static_cast<std::size_t>(y * rowBytes + x * 3);
            bytes[at] = static_cast<char>(GetBValue(colour));
            bytes[at + 1] = static_cast<char>(GetGValue(colour));
            bytes[at + 2] = static_cast<char>(GetRValue(colour));
        }
    }
    return bytes;
}

// Paths are GBK, as the program sees them, so files go through the A
// functions (std::filesystem would read the narrow names in another code
// page).
std::string ReadBytes(const std::string& path) {
    std::string bytes;
    return ReadWholeFile(path, bytes) ? bytes : std::string("<missing>");
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    ASSERT_EQ(ReplaceFileAtomically(path, bytes), 0) << path;
}

// An installation in a fresh folder: a type-1 category with A and B, a
// type-2 one with two groups, one left missing and one of an unknown type.
class Installation {
public:
    Installation() {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        root_ = fs::path(temp) /
                ("trevalo_nav_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(GetTickCount64()));
        folders = FoldersOf(root_.string());
        for (const std::string& folder : {root_.string(), folders.program + "\\Trevalo", folders.data, folders.skins}) {
            CreateDirectoryA(folder.c_str(), nullptr);
        }
        Write("搜索引擎.ini", std::string("[CONFIG]\r\ntype=1\r\n[DATA]\r\nA=") + kSiteX + "\r\nB=" + kSiteY + "\r\n");
        Write("名站导航.ini",
              "[CONFIG]\r\ntype=2\r\n[门户]\r\n新浪=http://127.0.0.1:9/sina\r\n[视频]\r\n优酷=http://127.0.0.1:9/"
              "youku\r\n土豆=\r\n");
        Write("工具服务.ini", "[CONFIG]\r\ntype=7\r\n[DATA]\r\nC=http://127.0.0.1:9/c\r\n");
        const COLORREF colours[] = {RGB(40, 90, 160), RGB(60, 130, 200), RGB(200, 80, 40)};
        const char* buttons[] = {"file1",   "vback1", "vfor1",   "vrefresh1", "vstop1",
                                 "vclose1", "favor1", "navbar1", "vie1"};
        int shade = 0;
        for (const char* name : buttons) {
            WriteBytes(Skin(std::string(name) + ".bmp"), SolidBitmap(22, 22, colours[shade++ % 3]));
        }
        WriteBytes(Skin("tabback.bmp"), SolidBitmap(8, 24, RGB(220, 230, 245)));
        WriteBytes(Skin("tab1.bmp"), SolidBitmap(120, 24, RGB(255, 255, 255)));
        WriteBytes(Skin("tab2.bmp"), SolidBitmap(120, 24, RGB(190, 205, 230)));
        for (const char* name : {"combut1.bmp", "combut2.bmp", "combut3.bmp"}) {
            WriteBytes(Skin(name), SolidBitmap(18, 22, RGB(120, 150, 200)));
        }
    }
    ~Installation() {
        std::error_code ignored;  // a file still held by Wine stays behind in the temporary folder
        fs::remove_all(root_, ignored);
    }

    std::string Data(const std::string& name) const { return JoinPath(folders.data, name); }
    std::string Skin(const std::string& name) const { return JoinPath(folders.skins, name); }
    void Write(const std::string& name, const std::string& text) const { WriteBytes(Data(name), text); }

    TrevaloFolders folders;

private:
    fs::path root_;
};

// A frame that hosts the view as the main window does: the tree built on a
// worker, the layout on every size change, the view's messages passed on.
// `body` runs on the window's thread once the window shows and the tree is
// built; the window then closes, or, when the body is to close it itself,
// gives up after two seconds.
class ViewFrame final : public CLynFlatDlg {
public:
    ViewFrame(NavigationView& view,
              const TrevaloFolders& folders,
              std::function<void(ViewFrame&)> body,
              bool bodyCloses)
        : view_(view), folders_(folders), body_(std::move(body)), bodyCloses_(bodyCloses) {}

    // Runs the frame: the code it ended with, -1 when the view could not
    // be made.
    INT_PTR Run() { return DoModal(GetModuleHandleA(nullptr)); }

    void WaitForTree() {
        while (!treeBuilt_) {
            testkit::PumpMessages(10);
        }
        if (worker_.joinable()) {
            worker_.join();
        }
    }
    void Click(int button) {
        SendMessageA(GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(kNavigationFirstButtonId + button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(GetSafeHwnd(), kNavigationFirstButtonId + button)));
    }

protected:
    bool OnInitDialog() override {
        SetMinimumSize(415, 400);
        if (!view_.Create(*this, folders_, kSiteHost)) {
            return false;
        }
        SetWindowPos(GetSafeHwnd(), nullptr, 20, 20, 900, 600, SWP_NOZORDER);
        worker_ = std::thread([this] {
            view_.BuildTree();
            treeBuilt_ = true;
        });
        PostMessageA(GetSafeHwnd(), kRunBody, 0, 0);
        return true;
    }
    void OnSize(int width, int height) override {
        view_.Layout(RECT{0, GetTitleHeight(), width, height - GetBottomHeight()});
    }
    void OnCommand(WPARAM wParam, LPARAM lParam) override { view_.OnCommand(wParam, lParam); }
    LRESULT OnNotify(const NMHDR& header) override {
        LRESULT result = 0;
        view_.OnNotify(header, result);
        return result;
    }
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (message == kRunBody) {
            WaitForTree();
            body_(*this);
            if (bodyCloses_) {
                SetTimer(GetSafeHwnd(), kGiveUpTimer, 2000, nullptr);
            } else {
                EndDialog(0);
            }
            result = 0;
            return true;
        }
        if (message == WM_TIMER && wParam == kGiveUpTimer) {
            EndDialog(kGaveUp);
            result = 0;
            return true;
        }
        return view_.OnMessage(message, wParam, lParam, result);
    }
    void OnDestroy() override {
        WaitForTree();
        view_.OnClose();
    }

private:
    NavigationView& view_;
    TrevaloFolders folders_;
    std::function<void(ViewFrame&)> body_;
    std::thread worker_;
    std::atomic<bool> treeBuilt_ = false;
    bool bodyCloses_;
};

struct TreeLine {
    std::string text;
    int depth;
    int image;
    int selectedImage;
    bool operator==(const TreeLine&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TreeLine& line) {
    return out << line.depth << ' ' << line.text << ' ' << line.image << '/' << line.selectedImage;
}

void ReadTree(HWND tree, HTREEITEM first, int depth, std::vector<TreeLine>& lines) {
    for (HTREEITEM item = first; item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
        char text[MAX_PATH] = {};
        TVITEMA query{};
        query.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        query.hItem = item;
        query.pszText = text;
        query.cchTextMax = MAX_PATH;
        SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
        lines.push_back({text, depth, query.iImage, query.iSelectedImage});
        ReadTree(tree, TreeView_GetChild(tree, item), depth + 1, lines);
    }
}

// The item reached from the top by `texts`; null when there is none.
HTREEITEM FindItem(HWND tree, const std::vector<std::string>& texts) {
    HTREEITEM item = TreeView_GetRoot(tree);
    HTREEITEM found = nullptr;
    for (const std::string& wanted : texts) {
        found = nullptr;
        for (; item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
            char text[MAX_PATH] = {};
            TVITEMA query{};
            query.mask = TVIF_TEXT;
            query.hItem = item;
            query.pszText = text;
            query.cchTextMax = MAX_PATH;
            SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
            if (wanted == text) {
                found = item;
                break;
            }
        }
        if (found == nullptr) {
            return nullptr;
        }
        item = TreeView_GetChild(tree, found);
    }
    return found;
}

void Select(HWND tree, const std::vector<std::string>& texts) {
    HTREEITEM item = FindItem(tree, texts);
    ASSERT_NE(item, nullptr) << texts.back();
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

std::vector<std::string> MenuLines(HMENU menu) {
    std::vector<std::string> lines;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[128] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof(text), MF_BYPOSITION);
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        lines.push_back((info.fType & MFT_SEPARATOR) != 0 ? "-" : text);
    }
    return lines;
}

std::string FrameTitle(HWND frame) {
    return testkit::WindowText(frame);
}

std::vector<std::string> TabTexts(CLynTabCtrl& tabs) {
    std::vector<std::string> texts;
    for (int i = 0; i < tabs.GetItemCount(); ++i) {
        texts.push_back(tabs.GetItemText(i));
    }
    return texts;
}

// A history store's two files for `entries`, written independently of the
// list: 32-bit little-endian lengths, then the bytes.
std::string IndexBytes(const std::vector<std::string>& entries) {
    std::string bytes;
    for (const std::string& entry : entries) {
        const auto length = static_cast<std::uint32_t>(entry.size());
        for (int i = 0; i < 4; ++i) {
            bytes += static_cast<char>((length >> (8 * i)) & 0xFF);
        }
    }
    return bytes;
}

std::string DataBytes(const std::vector<std::string>& entries) {
    std::string bytes;
    for (const std::string& entry : entries) {
        bytes += entry;
    }
    return bytes;
}

class NavigationViewTest : public testing::Test {
protected:
    // Runs the view in a frame; `body` checks it while it shows. Returns
    // the code the frame ended with.
    INT_PTR RunView(const std::function<void(ViewFrame&)>& body, bool bodyCloses = false) {
        NavigationView view([this](const std::string& target) { opened.push_back(target); });
        viewUnderTest = &view;
        ViewFrame frame(view, install.folders, body, bodyCloses);
        const INT_PTR code = frame.Run();
        viewUnderTest = nullptr;
        EXPECT_NE(code, -1);
        return code;
    }
    NavigationView& View() { return *viewUnderTest; }

    Installation install;
    std::vector<std::string> opened;
    NavigationView* viewUnderTest = nullptr;
};

TEST_F(NavigationViewTest, TreeHoldsTheFourCategoriesInOrder) {
    RunView([&](ViewFrame&) {
        std::vector<TreeLine> lines;
        ReadTree(View().Tree(), TreeView_GetRoot(View().Tree()), 0, lines);
        const std::vector<TreeLine> expected = {
            {"搜索引擎", 0, 0, 1}, {"A", 1, 4, 4},        {"B", 1, 4, 4},        {"名站导航", 0, 0, 1},
            {"门户", 1, 2, 3},     {"新浪", 2, 4, 4},     {"视频", 1, 2, 3},     {"优酷", 2, 4, 4},
            {"土豆", 2, 4, 4},     {"实用酷站", 0, 0, 1}, {"工具服务", 0, 0, 1},
        };
        EXPECT_EQ(lines, expected);
    });
    // The missing category file was made, empty.
    EXPECT_EQ(ReadBytes(install.Data("实用酷站.ini")), "");
}

TEST_F(NavigationViewTest, StartsWithTheHomePageInItsTab) {
    RunView([&](ViewFrame& frame) {
        EXPECT_EQ(TabTexts(View().Tabs()), (std::vector<std::string>{"    ...    "}));
        EXPECT_NE(View().CurrentPage(), nullptr);
        EXPECT_EQ(View().AddressBox().GetText(), kHome);
        EXPECT_EQ(FrameTitle(frame.GetSafeHwnd()), "泽鲁网址导航－    ...    ");
        EXPECT_EQ(View().History().GetItems(), (std::vector<std::string>{kHome}));
    });
}

TEST_F(NavigationViewTest, SelectedSiteOpensInANewTabAfterTheCurrentOne) {
    RunView([&](ViewFrame&) {
        HWND tree = View().Tree();
        CLynTabCtrl& tabs = View().Tabs();
        HWND home = tabs.GetItemWnd(0);

        Select(tree, {"搜索引擎", "B"});
        ASSERT_EQ(tabs.GetItemCount(), 2);
        EXPECT_EQ(tabs.GetCurrentSel(), 1);
        EXPECT_EQ(View().AddressBox().GetText(), kSiteY);
        HWND pageY = tabs.GetItemWnd(1);
        EXPECT_NE(pageY, home);
        EXPECT_TRUE(IsWindowVisible(pageY));
        EXPECT_FALSE(IsWindowVisible(home));

        // Back on the first tab, the next site goes between it and y.
        tabs.SetCurrentSel(0);
        Select(tree, {"搜索引擎", "A"});
        ASSERT_EQ(tabs.GetItemCount(), 3);
        EXPECT_EQ(tabs.GetCurrentSel(), 1);
        EXPECT_EQ(tabs.GetItemWnd(0), home);
        EXPECT_EQ(tabs.GetItemWnd(2), pageY);
        EXPECT_EQ(View().AddressBox().GetText(), kSiteX);

        // A grouped site is found through its group.
        Select(tree, {"名站导航", "门户", "新浪"});
        EXPECT_EQ(tabs.GetItemCount(), 4);
        EXPECT_EQ(View().AddressBox().GetText(), "http://127.0.0.1:9/sina");

        std::filesystem::create_directories("screenshots");
        testkit::PumpMessages(200);
        EXPECT_TRUE(testkit::SaveWindowPng(GetParent(tree), "screenshots\\trevalo_navigation_view.png"));
    });
}

TEST_F(NavigationViewTest, SitesWithoutAddressAndNodesOpenNothing) {
    RunView([&](ViewFrame&) {
        HWND tree = View().Tree();
        Select(tree, {"名站导航", "视频", "土豆"});
        Select(tree, {"实用酷站"});
        EXPECT_EQ(View().Tabs().GetItemCount(), 1);

        // A node with children opens and closes instead.
        HTREEITEM group = FindItem(tree, {"名站导航", "门户"});
        ASSERT_NE(group, nullptr);
        const bool before = (TreeView_GetItemState(tree, group, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
        Select(tree, {"名站导航", "门户"});
        EXPECT_NE((TreeView_GetItemState(tree, group, TVIS_EXPANDED) & TVIS_EXPANDED) != 0, before);
        EXPECT_EQ(View().Tabs().GetItemCount(), 1);
    });
}

TEST_F(NavigationViewTest, ClosingTabsEndsAtTheBlankTab) {
    RunView([&](ViewFrame& frame) {
        CLynTabCtrl& tabs = View().Tabs();
        Select(View().Tree(), {"搜索引擎", "B"});
        ASSERT_EQ(tabs.GetItemCount(), 2);
        HWND first = tabs.GetItemWnd(0);
        HWND second = tabs.GetItemWnd(1);

        frame.Click(kCloseTabButton);
        EXPECT_FALSE(IsWindow(second));
        EXPECT_EQ(tabs.GetItemCount(), 1);
        EXPECT_EQ(tabs.GetItemWnd(0), first);

        frame.Click(kCloseTabButton);
        EXPECT_FALSE(IsWindow(first));
        EXPECT_EQ(TabTexts(tabs), (std::vector<std::string>{"    空白   "}));
        EXPECT_EQ(View().CurrentPage(), nullptr);
        EXPECT_EQ(FrameTitle(frame.GetSafeHwnd()), "泽鲁网址导航");

        // Without a page the system browser gets the home page, and the
        // page commands do nothing.
        frame.Click(kSystemBrowserButton);
        EXPECT_EQ(opened, (std::vector<std::string>{kHome}));
        frame.Click(kBackButton);
        frame.Click(kCloseTabButton);
        EXPECT_EQ(TabTexts(tabs), (std::vector<std::string>{"    空白   "}));

        // The next site goes into the blank tab.
        Select(View().Tree(), {"搜索引擎", "A"});
        EXPECT_EQ(tabs.GetItemCount(), 1);
        EXPECT_NE(View().CurrentPage(), nullptr);
    });
}

// Enter in the box and an entry chosen from its history drop-down both open
// the box's address in a new tab; the history keeps one copy of it.
TEST_F(NavigationViewTest, ConfirmedAddressOpens) {
    for (const WORD notice : {kLynComboEnter, kLynComboSelect}) {
        SCOPED_TRACE(notice);
        RunView([&](ViewFrame& frame) {
            View().AddressBox().SetText(kHome);
            SendMessageA(frame.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(kNavigationAddressBoxId, notice),
                         reinterpret_cast<LPARAM>(View().AddressBox().GetSafeHwnd()));
            EXPECT_EQ(View().Tabs().GetItemCount(), 2);
            EXPECT_EQ(View().Tabs().GetCurrentSel(), 1);
            EXPECT_EQ(View().History().GetItems(), (std::vector<std::string>{kHome}));
        });
    }
}

// Types `address` into the box and presses Enter; the new tab's page, once
// it went there.
HWND OpenTyped(ViewFrame& frame, NavigationView& view, const std::string& address) {
    view.AddressBox().SetText(address);
    SendMessageA(frame.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(kNavigationAddressBoxId, kLynComboEnter),
                 reinterpret_cast<LPARAM>(view.AddressBox().GetSafeHwnd()));
    testkit::Stopwatch watch;
    while (view.CurrentPage() != nullptr && view.CurrentPage()->LocationUrl() != address &&
           watch.Milliseconds() < 10000) {
        testkit::PumpMessages(20);
    }
    return view.CurrentPage() != nullptr ? view.CurrentPage()->Handle() : nullptr;
}

class NavigationPageTest : public NavigationViewTest {
protected:
    NavigationPageTest() {
        server.SetDefaultResponse({.body = "<html><head><title>Example</title></head><body>page</body></html>",
                                   .headers = {{"Content-Type", "text/html"}}});
    }
    testkit::HttpTestServer server;
    const std::string address = server.Url("/page");
};

// Wine loads no document, so the page events are fired at the page as the
// browser fires them; the page's address is the one it really went to.
TEST_F(NavigationPageTest, FinishedPageEntersTheHistoryOnceAndNamesItsTab) {
    RunView([&](ViewFrame& frame) {
        HWND page = OpenTyped(frame, View(), address);
        ASSERT_EQ(View().Tabs().GetItemCount(), 2);
        ASSERT_EQ(View().Tabs().GetItemWnd(1), page);
        View().AddressBox().SetText("typed");

        ASSERT_TRUE(FireDocumentComplete(page, address, true));
        ASSERT_TRUE(FireDocumentComplete(page, address, true));
        EXPECT_EQ(View().History().GetItems(), (std::vector<std::string>{kHome, address}));
        EXPECT_EQ(View().AddressBox().GetText(), address);

        ASSERT_TRUE(FireTitleChange(page, "Example"));
        EXPECT_EQ(View().Tabs().GetItemText(1), "Example");
        EXPECT_EQ(FrameTitle(frame.GetSafeHwnd()), "泽鲁网址导航－Example");

        // The home page's tab, selected again, names the window.
        View().Tabs().SetCurrentSel(0);
        NMHDR change{View().Tabs().GetSafeHwnd(), static_cast<UINT_PTR>(kNavigationTabBarId), kLynTabSelChange};
        SendMessageA(frame.GetSafeHwnd(), WM_NOTIFY, change.idFrom, reinterpret_cast<LPARAM>(&change));
        EXPECT_EQ(FrameTitle(frame.GetSafeHwnd()), "泽鲁网址导航－    ...    ");
    });
}

TEST_F(NavigationPageTest, CurrentPageGoesToTheFavouritesAndTheSystemBrowser) {
    char folder[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_FAVORITES | CSIDL_FLAG_CREATE, nullptr, 0, folder)));
    const std::string shortcut = JoinPath(folder, "Example.url");
    DeleteFileA(shortcut.c_str());
    RunView([&](ViewFrame& frame) {
        HWND page = OpenTyped(frame, View(), address);
        ASSERT_TRUE(FireTitleChange(page, "Example"));

        View().RunMenuCommand(kAddFavourite);
        frame.Click(kSystemBrowserButton);
    });
    EXPECT_EQ(ReadBytes(shortcut), "[InternetShortcut]\r\nURL=" + address + "\r\n");
    EXPECT_EQ(opened, (std::vector<std::string>{address}));
    DeleteFileA(shortcut.c_str());
}

TEST(NavigationMenus, PageMenuEntriesAndSeparators) {
    const UniqueMenu menu = BuildPageMenu();
    const std::vector<std::string> expected = {
        "另存为(&A)...",
        "-",
        "页面设置(&S)...",
        "打印(&T)...",
        "打印预览(&V)...",
        "-",
        "剪切(&T)...",
        "复制(&C)",
        "粘贴(&P)",
        "-",
        "撤消(&U)",
        "恢复(&R)",
        "-",
        "全选(&L)",
        "清除(&F)",
        "-",
        "退出(&E)",
    };
    EXPECT_EQ(MenuLines(menu.get()), expected);
}

TEST(NavigationMenus, FavouritesMenu) {
    const UniqueMenu menu = BuildFavouritesMenu();
    EXPECT_EQ(MenuLines(menu.get()), (std::vector<std::string>{"添加到收藏夹(&A)...", "整理收藏夹(&O)..."}));
}

TEST_F(NavigationViewTest, OrganisingFavouritesOpensTheFavouritesFolder) {
    char folder[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_FAVORITES | CSIDL_FLAG_CREATE, nullptr, 0, folder)));
    RunView([&](ViewFrame&) { View().RunMenuCommand(kOrganiseFavourites); });
    EXPECT_EQ(opened, (std::vector<std::string>{folder}));
}

TEST_F(NavigationViewTest, NavigationBarMenuNamesWhatItWillDo) {
    RunView([&](ViewFrame&) {
        HWND tree = View().Tree();
        ASSERT_TRUE(View().IsNavigationBarShown());
        EXPECT_TRUE(IsWindowVisible(tree));
        EXPECT_EQ(MenuLines(BuildNavigationBarMenu(View().IsNavigationBarShown()).get()),
                  (std::vector<std::string>{"隐藏导航栏"}));
        const RECT withBar = testkit::WindowRectangle(View().Tabs().GetCurWnd());

        View().RunMenuCommand(kToggleNavigationBar);
        EXPECT_FALSE(IsWindowVisible(tree));
        EXPECT_EQ(MenuLines(BuildNavigationBarMenu(View().IsNavigationBarShown()).get()),
                  (std::vector<std::string>{"显示导航栏"}));
        // The page takes the bar's room.
        EXPECT_LT(testkit::WindowRectangle(View().Tabs().GetCurWnd()).left, withBar.left);

        View().RunMenuCommand(kToggleNavigationBar);
        EXPECT_TRUE(IsWindowVisible(tree));
    });
}

TEST_F(NavigationViewTest, ExitEntryEndsTheProgramsWindow) {
    const INT_PTR code = RunView([&](ViewFrame&) { View().RunMenuCommand(kPageMenuFirst + 11); }, true);
    EXPECT_EQ(code, 0);
}

TEST_F(NavigationViewTest, ClickElsewhereHidesTheDropDownUnlessTheCursorIsOverIt) {
    RunView([&](ViewFrame&) {
        CLynComboBox& box = View().AddressBox();
        const RECT boxPlace = testkit::WindowRectangle(box.GetSafeHwnd());
        const RECT treePlace = testkit::WindowRectangle(View().Tree());

        box.ShowDropDown(true);
        ASSERT_TRUE(box.IsDroppedDown());
        SetCursorPos((boxPlace.left + boxPlace.right) / 2, (boxPlace.top + boxPlace.bottom) / 2);
        View().OnClickElsewhere();
        EXPECT_TRUE(box.IsDroppedDown());

        SetCursorPos(treePlace.left + 10, treePlace.bottom - 10);
        View().OnClickElsewhere();
        EXPECT_FALSE(box.IsDroppedDown());
    });
}

TEST_F(NavigationViewTest, AddressHistoryIsSavedAtCloseAndReadAtTheNextStart) {
    const std::string earlier = "http://earlier.example/";
    WriteBytes(install.Data("url.dat"), DataBytes({earlier}));
    WriteBytes(install.Data("index_url.dat"), IndexBytes({earlier}));

    RunView([&](ViewFrame&) { EXPECT_EQ(View().History().GetItems(), (std::vector<std::string>{earlier, kHome})); });
    EXPECT_EQ(ReadBytes(install.Data("url.dat")), DataBytes({earlier, kHome}));
    EXPECT_EQ(ReadBytes(install.Data("index_url.dat")), IndexBytes({earlier, kHome}));

    RunView([&](ViewFrame&) {
        // The home page is in the history already and is not added twice.
        EXPECT_EQ(View().History().GetItems(), (std::vector<std::string>{earlier, kHome}));
    });
    EXPECT_EQ(ReadBytes(install.Data("index_url.dat")), IndexBytes({earlier, kHome}));
}

}  // namespace
