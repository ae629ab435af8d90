#pragma once

// CLynComboBox: the navigation page's address box: an edit field, a bitmap
// drop button, and a drop-down list of the history of an attached
// CLynListBox. It tells its parent with WM_COMMAND (its id, a code below):
// Enter pressed in the field, an entry chosen from the drop-down (the field
// then holds it), the text changed by the user, and the drop-down shown or
// hidden.

#include <windows.h>

#include <memory>
#include <string>

#include "toolkit/lyn_list_box.h"
#include "toolkit/lynkernel32_api.h"

inline constexpr WORD kLynComboEnter = 0x1001;
inline constexpr WORD kLynComboSelect = 0x1002;
inline constexpr WORD kLynComboChange = 0x1003;
inline constexpr WORD kLynComboDropDown = 0x1004;
inline constexpr WORD kLynComboCloseUp = 0x1005;

class LYNKERNEL32_API CLynComboBox {
public:
    CLynComboBox();
    virtual ~CLynComboBox();
    CLynComboBox(const CLynComboBox&) = delete;
    CLynComboBox& operator=(const CLynComboBox&) = delete;

    bool Create(HWND parent, int id, const RECT& place);
    HWND GetSafeHwnd() const;
    void MoveTo(const RECT& place);

    // The drop button's normal, hover and pressed images (24-bit BMP).
    bool SetButtonBmp(const std::string& normal, const std::string& hover, const std::string& pressed);
    // The history the drop-down lists (in its order, newest last); the list
    // stays the caller's and must outlive the box.
    void SetKidnapListBox(CLynListBox* history);

    std::string GetText() const;
    void SetText(const std::string& text);
    // While locked, changes of the text (by SetText or by the user) send no
    // kLynComboChange.
    void LockChange(bool locked);

    void ShowDropDown(bool show);
    bool IsDroppedDown() const;
    // True when the screen point lies over the box or its drop-down.
    bool IsPointOver(POINT screen) const;

private:
    struct Box;
    std::unique_ptr<Box> box_;
};
