#include "loader/win32/thumb_button.h"

#include <memory>

#include "common/text_encoding.h"
#include "common/win32/gdiplus_session.h"

namespace {

constexpr COLORREF kGround = RGB(248, 255, 123);
constexpr COLORREF kLitGround = RGB(111, 71, 225);  // hovered or selected
constexpr COLORREF kHoverBorder = RGB(10, 35, 105);
constexpr COLORREF kBorder = RGB(33, 33, 33);
constexpr int kBorderWidth = 2;
constexpr int kRise = 2;  // pixels up and left while the pointer is over it

void FillBox(HDC dc, const RECT& box, COLORREF colour) {
    const UniqueGdiObject brush(CreateSolidBrush(colour));
    FillRect(dc, &box, static_cast<HBRUSH>(brush.get()));
}

// A frame of `width` pixels inside `box`.
void FrameBox(HDC dc, RECT box, COLORREF colour, int width) {
    for (int i = 0; i < width; ++i) {
        const UniqueGdiObject brush(CreateSolidBrush(colour));
        FrameRect(dc, &box, static_cast<HBRUSH>(brush.get()));
        InflateRect(&box, -1, -1);
    }
}

}  // namespace

bool ThumbButton::RegisterWindowClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &ObjectWindowProcedure<ThumbButton>;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_HAND);
    windowClass.lpszClassName = kThumbButtonClass;
    return RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

std::unique_ptr<ThumbButton> ThumbButton::Create(HINSTANCE instance,
                                                 HWND grid,
                                                 const RECT& place,
                                                 std::string previewPath,
                                                 std::function<void(ThumbButton&)> pressed) {
    auto button = std::unique_ptr<ThumbButton>(new ThumbButton(std::move(previewPath), std::move(pressed)));
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    button->LoadPreview(width, height);
    if (CreateWindowExA(0, kThumbButtonClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, place.left, place.top, width,
                        height, grid, nullptr, instance, button.get()) == nullptr) {
        return nullptr;
    }
    return button;
}

ThumbButton::~ThumbButton() {
    if (window_ != nullptr) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

LRESULT ThumbButton::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
            window_ = window;
            break;
        case WM_NCDESTROY:
            // Gone with the grid: the object no longer has a window.
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            window_ = nullptr;
            break;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the painting covers every pixel
        case WM_MOUSEMOVE:
            OnMouseMove();
            return 0;
        case WM_MOUSELEAVE:
            OnMouseLeave();
            return 0;
        case WM_LBUTTONDOWN:
            pressed_ = true;
            // The handler selects this button and deselects the others.
            if (onPressed_) {
                onPressed_(*this);
            }
            if (hovered_) {
                MoveBy(kRise, kRise);
            }
            return 0;
        case WM_LBUTTONUP:
            if (pressed_ && hovered_) {
                MoveBy(-kRise, -kRise);
            }
            pressed_ = false;
            return 0;
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
        case WM_CONTEXTMENU:
            return 0;  // swallowed: a thumbnail only knows the left click
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void ThumbButton::SetSelected(bool selected) {
    if (selected_ != selected) {
        selected_ = selected;
        InvalidateRect(window_, nullptr, FALSE);
    }
}

void ThumbButton::OnMouseMove() {
    if (hovered_) {
        return;
    }
    hovered_ = true;
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window_, 0};
    TrackMouseEvent(&track);
    MoveBy(-kRise, -kRise);
    InvalidateRect(window_, nullptr, FALSE);
}

void ThumbButton::OnMouseLeave() {
    if (!pressed_ && hovered_) {
        MoveBy(kRise, kRise);
    }
    hovered_ = false;
    pressed_ = false;
    InvalidateRect(window_, nullptr, FALSE);
}

void ThumbButton::MoveBy(int dx, int dy) {
    RECT place{};
    GetWindowRect(window_, &place);
    MapWindowPoints(HWND_DESKTOP, GetParent(window_), reinterpret_cast<POINT*>(&place), 2);
    SetWindowPos(window_, nullptr, place.left + dx, place.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The preview scaled to three quarters of the cell into a bitmap of its
// own, once: painting then only copies it. A preview that cannot be read
// leaves the thumbnail empty.
void ThumbButton::LoadPreview(int cellWidth, int cellHeight) {
    previewSize_ = {cellWidth * 3 / 4, cellHeight * 3 / 4};
    const std::u16string path = GbkToUtf16(previewPath_);
    Gdiplus::Bitmap file(reinterpret_cast<const WCHAR*>(path.c_str()));
    if (file.GetLastStatus() != Gdiplus::Ok || previewSize_.cx <= 0 || previewSize_.cy <= 0) {
        return;
    }
    Gdiplus::Bitmap scaled(previewSize_.cx, previewSize_.cy, PixelFormat32bppARGB);
    {
        Gdiplus::Graphics graphics(&scaled);
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        graphics.DrawImage(&file, 0, 0, previewSize_.cx, previewSize_.cy);
    }
    HBITMAP bitmap = nullptr;
    if (scaled.GetHBITMAP(Gdiplus::Color(255, 255, 255, 255), &bitmap) == Gdiplus::Ok) {
        preview_.reset(bitmap);
    }
}

void ThumbButton::Paint() {
    PaintScope paint(window_);
    RECT client{};
    GetClientRect(window_, &client);
    FillBox(paint.dc(), client, hovered_ || selected_ ? kLitGround : kGround);
    const int left = (client.right - previewSize_.cx) / 2;
    const int top = (client.bottom - previewSize_.cy) / 2;
    if (preview_) {
        const UniqueMemoryDc source(CreateCompatibleDC(paint.dc()));
        const SelectedObject picture(source.get(), preview_.get());
        BitBlt(paint.dc(), left, top, previewSize_.cx, previewSize_.cy, source.get(), 0, 0, SRCCOPY);
    }
    // A sunken frame around the picture: shadow above and left, white below
    // and right.
    RECT frame{left - 1, top - 1, left + previewSize_.cx + 1, top + previewSize_.cy + 1};
    const UniqueGdiObject shadow(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
    const UniqueGdiObject white(CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
    {
        const SelectedObject pen(paint.dc(), shadow.get());
        MoveToEx(paint.dc(), frame.left, frame.bottom - 1, nullptr);
        LineTo(paint.dc(), frame.left, frame.top);
        LineTo(paint.dc(), frame.right, frame.top);
    }
    {
        const SelectedObject pen(paint.dc(), white.get());
        MoveToEx(paint.dc(), frame.right - 1, frame.top + 1, nullptr);
        LineTo(paint.dc(), frame.right - 1, frame.bottom - 1);
        LineTo(paint.dc(), frame.left - 1, frame.bottom - 1);
    }
    FrameBox(paint.dc(), client, hovered_ ? kHoverBorder : kBorder, kBorderWidth);
}
