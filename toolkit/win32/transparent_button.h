#pragma once

// CTransParentButton: a bitmap button drawn over its parent's background.
// It shows one of its state images (normal, hover, pressed, disabled), the
// pixels of the mask colour left out, and sends its parent WM_COMMAND with
// BN_CLICKED and its id when clicked.

#include <windows.h>

#include <memory>
#include <string>

#include "toolkit/lynkernel32_api.h"

// SetBitmap's options.
inline constexpr unsigned kTransParentStretch = 1;  // images stretched to the button's size

class LYNKERNEL32_API CTransParentButton {
public:
    CTransParentButton();
    virtual ~CTransParentButton();
    CTransParentButton(const CTransParentButton&) = delete;
    CTransParentButton& operator=(const CTransParentButton&) = delete;

    // Makes the button as child `id` of `parent` at `place` (parent's client
    // coordinates). False when it cannot be made.
    bool Create(HWND parent, int id, const RECT& place);
    HWND GetSafeHwnd() const;

    // The four state images from files (24-bit BMP); an empty path uses the
    // normal image for that state. False when the normal image cannot be
    // loaded. The button takes the normal image's size unless
    // kTransParentStretch is given.
    bool SetBitmap(const std::string& normal,
                   const std::string& hover,
                   const std::string& pressed,
                   const std::string& disabled,
                   COLORREF mask,
                   unsigned options = 0);

private:
    struct State;
    std::unique_ptr<State> state_;
};
