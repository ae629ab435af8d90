#include "loader/win32/skin_page.h"

#include <commctrl.h>

#include <algorithm>

#include "common/path_util.h"
#include "loader/win32/skin_dialog_resources.h"
#include "loader/win32/skin_folders.h"
#include "loader/win32/thumb_control.h"
#include "services/product_services.h"
#include "toolkit/lyn_ini.h"

namespace {

constexpr UINT_PTR kStatusTimer = 1;      // every second: status text and progress
constexpr UINT_PTR kFirstListTimer = 2;   // once, a second after opening: the published list
constexpr UINT_PTR kRefillGridTimer = 3;  // once, a second after an update: the new thumbnails
constexpr UINT kTimerMs = 1000;
constexpr UINT kJobDoneMessage = WM_APP + 1;  // from the engine; wParam: SkinJob

constexpr char kListPath[] = "/software/download/skins/tessary/skins.htm";
constexpr char kListColumn[] = "最新皮肤列表";
constexpr int kListColumnWidth = 500;

// The page's layout below the grid, in pixels.
constexpr int kBelowGrid = 180;
constexpr int kGap = 4;
constexpr int kListHeight = 100;
constexpr int kButtonsBelowList = 8;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kStatusHeight = 20;
constexpr int kProgressHeight = 16;

// The current skin's folder name as Data\module.ini keeps it; the file is
// only read, never made.
std::string CurrentSkinName(const std::string& settingsPath, const SkinKind& kind) {
    if (GetFileAttributesA(settingsPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return {};
    }
    CLynIni settings;
    if (settings.SetFileName(settingsPath) == 0) {
        return {};
    }
    return settings.GetValue(kind.librarySection, kind.currentSkinKey);
}

}  // namespace

SkinPage::SkinPage(const SkinKind& kind, SkinPageSetup setup)
    : kind_(kind),
      setup_(std::move(setup)),
      skinsFolder_(JoinPath(setup_.programFolder, kind.skinsFolder)),
      settingsPath_(JoinPath(setup_.programFolder, "Data\\module.ini")),
      cataloguePath_(JoinPath(setup_.programFolder, "Data\\skins.ini")) {}

std::unique_ptr<SkinPage> SkinPage::Create(HINSTANCE resources,
                                           HWND parent,
                                           const SkinKind& kind,
                                           SkinPageSetup setup) {
    if (!ThumbControl::RegisterWindowClasses(resources)) {
        return nullptr;
    }
    std::unique_ptr<SkinPage> page(new SkinPage(kind, std::move(setup)));
    if (!page->CreateFromTemplate(resources, IDD_SKIN_PAGE, parent)) {
        return nullptr;
    }
    return page;
}

SkinPage::~SkinPage() {
    engine_.reset();  // a running worker goes on alone and posts nothing more
}

ThumbControl* SkinPage::Grid() const {
    return ThumbControl::From(Item(IDC_SKIN_THUMBNAILS));
}

std::string SkinPage::SelectedPreview() const {
    const ThumbControl* grid = Grid();
    return grid != nullptr ? grid->SelectedPath() : std::string();
}

INT_PTR SkinPage::OnMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog();
            return TRUE;
        case WM_SIZE:
            Layout();
            return TRUE;
        case WM_TIMER:
            if (wParam == kStatusTimer) {
                ShowStatus();
            } else if (wParam == kFirstListTimer) {
                KillTimer(window_.get(), kFirstListTimer);
                LoadList();
            } else if (wParam == kRefillGridTimer) {
                KillTimer(window_.get(), kRefillGridTimer);
                FillGrid();
            }
            return TRUE;
        case kJobDoneMessage:
            OnJobDone(static_cast<SkinJob>(wParam));
            return TRUE;
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_SKIN_REFRESH) {
                LoadList();
                return TRUE;
            }
            if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_SKIN_UPDATE_NOW) {
                OnUpdateNow();
                return TRUE;
            }
            return FALSE;
        case WM_DESTROY:
            KillTimer(window_.get(), kStatusTimer);
            KillTimer(window_.get(), kFirstListTimer);
            KillTimer(window_.get(), kRefillGridTimer);
            engine_.reset();
            return FALSE;
        default:
            return FALSE;
    }
}

void SkinPage::OnInitDialog() {
    SkinUpdateSetup update;
    update.listAddress = "http://" + setup_.siteHost + kListPath;
    update.listFile = JoinPath(setup_.temporaryFolder, kind_.listFileName);
    update.cataloguePath = cataloguePath_;
    update.section = kind_.updateSection;
    update.modulesFolder = JoinPath(setup_.programFolder, "Modules");
    update.packageWaitMs = setup_.packageWaitMs;
    update.page = window_.get();
    update.doneMessage = kJobDoneMessage;
    engine_ = std::make_unique<SkinUpdateEngine>(std::move(update));

    ListView_SetExtendedListViewStyle(Item(IDC_SKIN_UPDATE_LIST), LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    SendMessageA(Item(IDC_SKIN_PROGRESS), PBM_SETRANGE32, 0, 100);
    SetTimer(window_.get(), kStatusTimer, kTimerMs, nullptr);
    FillGrid();
    SetTimer(window_.get(), kFirstListTimer, kTimerMs, nullptr);
}

void SkinPage::Layout() {
    RECT client{};
    GetClientRect(window_.get(), &client);
    const int width = client.right;
    const int gridHeight = std::max(0, static_cast<int>(client.bottom) - kBelowGrid);
    MoveWindow(Item(IDC_SKIN_THUMBNAILS), 0, 0, width, gridHeight, TRUE);
    const int listTop = gridHeight + kGap;
    MoveWindow(Item(IDC_SKIN_UPDATE_LIST), 0, listTop, width, kListHeight, TRUE);
    const int buttonsTop = listTop + kListHeight + kButtonsBelowList;
    MoveWindow(Item(IDC_SKIN_UPDATE_NOW), width - kButtonWidth, buttonsTop, kButtonWidth, kButtonHeight, TRUE);
    MoveWindow(Item(IDC_SKIN_REFRESH), width - 2 * kButtonWidth - kGap, buttonsTop, kButtonWidth, kButtonHeight, TRUE);
    const int statusTop = buttonsTop + kButtonHeight + kGap;
    MoveWindow(Item(IDC_SKIN_STATUS), 0, statusTop, width, kStatusHeight, TRUE);
    MoveWindow(Item(IDC_SKIN_PROGRESS), 0, statusTop + kStatusHeight + 1, width, kProgressHeight, TRUE);
}

void SkinPage::FillGrid() {
    ThumbControl* grid = Grid();
    if (grid == nullptr) {
        return;
    }
    grid->Clear();
    grid->SetCellSize(kind_.cellWidth, kind_.cellHeight);
    for (const std::string& preview : ListSkinPreviews(skinsFolder_, kind_.folderPrefix)) {
        grid->Add(preview);
    }
    grid->Select(SkinPreviewPath(skinsFolder_, CurrentSkinName(settingsPath_, kind_)));
}

void SkinPage::LoadList() {
    HWND list = Item(IDC_SKIN_UPDATE_LIST);
    EnableWindow(Item(IDC_SKIN_REFRESH), FALSE);
    ListView_DeleteAllItems(list);
    while (ListView_DeleteColumn(list, 0)) {
    }
    pending_.clear();
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = kListColumnWidth;
    column.pszText = const_cast<char*>(kListColumn);
    SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    // Refused only while a job runs, and the end of every job loads the
    // list again.
    if (engine_) {
        static_cast<void>(engine_->StartListLoad());
    }
}

void SkinPage::OnListLoaded() {
    pending_ = engine_->TakeNewSkins();
    HWND list = Item(IDC_SKIN_UPDATE_LIST);
    ListView_DeleteAllItems(list);
    for (std::size_t i = 0; i < pending_.size(); ++i) {
        LVITEMA row{};
        row.mask = LVIF_TEXT;
        row.iItem = static_cast<int>(i);
        row.pszText = const_cast<char*>(pending_[i].name.c_str());
        const int index = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row)));
        if (index >= 0) {
            ListView_SetCheckState(list, index, TRUE);
        }
    }
    ShowStatus();
    EnableButtons(true, true);
}

void SkinPage::OnUpdateNow() {
    EnableButtons(false, false);
    HWND list = Item(IDC_SKIN_UPDATE_LIST);
    bool anyChosen = false;
    for (std::size_t i = 0; i < pending_.size(); ++i) {
        pending_[i].chosen = ListView_GetCheckState(list, static_cast<int>(i)) != 0;
        anyChosen = anyChosen || pending_[i].chosen;
    }
    if (anyChosen && engine_ && engine_->StartUpdate(pending_)) {
        return;
    }
    // The box runs the loader's messages, which may close this page; nothing
    // of it is used after the box unless it is still there.
    HWND page = window_.get();
    MsgBox(page, pending_.empty() ? kSkinsUpToDateText : kChooseSkinText, MB_ICONINFORMATION);
    if (IsWindow(page)) {
        EnableButtons(true, true);
    }
}

void SkinPage::OnJobDone(SkinJob job) {
    if (!engine_) {
        return;
    }
    if (job == SkinJob::kListLoaded) {
        OnListLoaded();
        return;
    }
    ShowStatus();
    LoadList();
    SetTimer(window_.get(), kRefillGridTimer, kTimerMs, nullptr);
}

void SkinPage::ShowStatus() {
    if (!engine_) {
        return;
    }
    SetWindowTextA(Item(IDC_SKIN_STATUS), engine_->Status().c_str());
    SendMessageA(Item(IDC_SKIN_PROGRESS), PBM_SETPOS, static_cast<WPARAM>(engine_->Progress()), 0);
}

void SkinPage::EnableButtons(bool refresh, bool update) {
    EnableWindow(Item(IDC_SKIN_REFRESH), refresh ? TRUE : FALSE);
    EnableWindow(Item(IDC_SKIN_UPDATE_NOW), update ? TRUE : FALSE);
}
