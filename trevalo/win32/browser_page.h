#pragma once

// BrowserPage: a child window holding the platform's web browser control
// (through the system's ActiveX host window), with the control's events
// that the side program needs reported to a listener on the window's
// thread. The thread needs COM (OLE) initialised. Under Wine without a web
// engine the control may be missing: the page then stays blank, and every
// operation fails quietly (false or empty).

#include <windows.h>

#include <memory>
#include <string>

class BrowserPageListener {
public:
    virtual ~BrowserPageListener() = default;
    // The page finished navigating (the top frame's DocumentComplete).
    virtual void OnNavigationComplete(class BrowserPage& page) = 0;
    // The page's title changed (GBK text).
    virtual void OnTitleChange(class BrowserPage& page, const std::string& title) = 0;
};

class BrowserPage {
public:
    // Makes the page as a hidden child of `parent` at `place`; nullptr when
    // the window cannot be made (a missing browser control is no failure).
    static std::unique_ptr<BrowserPage> Create(HWND parent, const RECT& place, BrowserPageListener* listener);
    ~BrowserPage();
    BrowserPage(const BrowserPage&) = delete;
    BrowserPage& operator=(const BrowserPage&) = delete;

    HWND Handle() const;
    // True when the browser control exists.
    bool HasBrowser() const;

    bool Navigate(const std::string& address);
    // The address the page shows now (GBK); empty without one.
    std::string LocationUrl() const;
    bool GoBack();
    bool GoForward();
    bool Refresh();
    bool Stop();
    // An OLE command (OLECMDID_*) sent to the page with `option`
    // (OLECMDEXECOPT_*).
    bool ExecCommand(int command, int option);

private:
    struct Control;
    explicit BrowserPage(std::unique_ptr<Control> control);
    std::unique_ptr<Control> control_;
};
