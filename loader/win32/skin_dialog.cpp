#include "loader/win32/skin_dialog.h"

#include <commctrl.h>

#include <utility>

#include "common/win32/window_icon.h"
#include "loader/skin_catalog.h"
#include "loader/win32/skin_dialog_resources.h"
#include "services/product_services.h"
#include "toolkit/lyn_ini.h"

namespace {

constexpr char kTabCaption[] = "桌面日历";
constexpr char kNotSavedText[] = "皮肤设置无法保存，请检查程序目录下的 Data\\module.ini 是否可以写入。";

// The dialog's layout, in pixels.
constexpr int kMargin = 10;
constexpr int kTabHeight = 20;
constexpr int kBelowFrame = 40;
constexpr int kButtonGap = 10;

SIZE WindowSize(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

std::unique_ptr<SkinDialog> SkinDialog::Open(HINSTANCE resources, SkinDialogSetup setup) {
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&classes);
    std::unique_ptr<SkinDialog> dialog(new SkinDialog(resources, std::move(setup)));
    if (!dialog->CreateFromTemplate(resources, IDD_SKIN_DIALOG, nullptr) || !dialog->page_) {
        return nullptr;
    }
    HWND window = dialog->Handle();
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    return dialog;
}

SkinDialog::~SkinDialog() {
    page_.reset();  // its worker let go before the windows go
}

INT_PTR SkinDialog::OnMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            if (!OnInitDialog()) {
                DestroyWindow(window_.get());
            }
            return TRUE;
        case WM_SIZE:
            Layout();
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                Apply();  // may have destroyed the dialog: nothing after it
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                DestroyWindow(window_.get());
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

bool SkinDialog::OnInitDialog() {
    HWND dialog = window_.get();
    ShowWindowIcon(dialog, resources_, IDI_SKIN_DIALOG_ICON);
    SetWindowTextA(dialog, setup_.title.c_str());
    page_ = SkinPage::Create(resources_, dialog, kCalendarSkinKind, setup_.page);
    if (!page_) {
        return false;
    }
    TCITEMA tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<char*>(kTabCaption);
    SendDlgItemMessageA(dialog, IDC_SKIN_TABS, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&tab));
    // The page sits above the frame, among the dialog's own children, so
    // Tab and the arrow keys reach its controls.
    SetWindowPos(page_->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ShowWindow(page_->Handle(), SW_SHOW);
    PlaceOnWorkArea();
    Layout();
    return true;
}

// Two thirds of the work area in each direction, centred on it.
void SkinDialog::PlaceOnWorkArea() {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int width = (work.right - work.left) * 2 / 3;
    const int height = (work.bottom - work.top) * 2 / 3;
    MoveWindow(window_.get(), work.left + (work.right - work.left - width) / 2,
               work.top + (work.bottom - work.top - height) / 2, width, height, TRUE);
}

void SkinDialog::Layout() {
    HWND dialog = window_.get();
    RECT client{};
    GetClientRect(dialog, &client);
    const int width = client.right;
    const int height = client.bottom;
    MoveWindow(GetDlgItem(dialog, IDC_SKIN_TABS), kMargin, kMargin, width - 2 * kMargin, kTabHeight, TRUE);
    const RECT frame{kMargin, kMargin + kTabHeight, width - kMargin, height - kBelowFrame};
    MoveWindow(GetDlgItem(dialog, IDC_SKIN_FRAME), frame.left, frame.top, frame.right - frame.left,
               frame.bottom - frame.top, TRUE);
    if (page_) {
        MoveWindow(page_->Handle(), frame.left + 1, frame.top + 2, frame.right - frame.left - 2,
                   frame.bottom - frame.top - 4, TRUE);
    }
    HWND cancel = GetDlgItem(dialog, IDCANCEL);
    HWND ok = GetDlgItem(dialog, IDOK);
    const SIZE button = WindowSize(cancel);
    const int buttonTop = height - kMargin - button.cy;
    MoveWindow(cancel, width - kMargin - button.cx, buttonTop, button.cx, button.cy, TRUE);
    MoveWindow(ok, width - kMargin - 2 * button.cx - kButtonGap, buttonTop, button.cx, button.cy, TRUE);
}

// Without a selection nothing is written, but the widgets still reload
// their skins and the dialog closes. A settings file that cannot be written
// keeps the dialog open, so the choice is not lost unnoticed.
void SkinDialog::Apply() {
    HWND dialog = window_.get();
    const std::string preview = page_ ? page_->SelectedPreview() : std::string();
    if (!preview.empty()) {
        const SkinKind& kind = page_->Kind();
        CLynIni settings;
        if (settings.SetFileName(page_->SettingsPath()) == 0 ||
            settings.SetValue(kind.librarySection, kind.currentSkinKey, SkinNameOfPreview(preview), true) != 0) {
            MsgBox(dialog, kNotSavedText, MB_ICONWARNING);
            return;
        }
    }
    if (setup_.changeSkins) {
        setup_.changeSkins();
    }
    DestroyWindow(dialog);
}
