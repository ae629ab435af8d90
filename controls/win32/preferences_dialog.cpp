#include "controls/win32/preferences_dialog.h"

#include <commctrl.h>

#include <cstring>

#include "common/text_encoding.h"
#include "common/win32/module_path.h"
#include "controls/preferences_layout.h"

namespace cmmctrls {

namespace {

// The frame as a dialog template: 230 x 220 dialog units at (0, 0) with OK
// and Cancel at the bottom right, in the system font.
constexpr DWORD kFrameStyle = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kFrameExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
constexpr short kFrameWidth = 230;
constexpr short kFrameHeight = 220;
constexpr DWORD kPushButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr WORD kButtonClassAtom = 0x0080;

// Pixels the frame keeps around a page: below it for OK and Cancel and the
// caption, beside it for the borders.
constexpr int kFrameExtraHeight = 54;
constexpr int kFrameExtraWidth = 8;
constexpr int kStepPauseMs = 10;
constexpr COLORREF kIconMaskColour = RGB(255, 0, 255);

// Writes the words of an in-memory dialog template; texts are UTF-16.
class TemplateWriter {
public:
    void Word(WORD value) { words_.push_back(value); }
    void Dword(DWORD value) {
        Word(LOWORD(value));
        Word(HIWORD(value));
    }
    void Text(const std::string& gbk) {
        for (char16_t unit : GbkToUtf16(gbk)) {
            Word(static_cast<WORD>(unit));
        }
        Word(0);
    }
    // Items of a template start on 4-byte boundaries.
    void AlignDword() {
        if (words_.size() % 2 != 0) {
            Word(0);
        }
    }
    // The template in 4-byte aligned memory, as DialogBoxIndirect needs it.
    std::vector<DWORD> Finish() const {
        std::vector<DWORD> aligned((words_.size() + 1) / 2, 0);
        std::memcpy(aligned.data(), words_.data(), words_.size() * sizeof(WORD));
        return aligned;
    }

private:
    std::vector<WORD> words_;
};

void AddButton(TemplateWriter& writer, WORD id, DWORD style, short x, short y, const char* text) {
    writer.AlignDword();
    writer.Dword(kPushButtonStyle | style);
    writer.Dword(0);
    for (short value : {x, y, short{40}, short{14}}) {
        writer.Word(static_cast<WORD>(value));
    }
    writer.Word(id);
    writer.Word(0xFFFF);
    writer.Word(kButtonClassAtom);
    writer.Text(text);
    writer.Word(0);  // no creation data
}

std::vector<DWORD> FrameTemplate(const std::string& caption) {
    TemplateWriter writer;
    writer.Dword(kFrameStyle);
    writer.Dword(kFrameExStyle);
    writer.Word(2);  // items
    for (short value : {short{0}, short{0}, kFrameWidth, kFrameHeight}) {
        writer.Word(static_cast<WORD>(value));
    }
    writer.Word(0);  // no menu
    writer.Word(0);  // the dialog class
    writer.Text(caption);
    AddButton(writer, IDOK, BS_DEFPUSHBUTTON, 150, 200, "确定");
    AddButton(writer, IDCANCEL, BS_PUSHBUTTON, 200, 200, "取消");
    return writer.Finish();
}

HINSTANCE ThisModule() {
    return ModuleOfAddress(reinterpret_cast<const void*>(&ThisModule));
}

}  // namespace

CPreferencesDialog::CPreferencesDialog(HWND parent, int initialPage)
    : parent_(parent), initialPage_(initialPage), caption_("属性设置") {}

CPreferencesDialog::~CPreferencesDialog() = default;

UINT CPreferencesDialog::SaveMessage() {
    static const UINT message = RegisterWindowMessageA("CMMCTRLS_PREFERENCES_SAVE");
    return message;
}

void CPreferencesDialog::SetDlgCaption(const char* text) {
    caption_ = TruncateCaption(text);
}

int CPreferencesDialog::AddSubOption(HBITMAP icon, const char* title, HWND page) {
    if (IsSeparatorTitle(title)) {
        options_.push_back({nullptr, title, nullptr, true});
        return 1;
    }
    if (title == nullptr || icon == nullptr || page == nullptr || !IsWindow(page)) {
        return 0;
    }
    options_.push_back({icon, title, page, false});
    return 1;
}

INT_PTR CPreferencesDialog::DoModal() {
    if (hwnd_ != nullptr) {
        return -1;  // already running
    }
    currentPage_ = -1;
    const std::vector<DWORD> frame = FrameTemplate(caption_);
    return DialogBoxIndirectParamA(ThisModule(), reinterpret_cast<LPCDLGTEMPLATEA>(frame.data()), parent_,
                                   StaticDialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CPreferencesDialog::StaticDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CPreferencesDialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<CPreferencesDialog*>(lParam);
        self->hwnd_ = window;
        SetWindowLongPtrA(window, DWLP_USER, lParam);
    } else {
        self = reinterpret_cast<CPreferencesDialog*>(GetWindowLongPtrA(window, DWLP_USER));
    }
    if (self == nullptr) {
        return FALSE;
    }
    INT_PTR result = FALSE;
    try {
        result = self->DialogProc(message, wParam, lParam);
    } catch (...) {
        result = FALSE;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, DWLP_USER, 0);
        self->hwnd_ = nullptr;
        self->toolbar_ = nullptr;
        self->okButton_ = nullptr;
        self->cancelButton_ = nullptr;
    }
    return result;
}

INT_PTR CPreferencesDialog::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            // A dialog procedure sees no WM_CREATE: the toolbar is made here,
            // before anything is laid out.
            if (OnCreate() == -1) {
                EndDialog(hwnd_, -1);
                return TRUE;
            }
            DoDataExchange();
            return OnInitDialog();
        case WM_SIZE:
            OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
            return TRUE;
        case WM_SHOWWINDOW:
            OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
            return FALSE;
        case WM_COMMAND:
            return OnCommand(wParam, lParam);
        case WM_DESTROY:
            // The pages are the caller's: they leave with their data intact
            // instead of being destroyed as the frame's children.
            for (const Option& option : options_) {
                if (!option.separator && IsWindow(option.page) && GetParent(option.page) == hwnd_) {
                    ShowWindow(option.page, SW_HIDE);
                    SetParent(option.page, nullptr);
                    const LONG_PTR style = GetWindowLongPtrA(option.page, GWL_STYLE);
                    SetWindowLongPtrA(option.page, GWL_STYLE, (style & ~static_cast<LONG_PTR>(WS_CHILD)) | WS_POPUP);
                }
            }
            return FALSE;
        case WM_NCDESTROY:
            // After the toolbar, which only borrows the list.
            if (images_ != nullptr) {
                ImageList_Destroy(images_);
                images_ = nullptr;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

int CPreferencesDialog::OnCreate() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    // Positioned by OnSize, not by the toolbar's own docking.
    toolbar_ = CreateWindowExA(
        0, TOOLBARCLASSNAMEA, nullptr, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_TOP | CCS_NORESIZE | CCS_NODIVIDER, 0,
        0, 0, 0, hwnd_, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kPreferencesToolbarId)), ThisModule(), nullptr);
    if (toolbar_ == nullptr) {
        return -1;
    }
    SendMessageA(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    images_ = ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 2, 2);
    if (images_ == nullptr) {
        return -1;
    }
    SendMessageA(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
    return 0;
}

BOOL CPreferencesDialog::OnInitDialog() {
    for (std::size_t i = 0; i < options_.size(); ++i) {
        const Option& option = options_[i];
        TBBUTTON button = {};
        if (option.separator) {
            button.fsStyle = BTNS_SEP;
        } else {
            // The toolbar takes its texts as a list ending in an empty one.
            std::string text = option.title;
            text.push_back('\0');
            button.iBitmap = ImageList_AddMasked(images_, option.icon, kIconMaskColour);
            button.iString = SendMessageA(toolbar_, TB_ADDSTRINGA, 0, reinterpret_cast<LPARAM>(text.c_str()));
            button.idCommand = kFirstPageCommand + static_cast<int>(i);
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = BTNS_BUTTON;
            ShowWindow(option.page, SW_HIDE);
            EnableWindow(option.page, TRUE);
            const LONG_PTR style = GetWindowLongPtrA(option.page, GWL_STYLE);
            SetWindowLongPtrA(option.page, GWL_STYLE, (style & ~static_cast<LONG_PTR>(WS_POPUP)) | WS_CHILD);
            SetParent(option.page, hwnd_);
        }
        SendMessageA(toolbar_, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
    }
    SendMessageA(toolbar_, TB_AUTOSIZE, 0, 0);
    RECT client = {};
    GetClientRect(hwnd_, &client);
    OnSize(SIZE_RESTORED, client.right, client.bottom);
    if (initialPage_ >= 0) {
        SelectPage(kFirstPageCommand + initialPage_);
    }
    return TRUE;
}

void CPreferencesDialog::OnSize(UINT, int width, int height) {
    if (toolbar_ != nullptr) {
        MoveWindow(toolbar_, 0, 0, width, ToolbarHeight(), TRUE);
    }
    if (okButton_ == nullptr || cancelButton_ == nullptr) {
        return;
    }
    RECT okOffset = {0, 0, 100, 20};
    RECT cancelOffset = {0, 0, 50, 20};
    MapDialogRect(hwnd_, &okOffset);
    MapDialogRect(hwnd_, &cancelOffset);
    RECT ok = {};
    GetWindowRect(okButton_, &ok);
    const int buttonWidth = ok.right - ok.left;
    const int buttonHeight = ok.bottom - ok.top;
    constexpr UINT kFlags = SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(okButton_, nullptr, width - okOffset.right, height - okOffset.bottom, buttonWidth, buttonHeight,
                 kFlags);
    SetWindowPos(cancelButton_, nullptr, width - cancelOffset.right, height - cancelOffset.bottom, buttonWidth,
                 buttonHeight, kFlags);
}

void CPreferencesDialog::OnShowWindow(BOOL show, UINT) {
    if (show && currentPage_ == -1) {
        SelectPage(FirstPageCommand());
    }
}

BOOL CPreferencesDialog::OnCommand(WPARAM wParam, LPARAM) {
    const int command = LOWORD(wParam);
    if (command >= kFirstPageCommand) {
        SelectPage(command);
        return FALSE;
    }
    if (command == IDOK) {
        OnOK();
        return TRUE;
    }
    if (command == IDCANCEL) {
        EndDialog(hwnd_, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

void CPreferencesDialog::OnOK() {
    for (const Option& option : options_) {
        if (!option.separator && IsWindow(option.page) && SendMessageA(option.page, SaveMessage(), 0, 0) != 0) {
            return;
        }
    }
    EndDialog(hwnd_, IDOK);
}

void CPreferencesDialog::DoDataExchange() {
    okButton_ = GetDlgItem(hwnd_, IDOK);
    cancelButton_ = GetDlgItem(hwnd_, IDCANCEL);
}

int CPreferencesDialog::ToolbarHeight() const {
    if (toolbar_ == nullptr) {
        return 0;
    }
    return HIWORD(SendMessageA(toolbar_, TB_GETBUTTONSIZE, 0, 0)) + 2;
}

int CPreferencesDialog::FirstPageCommand() const {
    // A separator shows nothing, so the first page is the first real one.
    for (std::size_t i = 0; i < options_.size(); ++i) {
        if (!options_[i].separator) {
            return kFirstPageCommand + static_cast<int>(i);
        }
    }
    return -1;
}

void CPreferencesDialog::SelectPage(int command) {
    if (command == currentPage_) {
        SendMessageA(toolbar_, TB_CHECKBUTTON, command, TRUE);
        return;
    }
    const int index = command - kFirstPageCommand;
    if (index < 0 || static_cast<std::size_t>(index) >= options_.size()) {
        return;
    }
    const Option& option = options_[index];
    if (option.separator || !IsWindow(option.page)) {
        return;
    }
    FitFrameTo(option.page);
    RECT page = {};
    GetClientRect(option.page, &page);
    SetWindowPos(option.page, HWND_TOP, 0, ToolbarHeight(), page.right, page.bottom, SWP_SHOWWINDOW);
    if (currentPage_ != -1) {
        ShowWindow(options_[currentPage_ - kFirstPageCommand].page, SW_HIDE);
        SendMessageA(toolbar_, TB_CHECKBUTTON, currentPage_, FALSE);
    }
    SendMessageA(toolbar_, TB_CHECKBUTTON, command, TRUE);
    currentPage_ = command;
    for (HWND button : {okButton_, cancelButton_}) {
        InvalidateRect(button, nullptr, TRUE);
        UpdateWindow(button);
    }
}

void CPreferencesDialog::FitFrameTo(HWND page) {
    RECT client = {};
    GetClientRect(page, &client);
    RECT frame = {};
    GetWindowRect(hwnd_, &frame);
    const int wantedWidth = client.right + kFrameExtraWidth;
    const int wantedHeight = client.bottom + ToolbarHeight() + kFrameExtraHeight;
    const int height = frame.bottom - frame.top;
    constexpr UINT kFlags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    if (height == wantedHeight) {
        if (frame.right - frame.left != wantedWidth) {
            SetWindowPos(hwnd_, nullptr, 0, 0, wantedWidth, height, kFlags);
        }
        return;
    }
    // A few visible steps, so the frame grows or shrinks smoothly.
    for (int stepHeight : ResizeHeights(height, wantedHeight)) {
        SetWindowPos(hwnd_, nullptr, 0, 0, wantedWidth, stepHeight, kFlags);
        UpdateWindow(hwnd_);
        Sleep(kStepPauseMs);
    }
}

}  // namespace cmmctrls
