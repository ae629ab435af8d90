#pragma once

// Which part of a button's skin image shows which state, and the packing of
// a button's rectangle into the two 32-bit parameters of its repaint request.

#include <cstdint>

#include "controls/button_core.h"
#include "controls/qvctrl_api.h"
#include "xml/geometry.h"

namespace cmmctrls {

// Source rectangles of the four pictures of a button in its skin image.
struct ButtonSkinRects {
    geometry::Rect normal;
    geometry::Rect hover;
    geometry::Rect pressed;
    geometry::Rect disabled;
};

// The picture to draw for `core`: the disabled one whenever the core is
// disabled, else the one of its state.
QVCTRL_API const geometry::Rect& SkinRectFor(const CButtonCore& core, const ButtonSkinRects& rects);

// The parameters of a repaint request for `rect`: x and width in the high
// 16 bits, y and height in the low 16 bits (each kept to 16 bits).
struct PackedRect {
    std::uint32_t wparam = 0;
    std::int32_t lparam = 0;
};
QVCTRL_API PackedRect PackRepaintRect(const geometry::Rect& rect);
// The rectangle again, each field read as a signed 16-bit value (a button
// may lie partly left of or above its parent's client area).
QVCTRL_API geometry::Rect UnpackRepaintRect(std::uint32_t wparam, std::int32_t lparam);

}  // namespace cmmctrls
