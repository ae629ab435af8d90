#include "loader/win32/thumb_control.h"

#include <windowsx.h>

#include "common/win32/handles.h"
#include "loader/win32/thumb_button.h"

namespace {

constexpr COLORREF kGround = RGB(250, 250, 250);

ScrollRequest RequestOf(WPARAM wParam) {
    switch (LOWORD(wParam)) {
        case SB_LINEUP:
            return ScrollRequest::kLineUp;
        case SB_LINEDOWN:
            return ScrollRequest::kLineDown;
        case SB_PAGEUP:
            return ScrollRequest::kPageUp;
        case SB_PAGEDOWN:
            return ScrollRequest::kPageDown;
        case SB_TOP:
            return ScrollRequest::kTop;
        case SB_BOTTOM:
            return ScrollRequest::kBottom;
        default:
            return ScrollRequest::kTrack;
    }
}

int MaxPosition(HWND window, int bar) {
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
    if (!GetScrollInfo(window, bar, &info)) {
        return 0;
    }
    return MaxScrollPosition(info.nMax + 1, static_cast<int>(info.nPage));
}

}  // namespace

bool ThumbControl::RegisterWindowClasses(HINSTANCE instance) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &ThumbControl::Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kThumbControlClass;
    const bool grid = RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return grid && ThumbButton::RegisterWindowClass(instance);
}

ThumbControl* ThumbControl::From(HWND window) {
    char name[sizeof kThumbControlClass + 1] = {};
    if (window == nullptr || GetClassNameA(window, name, sizeof name) == 0 || lstrcmpA(name, kThumbControlClass) != 0) {
        return nullptr;
    }
    return reinterpret_cast<ThumbControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT CALLBACK ThumbControl::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = new (std::nothrow) ThumbControl(window);
        if (created == nullptr) {
            return FALSE;
        }
        created->instance_ = reinterpret_cast<CREATESTRUCTA*>(lParam)->hInstance;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* self = reinterpret_cast<ThumbControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        delete self;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    try {
        return self->Handle(message, wParam, lParam);
    } catch (...) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT ThumbControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SIZE:
            Layout();
            return 0;
        case WM_HSCROLL:
            OnScroll(SB_HORZ, wParam);
            return 0;
        case WM_VSCROLL:
            OnScroll(SB_VERT, wParam);
            return 0;
        case WM_MOUSEWHEEL:
            ScrollTo(SB_VERT,
                     WheelScrollPosition(scrollY_, GET_WHEEL_DELTA_WPARAM(wParam), MaxPosition(window_, SB_VERT)));
            return 0;
        case WM_LBUTTONDOWN:
            SetFocus(window_);  // the wheel then reaches the grid
            return 0;
        default:
            return DefWindowProcA(window_, message, wParam, lParam);
    }
}

void ThumbControl::Clear() {
    buttons_.clear();
    selectedPath_.clear();
    scrollX_ = 0;
    scrollY_ = 0;
    UpdateScrollBars();
    InvalidateRect(window_, nullptr, TRUE);
}

void ThumbControl::SetCellSize(int width, int height) {
    cellWidth_ = width;
    cellHeight_ = height;
    Layout();
}

void ThumbControl::Add(const std::string& previewPath) {
    const ThumbnailGrid grid = Grid();
    const std::size_t index = buttons_.size();
    const RECT place{grid.X(index) - scrollX_, grid.Y(index) - scrollY_, grid.X(index) - scrollX_ + cellWidth_,
                     grid.Y(index) - scrollY_ + cellHeight_};
    std::unique_ptr<ThumbButton> button = ThumbButton::Create(instance_, window_, place, previewPath,
                                                              [this](ThumbButton& pressed) { OnPressed(pressed); });
    if (button) {
        buttons_.push_back(std::move(button));
        UpdateScrollBars();
    }
}

void ThumbControl::Select(const std::string& previewPath) {
    selectedPath_.clear();
    for (const std::unique_ptr<ThumbButton>& button : buttons_) {
        const bool match = !previewPath.empty() && SamePathIgnoringCase(button->PreviewPath(), previewPath);
        button->SetSelected(match && selectedPath_.empty());
        if (match && selectedPath_.empty()) {
            selectedPath_ = button->PreviewPath();
        }
    }
}

int ThumbControl::Columns() const {
    return Grid().Columns();
}

ThumbnailGrid ThumbControl::Grid() const {
    RECT client{};
    GetClientRect(window_, &client);
    return ThumbnailGrid{cellWidth_, cellHeight_, client.right};
}

void ThumbControl::OnPressed(ThumbButton& pressed) {
    for (const std::unique_ptr<ThumbButton>& button : buttons_) {
        button->SetSelected(button.get() == &pressed);
    }
    selectedPath_ = pressed.PreviewPath();
}

// Places every thumbnail for the grid's width and scroll positions.
void ThumbControl::Layout() {
    // Showing or hiding a scroll bar resizes the client area, which comes
    // back here; the outer call places the thumbnails.
    if (layingOut_) {
        return;
    }
    layingOut_ = true;
    UpdateScrollBars();
    layingOut_ = false;
    const ThumbnailGrid grid = Grid();
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        SetWindowPos(buttons_[i]->Handle(), nullptr, grid.X(i) - scrollX_, grid.Y(i) - scrollY_, cellWidth_,
                     cellHeight_, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(window_, nullptr, TRUE);
}

// Showing one bar narrows the client area for the other, so the sizes are
// worked out twice.
void ThumbControl::UpdateScrollBars() {
    for (int pass = 0; pass < 2; ++pass) {
        RECT client{};
        GetClientRect(window_, &client);
        const ThumbnailGrid grid{cellWidth_, cellHeight_, client.right};
        const int contentWidth = grid.ContentWidth(buttons_.size());
        const int contentHeight = grid.ContentHeight(buttons_.size());
        SCROLLINFO horizontal{
            sizeof horizontal, SIF_RANGE | SIF_PAGE, 0, contentWidth - 1, static_cast<UINT>(client.right), 0, 0};
        SCROLLINFO vertical{
            sizeof vertical, SIF_RANGE | SIF_PAGE, 0, contentHeight - 1, static_cast<UINT>(client.bottom), 0, 0};
        SetScrollInfo(window_, SB_HORZ, &horizontal, TRUE);
        SetScrollInfo(window_, SB_VERT, &vertical, TRUE);
        scrollX_ = std::min(scrollX_, MaxScrollPosition(contentWidth, client.right));
        scrollY_ = std::min(scrollY_, MaxScrollPosition(contentHeight, client.bottom));
    }
    SetScrollPos(window_, SB_HORZ, scrollX_, TRUE);
    SetScrollPos(window_, SB_VERT, scrollY_, TRUE);
}

void ThumbControl::OnScroll(int bar, WPARAM request) {
    if (LOWORD(request) == SB_ENDSCROLL) {
        return;
    }
    SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
    GetScrollInfo(window_, bar, &info);
    const int current = bar == SB_HORZ ? scrollX_ : scrollY_;
    ScrollTo(bar, ScrollPosition(current, RequestOf(request), info.nTrackPos, MaxPosition(window_, bar)));
}

void ThumbControl::ScrollTo(int bar, int position) {
    int& current = bar == SB_HORZ ? scrollX_ : scrollY_;
    if (position == current) {
        return;
    }
    current = position;
    SetScrollPos(window_, bar, position, TRUE);
    Layout();
}

void ThumbControl::Paint() {
    PaintScope paint(window_);
    RECT client{};
    GetClientRect(window_, &client);
    const UniqueGdiObject brush(CreateSolidBrush(kGround));
    FillRect(paint.dc(), &client, static_cast<HBRUSH>(brush.get()));
}
