#include "toolkit/win32/lyn_flat_dlg.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "testkit/win32/screenshot.h"
#include "testkit/win32/window_helpers.h"
#include "toolkit/lyn_list_box.h"
#include "toolkit/tests/win32/control_fixture.h"
#include "toolkit/win32/lyn_combo_box.h"
#include "toolkit/win32/lyn_tab_ctrl.h"

namespace {

using control_test::BmpPixel;
using control_test::Rendering;
using control_test::SkinPath;

constexpr UINT kRunStep = WM_APP + 7;
constexpr UINT_PTR kWatchdogTimer = 99;
constexpr INT_PTR kWatchdogCode = -2;  // a test whose steps never ended the dialog
constexpr COLORREF kBackground = RGB(240, 244, 250);
constexpr RECT kPlace{100, 100, 600, 500};  // 500 x 400

FlatDlgImages SkinImages() {
    return FlatDlgImages{SkinPath("title1.bmp"),  SkinPath("title2.bmp"),  SkinPath("title3.bmp"),
                         SkinPath("bottom1.bmp"), SkinPath("bottom2.bmp"), SkinPath("bottom3.bmp")};
}

FlatDlgButtonImages ButtonImages() {
    FlatDlgButtonImages images;
    for (int state = 0; state < 3; ++state) {
        const std::string number = std::to_string(state + 1);
        images.minimise[state] = SkinPath("min" + number + ".bmp");
        images.maximise[state] = SkinPath("max" + number + ".bmp");
        images.close[state] = SkinPath("close" + number + ".bmp");
    }
    return images;
}

// 最小化, 最大化, 退出 in GBK.
const FlatDlgButtonTips kTips{"\xD7\xEE\xD0\xA1\xBB\xAF", "\xD7\xEE\xB4\xF3\xBB\xAF", "\xCD\xCB\xB3\xF6"};

// A frame that runs the test's steps inside its own modal loop, one posted
// message each, so whatever a step posts is handled by the loop (with its
// dialog keys) before the next step looks.
class ScriptedDialog : public CLynFlatDlg {
public:
    using Step = std::function<void(ScriptedDialog&)>;

    ScriptedDialog() {
        SetBkColor(kBackground);
        SetTitleImage(SkinImages());
        SetWindowButtons(ButtonImages(), kTips);
        SetMinimumSize(415, 400);
    }

    INT_PTR Run(std::vector<Step> steps) {
        steps_ = std::move(steps);
        return DoModal(GetModuleHandleA(nullptr));
    }

    std::function<bool(ScriptedDialog&)> onInit;
    bool visibleAtInit = true;
    bool everShown = false;
    int initCalls = 0;
    int destroyCalls = 0;
    std::vector<SIZE> sizes;
    std::vector<WPARAM> commands;

protected:
    bool OnInitDialog() override {
        ++initCalls;
        visibleAtInit = IsWindowVisible(GetSafeHwnd()) != FALSE;
        SetWindowPos(GetSafeHwnd(), nullptr, kPlace.left, kPlace.top, kPlace.right - kPlace.left,
                     kPlace.bottom - kPlace.top, SWP_NOZORDER | SWP_NOACTIVATE);
        SetTimer(GetSafeHwnd(), kWatchdogTimer, 20000, nullptr);
        PostMessageA(GetSafeHwnd(), kRunStep, 0, 0);
        return onInit ? onInit(*this) : true;
    }
    void OnSize(int width, int height) override { sizes.push_back(SIZE{width, height}); }
    void OnCommand(WPARAM wParam, LPARAM) override { commands.push_back(wParam); }
    void OnDestroy() override { ++destroyCalls; }
    bool OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) override {
        if (message == WM_SHOWWINDOW && wParam != FALSE) {
            everShown = true;
        }
        if (message == WM_TIMER && wParam == kWatchdogTimer) {
            EndDialog(kWatchdogCode);
            return true;
        }
        if (message != kRunStep || next_ >= steps_.size()) {
            return false;
        }
        steps_[next_++](*this);
        if (next_ < steps_.size()) {
            PostMessageA(GetSafeHwnd(), kRunStep, 0, 0);
        }
        result = 0;
        return true;
    }

private:
    std::vector<Step> steps_;
    std::size_t next_ = 0;
};

RECT WindowPlace(HWND window) {
    RECT place{};
    GetWindowRect(window, &place);
    return place;
}

RECT WorkArea() {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

// A click on the dialog's window button `id`, handled by the loop.
void ClickButton(ScriptedDialog& dialog, int id) {
    HWND button = GetDlgItem(dialog.GetSafeHwnd(), id);
    PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}

struct ToolTipSearch {
    HWND owner;
    HWND found;
};

// An enumeration callback: nothing may be thrown through the system.
BOOL CALLBACK FindToolTips(HWND window, LPARAM context) {
    try {
        auto* search = reinterpret_cast<ToolTipSearch*>(context);
        if (GetWindow(window, GW_OWNER) == search->owner && testkit::WindowClassName(window) == TOOLTIPS_CLASSA) {
            search->found = window;
            return FALSE;
        }
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}

HWND ToolTipsOf(HWND owner) {
    ToolTipSearch search{owner, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &FindToolTips, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string ToolTipText(HWND tips, HWND owner, HWND control) {
    char text[256] = {};
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text;
    SendMessageA(tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    return text;
}

TEST(LynFlatDlg, DoModalReturnsTheCodeGivenToEndDialog) {
    ScriptedDialog dialog;
    bool visibleInLoop = false;
    const INT_PTR code = dialog.Run({[&](ScriptedDialog& d) {
        visibleInLoop = IsWindowVisible(d.GetSafeHwnd()) != FALSE;
        d.EndDialog(7);
    }});
    EXPECT_EQ(code, 7);
    EXPECT_EQ(dialog.initCalls, 1);
    EXPECT_FALSE(dialog.visibleAtInit) << "OnInitDialog runs before the window shows";
    EXPECT_TRUE(visibleInLoop);
    EXPECT_EQ(dialog.destroyCalls, 1);
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
    ASSERT_FALSE(dialog.sizes.empty());
    EXPECT_EQ(dialog.sizes.back().cx, 500) << "OnSize comes once the controls exist";
}

TEST(LynFlatDlg, FailedInitDialogEndsWithMinusOneAndNeverShows) {
    ScriptedDialog dialog;
    dialog.onInit = [](ScriptedDialog&) { return false; };
    EXPECT_EQ(dialog.Run({}), -1);
    EXPECT_FALSE(dialog.everShown);
    EXPECT_EQ(dialog.destroyCalls, 1);
}

TEST(LynFlatDlg, EndedInsideInitDialogNeverShows) {
    ScriptedDialog dialog;
    dialog.onInit = [](ScriptedDialog& d) {
        d.EndDialog(3);
        return true;
    };
    EXPECT_EQ(dialog.Run({}), 3);
    EXPECT_FALSE(dialog.everShown);
}

TEST(LynFlatDlg, CloseButtonAndWindowCloseEndWithCancel) {
    using Closer = std::function<void(ScriptedDialog&)>;
    const Closer closers[] = {
        [](ScriptedDialog& d) { ClickButton(d, kFlatDlgCloseId); },
        [](ScriptedDialog& d) { PostMessageA(d.GetSafeHwnd(), WM_CLOSE, 0, 0); },
    };
    for (const Closer& close : closers) {
        ScriptedDialog dialog;
        EXPECT_EQ(dialog.Run({close}), IDCANCEL);
        EXPECT_TRUE(dialog.commands.empty()) << "window buttons are the frame's own";
    }
}

TEST(LynFlatDlg, MinimumSizeIsKept) {
    ScriptedDialog dialog;
    MINMAXINFO info{};
    RECT shrunk{}, grown{};
    dialog.Run({[&](ScriptedDialog& d) {
        HWND window = d.GetSafeHwnd();
        SendMessageA(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        SetWindowPos(window, nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER);
        shrunk = WindowPlace(window);
        SetWindowPos(window, nullptr, 0, 0, 520, 450, SWP_NOMOVE | SWP_NOZORDER);
        grown = WindowPlace(window);
        d.EndDialog(IDOK);
    }});
    EXPECT_EQ(info.ptMinTrackSize.x, 415);
    EXPECT_EQ(info.ptMinTrackSize.y, 400);
    const RECT work = WorkArea();
    EXPECT_EQ(info.ptMaxSize.x, work.right - work.left);
    EXPECT_EQ(info.ptMaxSize.y, work.bottom - work.top);
    EXPECT_EQ(shrunk.right - shrunk.left, 415);
    EXPECT_EQ(shrunk.bottom - shrunk.top, 400);
    EXPECT_EQ(grown.right - grown.left, 520);
    EXPECT_EQ(grown.bottom - grown.top, 450);
}

TEST(LynFlatDlg, HitTestDragsByTheTitleAndResizesByTheEdges) {
    struct Case {
        POINT client;
        LRESULT expected;
    };
    const Case cases[] = {
        {{250, 15}, HTCAPTION},   {{250, 200}, HTCLIENT},      {{1, 200}, HTLEFT},    {{498, 200}, HTRIGHT},
        {{250, 1}, HTTOP},        {{250, 398}, HTBOTTOM},      {{1, 1}, HTTOPLEFT},   {{498, 1}, HTTOPRIGHT},
        {{1, 398}, HTBOTTOMLEFT}, {{498, 398}, HTBOTTOMRIGHT}, {{250, 40}, HTCLIENT},
    };
    ScriptedDialog dialog;
    std::vector<LRESULT> normal, maximised;
    LRESULT overButton = 0;
    const auto hitTest = [](HWND window, POINT client) {
        ClientToScreen(window, &client);
        return SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(client.x, client.y));
    };
    dialog.Run({[&](ScriptedDialog& d) {
        HWND window = d.GetSafeHwnd();
        for (const Case& c : cases) {
            normal.push_back(hitTest(window, c.client));
        }
        RECT button = WindowPlace(GetDlgItem(window, kFlatDlgCloseId));
        MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&button), 2);
        overButton = hitTest(window, POINT{(button.left + button.right) / 2, (button.top + button.bottom) / 2});
        d.MaxWindow(true);
        maximised.push_back(hitTest(window, POINT{250, 15}));
        maximised.push_back(hitTest(window, POINT{1, 200}));
        d.EndDialog(IDOK);
    }});
    ASSERT_EQ(normal.size(), std::size(cases));
    for (std::size_t i = 0; i < normal.size(); ++i) {
        EXPECT_EQ(normal[i], cases[i].expected) << cases[i].client.x << "," << cases[i].client.y;
    }
    EXPECT_EQ(overButton, HTCLIENT) << "the window buttons are not for dragging";
    EXPECT_EQ(maximised, (std::vector<LRESULT>{HTCLIENT, HTCLIENT})) << "a maximised window neither moves nor resizes";
}

// One mouse event at screen point `at` (absolute, as SendInput wants it).
INPUT MouseAt(POINT at, DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = at.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = at.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

// Real input: the left button pressed at `from` (client coordinates), the
// mouse moved by `by` in steps, the button released.
void Drag(HWND window, POINT from, SIZE by) {
    POINT start = from;
    ClientToScreen(window, &start);
    SetForegroundWindow(window);
    SetCursorPos(start.x, start.y);
    std::vector<INPUT> inputs{MouseAt(start, MOUSEEVENTF_LEFTDOWN)};
    for (int step = 1; step <= 4; ++step) {
        inputs.push_back(MouseAt(POINT{start.x + by.cx * step / 4, start.y + by.cy * step / 4}, 0));
    }
    inputs.push_back(MouseAt(POINT{start.x + by.cx, start.y + by.cy}, MOUSEEVENTF_LEFTUP));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The window's place after a drag, which the system's move or size loop
// carries out while the second step pumps.
RECT PlaceAfterDrag(POINT from, SIZE by) {
    ScriptedDialog dialog;
    RECT place{};
    dialog.Run({
        [&](ScriptedDialog& d) { Drag(d.GetSafeHwnd(), from, by); },
        [&](ScriptedDialog& d) {
            testkit::PumpMessages(500);
            place = WindowPlace(d.GetSafeHwnd());
            SetCursorPos(1279, 799);  // away from every test's windows
            d.EndDialog(IDOK);
        },
    });
    return place;
}

TEST(LynFlatDlg, DraggingTheTitleBarMovesTheWindow) {
    const RECT moved = PlaceAfterDrag(POINT{250, 15}, SIZE{60, 40});
    EXPECT_EQ(moved.left, kPlace.left + 60);
    EXPECT_EQ(moved.top, kPlace.top + 40);
    EXPECT_EQ(moved.right - moved.left, 500) << "moved, not resized";
}

TEST(LynFlatDlg, WindowButtonsSitAtTheTitlesRightEndWithTheirToolTips) {
    ScriptedDialog dialog;
    HWND extra = nullptr;
    dialog.onInit = [&](ScriptedDialog& d) {
        extra = CreateWindowExA(0, "STATIC", "x", WS_CHILD | WS_VISIBLE, 10, 60, 50, 20, d.GetSafeHwnd(), nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        d.AddToolTip(extra, "extra tip");
        return true;
    };
    std::vector<std::string> texts;
    std::vector<RECT> places;
    LRESULT toolCount = 0;
    dialog.Run({[&](ScriptedDialog& d) {
        HWND window = d.GetSafeHwnd();
        HWND tips = ToolTipsOf(window);
        ASSERT_NE(tips, nullptr);
        toolCount = SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0);
        for (int id : {kFlatDlgMinimiseId, kFlatDlgMaximiseId, kFlatDlgCloseId}) {
            HWND button = GetDlgItem(window, id);
            ASSERT_NE(button, nullptr) << id;
            RECT place = WindowPlace(button);
            MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&place), 2);
            places.push_back(place);
            texts.push_back(ToolTipText(tips, window, button));
        }
        texts.push_back(ToolTipText(tips, window, extra));
        d.EndDialog(IDOK);
    }});
    EXPECT_EQ(toolCount, 4);
    EXPECT_EQ(texts, (std::vector<std::string>{kTips.minimise, kTips.maximise, kTips.close, "extra tip"}));
    ASSERT_EQ(places.size(), 3u);
    for (std::size_t i = 0; i < places.size(); ++i) {
        EXPECT_EQ(places[i].right - places[i].left, 28) << i;
        EXPECT_EQ(places[i].top, 5) << i;
        EXPECT_GE(places[i].left, 500 - 110) << "inside the title's right end";
        if (i > 0) {
            EXPECT_EQ(places[i].left, places[i - 1].right) << "minimise, maximise, close from left to right";
        }
    }
    EXPECT_LE(places[2].right, 500);
}

TEST(LynFlatDlg, MaximiseFillsTheWorkAreaAndRestores) {
    ScriptedDialog dialog;
    RECT maximised{}, restored{};
    bool flagWhileMaximised = false;
    dialog.Run({
        [](ScriptedDialog& d) { ClickButton(d, kFlatDlgMaximiseId); },
        [&](ScriptedDialog& d) {
            maximised = WindowPlace(d.GetSafeHwnd());
            flagWhileMaximised = d.IsMaxWindow();
            ClickButton(d, kFlatDlgMaximiseId);
        },
        [&](ScriptedDialog& d) {
            restored = WindowPlace(d.GetSafeHwnd());
            d.EndDialog(IDOK);
        },
    });
    const RECT work = WorkArea();
    EXPECT_TRUE(EqualRect(&maximised, &work));
    EXPECT_TRUE(flagWhileMaximised);
    EXPECT_FALSE(dialog.IsMaxWindow());
    EXPECT_TRUE(EqualRect(&restored, &kPlace));
    ASSERT_GE(dialog.sizes.size(), 2u);
    EXPECT_EQ(dialog.sizes.back().cx, 500);
}

TEST(LynFlatDlg, DoubleClickOnTheTitleBarMaximisesAndRestores) {
    ScriptedDialog dialog;
    bool maximised = false;
    RECT restored{};
    dialog.Run({
        [](ScriptedDialog& d) {
            POINT title{250, 15};
            ClientToScreen(d.GetSafeHwnd(), &title);
            PostMessageA(d.GetSafeHwnd(), WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(title.x, title.y));
        },
        [&](ScriptedDialog& d) {
            maximised = d.IsMaxWindow();
            // Maximised, the title bar is client area.
            PostMessageA(d.GetSafeHwnd(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(250, 15));
        },
        [&](ScriptedDialog& d) {
            restored = WindowPlace(d.GetSafeHwnd());
            d.EndDialog(IDOK);
        },
    });
    EXPECT_TRUE(maximised);
    EXPECT_FALSE(dialog.IsMaxWindow());
    EXPECT_TRUE(EqualRect(&restored, &kPlace));
}

TEST(LynFlatDlg, MinimiseButtonIconifies) {
    ScriptedDialog dialog;
    bool iconic = false;
    dialog.Run({
        [](ScriptedDialog& d) { ClickButton(d, kFlatDlgMinimiseId); },
        [&](ScriptedDialog& d) {
            iconic = IsIconic(d.GetSafeHwnd()) != FALSE;
            ShowWindow(d.GetSafeHwnd(), SW_RESTORE);
            d.EndDialog(IDOK);
        },
    });
    EXPECT_TRUE(iconic);
}

TEST(LynFlatDlg, BarHeightsAreTheImagesHeights) {
    ScriptedDialog dialog;
    EXPECT_EQ(dialog.GetTitleHeight(), 30);
    EXPECT_EQ(dialog.GetBottomHeight(), 10);
    EXPECT_EQ(dialog.GetRightTitleWidth(), 110);
}

TEST(LynFlatDlg, FrameIsDrawnFromItsImagesAndBackground) {
    ScriptedDialog dialog;
    dialog.SetBorderStyle(1);
    dialog.Run({[](ScriptedDialog& d) {
        const Rendering picture(d.GetSafeHwnd());
        struct Case {
            POINT at;
            COLORREF expected;
        };
        const Case cases[] = {
            {{5, 20}, BmpPixel(SkinPath("title1.bmp"), 5, 20)},
            {{160 + 8 * 10 + 3, 12}, BmpPixel(SkinPath("title2.bmp"), 3, 12)},  // the middle, tiled
            {{500 - 110 + 2, 28}, BmpPixel(SkinPath("title3.bmp"), 2, 28)},
            {{5, 400 - 4}, BmpPixel(SkinPath("bottom1.bmp"), 5, 6)},
            {{200, 400 - 4}, BmpPixel(SkinPath("bottom2.bmp"), (200 - 10) % 8, 6)},
            {{250, 200}, kBackground},
            {{0, 200}, RGB(240 * 60 / 100, 244 * 60 / 100, 250 * 60 / 100)},  // the border
        };
        for (const Case& c : cases) {
            EXPECT_EQ(picture.Pixel(c.at.x, c.at.y), c.expected) << c.at.x << "," << c.at.y;
        }
        d.EndDialog(IDOK);
    }});
}

TEST(LynFlatDlg, MissingImagesStillDrawAPlainFrame) {
    ScriptedDialog dialog;
    FlatDlgImages missing = SkinImages();
    missing.titleMiddle = SkinPath("no_such_title.bmp");
    missing.bottomRight = SkinPath("no_such_bottom.bmp");
    EXPECT_FALSE(dialog.SetTitleImage(missing));
    EXPECT_EQ(dialog.GetTitleHeight(), 30);
    EXPECT_EQ(dialog.GetBottomHeight(), 10);
    dialog.Run({[](ScriptedDialog& d) {
        const Rendering picture(d.GetSafeHwnd());
        EXPECT_EQ(picture.Pixel(5, 20), RGB(58, 118, 228)) << "a plain title bar";
        EXPECT_NE(picture.Pixel(250, 395), picture.Pixel(250, 200)) << "a bottom edge apart from the background";
        EXPECT_EQ(picture.Pixel(250, 200), kBackground);
        EXPECT_NE(GetDlgItem(d.GetSafeHwnd(), kFlatDlgCloseId), nullptr);
        d.EndDialog(IDOK);
    }});
}

TEST(LynFlatDlg, TitleTextIsDrawnAndIsTheWindowsText) {
    ScriptedDialog dialog;
    const std::string title = "\xD4\xF3\xC2\xB3\xCD\xF8\xD6\xB7\xB5\xBC\xBA\xBD Example";  // 泽鲁网址导航
    int changed = 0;
    std::string windowText;
    dialog.Run({[&](ScriptedDialog& d) {
        const Rendering before(d.GetSafeHwnd());
        d.SetTitleText(title);
        const Rendering after(d.GetSafeHwnd());
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 390; ++x) {
                changed += before.Pixel(x, y) != after.Pixel(x, y);
            }
        }
        windowText = testkit::WindowText(d.GetSafeHwnd());
        d.EndDialog(IDOK);
    }});
    EXPECT_GT(changed, 20);
    EXPECT_EQ(windowText, title);
}

TEST(LynFlatDlg, TabKeyMovesBetweenChildControls) {
    ScriptedDialog dialog;
    HWND first = nullptr, second = nullptr;
    dialog.onInit = [&](ScriptedDialog& d) {
        for (HWND* edit : {&first, &second}) {
            *edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, 20,
                                    edit == &first ? 50 : 80, 100, 22, d.GetSafeHwnd(), nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
        }
        return true;
    };
    HWND focusAfterTab = nullptr;
    dialog.Run({
        [&](ScriptedDialog&) {
            SetFocus(first);
            PostMessageA(first, WM_KEYDOWN, VK_TAB, 0);
        },
        [&](ScriptedDialog& d) {
            focusAfterTab = GetFocus();
            PostMessageA(second, WM_KEYDOWN, VK_RETURN, 0);
            d.EndDialog(IDOK);
        },
    });
    EXPECT_EQ(focusAfterTab, second);
}

TEST(LynFlatDlg, EnterInAnAddressBoxReachesTheBoxNotTheDialog) {
    ScriptedDialog dialog;
    CLynComboBox address;
    dialog.onInit = [&](ScriptedDialog& d) {
        address.Create(d.GetSafeHwnd(), 300, RECT{8, 36, 492, 62});
        return true;
    };
    dialog.Run({
        [&](ScriptedDialog&) {
            HWND edit = FindWindowExA(address.GetSafeHwnd(), nullptr, "Edit", nullptr);
            SetFocus(edit);
            PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
        },
        [](ScriptedDialog& d) { d.EndDialog(IDOK); },
    });
    EXPECT_EQ(dialog.commands, std::vector<WPARAM>{MAKEWPARAM(300, kLynComboEnter)});
}

// The frame as the navigation page uses it: a tab bar with three tabs under
// an address box, for reviewers to look at.
TEST(LynFlatDlg, ScreenshotOfTheFrameWithTabBarAndAddressBox) {
    ScriptedDialog dialog;
    dialog.SetTitleText("\xD4\xF3\xC2\xB3\xCD\xF8\xD6\xB7\xB5\xBC\xBA\xBD");
    dialog.SetBorderStyle(1);
    CLynTabCtrl tabs;
    CLynComboBox address;
    CLynListBox history;
    dialog.onInit = [&](ScriptedDialog& d) {
        HWND window = d.GetSafeHwnd();
        address.Create(window, 300, RECT{8, 36, 492, 62});
        address.SetButtonBmp(SkinPath("combut1.bmp"), SkinPath("combut2.bmp"), SkinPath("combut3.bmp"));
        address.SetKidnapListBox(&history);
        address.LockChange(true);
        address.SetText("http://127.0.0.1/example");
        tabs.Create(window, 301, RECT{0, 66, 500, 94});
        tabs.SetBkImage(SkinPath("tabback.bmp"), SkinPath("tab1.bmp"), SkinPath("tab2.bmp"));
        tabs.SetShowTextCount(8);
        tabs.AddItemEx(0, "Example Domain", nullptr);
        tabs.AddItemEx(1, "\xB1\xB1\xBE\xA9\xCC\xEC\xC6\xF8", nullptr);  // 北京天气
        tabs.AddItemEx(2, kLoadingTabText, nullptr);
        tabs.SetCurrentSel(1);
        return true;
    };
    bool saved = false;
    dialog.Run({
        [](ScriptedDialog& d) { UpdateWindow(d.GetSafeHwnd()); },
        [&](ScriptedDialog& d) {
            testkit::PumpMessages(200);
            std::filesystem::create_directories("screenshots");
            saved = testkit::SaveWindowPng(d.GetSafeHwnd(), "screenshots\\lyn_controls.png");
            d.EndDialog(IDOK);
        },
    });
    EXPECT_TRUE(saved);
}

}  // namespace
