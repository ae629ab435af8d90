#pragma once

// CLynTabCtrl: a skinned tab bar whose tabs each own a window. The bar draws
// its background image tiled and each tab from the selected or other tab
// image with its text; a click selects a tab. Selecting shows the tab's
// window (placed at the page rectangle) and hides the others, records the
// time of activation, and tells the parent with WM_NOTIFY
// kLynTabSelChange. The bookkeeping is TabModel's (toolkit/tab_model.h).

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "toolkit/lynkernel32_api.h"
#include "toolkit/tab_model.h"

// WM_NOTIFY code sent to the parent when the user selected another tab.
inline constexpr UINT kLynTabSelChange = 0x0400 + 1;

class LYNKERNEL32_API CLynTabCtrl {
public:
    CLynTabCtrl();
    virtual ~CLynTabCtrl();
    CLynTabCtrl(const CLynTabCtrl&) = delete;
    CLynTabCtrl& operator=(const CLynTabCtrl&) = delete;

    // Makes the bar as child `id` of `parent` at `place`; it starts with
    // the blank tab. False when it cannot be made.
    bool Create(HWND parent, int id, const RECT& place);
    HWND GetSafeHwnd() const;

    // Inserts a tab at `index` (clamped to 0..count) owning `window` (may be
    // null), with `text`; a blank tab alone in the bar is replaced. Returns
    // the new tab's index. The tab is not selected, unless it replaced the
    // blank tab (then it is the only tab, and its window is shown).
    int AddItemEx(int index, const std::string& text, HWND window);
    // Gives tab `index` the window `window` (the blank tab gets its page).
    bool AttachWnd(int index, HWND window);
    // Removes tab `index` (its window is the caller's to destroy) and
    // selects the tab before it, or the new first one; the last tab leaves
    // the blank tab. Returns the selected index afterwards.
    int RemoveItem(int index);
    int GetItemCount() const;

    HWND GetCurWnd() const;
    int GetCurrentSel() const;
    // Selects tab `index` as a click does, without notifying the parent.
    bool SetCurrentSel(int index);
    HWND GetItemWnd(int index) const;
    std::string GetItemText(int index) const;
    // Sets the text (cut to kTabTextMaxBytes) and redraws.
    bool SetItemTextEx(int index, const std::string& text);
    // True when the selected tab owns no window.
    bool IsCurPageNull() const;
    // Where tab `index` lies in the bar (the bar's client coordinates);
    // empty for an index out of range.
    RECT GetItemRect(int index) const;

    // The tick count (GetTickCount64) of tab `index`'s last activation.
    std::uint64_t GetTabWndTime(int index) const;
    void RefreshTabWndTime(int index);

    // The rectangle (parent's client coordinates) the tabs' windows fill;
    // ResizeWnd moves the selected tab's window there again.
    void SetWndRect(const RECT& pageArea);
    void ResizeWnd();

    // Skin: background image tiled, selected and other tab images (24-bit
    // BMP files), text colours, and how many characters of a text a tab
    // shows (0: as many as fit).
    bool SetBkImage(const std::string& background, const std::string& selectedTab, const std::string& otherTab);
    void SetSelectColor(COLORREF colour);
    void SetTextColor(COLORREF colour);
    void SetShowTextCount(int characters);

private:
    struct Bar;
    std::unique_ptr<Bar> bar_;
};
