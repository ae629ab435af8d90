#include "toolkit/win32/lyn_combo_box.h"

#include <windowsx.h>

#include <vector>

#include "common/win32/handles.h"
#include "common/win32/window_procedure.h"
#include "toolkit/win32/skin_image.h"
#include "toolkit/win32/toolkit_window_class.h"
#include "toolkit/win32/transparent_button.h"

namespace {

constexpr char kComboClass[] = "CLynComboBox";
constexpr int kDropButtonId = 1;
constexpr int kEditId = 2;
constexpr int kDropRowsShown = 10;  // the drop-down scrolls beyond that
constexpr SIZE kPlainButtonSize{18, 22};
constexpr COLORREF kFieldColour = RGB(255, 255, 255);
constexpr COLORREF kEdgeColour = RGB(127, 157, 185);
constexpr COLORREF kButtonMask = RGB(0, 128, 128);

}  // namespace

struct CLynComboBox::Box {
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK EditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnEditMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnListMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnEditKey(WPARAM key);
    void MakeChildren();
    void Layout() const;
    void Paint(HDC dc) const;
    void Notify(WORD code) const;
    void ShowDropDown(bool show);
    void FillDropDown();
    void Choose(int index);
    void HighlightAt(LPARAM point) const;
    void SetText(const std::string& text);

    HWND window = nullptr;  // from WM_NCCREATE until WM_NCDESTROY
    HWND edit = nullptr;
    WNDPROC editProcedure = nullptr;
    HWND list = nullptr;  // the drop-down, a pop-up owned by the top-level window
    WNDPROC listProcedure = nullptr;
    CTransParentButton dropButton;
    std::string buttonImages[3];
    CLynListBox* history = nullptr;
    std::vector<std::string> shown;  // the drop-down's entries while it is open
    bool locked = false;
    bool choosing = false;  // the text is being set from the drop-down
    bool dropped = false;
    UniqueGdiObject font;
};

CLynComboBox::CLynComboBox() : box_(std::make_unique<Box>()) {
    box_->font.reset(CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "宋体"));
}

// The field and the list get their own procedures back first, so they
// close down as the system's controls they are without reaching this box.
CLynComboBox::~CLynComboBox() {
    Box& box = *box_;
    if (box.list != nullptr) {
        HWND list = box.list;
        SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(box.listProcedure));
        box.list = nullptr;
        DestroyWindow(list);
    }
    if (box.edit != nullptr) {
        SetWindowLongPtrA(box.edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(box.editProcedure));
        box.edit = nullptr;
    }
    DestroyUnheard(box.window);
}

bool CLynComboBox::Create(HWND parent, int id, const RECT& place) {
    if (box_->window != nullptr) {
        return false;
    }
    if (!CreateToolkitChild(kComboClass, &ObjectWindowProcedure<Box>, WS_EX_CONTROLPARENT,
                            WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_TABSTOP, parent, id, place, box_.get())) {
        return false;
    }
    box_->MakeChildren();
    return box_->edit != nullptr && box_->list != nullptr;
}

HWND CLynComboBox::GetSafeHwnd() const {
    return box_->window;
}

void CLynComboBox::MoveTo(const RECT& place) {
    box_->ShowDropDown(false);
    SetWindowPos(box_->window, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CLynComboBox::SetButtonBmp(const std::string& normal, const std::string& hover, const std::string& pressed) {
    Box& box = *box_;
    box.buttonImages[0] = normal;
    box.buttonImages[1] = hover;
    box.buttonImages[2] = pressed;
    const bool loaded = box.dropButton.SetBitmap(normal, hover, pressed, "", kButtonMask);
    box.Layout();
    return loaded;
}

void CLynComboBox::SetKidnapListBox(CLynListBox* history) {
    box_->history = history;
}

std::string CLynComboBox::GetText() const {
    HWND edit = box_->edit;
    if (edit == nullptr) {
        return {};
    }
    const int length = GetWindowTextLengthA(edit);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    const int copied = GetWindowTextA(edit, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

void CLynComboBox::SetText(const std::string& text) {
    box_->SetText(text);
}

void CLynComboBox::LockChange(bool locked) {
    box_->locked = locked;
}

void CLynComboBox::ShowDropDown(bool show) {
    box_->ShowDropDown(show);
}

bool CLynComboBox::IsDroppedDown() const {
    return box_->dropped;
}

bool CLynComboBox::IsPointOver(POINT screen) const {
    const Box& box = *box_;
    RECT place{};
    if (box.window != nullptr && GetWindowRect(box.window, &place) && PtInRect(&place, screen)) {
        return true;
    }
    return box.dropped && box.list != nullptr && GetWindowRect(box.list, &place) && PtInRect(&place, screen);
}

void CLynComboBox::Box::MakeChildren() {
    edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0, 0, window,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)), ToolkitInstance(), nullptr);
    dropButton.Create(window, kDropButtonId, RECT{0, 0, kPlainButtonSize.cx, kPlainButtonSize.cy});
    if (!buttonImages[0].empty()) {
        dropButton.SetBitmap(buttonImages[0], buttonImages[1], buttonImages[2], "", kButtonMask);
    }
    // A pop-up rather than a child, so it can reach below the parent.
    list = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "LISTBOX", "",
                           WS_POPUP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0, 0, 0, 0,
                           GetAncestor(window, GA_ROOT), nullptr, ToolkitInstance(), nullptr);
    for (HWND control : {edit, list}) {
        if (control != nullptr) {
            SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
            SetWindowLongPtrA(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        }
    }
    if (edit != nullptr) {
        editProcedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Box::EditProcedure)));
    }
    if (list != nullptr) {
        listProcedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Box::ListProcedure)));
    }
    Layout();
}

// The field fills the box inside its one-pixel edge; the drop button sits
// at the right end, centred in the height.
void CLynComboBox::Box::Layout() const {
    if (window == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(window, &client);
    int buttonWidth = kPlainButtonSize.cx;
    if (HWND button = dropButton.GetSafeHwnd(); button != nullptr) {
        RECT place{};
        GetWindowRect(button, &place);
        buttonWidth = place.right - place.left;
        const int buttonHeight = place.bottom - place.top;
        SetWindowPos(button, nullptr, client.right - 1 - buttonWidth, (client.bottom - buttonHeight) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (edit != nullptr) {
        const int fieldHeight = 16;
        SetWindowPos(edit, nullptr, 4, (client.bottom - fieldHeight) / 2, client.right - buttonWidth - 6, fieldHeight,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

LRESULT CLynComboBox::Box::Handle(HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
            window = target;
            break;
        case WM_NCDESTROY:
            SetWindowLongPtrA(target, GWLP_USERDATA, 0);
            window = nullptr;
            edit = nullptr;  // gone with the box
            break;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PaintScope paint(target);
            Paint(paint.dc());
            return 0;
        }
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_SIZE:
            Layout();
            return 0;
        case WM_SETFOCUS:
            if (edit != nullptr) {
                SetFocus(edit);
            }
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kDropButtonId && HIWORD(wParam) == BN_CLICKED) {
                // The field takes the focus, so losing it later closes the drop-down.
                SetFocus(edit);
                ShowDropDown(!dropped);
            } else if (LOWORD(wParam) == kEditId && HIWORD(wParam) == EN_CHANGE && !locked && !choosing) {
                Notify(kLynComboChange);
            }
            return 0;
        case WM_CTLCOLOREDIT:
            SetBkColor(reinterpret_cast<HDC>(wParam), kFieldColour);
            return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
        default:
            break;
    }
    return DefWindowProcA(target, message, wParam, lParam);
}

void CLynComboBox::Box::Paint(HDC dc) const {
    RECT client{};
    GetClientRect(window, &client);
    FillSolid(dc, client, kFieldColour);
    FrameSolid(dc, client, kEdgeColour);
}

void CLynComboBox::Box::Notify(WORD code) const {
    if (window != nullptr) {
        SendMessageA(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), code),
                     reinterpret_cast<LPARAM>(window));
    }
}

void CLynComboBox::Box::SetText(const std::string& text) {
    if (edit != nullptr) {
        SetWindowTextA(edit, text.c_str());
        SendMessageA(edit, EM_SETSEL, text.size(), text.size());
    }
}

void CLynComboBox::Box::ShowDropDown(bool show) {
    if (show == dropped || list == nullptr || window == nullptr) {
        return;
    }
    if (!show) {
        ShowWindow(list, SW_HIDE);
        dropped = false;
        Notify(kLynComboCloseUp);
        return;
    }
    FillDropDown();
    RECT place{};
    GetWindowRect(window, &place);
    const int rows =
        shown.empty() ? 1 : (shown.size() < kDropRowsShown ? static_cast<int>(shown.size()) : kDropRowsShown);
    const int rowHeight = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    SetWindowPos(list, HWND_TOP, place.left, place.bottom, place.right - place.left, rows * rowHeight + 2,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    dropped = true;
    Notify(kLynComboDropDown);
}

void CLynComboBox::Box::FillDropDown() {
    shown = history != nullptr ? history->GetItems() : std::vector<std::string>{};
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& item : shown) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
}

void CLynComboBox::Box::Choose(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= shown.size()) {
        return;
    }
    const std::string chosen = shown[static_cast<std::size_t>(index)];
    ShowDropDown(false);
    // Choosing is its own notice, not also a change by typing.
    choosing = true;
    SetText(chosen);
    choosing = false;
    Notify(kLynComboSelect);
}

void CLynComboBox::Box::HighlightAt(LPARAM point) const {
    const LRESULT hit = SendMessageA(list, LB_ITEMFROMPOINT, 0, point);
    if (HIWORD(hit) == 0) {
        SendMessageA(list, LB_SETCURSEL, LOWORD(hit), 0);
    }
}

LRESULT CALLBACK CLynComboBox::Box::EditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* box = reinterpret_cast<Box*>(GetWindowLongPtrA(edit, GWLP_USERDATA));
    if (box == nullptr) {
        return DefWindowProcA(edit, message, wParam, lParam);
    }
    try {
        return box->OnEditMessage(message, wParam, lParam);
    } catch (...) {
        return CallWindowProcA(box->editProcedure, edit, message, wParam, lParam);
    }
}

LRESULT CALLBACK CLynComboBox::Box::ListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* box = reinterpret_cast<Box*>(GetWindowLongPtrA(list, GWLP_USERDATA));
    if (box == nullptr) {
        return DefWindowProcA(list, message, wParam, lParam);
    }
    try {
        return box->OnListMessage(message, wParam, lParam);
    } catch (...) {
        return CallWindowProcA(box->listProcedure, list, message, wParam, lParam);
    }
}

LRESULT CLynComboBox::Box::OnEditMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETDLGCODE: {
            // Enter, Escape and the arrows are the box's own, also inside a
            // dialog loop that would take Enter for its default button.
            const LRESULT code = CallWindowProcA(editProcedure, edit, message, wParam, lParam);
            const auto* pending = reinterpret_cast<const MSG*>(lParam);
            if (pending != nullptr && pending->message == WM_KEYDOWN &&
                (pending->wParam == VK_RETURN || pending->wParam == VK_ESCAPE)) {
                return code | DLGC_WANTMESSAGE;
            }
            return code;
        }
        case WM_KEYDOWN:
            if (OnEditKey(wParam)) {
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == '\r' || wParam == 27) {
                return 0;  // handled as keys; the edit would only beep
            }
            break;
        case WM_KILLFOCUS:
            ShowDropDown(false);
            break;
        default:
            break;
    }
    return CallWindowProcA(editProcedure, edit, message, wParam, lParam);
}

bool CLynComboBox::Box::OnEditKey(WPARAM key) {
    switch (key) {
        case VK_RETURN: {
            const int highlighted = dropped ? static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0)) : LB_ERR;
            if (highlighted != LB_ERR) {
                Choose(highlighted);
            } else {
                ShowDropDown(false);
                Notify(kLynComboEnter);
            }
            return true;
        }
        case VK_ESCAPE:
            ShowDropDown(false);
            return true;
        case VK_DOWN:
        case VK_UP: {
            if (!dropped) {
                ShowDropDown(key == VK_DOWN);
                return true;
            }
            const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
            const int current = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
            int next = key == VK_DOWN ? current + 1 : current - 1;
            if (current == LB_ERR) {
                next = key == VK_DOWN ? 0 : count - 1;
            }
            if (next >= 0 && next < count) {
                SendMessageA(list, LB_SETCURSEL, next, 0);
            }
            return true;
        }
        default:
            return false;
    }
}

LRESULT CLynComboBox::Box::OnListMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;  // the field keeps the focus and the window stays active
        case WM_MOUSEMOVE:
            HighlightAt(lParam);
            return 0;
        case WM_LBUTTONDOWN:
            // Not passed on: the list box would take the focus from the field.
            HighlightAt(lParam);
            return 0;
        case WM_LBUTTONUP: {
            const LRESULT hit = SendMessageA(list, LB_ITEMFROMPOINT, 0, lParam);
            if (HIWORD(hit) == 0) {
                Choose(LOWORD(hit));
            }
            return 0;
        }
        case WM_NCDESTROY: {
            HWND gone = list;
            SetWindowLongPtrA(gone, GWLP_USERDATA, 0);
            list = nullptr;
            dropped = false;
            return CallWindowProcA(listProcedure, gone, message, wParam, lParam);
        }
        default:
            break;
    }
    return CallWindowProcA(listProcedure, list, message, wParam, lParam);
}
