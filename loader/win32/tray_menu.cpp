#include "loader/win32/tray_menu.h"

#include <algorithm>

#include "loader/loader_commands.h"

namespace {

// Colours of the suite's palette (see tools/artgen/README.md).
constexpr COLORREF kInk = RGB(0x1F, 0x29, 0x37);
constexpr COLORREF kMuted = RGB(0x8A, 0x94, 0xA3);
constexpr COLORREF kSurface = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kStrip = RGB(0xF3, 0xF6, 0xFA);
constexpr COLORREF kHairline = RGB(0xD3, 0xDB, 0xE5);
constexpr COLORREF kAccentSoft = RGB(0xE2, 0xEB, 0xFC);
constexpr COLORREF kAccentEdge = RGB(0x9D, 0xB8, 0xEE);

// Item geometry in pixels.
constexpr int kItemHeight = 24;
constexpr int kSeparatorHeight = 7;
constexpr int kStripWidth = 28;  // the icon column
constexpr int kIconSize = 16;
constexpr int kTextLeft = kStripWidth + 8;
constexpr int kRightRoom = 28;             // room for the submenu arrow
constexpr LONG kSmallestTextHeight = -13;  // character height, as LOGFONT counts it

void Fill(HDC dc, const RECT& area, COLORREF colour) {
    UniqueGdiObject brush(CreateSolidBrush(colour));
    FillRect(dc, &area, static_cast<HBRUSH>(brush.get()));
}

void Frame(HDC dc, const RECT& area, COLORREF colour) {
    UniqueGdiObject brush(CreateSolidBrush(colour));
    FrameRect(dc, &area, static_cast<HBRUSH>(brush.get()));
}

HFONT MenuFont(bool bold) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        return nullptr;
    }
    LOGFONTA& font = metrics.lfMenuFont;
    if (bold) {
        font.lfWeight = FW_BOLD;
    }
    // Chinese captions in the usual 12-pixel menu font lose strokes where
    // the font is drawn without smoothing (and English systems use 11
    // pixels); 13 pixels keep every caption legible.
    if (font.lfHeight < 0 && font.lfHeight > kSmallestTextHeight) {
        font.lfHeight = kSmallestTextHeight;
    }
    return CreateFontIndirectA(&font);
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The mnemonic of a caption: the character after a single "&", or 0.
char Mnemonic(const std::string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (static_cast<unsigned char>(caption[i]) >= 0x80) {
            ++i;  // a double-byte character: its second byte may look like '&'
        } else if (caption[i] == '&') {
            if (caption[i + 1] != '&') {
                return LowerAscii(caption[i + 1]);
            }
            ++i;
        }
    }
    return 0;
}

}  // namespace

TrayMenu::TrayMenu() = default;

TrayMenu::~TrayMenu() {
    Destroy();
}

TrayMenu::Item* TrayMenu::NewItem(std::string caption, int icon, bool separator) {
    items_.push_back(std::make_unique<Item>(Item{std::move(caption), icon, separator}));
    return items_.back().get();
}

bool TrayMenu::Build(const MenuEntry& model, HIMAGELIST icons) {
    Destroy();
    icons_ = icons;
    font_.reset(MenuFont(false));
    boldFont_.reset(MenuFont(true));
    background_.reset(CreateSolidBrush(kSurface));
    root_.reset(CreatePopupMenu());
    if (!root_) {
        return false;
    }
    for (const MenuEntry& entry : model.children) {
        if (!Append(root_.get(), entry)) {
            Destroy();
            return false;
        }
    }
    hideItem_ = NewItem(std::string(kHideCaption), -1, false);
    // White behind the items' margins too, in every submenu.
    MENUINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIM_BACKGROUND | MIM_APPLYTOSUBMENUS;
    info.hbrBack = static_cast<HBRUSH>(background_.get());
    SetMenuInfo(root_.get(), &info);
    return true;
}

void TrayMenu::Destroy() {
    root_.reset();  // DestroyMenu takes the submenus with it
    items_.clear();
    hideItem_ = nullptr;
}

bool TrayMenu::Append(HMENU menu, const MenuEntry& entry) {
    return Insert(menu, static_cast<UINT>(GetMenuItemCount(menu)), entry);
}

bool TrayMenu::Insert(HMENU menu, UINT position, const MenuEntry& entry) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    info.fType = MFT_OWNERDRAW;
    switch (entry.kind) {
        case MenuEntry::Kind::kSeparator:
            info.fType |= MFT_SEPARATOR;
            info.dwItemData = reinterpret_cast<ULONG_PTR>(NewItem({}, -1, true));
            break;
        case MenuEntry::Kind::kItem:
            info.fMask |= MIIM_ID | MIIM_STATE;
            info.wID = entry.command;
            info.fState = MFS_ENABLED;
            info.dwItemData = reinterpret_cast<ULONG_PTR>(NewItem(entry.caption, entry.icon, false));
            break;
        case MenuEntry::Kind::kSubmenu: {
            UniqueMenu submenu(CreatePopupMenu());
            if (!submenu) {
                return false;
            }
            for (const MenuEntry& child : entry.children) {
                if (!Append(submenu.get(), child)) {
                    return false;
                }
            }
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = submenu.get();
            info.dwItemData = reinterpret_cast<ULONG_PTR>(NewItem(entry.caption, entry.icon, false));
            if (!InsertMenuItemA(menu, position, TRUE, &info)) {
                return false;
            }
            submenu.release();  // the menu owns it now
            return true;
        }
    }
    return InsertMenuItemA(menu, position, TRUE, &info) != FALSE;
}

void TrayMenu::InsertSubmenuBefore(unsigned before, const MenuEntry& submenu) {
    int count = GetMenuItemCount(root_.get());
    for (int position = 0; position < count; ++position) {
        if (GetMenuItemID(root_.get(), position) == before) {
            Insert(root_.get(), static_cast<UINT>(position), MenuEntry::Separator());
            Insert(root_.get(), static_cast<UINT>(position), submenu);
            return;
        }
    }
}

void TrayMenu::SetHideItem(bool present) {
    if (!root_) {
        return;
    }
    DeleteMenu(root_.get(), command::kHideWidget, MF_BYCOMMAND);
    if (!present) {
        return;
    }
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_ID;
    info.fType = MFT_OWNERDRAW;
    info.wID = command::kHideWidget;
    info.dwItemData = reinterpret_cast<ULONG_PTR>(hideItem_);
    InsertMenuItemA(root_.get(), 0, TRUE, &info);
    SetMenuDefaultItem(root_.get(), command::kHideWidget, FALSE);
}

const TrayMenu::Item* TrayMenu::ItemAt(HMENU menu, UINT position) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    if (!GetMenuItemInfoA(menu, position, TRUE, &info)) {
        return nullptr;
    }
    return reinterpret_cast<const Item*>(info.dwItemData);
}

void TrayMenu::OnMeasureItem(MEASUREITEMSTRUCT& measure) const {
    const auto* item = reinterpret_cast<const Item*>(measure.itemData);
    if (item == nullptr || item->separator) {
        measure.itemWidth = kTextLeft;
        measure.itemHeight = kSeparatorHeight;
        return;
    }
    WindowDc screen(nullptr);
    SelectedObject font(screen.get(), boldFont_ ? boldFont_.get() : GetStockObject(DEFAULT_GUI_FONT));
    RECT text{0, 0, 0, 0};
    DrawTextA(screen.get(), item->caption.c_str(), -1, &text, DT_SINGLELINE | DT_CALCRECT);
    measure.itemWidth = static_cast<UINT>(kTextLeft + (text.right - text.left) + kRightRoom);
    measure.itemHeight = static_cast<UINT>(std::max<LONG>(kItemHeight, text.bottom - text.top + 8));
}

void TrayMenu::OnDrawItem(const DRAWITEMSTRUCT& draw) const {
    const auto* item = reinterpret_cast<const Item*>(draw.itemData);
    HDC dc = draw.hDC;
    RECT area = draw.rcItem;
    Fill(dc, area, kSurface);
    Fill(dc, RECT{area.left, area.top, area.left + kStripWidth, area.bottom}, kStrip);
    if (item == nullptr || item->separator) {
        int y = (area.top + area.bottom) / 2;
        Fill(dc, RECT{area.left + kTextLeft - 4, y, area.right - 4, y + 1}, kHairline);
        return;
    }
    bool grayed = (draw.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    if ((draw.itemState & ODS_SELECTED) != 0 && !grayed) {
        RECT highlight{area.left + 2, area.top + 1, area.right - 2, area.bottom - 1};
        Fill(dc, highlight, kAccentSoft);
        Frame(dc, highlight, kAccentEdge);
    }
    if (item->icon >= 0 && icons_ != nullptr) {
        int top = area.top + (area.bottom - area.top - kIconSize) / 2;
        int left = area.left + (kStripWidth - kIconSize) / 2;
        ImageList_Draw(icons_, item->icon, dc, left, top, grayed ? ILD_TRANSPARENT | ILD_BLEND50 : ILD_TRANSPARENT);
    }
    bool isDefault = (draw.itemState & ODS_DEFAULT) != 0;
    HGDIOBJ font = isDefault ? boldFont_.get() : font_.get();
    SelectedObject selected(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColour = SetTextColor(dc, grayed ? kMuted : kInk);
    RECT text{area.left + kTextLeft, area.top, area.right - kRightRoom, area.bottom};
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
    if ((draw.itemState & ODS_NOACCEL) != 0) {
        format |= DT_HIDEPREFIX;
    }
    DrawTextA(dc, item->caption.c_str(), -1, &text, format);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

LRESULT TrayMenu::OnMenuChar(char character, HMENU menu) const {
    char wanted = LowerAscii(character);
    int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        const Item* item = ItemAt(menu, static_cast<UINT>(position));
        if (item != nullptr && !item->separator && wanted != 0 && Mnemonic(item->caption) == wanted) {
            return MAKELRESULT(position, MNC_EXECUTE);
        }
    }
    return MAKELRESULT(0, MNC_IGNORE);
}
