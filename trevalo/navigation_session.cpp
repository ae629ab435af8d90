#include "trevalo/navigation_session.h"

#include "toolkit/tab_model.h"
#include "trevalo/window_titles.h"

NavigationSession::NavigationSession(NavigationTabs& tabs, NavigationHost& host) : tabs_(tabs), host_(host) {}

bool NavigationSession::OpenAddress(const std::string& address) {
    if (address.empty()) {
        return false;
    }
    void* page = host_.CreatePage(address);
    if (page == nullptr) {
        return false;
    }
    const int current = tabs_.GetCurrentSel();
    if (tabs_.GetItemPage(current) == nullptr) {
        tabs_.AttachPage(current, page);
        // The blank tab's word would otherwise stay on a tab that shows a
        // page until the page's title arrives, and may never arrive.
        tabs_.SetItemTextEx(current, kLoadingTabText);
        tabs_.SetCurrentSel(current);
    } else {
        const int added = tabs_.AddItemEx(current + 1, kLoadingTabText, page);
        tabs_.SetCurrentSel(added);
    }
    host_.SetAddressText(address);
    ShowTitle();
    return true;
}

bool NavigationSession::OpenHome(const std::string& homePage) {
    if (!OpenAddress(homePage)) {
        return false;
    }
    host_.AddToHistory(homePage);
    return true;
}

void NavigationSession::OnNavigationComplete(void* page) {
    const int index = IndexOfPage(page);
    if (index < 0) {
        return;  // a page already closed may still report
    }
    const std::string address = host_.PageAddress(page);
    if (index == tabs_.GetCurrentSel()) {
        host_.SetAddressText(address);
    }
    std::string& recorded = recorded_[page];
    if (address.empty() || address == recorded) {
        return;
    }
    tabs_.RefreshTabWndTime(index);
    host_.AddToHistory(address);
    recorded = address;
}

void NavigationSession::OnTitleChange(void* page, const std::string& title) {
    const int index = IndexOfPage(page);
    if (index < 0) {
        return;
    }
    tabs_.SetItemTextEx(index, title);
    ShowTitle();
}

void NavigationSession::OnCurrentTabChanged() {
    ShowTitle();
    void* page = CurrentPage();
    host_.SetAddressText(page != nullptr ? host_.PageAddress(page) : std::string());
}

void NavigationSession::CloseTab(int index) {
    if (index < 0 || index >= tabs_.GetItemCount()) {
        return;
    }
    void* page = tabs_.GetItemPage(index);
    // The tab goes first so the bar never holds a destroyed page.
    const int selected = tabs_.RemoveItem(index);
    if (page != nullptr) {
        recorded_.erase(page);
        host_.DestroyPage(page);
    }
    tabs_.SetCurrentSel(selected);
    OnCurrentTabChanged();
}

void NavigationSession::CloseCurrentTab() {
    CloseTab(tabs_.GetCurrentSel());
}

void* NavigationSession::CurrentPage() const {
    return tabs_.GetItemPage(tabs_.GetCurrentSel());
}

int NavigationSession::IndexOfPage(const void* page) const {
    for (int i = 0; page != nullptr && i < tabs_.GetItemCount(); ++i) {
        if (tabs_.GetItemPage(i) == page) {
            return i;
        }
    }
    return -1;
}

void NavigationSession::ShowTitle() {
    host_.SetWindowTitle(NavigationWindowTitle(tabs_.GetItemText(tabs_.GetCurrentSel())));
}
