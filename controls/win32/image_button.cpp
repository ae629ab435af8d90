#include "controls/win32/image_button.h"

#include <windowsx.h>

namespace cmmctrls {

void CImageButton_base::SetImage(Gdiplus::Bitmap* image,
                                 const geometry::Rect& normal,
                                 const geometry::Rect& hover,
                                 const geometry::Rect& pressed,
                                 const geometry::Rect& disabled) {
    image_ = image;
    rects_ = {normal, hover, pressed, disabled};
}

bool CImageButton_base::Render(Gdiplus::Graphics* graphics, const geometry::Rect& destination) {
    if (graphics == nullptr || image_ == nullptr || destination.width == 0 || destination.height == 0) {
        return false;
    }
    const geometry::Rect& source = SkinRectFor(*this, rects_);
    graphics->DrawImage(image_, Gdiplus::Rect(destination.x, destination.y, destination.width, destination.height),
                        source.x, source.y, source.width, source.height, Gdiplus::UnitPixel);
    return true;
}

int CButtonCallback::on_call(std::uint32_t code, std::uint32_t wparam, std::int32_t) {
    if (code == kButtonClicked) {
        OnClick(wparam);
    } else if (code == kButtonStateChanged) {
        OnRefresh(wparam);
    }
    return 0;
}

CImageButton::~CImageButton() {
    DestroyWindow();
}

int CImageButton::Create(const char* className,
                         const char* windowName,
                         DWORD style,
                         const RECT& rect,
                         HWND parent,
                         UINT id,
                         void*) {
    if (!CreateEx(0, className, windowName, style, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                  parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)))) {
        return 0;
    }
    core_.AddListener(this);
    core_.CreateCore(id, windowName != nullptr ? windowName : "",
                     {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top});
    return 1;
}

void CImageButton::OnClick(std::uint32_t id) {
    if (HWND parent = GetParent(GetSafeHwnd())) {
        PostMessageA(parent, kImageButtonClick, id, 0);
    }
}

void CImageButton::OnRefresh(std::uint32_t) {
    HWND window = GetSafeHwnd();
    HWND parent = GetParent(window);
    if (parent == nullptr) {
        return;
    }
    RECT rect = {};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    const PackedRect packed = PackRepaintRect({rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top});
    PostMessageA(parent, kImageButtonRepaint, packed.wparam, packed.lparam);
}

void CImageButton::Forward(CButtonCore::eMouseEvent event, WPARAM keys, LPARAM point) {
    core_.OnMouseEvent(event, static_cast<unsigned>(keys), {GET_X_LPARAM(point), GET_Y_LPARAM(point)});
}

LRESULT CImageButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // A disabled window still follows the mouse, so the core's hover state
    // stays right; presses and leaves reach the core only while enabled.
    const bool enabled = IsWindowEnabled(GetSafeHwnd()) != FALSE;
    switch (message) {
        case WM_MOUSEMOVE:
            if (!tracking_) {
                TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, GetSafeHwnd(), 0};
                tracking_ = TrackMouseEvent(&track) != FALSE;
            }
            Forward(CButtonCore::MouseMove, wParam, lParam);
            return 0;
        case WM_LBUTTONDOWN:
            if (enabled) {
                Forward(CButtonCore::LeftButtonDown, wParam, lParam);
            }
            return 0;
        case WM_LBUTTONUP:
            if (enabled) {
                Forward(CButtonCore::LeftButtonUp, wParam, lParam);
            }
            return 0;
        case WM_MOUSELEAVE:
            tracking_ = false;
            if (enabled) {
                core_.OnMouseEvent(CButtonCore::MouseLeave, 0, {});
            }
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the parent draws the button
        default:
            return CWindow::WindowProc(message, wParam, lParam);
    }
}

}  // namespace cmmctrls
