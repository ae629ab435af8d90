#pragma once

// The navigation browser's tab bookkeeping without windows: which tab a new
// address goes into, what a finished page adds to the address history, and
// what the window title says. The tab bar, the pages, the address box and the
// frame are reached through the two interfaces below, so a test can stand in
// for them; a page is an opaque handle that the host hands out.

#include <map>
#include <string>

// The tab bar, as CLynTabCtrl offers it; `page` is null for a tab without one.
class NavigationTabs {
public:
    virtual ~NavigationTabs() = default;
    virtual int GetItemCount() const = 0;
    virtual int GetCurrentSel() const = 0;
    virtual void* GetItemPage(int index) const = 0;
    virtual std::string GetItemText(int index) const = 0;
    // Inserts an unselected tab at `index`; returns its index.
    virtual int AddItemEx(int index, const std::string& text, void* page) = 0;
    virtual bool AttachPage(int index, void* page) = 0;
    // Removes the tab and selects the one before it (or the new first one);
    // returns the selected index afterwards.
    virtual int RemoveItem(int index) = 0;
    // Selects the tab, shows its page and records the time of activation.
    virtual bool SetCurrentSel(int index) = 0;
    virtual bool SetItemTextEx(int index, const std::string& text) = 0;
    virtual void RefreshTabWndTime(int index) = 0;
};

// The pages and the rest of the window.
class NavigationHost {
public:
    virtual ~NavigationHost() = default;
    // Makes a page and starts loading `address` in it; null when no page
    // can be made.
    virtual void* CreatePage(const std::string& address) = 0;
    virtual void DestroyPage(void* page) = 0;
    // The address the page shows now; empty without one.
    virtual std::string PageAddress(void* page) const = 0;
    // Puts the text into the address box without the box reporting a change.
    virtual void SetAddressText(const std::string& text) = 0;
    virtual void AddToHistory(const std::string& address) = 0;
    virtual void SetWindowTitle(const std::string& title) = 0;
};

class NavigationSession {
public:
    NavigationSession(NavigationTabs& tabs, NavigationHost& host);

    // Opens `address` in the current tab when it has no page yet, otherwise
    // in a new tab right after the current one, which is then selected.
    // False when the address is empty or no page could be made.
    bool OpenAddress(const std::string& address);
    // Opens the home page in a new tab and adds it to the address history.
    bool OpenHome(const std::string& homePage);

    // The page events.
    void OnNavigationComplete(void* page);
    void OnTitleChange(void* page, const std::string& title);
    // The user selected another tab.
    void OnCurrentTabChanged();

    // Closes tab `index` and destroys its page; the tab before it becomes
    // the current one.
    void CloseTab(int index);
    void CloseCurrentTab();

    // The current tab's page; null without one.
    void* CurrentPage() const;

private:
    int IndexOfPage(const void* page) const;
    void ShowTitle();

    NavigationTabs& tabs_;
    NavigationHost& host_;
    // The address last added to the history for each page, so a page that
    // completes twice on the same address adds it once.
    std::map<void*, std::string> recorded_;
};
