#include "toolkit/win32/lyn_flat_dlg.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "common/win32/handles.h"
#include "common/win32/window_procedure.h"
#include "toolkit/win32/skin_image.h"
#include "toolkit/win32/toolkit_window_class.h"
#include "toolkit/win32/transparent_button.h"

namespace {

constexpr char kFrameClass[] = "CLynFlatDlg";
constexpr int kGripWidth = 4;          // the edge band that resizes the window
constexpr int kPlainTitleHeight = 30;  // bars drawn without their images
constexpr int kPlainBottomHeight = 10;
constexpr int kButtonGap = 6;         // between the close button and the right edge
constexpr int kPlainButtonSize = 20;  // a window button without its image
constexpr int kTitleTextLeft = 32;    // right of the mark in the title's left end
constexpr COLORREF kPlainTitleColour = RGB(58, 118, 228);
constexpr COLORREF kButtonMask = RGB(0, 128, 128);
constexpr SIZE kDefaultSize{640, 480};

// The three pieces of a bar: left end, middle to tile, right end.
struct BarImages {
    SkinImage left, middle, right;

    bool Load(const std::string& leftPath, const std::string& middlePath, const std::string& rightPath) {
        if (left.Load(leftPath) && middle.Load(middlePath) && right.Load(rightPath)) {
            return true;
        }
        left.Reset();
        middle.Reset();
        right.Reset();
        return false;
    }
    explicit operator bool() const { return static_cast<bool>(left); }
    int Height() const { return left.Height(); }

    void Draw(HDC dc, const RECT& box) const {
        left.Stretch(dc, RECT{box.left, box.top, box.left + left.Width(), box.bottom});
        middle.Tile(dc, RECT{box.left + left.Width(), box.top, box.right - right.Width(), box.bottom});
        right.Stretch(dc, RECT{box.right - right.Width(), box.top, box.right, box.bottom});
    }
};

struct PendingTip {
    HWND control;
    std::string text;
};

}  // namespace

struct CLynFlatDlg::Frame {
    explicit Frame(CLynFlatDlg& dialog) : owner(dialog) {}
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HitTest(POINT screen) const;
    void Paint(HDC dc) const;
    void PaintTitleText(HDC dc, const RECT& title) const;
    void PlaceButtons();
    void MakeButtons();
    void MakeToolTips();
    void AddTip(HWND control, const std::string& text) const;
    bool OnFrameCommand(WPARAM wParam);
    void OnMinMaxInfo(MINMAXINFO& info) const;
    void KeepMinimumSize(WINDOWPOS& place) const;
    RECT WorkArea() const;
    RECT Client() const;

    CLynFlatDlg& owner;
    HWND window = nullptr;  // from WM_NCCREATE until WM_NCDESTROY
    bool ending = false;
    bool initialised = false;  // OnInitDialog has run: sizes reach OnSize
    INT_PTR code = IDCANCEL;
    int borderStyle = 0;
    COLORREF background = RGB(255, 255, 255);
    BarImages title, bottom;
    std::string titleText;
    COLORREF titleColour = RGB(255, 255, 255);
    UniqueGdiObject titleFont;
    SIZE minimum{0, 0};
    bool maximised = false;
    RECT restored{};
    FlatDlgButtonImages buttonImages;
    FlatDlgButtonTips buttonTips;
    bool hasButtons = false;
    CTransParentButton buttons[3];  // minimise, maximise, close
    UniqueWindow tips;
    std::vector<PendingTip> pendingTips;  // added before the window existed
};

CLynFlatDlg::CLynFlatDlg() : frame_(std::make_unique<Frame>(*this)) {
    SetTitleTextStyle(RGB(255, 255, 255), true, 12);
}

CLynFlatDlg::~CLynFlatDlg() {
    // Normally DoModal has destroyed the window; if not, it goes without
    // calling the handlers of a derived class that is already gone.
    DestroyUnheard(frame_->window);
}

INT_PTR CLynFlatDlg::DoModal(HINSTANCE instance, HWND owner) {
    Frame& frame = *frame_;
    if (frame.window != nullptr) {
        return -1;
    }
    WNDCLASSEXA windowClass{};
    // Global, so the window can be made in the program's module (its
    // instance is then the one derived classes load resources from).
    windowClass.style = CS_GLOBALCLASS | CS_DBLCLKS;
    windowClass.lpfnWndProc = &ObjectWindowProcedure<Frame>;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kFrameClass;
    if (!EnsureToolkitClass(windowClass)) {
        return -1;
    }
    frame.ending = false;
    frame.code = IDCANCEL;
    const RECT work = frame.WorkArea();
    const int width = std::max(kDefaultSize.cx, frame.minimum.cx);
    const int height = std::max(kDefaultSize.cy, frame.minimum.cy);
    HWND window = CreateWindowExA(WS_EX_APPWINDOW | WS_EX_CONTROLPARENT, kFrameClass, frame.titleText.c_str(),
                                  WS_POPUP | WS_CLIPCHILDREN | WS_MINIMIZEBOX | WS_SYSMENU,
                                  work.left + (work.right - work.left - width) / 2,
                                  work.top + (work.bottom - work.top - height) / 2, width, height, owner, nullptr,
                                  instance != nullptr ? instance : ToolkitInstance(), &frame);
    if (window == nullptr) {
        return -1;
    }
    frame.MakeToolTips();
    frame.MakeButtons();
    frame.initialised = false;
    if (!OnInitDialog()) {
        EndDialog(-1);
    }
    frame.initialised = true;
    const RECT client = frame.Client();
    OnSize(client.right, client.bottom);
    const bool ownerWasEnabled = owner != nullptr && IsWindowEnabled(owner);
    if (!frame.ending) {
        if (ownerWasEnabled) {
            EnableWindow(owner, FALSE);
        }
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
    }
    MSG message{};
    while (!frame.ending && frame.window != nullptr) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            // WM_QUIT belongs to the loop outside this one.
            if (got == 0) {
                PostQuitMessage(static_cast<int>(message.wParam));
            }
            break;
        }
        if (!IsDialogMessageA(frame.window, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    if (ownerWasEnabled) {
        // Before the window goes, so the system activates the owner.
        EnableWindow(owner, TRUE);
    }
    if (frame.window != nullptr) {
        DestroyWindow(frame.window);
    }
    frame.initialised = false;
    return frame.code;
}

void CLynFlatDlg::EndDialog(INT_PTR code) {
    frame_->ending = true;
    frame_->code = code;
    if (frame_->window != nullptr) {
        // Wakes the loop, which may be waiting for a message.
        PostMessageA(frame_->window, WM_NULL, 0, 0);
    }
}

HWND CLynFlatDlg::GetSafeHwnd() const {
    return frame_->window;
}

void CLynFlatDlg::SetBorderStyle(int style) {
    frame_->borderStyle = style;
    if (frame_->window != nullptr) {
        InvalidateRect(frame_->window, nullptr, FALSE);
    }
}

void CLynFlatDlg::SetBkColor(COLORREF colour) {
    frame_->background = colour;
    if (frame_->window != nullptr) {
        InvalidateRect(frame_->window, nullptr, FALSE);
    }
}

bool CLynFlatDlg::SetTitleImage(const FlatDlgImages& images) {
    Frame& frame = *frame_;
    const bool titleLoaded = frame.title.Load(images.titleLeft, images.titleMiddle, images.titleRight);
    const bool bottomLoaded = frame.bottom.Load(images.bottomLeft, images.bottomMiddle, images.bottomRight);
    if (frame.window != nullptr) {
        frame.PlaceButtons();
        if (frame.initialised) {
            const RECT client = frame.Client();
            OnSize(client.right, client.bottom);
        }
        InvalidateRect(frame.window, nullptr, FALSE);
    }
    return titleLoaded && bottomLoaded;
}

bool CLynFlatDlg::SetWindowButtons(const FlatDlgButtonImages& images, const FlatDlgButtonTips& tips) {
    Frame& frame = *frame_;
    frame.buttonImages = images;
    frame.buttonTips = tips;
    frame.hasButtons = true;
    if (frame.window != nullptr) {
        frame.MakeButtons();
    }
    SkinImage probe;
    for (const auto* set : {&images.minimise, &images.maximise, &images.close}) {
        if (!probe.Load((*set)[0])) {
            return false;
        }
    }
    return true;
}

void CLynFlatDlg::SetTitleText(const std::string& text) {
    frame_->titleText = text;
    if (frame_->window != nullptr) {
        SetWindowTextA(frame_->window, text.c_str());
        InvalidateRect(frame_->window, nullptr, FALSE);
    }
}

void CLynFlatDlg::SetTitleTextStyle(COLORREF colour, bool bold, int pixelHeight) {
    frame_->titleColour = colour;
    frame_->titleFont.reset(CreateFontA(-pixelHeight, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                        GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                        DEFAULT_PITCH | FF_DONTCARE, "宋体"));
    if (frame_->window != nullptr) {
        InvalidateRect(frame_->window, nullptr, FALSE);
    }
}

void CLynFlatDlg::SetMinimumSize(int width, int height) {
    frame_->minimum = {width, height};
}

void CLynFlatDlg::AddToolTip(HWND control, const std::string& text) {
    if (frame_->tips) {
        frame_->AddTip(control, text);
    } else {
        frame_->pendingTips.push_back(PendingTip{control, text});
    }
}

void CLynFlatDlg::RelayTipEvent(const MSG& message) {
    if (frame_->tips && message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST) {
        MSG copy = message;
        SendMessageA(frame_->tips.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&copy));
    }
}

int CLynFlatDlg::GetTitleHeight() const {
    return frame_->title ? frame_->title.Height() : kPlainTitleHeight;
}

int CLynFlatDlg::GetBottomHeight() const {
    return frame_->bottom ? frame_->bottom.Height() : kPlainBottomHeight;
}

int CLynFlatDlg::GetRightTitleWidth() const {
    if (frame_->title) {
        return frame_->title.right.Width();
    }
    return 3 * (kPlainButtonSize + 8) + kButtonGap;
}

void CLynFlatDlg::MaxWindow(bool maximise) {
    Frame& frame = *frame_;
    if (frame.window == nullptr || maximise == frame.maximised) {
        return;
    }
    if (maximise) {
        GetWindowRect(frame.window, &frame.restored);
        const RECT work = frame.WorkArea();
        frame.maximised = true;
        SetWindowPos(frame.window, nullptr, work.left, work.top, work.right - work.left, work.bottom - work.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        frame.maximised = false;
        const RECT& place = frame.restored;
        SetWindowPos(frame.window, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

bool CLynFlatDlg::IsMaxWindow() const {
    return frame_->maximised;
}

bool CLynFlatDlg::OnInitDialog() {
    return true;
}

void CLynFlatDlg::OnSize(int, int) {}

void CLynFlatDlg::OnCommand(WPARAM, LPARAM) {}

LRESULT CLynFlatDlg::OnNotify(const NMHDR&) {
    return 0;
}

bool CLynFlatDlg::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

void CLynFlatDlg::OnDestroy() {}

LRESULT CLynFlatDlg::Frame::Handle(HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
            window = target;
            break;
        case WM_NCDESTROY:
            SetWindowLongPtrA(target, GWLP_USERDATA, 0);
            window = nullptr;
            tips.release();  // an owned pop-up, gone with the window
            return DefWindowProcA(target, message, wParam, lParam);
        case WM_DESTROY:
            owner.OnDestroy();
            return 0;
        case WM_NCHITTEST:
            return HitTest(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        case WM_GETMINMAXINFO:
            OnMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
            return 0;
        case WM_WINDOWPOSCHANGING:
            KeepMinimumSize(*reinterpret_cast<WINDOWPOS*>(lParam));
            break;
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers every pixel
        case WM_PAINT:
            PaintBuffered(target, [this](HDC dc) { Paint(dc); });
            return 0;
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_SIZE:
            PlaceButtons();
            InvalidateRect(target, nullptr, FALSE);
            if (initialised && wParam != SIZE_MINIMIZED) {
                owner.OnSize(LOWORD(lParam), HIWORD(lParam));
            }
            return 0;
        case WM_NCLBUTTONDBLCLK:
            if (wParam == HTCAPTION) {
                owner.MaxWindow(!maximised);
                return 0;
            }
            break;
        case WM_LBUTTONDBLCLK:
            if (GET_Y_LPARAM(lParam) < owner.GetTitleHeight()) {
                owner.MaxWindow(!maximised);  // a maximised title bar is client area
                return 0;
            }
            break;
        case WM_COMMAND:
            if (!OnFrameCommand(wParam)) {
                owner.OnCommand(wParam, lParam);
            }
            return 0;
        case WM_NOTIFY:
            return owner.OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_CLOSE:
            owner.EndDialog(IDCANCEL);
            return 0;
        default: {
            LRESULT result = 0;
            if (owner.OnMessage(message, wParam, lParam, result)) {
                return result;
            }
            break;
        }
    }
    return DefWindowProcA(target, message, wParam, lParam);
}

bool CLynFlatDlg::Frame::OnFrameCommand(WPARAM wParam) {
    if (HIWORD(wParam) != BN_CLICKED) {
        return false;
    }
    switch (LOWORD(wParam)) {
        case kFlatDlgMinimiseId:
            ShowWindow(window, SW_MINIMIZE);
            return true;
        case kFlatDlgMaximiseId:
            owner.MaxWindow(!maximised);
            return true;
        case kFlatDlgCloseId:
            owner.EndDialog(IDCANCEL);
            return true;
        default:
            return false;
    }
}

// Edges resize, the title bar outside the controls in it drags; a
// maximised window does neither.
LRESULT CLynFlatDlg::Frame::HitTest(POINT screen) const {
    POINT point = screen;
    ScreenToClient(window, &point);
    const RECT client = Client();
    if (!PtInRect(&client, point)) {
        return HTNOWHERE;
    }
    if (maximised) {
        return HTCLIENT;
    }
    const bool left = point.x < kGripWidth;
    const bool right = point.x >= client.right - kGripWidth;
    const bool top = point.y < kGripWidth;
    const bool bottomEdge = point.y >= client.bottom - kGripWidth;
    if (top) {
        return left ? HTTOPLEFT : (right ? HTTOPRIGHT : HTTOP);
    }
    if (bottomEdge) {
        return left ? HTBOTTOMLEFT : (right ? HTBOTTOMRIGHT : HTBOTTOM);
    }
    if (left) {
        return HTLEFT;
    }
    if (right) {
        return HTRIGHT;
    }
    HWND child = ChildWindowFromPointEx(window, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (point.y < owner.GetTitleHeight() && (child == nullptr || child == window)) {
        return HTCAPTION;
    }
    return HTCLIENT;
}

void CLynFlatDlg::Frame::OnMinMaxInfo(MINMAXINFO& info) const {
    if (minimum.cx > 0) {
        info.ptMinTrackSize.x = minimum.cx;
    }
    if (minimum.cy > 0) {
        info.ptMinTrackSize.y = minimum.cy;
    }
    // Maximised size and place are relative to the monitor: the work area,
    // so the task bar stays visible.
    HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    MONITORINFO monitorInfo{};
    monitorInfo.cbSize = sizeof monitorInfo;
    if (GetMonitorInfoA(monitor, &monitorInfo)) {
        const RECT& work = monitorInfo.rcWork;
        const RECT& whole = monitorInfo.rcMonitor;
        info.ptMaxPosition = {work.left - whole.left, work.top - whole.top};
        info.ptMaxSize = {work.right - work.left, work.bottom - work.top};
    }
}

// The system applies the minimum itself only to windows with a sizing
// border, and this one has none: every resize is checked here, by a
// program's SetWindowPos as well as by dragging an edge.
void CLynFlatDlg::Frame::KeepMinimumSize(WINDOWPOS& place) const {
    if ((place.flags & SWP_NOSIZE) != 0 || IsIconic(window)) {
        return;
    }
    place.cx = std::max(place.cx, static_cast<int>(minimum.cx));
    place.cy = std::max(place.cy, static_cast<int>(minimum.cy));
}

RECT CLynFlatDlg::Frame::WorkArea() const {
    MONITORINFO monitorInfo{};
    monitorInfo.cbSize = sizeof monitorInfo;
    HMONITOR monitor = window != nullptr ? MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)
                                         : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    if (GetMonitorInfoA(monitor, &monitorInfo)) {
        return monitorInfo.rcWork;
    }
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

RECT CLynFlatDlg::Frame::Client() const {
    RECT client{};
    GetClientRect(window, &client);
    return client;
}

void CLynFlatDlg::Frame::Paint(HDC dc) const {
    const RECT client = Client();
    const int titleHeight = owner.GetTitleHeight();
    const int bottomHeight = owner.GetBottomHeight();
    const RECT titleBox{0, 0, client.right, titleHeight};
    const RECT bottomBox{0, client.bottom - bottomHeight, client.right, client.bottom};
    FillSolid(dc, RECT{0, titleHeight, client.right, client.bottom - bottomHeight}, background);
    if (title) {
        title.Draw(dc, titleBox);
    } else {
        FillSolid(dc, titleBox, kPlainTitleColour);
    }
    if (bottom) {
        bottom.Draw(dc, bottomBox);
    } else {
        FillSolid(dc, bottomBox, Shade(background, 85));
    }
    PaintTitleText(dc, titleBox);
    if (borderStyle == 1) {
        FrameSolid(dc, client, Shade(background, 60));
    }
}

void CLynFlatDlg::Frame::PaintTitleText(HDC dc, const RECT& titleBox) const {
    RECT text = titleBox;
    text.left = kTitleTextLeft;
    text.right = titleBox.right - owner.GetRightTitleWidth();
    if (text.right <= text.left || titleText.empty()) {
        return;
    }
    const SelectedObject font(dc, titleFont ? titleFont.get() : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, titleColour);
    DrawTextA(dc, titleText.c_str(), static_cast<int>(titleText.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void CLynFlatDlg::Frame::MakeToolTips() {
    tips.reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                               ToolkitInstance(), nullptr));
    for (const PendingTip& pending : std::exchange(pendingTips, {})) {
        AddTip(pending.control, pending.text);
    }
}

void CLynFlatDlg::Frame::AddTip(HWND control, const std::string& text) const {
    if (!tips || control == nullptr) {
        return;
    }
    // The version 5 size, which every comctl32 accepts.
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<char*>(text.c_str());  // the tool tip keeps a copy
    SendMessageA(tips.get(), TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(tips.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void CLynFlatDlg::Frame::MakeButtons() {
    if (!hasButtons) {
        return;
    }
    const std::string* images[3] = {buttonImages.minimise, buttonImages.maximise, buttonImages.close};
    const std::string* texts[3] = {&buttonTips.minimise, &buttonTips.maximise, &buttonTips.close};
    constexpr int kIds[3] = {kFlatDlgMinimiseId, kFlatDlgMaximiseId, kFlatDlgCloseId};
    for (int i = 0; i < 3; ++i) {
        CTransParentButton& button = buttons[i];
        if (button.GetSafeHwnd() == nullptr &&
            !button.Create(window, kIds[i], RECT{0, 0, kPlainButtonSize, kPlainButtonSize})) {
            continue;
        }
        button.SetBitmap(images[i][0], images[i][1], images[i][2], "", kButtonMask);
        AddTip(button.GetSafeHwnd(), *texts[i]);
    }
    PlaceButtons();
}

// Close at the right end, maximise and minimise to its left, all centred in
// the title bar's height.
void CLynFlatDlg::Frame::PlaceButtons() {
    const RECT client = Client();
    int right = client.right - kButtonGap;
    for (int i = 2; i >= 0; --i) {
        HWND button = buttons[i].GetSafeHwnd();
        if (button == nullptr) {
            continue;
        }
        RECT place{};
        GetWindowRect(button, &place);
        const int width = place.right - place.left;
        const int height = place.bottom - place.top;
        right -= width;
        SetWindowPos(button, nullptr, right, (owner.GetTitleHeight() - height) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}
