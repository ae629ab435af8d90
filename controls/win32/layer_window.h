#pragma once

// A top-level window whose whole appearance is one 32-bit ARGB bitmap,
// blended onto the desktop pixel by pixel with an extra constant opacity.
// Derived windows draw into the back buffer (or any bitmap of the same
// format) and push it with SetLayerBitmap; they get no ordinary painting.

#include <windows.h>

#include <memory>

#include "common/win32/gdiplus_session.h"
#include "controls/qvctrl_api.h"
#include "controls/win32/window.h"

namespace cmmctrls {

// The one pixel format SetLayerBitmap shows: 32 bits with straight
// (non-premultiplied) alpha, PixelFormat32bppARGB.
inline constexpr Gdiplus::PixelFormat kLayerPixelFormat = 2498570;

class QVCTRL_API CLayerWindow : public CWindow {
public:
    CLayerWindow();
    ~CLayerWindow() override;

    // After the default creation: a back buffer of the client size and a
    // drawing surface on it, and the layered style. -1 when the default
    // creation fails.
    virtual int OnCreate(CREATESTRUCTA* create);
    // After the default handling: a new, cleared back buffer of the new
    // client size (the old content is not kept).
    virtual void OnSize(UINT type, int width, int height);

    // Shows `image` as the window: the window takes the image's size and
    // keeps its top-left corner; `opacity` (255 opaque) applies on top of
    // the image's own alpha. A null image, or one in any other format than
    // kLayerPixelFormat, changes nothing.
    void SetLayerBitmap(Gdiplus::Bitmap* image, BYTE opacity);
    // Non-zero: give the window the layered style; zero: take it away.
    void TurnLayeredStyle(int flag);

    // `*image` scaled to width x height with three-slice scaling (see
    // controls/zoom_slices.h for the border). Null for a null image, a
    // border that does not fit the new size or an image that cannot be
    // made; the source is then untouched. With `replace` non-zero the
    // source is deleted and *image becomes the new image. The caller owns
    // the result.
    static Gdiplus::Bitmap* ZoomGpBitmap(Gdiplus::Bitmap** image,
                                         unsigned int width,
                                         unsigned int height,
                                         int replace,
                                         int border);

    // Of the client size, kLayerPixelFormat; null while the client area is
    // empty.
    Gdiplus::Bitmap* GetBackBuffer() const { return backBuffer_.get(); }
    Gdiplus::Graphics* GetGraphics() const { return graphics_.get(); }
    // Layered updates made so far: what the window has pushed to the screen.
    unsigned long FramesShown() const { return framesShown_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct FrameTarget;

    void MakeBackBuffer(int width, int height);
    // The device bitmap of width x height, kept from the last frame when it
    // has that size; null when none can be made.
    FrameTarget* FrameTargetOf(int width, int height);

    std::unique_ptr<Gdiplus::Bitmap> backBuffer_;
    std::unique_ptr<Gdiplus::Graphics> graphics_;
    std::unique_ptr<FrameTarget> frame_;
    unsigned long framesShown_ = 0;
};

}  // namespace cmmctrls
