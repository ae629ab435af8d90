#include "controls/button_core.h"

namespace cmmctrls {

void CButtonCore::OnMouseEvent(eMouseEvent event, unsigned keys, geometry::Point point) {
    if (id_ == 0) {
        return;
    }
    const eStates old = state_;
    const bool inside = IsPointInRect(point);
    switch (event) {
        case MouseMove:
            // While the left button is held the press is being dragged: the
            // state stays whatever the press made it.
            if ((keys & kLeftButtonHeld) == 0) {
                state_ = inside ? Hover : Normal;
            }
            break;
        case LeftButtonDown:
            state_ = inside ? Pressed : Normal;
            break;
        case LeftButtonUp:
            state_ = inside ? Hover : Normal;
            // A press ends in a click wherever it is released.
            if (old == Pressed) {
                notify(kButtonClicked, id_, 0);
            }
            break;
        case MouseLeave:
            state_ = Normal;
            break;
    }
    if (state_ != old) {
        notify(kButtonStateChanged, id_, 0);
    }
}

bool CButtonCore::CreateCore(std::uint32_t id, const std::string& text, const geometry::Rect& bounds) {
    id_ = id;
    text_ = text;
    bounds_ = bounds;
    return true;
}

bool CButtonCore::IsPointInRect(geometry::Point point) const {
    return point.x >= 0 && point.y >= 0 && point.x < bounds_.width && point.y < bounds_.height;
}

}  // namespace cmmctrls
