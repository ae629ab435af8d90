#pragma once

// The bookkeeping of CLynTabCtrl, without windows: the tabs in order, each
// with its text, the window it owns (opaque here) and when it was last
// activated, the selected tab, and the rules for texts. There is always at
// least one tab: removing the last one leaves the blank tab, which owns no
// window.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/lynkernel32_api.h"

// A tab whose page has no title yet: four blanks, three dots, four blanks.
inline constexpr char kLoadingTabText[] = "    ...    ";
// The blank tab's text: four blanks, the word, three blanks.
inline constexpr char kBlankTabText[] = "    空白   ";
// Longest tab text kept, in bytes; longer texts are cut, never inside a
// double-byte character.
inline constexpr std::size_t kTabTextMaxBytes = 127;

struct LYNKERNEL32_API TabEntry {
    std::string text;
    void* window = nullptr;         // the page the tab shows; null for a blank tab
    std::uint64_t activatedAt = 0;  // a tick count; 0 never activated
};

class LYNKERNEL32_API TabModel {
public:
    TabModel();  // one blank tab, selected

    // As CLynTabCtrl's operations of the same names; `now` is the tick count
    // used for activation times.
    int AddItemEx(int index, const std::string& text, void* window);
    bool AttachWnd(int index, void* window);
    int RemoveItem(int index);
    bool SetCurrentSel(int index, std::uint64_t now);
    bool SetItemTextEx(int index, const std::string& text);
    bool RefreshTabWndTime(int index, std::uint64_t now);

    int GetItemCount() const;
    int GetCurrentSel() const;
    // Null for an index out of range.
    const TabEntry* Item(int index) const;
    bool IsCurPageNull() const;
    // True while the bar holds only the blank tab (the one that stands in
    // for no tab; the next tab added replaces it).
    bool IsBlank() const;
    // The tab that owns `window`, or -1.
    int IndexOfWindow(const void* window) const;
    // What a tab shows of `text` when it shows at most `characters`
    // characters (0: all): the first ones followed by "...", double-byte
    // characters counted as one and kept whole.
    static std::string ShownText(const std::string& text, int characters);

private:
    std::vector<TabEntry> tabs_;
    int selected_ = 0;
    bool blank_ = true;
};
