// The skin dialog in the test's process: which folders are listed as
// skins and the previews made for them, the dialog's size and layout, the
// current skin selected, the thumbnails' movements and selection, the grid's
// scrolling, and "确定" writing the choice and having the widgets reload
// their skins; "取消" writes nothing.

#include "loader/win32/skin_dialog.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "common/path_util.h"
#include "common/text_encoding.h"
#include "common/win32/com.h"
#include "common/win32/gdiplus_session.h"
#include "loader/loader_commands.h"
#include "loader/skin_update.h"
#include "loader/tests/win32/loader_window_harness.h"
#include "loader/win32/skin_dialog_resources.h"
#include "loader/win32/skin_folders.h"
#include "loader/win32/thumb_button.h"
#include "loader/win32/thumb_control.h"
#include "services/product_identity.h"
#include "testkit/win32/http_test_server.h"
#include "testkit/win32/message_box_answerer.h"
#include "testkit/win32/screenshot.h"
#include "testkit/win32/stopwatch.h"
#include "testkit/win32/window_helpers.h"
#include "toolkit/lyn_ini.h"

namespace {

constexpr char kTitle[] = "泽鲁桌面日历V4.0－更换皮肤";

// A PNG of the calendar background's size in one colour, written with GDI+.
void WritePng(const std::string& path, Gdiplus::Color colour) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    Gdiplus::Bitmap picture(229, 278, PixelFormat32bppARGB);
    {
        Gdiplus::Graphics graphics(&picture);
        Gdiplus::SolidBrush brush(colour);
        graphics.FillRectangle(&brush, 0, 0, 229, 278);
    }
    const std::u16string wide = GbkToUtf16(path);
    const std::optional<CLSID> encoder = testkit::PngEncoder();
    ASSERT_TRUE(encoder);
    ASSERT_EQ(picture.Save(reinterpret_cast<const WCHAR*>(wide.c_str()), &*encoder, nullptr), Gdiplus::Ok);
}

bool IsFile(const std::string& path) {
    return std::filesystem::is_regular_file(path);
}

std::string ReadText(const std::string& path) {
    std::string text;
    EXPECT_TRUE(ReadWholeFile(path, text)) << path;
    return text;
}

// A place within `window`, in its parent's client coordinates.
RECT PlaceInParent(HWND window) {
    RECT place = testkit::WindowRectangle(window);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

class SkinDialogTest : public testing::Test {
protected:
    void SetUp() override {
        skins_ = harness_.Folder().PathOf("modules\\Calendar");
        WritePng(skins_ + "\\SkinsBlue\\mainback.png", Gdiplus::Color(255, 40, 90, 200));
        WritePng(skins_ + "\\Other\\mainback.png", Gdiplus::Color(255, 200, 40, 40));
        WritePng(skins_ + "\\skinsRed\\mainback.png", Gdiplus::Color(255, 220, 30, 30));
        std::filesystem::create_directories(skins_ + "\\SkinsEmpty");  // no picture
        harness_.Folder().Write("modules\\Calendar\\SkinsBroken\\mainback.png", "not a picture");
        harness_.Folder().Write("modules\\Calendar\\SkinsFile", "a file, not a folder");
    }

    // The open skin dialog of this process, or nullptr.
    HWND Dialog() const { return testkit::FindTopLevelWindow({.title = kTitle, .processId = GetCurrentProcessId()}); }

    // Opens the dialog from the menu; module.ini gets `settings` first.
    HWND Open(const std::string& settings) {
        harness_.Folder().Write("Data\\module.ini", settings);
        EXPECT_TRUE(harness_.Start("127.0.0.1:1"));
        harness_.Command(command::kSkins);
        return Dialog();
    }

    ThumbControl* Grid(HWND dialog) const {
        for (HWND child : testkit::ChildWindows(dialog)) {
            if (ThumbControl* grid = ThumbControl::From(child)) {
                return grid;
            }
        }
        return nullptr;
    }

    std::string SkinSetting() const {
        CLynIni settings;
        settings.SetFileName(harness_.Folder().PathOf("Data\\module.ini"));
        return settings.GetValue("qvcalendar.dll", "skins");
    }

    ComApartment com_;
    GdiplusSession gdiplus_;
    mutable LoaderWindowHarness harness_{"skins"};
    std::string skins_;
};

TEST_F(SkinDialogTest, ListsFoldersWithThePrefixAndAPictureAndMakesTheirPreviews) {
    std::vector<std::string> previews = ListSkinPreviews(skins_, "Skins");
    std::vector<std::string> names;
    for (const std::string& preview : previews) {
        names.push_back(FileNameOf(FolderOf(preview)));
        EXPECT_EQ(FileNameOf(preview), "mainback.bmp");
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"SkinsBlue", "skinsRed"}));
    // The preview is a real BMP of the picture.
    const std::string bmp = ReadText(skins_ + "\\SkinsBlue\\mainback.bmp");
    ASSERT_GT(bmp.size(), 54u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    std::optional<testkit::Image> image = testkit::LoadImageFile(skins_ + "\\SkinsBlue\\mainback.bmp");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 229);
    EXPECT_EQ(image->height, 278);
    EXPECT_FALSE(IsFile(skins_ + "\\Other\\mainback.bmp"));
    EXPECT_FALSE(IsFile(skins_ + "\\SkinsBroken\\mainback.bmp"));  // a picture that cannot be read leaves no preview
    // An existing preview is kept as it is.
    harness_.Folder().Write("modules\\Calendar\\skinsRed\\mainback.bmp", "kept");
    EXPECT_EQ(ListSkinPreviews(skins_, "Skins").size(), 2u);
    EXPECT_EQ(ReadText(skins_ + "\\skinsRed\\mainback.bmp"), "kept");
    EXPECT_TRUE(ListSkinPreviews(skins_ + "\\Missing", "Skins").empty());
}

TEST_F(SkinDialogTest, OpensAtTwoThirdsOfTheWorkAreaWithTheCurrentSkinSelected) {
    HWND dialog = Open("[qvcalendar.dll]\r\nload=1\r\nskins=skinsblue\r\n");
    ASSERT_NE(dialog, nullptr);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const RECT place = testkit::WindowRectangle(dialog);
    EXPECT_EQ(place.right - place.left, (work.right - work.left) * 2 / 3);
    EXPECT_EQ(place.bottom - place.top, (work.bottom - work.top) * 2 / 3);
    EXPECT_NEAR((place.left + place.right) / 2, (work.left + work.right) / 2, 1);
    EXPECT_NEAR((place.top + place.bottom) / 2, (work.top + work.bottom) / 2, 1);
    EXPECT_NE(GetWindowLongPtrA(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);

    RECT client{};
    GetClientRect(dialog, &client);
    const RECT tabs = PlaceInParent(GetDlgItem(dialog, IDC_SKIN_TABS));
    EXPECT_EQ(tabs.left, 10);
    EXPECT_EQ(tabs.top, 10);
    EXPECT_EQ(tabs.right, client.right - 10);
    EXPECT_EQ(tabs.bottom - tabs.top, 20);
    EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_SKIN_TABS, TCM_GETITEMCOUNT, 0, 0), 1);
    const RECT cancel = PlaceInParent(GetDlgItem(dialog, IDCANCEL));
    const RECT ok = PlaceInParent(GetDlgItem(dialog, IDOK));
    EXPECT_EQ(cancel.right, client.right - 10);
    EXPECT_EQ(cancel.bottom, client.bottom - 10);
    EXPECT_LT(ok.right, cancel.left);
    EXPECT_EQ(ok.bottom, cancel.bottom);

    ThumbControl* grid = Grid(dialog);
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(grid->Count(), 2u);
    EXPECT_EQ(FileNameOf(FolderOf(grid->SelectedPath())), "SkinsBlue");  // the setting's case does not matter
    RECT gridClient{};
    GetClientRect(grid->Handle(), &gridClient);
    EXPECT_EQ(grid->Columns(), std::max<int>(1, gridClient.right / 124));

    std::filesystem::create_directories("screenshots");
    testkit::PumpMessages(300);
    EXPECT_TRUE(testkit::SaveWindowPng(dialog, "screenshots\\skin_dialog.png"));
}

TEST_F(SkinDialogTest, NoCurrentSkinSelectsNothing) {
    HWND dialog = Open("[qvcalendar.dll]\r\nload=1\r\n");
    ASSERT_NE(dialog, nullptr);
    ThumbControl* grid = Grid(dialog);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->SelectedPath(), "");
    for (std::size_t i = 0; i < grid->Count(); ++i) {
        EXPECT_FALSE(grid->At(i)->Selected());
    }
}

TEST_F(SkinDialogTest, AThumbnailRisesUnderThePointerSinksWhenPressedAndIsSelected) {
    HWND dialog = Open("[qvcalendar.dll]\r\nskins=SkinsBlue\r\n");
    ThumbControl* grid = Grid(dialog);
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(grid->Count(), 2u);
    const std::size_t red = FileNameOf(FolderOf(grid->At(0)->PreviewPath())) == "skinsRed" ? 0 : 1;
    ThumbButton* button = grid->At(red);
    HWND handle = button->Handle();
    const RECT rest = PlaceInParent(handle);

    SendMessageA(handle, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_TRUE(button->Hovered());
    EXPECT_EQ(PlaceInParent(handle).left, rest.left - 2);
    EXPECT_EQ(PlaceInParent(handle).top, rest.top - 2);
    SendMessageA(handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(PlaceInParent(handle).left, rest.left);
    EXPECT_TRUE(button->Selected());
    EXPECT_FALSE(grid->At(1 - red)->Selected());
    EXPECT_EQ(grid->SelectedPath(), button->PreviewPath());
    SendMessageA(handle, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(PlaceInParent(handle).left, rest.left - 2);
    SendMessageA(handle, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(button->Hovered());
    EXPECT_EQ(PlaceInParent(handle).left, rest.left);
    EXPECT_EQ(PlaceInParent(handle).top, rest.top);
    EXPECT_TRUE(button->Selected());  // the selection stays

    // Right clicks and double clicks change nothing.
    SendMessageA(grid->At(1 - red)->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
    SendMessageA(grid->At(1 - red)->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(grid->SelectedPath(), button->PreviewPath());
}

TEST_F(SkinDialogTest, OkWritesTheChosenSkinAndHasEveryWidgetReloadItsSkin) {
    harness_.Folder().AddModule("1_good.xml", "good.dll", "good");
    harness_.Folder().Write("Data\\module.ini",
                            "[good.dll]\r\nload=1\r\n[qvcalendar.dll]\r\nload=1\r\nskins=SkinsBlue\r\n");
    ASSERT_TRUE(harness_.Start("127.0.0.1:1"));
    harness_.LoadModules();
    harness_.Command(command::kSkins);
    HWND dialog = Dialog();
    ASSERT_NE(dialog, nullptr);
    ThumbControl* grid = Grid(dialog);
    ASSERT_NE(grid, nullptr);
    for (std::size_t i = 0; i < grid->Count(); ++i) {
        if (FileNameOf(FolderOf(grid->At(i)->PreviewPath())) == "skinsRed") {
            SendMessageA(grid->At(i)->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
            SendMessageA(grid->At(i)->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        }
    }
    const std::size_t logBefore = harness_.Folder().Log().size();
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);

    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(SkinSetting(), "skinsRed");
    const std::string settings = ReadText(harness_.Folder().PathOf("Data\\module.ini"));
    EXPECT_NE(settings.find("[good.dll]\r\nload=1\r\n"), std::string::npos);  // the rest stays
    const std::vector<std::string> log = harness_.Folder().Log();
    ASSERT_GT(log.size(), logBefore);
    EXPECT_NE(log.back().find("ChangeSkins"), std::string::npos) << log.back();
}

TEST_F(SkinDialogTest, OkWithoutASelectionWritesNothingButStillReloadsAndCancelWritesNothing) {
    harness_.Folder().AddModule("1_good.xml", "good.dll", "good");
    const std::string settings = "[good.dll]\r\nload=1\r\n";
    harness_.Folder().Write("Data\\module.ini", settings);
    ASSERT_TRUE(harness_.Start("127.0.0.1:1"));
    harness_.LoadModules();
    harness_.Command(command::kSkins);
    HWND dialog = Dialog();
    ASSERT_NE(dialog, nullptr);
    const std::size_t logBefore = harness_.Folder().Log().size();
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(ReadText(harness_.Folder().PathOf("Data\\module.ini")), settings);
    EXPECT_EQ(harness_.Folder().Log().size(), logBefore + 1);

    harness_.Command(command::kSkins);
    dialog = Dialog();
    ASSERT_NE(dialog, nullptr);
    ThumbControl* grid = Grid(dialog);
    ASSERT_NE(grid, nullptr);
    SendMessageA(grid->At(0)->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(ReadText(harness_.Folder().PathOf("Data\\module.ini")), settings);
    EXPECT_EQ(harness_.Folder().Log().size(), logBefore + 1);
}

TEST_F(SkinDialogTest, TheGridScrollsWhenItsThumbnailsDoNotFit) {
    for (int i = 0; i < 12; ++i) {
        WritePng(skins_ + "\\Skins" + std::to_string(i) + "\\mainback.png", Gdiplus::Color(255, 20 * i, 120, 160));
    }
    HWND dialog = Open("[qvcalendar.dll]\r\n");
    ThumbControl* grid = Grid(dialog);
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(grid->Count(), 14u);
    HWND handle = grid->Handle();
    EXPECT_NE(GetWindowLongPtrA(handle, GWL_STYLE) & WS_VSCROLL, 0);
    const RECT first = PlaceInParent(grid->At(0)->Handle());
    SendMessageA(handle, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(grid->Scroll().y, 1);
    SendMessageA(handle, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(grid->Scroll().y, 21);
    SendMessageA(handle, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
    EXPECT_EQ(grid->Scroll().y, 26);
    EXPECT_EQ(PlaceInParent(grid->At(0)->Handle()).top, first.top - 26);
    SendMessageA(handle, WM_MOUSEWHEEL, MAKEWPARAM(0, 3 * 120), 0);
    EXPECT_EQ(grid->Scroll().y, 11);
    SendMessageA(handle, WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(grid->Scroll().y, 0);
    SendMessageA(handle, WM_VSCROLL, SB_BOTTOM, 0);
    RECT client{};
    GetClientRect(handle, &client);
    const ThumbnailGrid layout{120, 150, client.right};
    EXPECT_EQ(grid->Scroll().y, layout.ContentHeight(14) - client.bottom);
}

// Pumps this thread's messages until `done` or `timeoutMs` passed.
template <typename Done>
bool PumpUntil(Done done, unsigned timeoutMs = 8000) {
    testkit::Stopwatch watch;
    while (!done() && watch.Milliseconds() < timeoutMs) {
        testkit::PumpMessages(20);
    }
    return done();
}

constexpr char kListPath[] = "/software/download/skins/tessary/skins.htm";

// The skin page's online part against the test's own site.
class SkinPageUpdateTest : public SkinDialogTest {
protected:
    std::string Site() const { return "127.0.0.1:" + std::to_string(site_.Port()); }

    HWND OpenWithSite() {
        harness_.Folder().Write("Data\\module.ini", "[qvcalendar.dll]\r\nskins=SkinsBlue\r\n");
        EXPECT_TRUE(harness_.Start(Site()));
        harness_.Command(command::kSkins);
        return Dialog();
    }

    static HWND PageItem(HWND dialog, int id) {
        for (HWND child : testkit::ChildWindows(dialog)) {
            if (GetDlgCtrlID(child) == id && GetParent(child) != dialog) {
                return child;
            }
        }
        return nullptr;
    }

    testkit::HttpTestServer site_;
};

TEST_F(SkinPageUpdateTest, ListsThePublishedSkinsThatAreNotInstalledTicked) {
    const std::string a = site_.Url("/skins/skin_a.rar");
    const std::string b = site_.Url("/skins/skin_b.rar");
    site_.SetResponse(kListPath, {.body = "[CALENDAR]\r\nA=" + a + "\r\nB=" + b + "\r\n"});
    harness_.Folder().Write("Data\\skins.ini", "[CALENDAR]\r\nA=" + a + "\r\n");
    HWND dialog = OpenWithSite();
    ASSERT_NE(dialog, nullptr);
    HWND list = PageItem(dialog, IDC_SKIN_UPDATE_LIST);
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return ListView_GetItemCount(list) == 1; }));
    char name[64] = {};
    ListView_GetItemText(list, 0, 0, name, sizeof name);
    EXPECT_STREQ(name, "B");
    EXPECT_NE(ListView_GetCheckState(list, 0), 0u);
    HWND status = PageItem(dialog, IDC_SKIN_STATUS);
    EXPECT_TRUE(PumpUntil([&] { return testkit::WindowText(status) == NewSkinsStatus(1); }, 3000))
        << testkit::WindowText(status);
    EXPECT_EQ(testkit::WindowText(status), "共有1组最新皮肤，要更新请点击“立即更新”");
    EXPECT_TRUE(IsWindowEnabled(PageItem(dialog, IDC_SKIN_REFRESH)));
    ASSERT_EQ(site_.Requests().size(), 1u);
    EXPECT_EQ(site_.Requests()[0].target, kListPath);

    // 立即更新 with the only row unticked asks for a choice and downloads nothing.
    ListView_SetCheckState(list, 0, FALSE);
    testkit::MessageBoxAnswerer answerer(services::kMessageBoxCaption.data(), IDOK);
    SendMessageA(PageItem(dialog, IDC_SKIN_UPDATE_NOW), BM_CLICK, 0, 0);
    const std::optional<testkit::AnsweredDialog> asked = answerer.Result();
    ASSERT_TRUE(asked);
    EXPECT_EQ(asked->text, kChooseSkinText);
    EXPECT_EQ(asked->icon, testkit::MessageBoxIcon::kInformation);
    EXPECT_TRUE(IsWindowEnabled(PageItem(dialog, IDC_SKIN_UPDATE_NOW)));
    EXPECT_TRUE(IsWindowEnabled(PageItem(dialog, IDC_SKIN_REFRESH)));
    testkit::PumpMessages(300);
    EXPECT_EQ(site_.Requests().size(), 1u);
}

TEST_F(SkinPageUpdateTest, AnUnreachableListSaysTheSkinsAreUpToDate) {
    site_.SetResponse(kListPath, {.status = 500});
    HWND dialog = OpenWithSite();
    ASSERT_NE(dialog, nullptr);
    HWND status = PageItem(dialog, IDC_SKIN_STATUS);
    EXPECT_EQ(testkit::WindowText(status), kSkinListLoadingText);
    EXPECT_TRUE(PumpUntil([&] { return testkit::WindowText(status) == kSkinsUpToDateText; }));
    EXPECT_TRUE(IsWindowEnabled(PageItem(dialog, IDC_SKIN_REFRESH)));
    EXPECT_EQ(ListView_GetItemCount(PageItem(dialog, IDC_SKIN_UPDATE_LIST)), 0);

    // 刷新 asks again.
    SendMessageA(PageItem(dialog, IDC_SKIN_REFRESH), BM_CLICK, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return site_.Requests().size() == 2; }));
    // Closing the dialog while nothing runs leaves nothing behind.
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(SkinPageUpdateTest, UpdateInstallsTheTickedSkinAndItsThumbnailAppears) {
    std::string package;
    ASSERT_TRUE(ReadWholeFile(JoinPath(BuildBinFolder(), "fixture_skin_package.exe"), package));
    const std::string address = site_.Url("/skins/skin_new.rar");
    site_.SetResponse(kListPath, {.body = "[CALENDAR]\r\nNew=" + address + "\r\n"});
    site_.SetResponse("/skins/skin_new.rar", {.body = package});
    HWND dialog = OpenWithSite();
    ASSERT_NE(dialog, nullptr);
    HWND list = PageItem(dialog, IDC_SKIN_UPDATE_LIST);
    ASSERT_TRUE(PumpUntil([&] { return ListView_GetItemCount(list) == 1; }));
    ThumbControl* grid = Grid(dialog);
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(grid->Count(), 2u);

    SendMessageA(PageItem(dialog, IDC_SKIN_UPDATE_NOW), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowEnabled(PageItem(dialog, IDC_SKIN_UPDATE_NOW)));
    EXPECT_FALSE(IsWindowEnabled(PageItem(dialog, IDC_SKIN_REFRESH)));
    // The package runs for a while; the thumbnails are filled again a
    // second after it has been waited for.
    ASSERT_TRUE(PumpUntil([&] { return grid->Count() == 3; }, 20000));
    bool found = false;
    for (std::size_t i = 0; i < grid->Count(); ++i) {
        found = found || FileNameOf(FolderOf(grid->At(i)->PreviewPath())) == "Skinsskin_new";
    }
    EXPECT_TRUE(found);
    EXPECT_TRUE(IsFile(skins_ + "\\Skinsskin_new\\mainback.bmp"));
    EXPECT_FALSE(IsFile(harness_.Folder().PathOf("Modules\\skin_new.exe")));  // the package is deleted
    CLynIni catalogue;
    catalogue.SetFileName(harness_.Folder().PathOf("Data\\skins.ini"));
    EXPECT_EQ(catalogue.GetValue("CALENDAR", "New"), address);
    // The list is loaded again: nothing is new any more.
    HWND status = PageItem(dialog, IDC_SKIN_STATUS);
    EXPECT_TRUE(PumpUntil([&] { return testkit::WindowText(status) == kSkinsUpToDateText; }, 3000))
        << testkit::WindowText(status);
    EXPECT_EQ(ListView_GetItemCount(list), 0);
    EXPECT_TRUE(IsWindowEnabled(PageItem(dialog, IDC_SKIN_UPDATE_NOW)));
    EXPECT_TRUE(IsWindowEnabled(PageItem(dialog, IDC_SKIN_REFRESH)));
    EXPECT_EQ(SendMessageA(PageItem(dialog, IDC_SKIN_PROGRESS), PBM_GETPOS, 0, 0), 100);
    std::vector<std::string> targets;
    for (const testkit::HttpRequest& request : site_.Requests()) {
        targets.push_back(request.target);
        EXPECT_EQ(request.Header("User-Agent").value_or(""), "updateskins");
    }
    EXPECT_EQ(targets, (std::vector<std::string>{kListPath, "/skins/skin_new.rar", kListPath}));
}

TEST_F(SkinPageUpdateTest, ClosingTheDialogDuringAnUpdateLeavesTheWorkerToFinishAlone) {
    std::string package;
    ASSERT_TRUE(ReadWholeFile(JoinPath(BuildBinFolder(), "fixture_skin_package.exe"), package));
    site_.SetResponse(kListPath, {.body = "[CALENDAR]\r\nLate=" + site_.Url("/skins/skin_late.rar") + "\r\n"});
    site_.SetResponse("/skins/skin_late.rar", {.body = package, .delayBeforeBodyMs = 1000});
    HWND dialog = OpenWithSite();
    ASSERT_NE(dialog, nullptr);
    HWND list = PageItem(dialog, IDC_SKIN_UPDATE_LIST);
    ASSERT_TRUE(PumpUntil([&] { return ListView_GetItemCount(list) == 1; }));
    SendMessageA(PageItem(dialog, IDC_SKIN_UPDATE_NOW), BM_CLICK, 0, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_FALSE(IsWindow(dialog));
    // Another tool window takes the slot; the worker finishes on its own.
    harness_.Command(command::kSkins);
    EXPECT_TRUE(PumpUntil([&] { return IsFile(skins_ + "\\Skinsskin_late\\mainback.png"); }, 20000));
    testkit::PumpMessages(2000);
    EXPECT_NE(Dialog(), nullptr);
}

}  // namespace
