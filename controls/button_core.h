#pragma once

// The window-less half of a skinned push button: it follows the mouse,
// decides the button's state and tells its listeners about clicks and state
// changes. A window that owns the button feeds it mouse input; the window
// that owns the skin draws it (see win32/image_button.h).

#include <cstdint>
#include <string>

#include "controls/notifier.h"
#include "controls/qvctrl_api.h"
#include "xml/geometry.h"

namespace cmmctrls {

// Notification codes a button core sends; wparam is the button's identifier,
// lparam 0.
inline constexpr std::uint32_t kButtonClicked = 512;       // 0x200
inline constexpr std::uint32_t kButtonStateChanged = 513;  // 0x201

// Bit of the mouse key flags that says the left button is held (as in the
// flags of Windows' mouse messages).
inline constexpr unsigned kLeftButtonHeld = 0x0001;

class QVCTRL_API CButtonCore : public CNotifier {
public:
    enum eStates { Normal = 0, Pressed = 1, Hover = 2 };
    enum eMouseEvent { MouseMove = 0, LeftButtonDown = 1, LeftButtonUp = 2, MouseLeave = 3 };

    CButtonCore() = default;
    ~CButtonCore() override = default;

    // Moves the state on for one mouse event at `point`, relative to the
    // button's top-left corner. Ignored while the identifier is 0.
    virtual void OnMouseEvent(eMouseEvent event, unsigned keys, geometry::Point point);

    // Gives the core its identifier (non-zero makes it take input), text and
    // rectangle in the parent's coordinates. Always true.
    bool CreateCore(std::uint32_t id, const std::string& text, const geometry::Rect& bounds);

    std::uint32_t GetID() const { return id_; }
    void SetText(const std::string& text) { text_ = text; }
    const std::string& GetText() const { return text_; }
    // The visible flag is for the drawing window; the core does not use it.
    void Show(bool visible) { visible_ = visible; }
    bool IsVisible() const { return visible_; }
    void SetBounds(const geometry::Rect& bounds) { bounds_ = bounds; }
    const geometry::Rect& GetBounds() const { return bounds_; }
    // A disabled core still follows the mouse; it is drawn with its disabled
    // picture.
    void Enable(bool enabled) { enabled_ = enabled; }
    bool IsEnable() const { return enabled_; }
    eStates GetStates() const { return state_; }

    // Inside (0, 0, width, height) of the button.
    bool IsPointInRect(geometry::Point point) const;
    bool IsValid() const { return id_ != 0; }

private:
    eStates state_ = Normal;
    bool enabled_ = true;
    bool visible_ = true;
    std::string text_;
    geometry::Rect bounds_;
    std::uint32_t id_ = 0;
};

}  // namespace cmmctrls
