#include "controls/button_skin.h"

namespace cmmctrls {

const geometry::Rect& SkinRectFor(const CButtonCore& core, const ButtonSkinRects& rects) {
    if (!core.IsEnable()) {
        return rects.disabled;
    }
    switch (core.GetStates()) {
        case CButtonCore::Pressed:
            return rects.pressed;
        case CButtonCore::Hover:
            return rects.hover;
        case CButtonCore::Normal:
            break;
    }
    return rects.normal;
}

namespace {

// Two 16-bit halves of a 32-bit word; shifting the unsigned values keeps the
// packing defined for negative coordinates.
std::uint32_t Halves(std::int32_t high, std::int32_t low) {
    return (static_cast<std::uint32_t>(high) << 16) | (static_cast<std::uint32_t>(low) & 0xFFFFu);
}

std::int32_t High(std::uint32_t word) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(word >> 16));
}

std::int32_t Low(std::uint32_t word) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(word & 0xFFFFu));
}

}  // namespace

PackedRect PackRepaintRect(const geometry::Rect& rect) {
    return {Halves(rect.x, rect.y), static_cast<std::int32_t>(Halves(rect.width, rect.height))};
}

geometry::Rect UnpackRepaintRect(std::uint32_t wparam, std::int32_t lparam) {
    const auto sizes = static_cast<std::uint32_t>(lparam);
    return {High(wparam), Low(wparam), High(sizes), Low(sizes)};
}

}  // namespace cmmctrls
