#include "toolkit/win32/lyn_tab_ctrl.h"

#include <windowsx.h>

#include "common/win32/handles.h"
#include "common/win32/window_procedure.h"
#include "toolkit/win32/skin_image.h"
#include "toolkit/win32/toolkit_window_class.h"

namespace {

constexpr char kTabBarClass[] = "CLynTabCtrl";
constexpr int kFirstTabLeft = 4;
constexpr int kTabGap = 2;
constexpr int kTextPadding = 6;  // inside a tab, left and right of its text
constexpr SIZE kPlainTabSize{120, 26};
constexpr COLORREF kPlainBarColour = RGB(224, 230, 238);
constexpr COLORREF kPlainSelectedColour = RGB(255, 255, 255);
constexpr COLORREF kPlainOtherColour = RGB(230, 235, 242);
constexpr COLORREF kPlainEdgeColour = RGB(160, 170, 185);

HWND AsWindow(void* window) {
    return static_cast<HWND>(window);
}

}  // namespace

struct CLynTabCtrl::Bar {
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc) const;
    void PaintTab(HDC dc, int index) const;
    RECT TabRect(int index) const;
    int TabAt(POINT point) const;
    void OnClick(POINT point);
    void Select(int index);
    void ShowSelectedOnly() const;
    void Redraw() const;

    HWND window = nullptr;  // from WM_NCCREATE until WM_NCDESTROY
    TabModel model;
    RECT pageArea{};
    SkinImage background, selectedTab, otherTab;
    COLORREF selectedText = RGB(0, 0, 0);
    COLORREF otherText = RGB(80, 80, 80);
    int shownCharacters = 0;
    UniqueGdiObject font;
};

CLynTabCtrl::CLynTabCtrl() : bar_(std::make_unique<Bar>()) {
    bar_->font.reset(CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "宋体"));
}

CLynTabCtrl::~CLynTabCtrl() {
    DestroyUnheard(bar_->window);
}

bool CLynTabCtrl::Create(HWND parent, int id, const RECT& place) {
    if (bar_->window != nullptr) {
        return false;
    }
    return CreateToolkitChild(kTabBarClass, &ObjectWindowProcedure<Bar>, 0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                              parent, id, place, bar_.get());
}

HWND CLynTabCtrl::GetSafeHwnd() const {
    return bar_->window;
}

int CLynTabCtrl::AddItemEx(int index, const std::string& text, HWND window) {
    const int added = bar_->model.AddItemEx(index, text, window);
    bar_->ShowSelectedOnly();
    bar_->Redraw();
    return added;
}

bool CLynTabCtrl::AttachWnd(int index, HWND window) {
    if (!bar_->model.AttachWnd(index, window)) {
        return false;
    }
    bar_->ShowSelectedOnly();
    return true;
}

int CLynTabCtrl::RemoveItem(int index) {
    const TabEntry* removed = bar_->model.Item(index);
    if (removed == nullptr) {
        return bar_->model.GetCurrentSel();
    }
    if (removed->window != nullptr) {
        ShowWindow(AsWindow(removed->window), SW_HIDE);
    }
    const int selected = bar_->model.RemoveItem(index);
    bar_->model.RefreshTabWndTime(selected, GetTickCount64());
    bar_->ShowSelectedOnly();
    bar_->Redraw();
    return selected;
}

int CLynTabCtrl::GetItemCount() const {
    return bar_->model.GetItemCount();
}

HWND CLynTabCtrl::GetCurWnd() const {
    return GetItemWnd(bar_->model.GetCurrentSel());
}

int CLynTabCtrl::GetCurrentSel() const {
    return bar_->model.GetCurrentSel();
}

bool CLynTabCtrl::SetCurrentSel(int index) {
    if (bar_->model.Item(index) == nullptr) {
        return false;
    }
    bar_->Select(index);
    return true;
}

HWND CLynTabCtrl::GetItemWnd(int index) const {
    const TabEntry* item = bar_->model.Item(index);
    return item != nullptr ? AsWindow(item->window) : nullptr;
}

std::string CLynTabCtrl::GetItemText(int index) const {
    const TabEntry* item = bar_->model.Item(index);
    return item != nullptr ? item->text : std::string();
}

bool CLynTabCtrl::SetItemTextEx(int index, const std::string& text) {
    if (!bar_->model.SetItemTextEx(index, text)) {
        return false;
    }
    bar_->Redraw();
    return true;
}

bool CLynTabCtrl::IsCurPageNull() const {
    return bar_->model.IsCurPageNull();
}

RECT CLynTabCtrl::GetItemRect(int index) const {
    if (bar_->model.Item(index) == nullptr) {
        return RECT{};
    }
    return bar_->TabRect(index);
}

std::uint64_t CLynTabCtrl::GetTabWndTime(int index) const {
    const TabEntry* item = bar_->model.Item(index);
    return item != nullptr ? item->activatedAt : 0;
}

void CLynTabCtrl::RefreshTabWndTime(int index) {
    bar_->model.RefreshTabWndTime(index, GetTickCount64());
}

void CLynTabCtrl::SetWndRect(const RECT& pageArea) {
    bar_->pageArea = pageArea;
}

void CLynTabCtrl::ResizeWnd() {
    bar_->ShowSelectedOnly();
}

bool CLynTabCtrl::SetBkImage(const std::string& background,
                             const std::string& selectedTab,
                             const std::string& otherTab) {
    Bar& bar = *bar_;
    // Each picture on its own: one that is missing is drawn plain.
    const bool backgroundLoaded = bar.background.Load(background);
    const bool selectedLoaded = bar.selectedTab.Load(selectedTab);
    const bool otherLoaded = bar.otherTab.Load(otherTab);
    const bool loaded = backgroundLoaded && selectedLoaded && otherLoaded;
    bar.Redraw();
    return loaded;
}

void CLynTabCtrl::SetSelectColor(COLORREF colour) {
    bar_->selectedText = colour;
    bar_->Redraw();
}

void CLynTabCtrl::SetTextColor(COLORREF colour) {
    bar_->otherText = colour;
    bar_->Redraw();
}

void CLynTabCtrl::SetShowTextCount(int characters) {
    bar_->shownCharacters = characters;
    bar_->Redraw();
}

LRESULT CLynTabCtrl::Bar::Handle(HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
            window = target;
            break;
        case WM_NCDESTROY:
            SetWindowLongPtrA(target, GWLP_USERDATA, 0);
            window = nullptr;
            break;
        case WM_ERASEBKGND:
            return 1;  // the painting covers every pixel
        case WM_PAINT:
            PaintBuffered(target, [this](HDC dc) { Paint(dc); });
            return 0;
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_SIZE:
            InvalidateRect(target, nullptr, FALSE);
            return 0;
        case WM_LBUTTONDOWN:
            OnClick(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        default:
            break;
    }
    return DefWindowProcA(target, message, wParam, lParam);
}

// Tabs keep their image's width while they fit, and share the bar's width
// evenly once they do not.
RECT CLynTabCtrl::Bar::TabRect(int index) const {
    RECT client{};
    GetClientRect(window, &client);
    const SkinImage& shape = otherTab ? otherTab : selectedTab;
    const int height = shape ? shape.Height() : kPlainTabSize.cy;
    int width = shape ? shape.Width() : kPlainTabSize.cx;
    const int count = model.GetItemCount();
    const int room = client.right - kFirstTabLeft - (count - 1) * kTabGap;
    if (count > 0 && width * count > room) {
        width = room / count > 1 ? room / count : 1;
    }
    const int left = kFirstTabLeft + index * (width + kTabGap);
    const int top = client.bottom - height > 0 ? client.bottom - height : 0;
    return RECT{left, top, left + width, client.bottom};
}

int CLynTabCtrl::Bar::TabAt(POINT point) const {
    for (int i = 0; i < model.GetItemCount(); ++i) {
        const RECT box = TabRect(i);
        if (PtInRect(&box, point)) {
            return i;
        }
    }
    return -1;
}

void CLynTabCtrl::Bar::OnClick(POINT point) {
    const int index = TabAt(point);
    if (index < 0 || index == model.GetCurrentSel()) {
        return;
    }
    Select(index);
    // The parent may rearrange the tabs in its handler; nothing of the
    // click is used afterwards.
    NMHDR header{window, static_cast<UINT_PTR>(GetDlgCtrlID(window)), kLynTabSelChange};
    SendMessageA(GetParent(window), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

void CLynTabCtrl::Bar::Select(int index) {
    model.SetCurrentSel(index, GetTickCount64());
    ShowSelectedOnly();
    Redraw();
}

// The selected tab's window fills the page area; every other tab's window
// is hidden.
void CLynTabCtrl::Bar::ShowSelectedOnly() const {
    const int selected = model.GetCurrentSel();
    for (int i = 0; i < model.GetItemCount(); ++i) {
        HWND page = AsWindow(model.Item(i)->window);
        if (page == nullptr || i == selected) {
            continue;
        }
        ShowWindow(page, SW_HIDE);
    }
    HWND page = AsWindow(model.Item(selected)->window);
    if (page != nullptr) {
        SetWindowPos(page, nullptr, pageArea.left, pageArea.top, pageArea.right - pageArea.left,
                     pageArea.bottom - pageArea.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
}

void CLynTabCtrl::Bar::Redraw() const {
    if (window != nullptr) {
        InvalidateRect(window, nullptr, FALSE);
    }
}

void CLynTabCtrl::Bar::Paint(HDC dc) const {
    RECT client{};
    GetClientRect(window, &client);
    if (background) {
        background.Tile(dc, client);
    } else {
        FillSolid(dc, client, kPlainBarColour);
    }
    const SelectedObject selectedFont(dc, font ? font.get() : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    for (int i = 0; i < model.GetItemCount(); ++i) {
        PaintTab(dc, i);
    }
}

void CLynTabCtrl::Bar::PaintTab(HDC dc, int index) const {
    const bool selected = index == model.GetCurrentSel();
    const RECT box = TabRect(index);
    const SkinImage& face = selected ? selectedTab : otherTab;
    if (face) {
        face.Stretch(dc, box);
    } else {
        FillSolid(dc, box, selected ? kPlainSelectedColour : kPlainOtherColour);
        FrameSolid(dc, box, kPlainEdgeColour);
    }
    const std::string shown = TabModel::ShownText(model.Item(index)->text, shownCharacters);
    RECT text{box.left + kTextPadding, box.top, box.right - kTextPadding, box.bottom};
    ::SetTextColor(dc, selected ? selectedText : otherText);
    DrawTextA(dc, shown.c_str(), static_cast<int>(shown.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}
