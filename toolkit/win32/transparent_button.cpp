#include "toolkit/win32/transparent_button.h"

#include <windowsx.h>

#include "common/win32/window_procedure.h"
#include "toolkit/win32/skin_image.h"
#include "toolkit/win32/toolkit_window_class.h"

namespace {

constexpr char kButtonClass[] = "CLynTransParentButton";

// Indexes of the state images.
enum ImageIndex { kNormal, kHover, kPressed, kDisabled, kImageCount };

}  // namespace

struct CTransParentButton::State {
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc) const;
    void PaintParentBackground(HDC dc) const;
    const SkinImage& Current() const;
    void OnMouseMove(POINT point);
    void OnButtonUp(POINT point);
    bool Inside(POINT point) const;

    HWND window = nullptr;  // from WM_NCCREATE until WM_NCDESTROY
    SkinImage images[kImageCount];
    COLORREF mask = RGB(0, 128, 128);
    unsigned options = 0;
    bool hovered = false;
    bool pressed = false;  // the left button went down here and is held
};

CTransParentButton::CTransParentButton() : state_(std::make_unique<State>()) {}

CTransParentButton::~CTransParentButton() {
    DestroyUnheard(state_->window);
}

bool CTransParentButton::Create(HWND parent, int id, const RECT& place) {
    if (state_->window != nullptr) {
        return false;
    }
    RECT sized = place;
    if (state_->images[kNormal] && (state_->options & kTransParentStretch) == 0) {
        sized.right = place.left + state_->images[kNormal].Width();
        sized.bottom = place.top + state_->images[kNormal].Height();
    }
    return CreateToolkitChild(kButtonClass, &ObjectWindowProcedure<State>, 0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                              parent, id, sized, state_.get());
}

HWND CTransParentButton::GetSafeHwnd() const {
    return state_->window;
}

bool CTransParentButton::SetBitmap(const std::string& normal,
                                   const std::string& hover,
                                   const std::string& pressed,
                                   const std::string& disabled,
                                   COLORREF mask,
                                   unsigned options) {
    State& state = *state_;
    state.mask = mask;
    state.options = options;
    const std::string* paths[kImageCount] = {&normal, &hover, &pressed, &disabled};
    for (int i = 0; i < kImageCount; ++i) {
        // A state without its own picture falls back to the normal one
        // when painted; a missing file counts as no picture.
        state.images[i].Load(*paths[i]);
    }
    const bool loaded = static_cast<bool>(state.images[kNormal]);
    if (state.window != nullptr) {
        if (loaded && (options & kTransParentStretch) == 0) {
            SetWindowPos(state.window, nullptr, 0, 0, state.images[kNormal].Width(), state.images[kNormal].Height(),
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        InvalidateRect(state.window, nullptr, FALSE);
    }
    return loaded;
}

LRESULT CTransParentButton::State::Handle(HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
            window = target;
            break;
        case WM_NCDESTROY:
            SetWindowLongPtrA(target, GWLP_USERDATA, 0);
            window = nullptr;
            break;
        case WM_ERASEBKGND:
            return 1;  // the painting covers every pixel
        case WM_PAINT:
            PaintBuffered(target, [this](HDC dc) { Paint(dc); });
            return 0;
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_ENABLE:
            if (wParam == FALSE) {
                hovered = false;
                pressed = false;
            }
            InvalidateRect(target, nullptr, FALSE);
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_MOUSELEAVE:
            if (!pressed) {
                hovered = false;
                InvalidateRect(target, nullptr, FALSE);
            }
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            pressed = true;
            hovered = true;
            SetCapture(target);
            InvalidateRect(target, nullptr, FALSE);
            return 0;
        case WM_LBUTTONUP:
            OnButtonUp(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_CAPTURECHANGED:
            if (pressed) {
                pressed = false;
                InvalidateRect(target, nullptr, FALSE);
            }
            return 0;
        default:
            break;
    }
    return DefWindowProcA(target, message, wParam, lParam);
}

bool CTransParentButton::State::Inside(POINT point) const {
    RECT client{};
    GetClientRect(window, &client);
    return PtInRect(&client, point) != FALSE;
}

void CTransParentButton::State::OnMouseMove(POINT point) {
    const bool inside = Inside(point);
    if (inside && !hovered) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
        TrackMouseEvent(&track);
    }
    if (inside != hovered) {
        hovered = inside;
        InvalidateRect(window, nullptr, FALSE);
    }
}

// A click counts only when the button is released over the button: moving
// away before releasing is how a user takes a press back.
void CTransParentButton::State::OnButtonUp(POINT point) {
    if (!pressed) {
        return;
    }
    pressed = false;
    hovered = Inside(point);
    if (GetCapture() == window) {
        ReleaseCapture();
    }
    InvalidateRect(window, nullptr, FALSE);
    if (!hovered) {
        return;
    }
    // The parent may destroy this button while handling the click, so
    // nothing of it is touched afterwards.
    const int id = GetDlgCtrlID(window);
    SendMessageA(GetParent(window), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(window));
}

const SkinImage& CTransParentButton::State::Current() const {
    ImageIndex index = kNormal;
    if (!IsWindowEnabled(window)) {
        index = kDisabled;
    } else if (pressed && hovered) {
        index = kPressed;
    } else if (hovered) {
        index = kHover;
    }
    return images[index] ? images[index] : images[kNormal];
}

// The parent paints what lies under the button into the button's picture
// first, so the mask colour shows the parent through it: there is no
// compositing to do that for a child window.
void CTransParentButton::State::PaintParentBackground(HDC dc) const {
    HWND parent = GetParent(window);
    RECT client{};
    GetClientRect(window, &client);
    auto brush = reinterpret_cast<HBRUSH>(GetClassLongPtrA(parent, GCLP_HBRBACKGROUND));
    FillRect(dc, &client, brush != nullptr ? brush : GetSysColorBrush(COLOR_BTNFACE));
    POINT origin{0, 0};
    MapWindowPoints(window, parent, &origin, 1);
    POINT previous{};
    SetViewportOrgEx(dc, -origin.x, -origin.y, &previous);
    SendMessageA(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

void CTransParentButton::State::Paint(HDC dc) const {
    PaintParentBackground(dc);
    RECT client{};
    GetClientRect(window, &client);
    Current().DrawMasked(dc, client, mask);
}
