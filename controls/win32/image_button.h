#pragma once

// Skinned push buttons for windows whose whole surface is one alpha-blended
// bitmap (CLayerWindow). Such a window shows no child control, so a button
// is a window-less core that follows the mouse (controls/button_core.h), a
// skin picture per state that the parent window draws, and a thin child
// window that feeds the core its mouse input and tells the parent to click
// or to repaint the button:
//
//   kImageButtonClick    wparam: the button's identifier, lparam 0
//   kImageButtonRepaint  the button's rectangle in the parent's client
//                        coordinates, packed by PackRepaintRect
//                        (unpack with UnpackRepaintRect)

#include <windows.h>

#include <cstdint>

#include "common/win32/gdiplus_session.h"
#include "controls/button_core.h"
#include "controls/button_skin.h"
#include "controls/callback.h"
#include "controls/qvctrl_api.h"
#include "controls/win32/window.h"

namespace cmmctrls {

inline constexpr UINT kImageButtonClick = 0x600;    // 1536
inline constexpr UINT kImageButtonRepaint = 0x601;  // 1537

// A button core with its skin: one image (not owned) and the part of it that
// shows each state.
class QVCTRL_API CImageButton_base : public CButtonCore {
public:
    CImageButton_base() = default;
    ~CImageButton_base() override = default;

    virtual void SetImage(Gdiplus::Bitmap* image,
                          const geometry::Rect& normal,
                          const geometry::Rect& hover,
                          const geometry::Rect& pressed,
                          const geometry::Rect& disabled);
    // Draws the picture of the current state (the disabled one while the
    // core is disabled) stretched into `destination`, in pixels. False, and
    // nothing drawn, without a surface, an image or an area to draw into.
    virtual bool Render(Gdiplus::Graphics* graphics, const geometry::Rect& destination);

    Gdiplus::Bitmap* GetImage() const { return image_; }
    const ButtonSkinRects& GetSkinRects() const { return rects_; }

private:
    Gdiplus::Bitmap* image_ = nullptr;
    ButtonSkinRects rects_;
};

// Turns a core's notifications into OnClick and OnRefresh.
class QVCTRL_API CButtonCallback : public ICallback {
public:
    // Click (512) calls OnClick, state change (513) OnRefresh; both with the
    // identifier. Always 0, so later listeners hear of it too.
    int on_call(std::uint32_t code, std::uint32_t wparam, std::int32_t lparam) override;
    virtual void OnClick(std::uint32_t id) = 0;
    virtual void OnRefresh(std::uint32_t id) = 0;

protected:
    ~CButtonCallback() = default;
};

class QVCTRL_API CImageButton : public CWindow, public CButtonCallback {
public:
    CImageButton() = default;
    ~CImageButton() override;

    // Makes the child window at `rect` (parent coordinates) under `parent`
    // and readies the core: identifier `id`, text `windowName`, bounds
    // `rect`, this button as its listener. `className` null: the library's
    // default class. `context` is not used. Non-zero on success; 0 also
    // when the button already has a window.
    int Create(const char* className,
               const char* windowName,
               DWORD style,
               const RECT& rect,
               HWND parent,
               UINT id,
               void* context = nullptr);

    // Posts kImageButtonClick to the parent.
    void OnClick(std::uint32_t id) override;
    // Posts kImageButtonRepaint with the window's rectangle to the parent.
    void OnRefresh(std::uint32_t id) override;

    CImageButton_base& GetCore() { return core_; }
    const CImageButton_base& GetCore() const { return core_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Forward(CButtonCore::eMouseEvent event, WPARAM keys, LPARAM point);

    CImageButton_base core_;
    bool tracking_ = false;  // a leave notification has been asked for
};

}  // namespace cmmctrls
