#pragma once

// LookupWindow (dialog 7004): a small browser window on a page of the
// maker's web site, told apart by its lookup name ("wannianli" for 万年历,
// "huilv" for 今日汇率). A modeless tool window of the LoaderWindow with its
// own task-bar button; the web browser control (1017) fills its client area.
// Loading the page and its errors are the browser control's.

#include <windows.h>

#include <memory>
#include <string>

#include "common/win32/owned_dialog.h"
#include "loader/tool_window_slots.h"

class LookupWindow final : public ToolWindow, private OwnedDialog {
public:
    // Makes the window for lookup `name` on the site `siteHost`, titled
    // `titlePrefix` (the product name and version) and the name's suffix,
    // sends its browser to the name's page, shows it and brings it to the
    // front. Nullptr when the window cannot be made; when only the browser
    // control cannot be made, the window opens empty.
    static std::unique_ptr<LookupWindow> Open(HINSTANCE resources,
                                              const std::string& titlePrefix,
                                              const std::string& siteHost,
                                              const std::string& name);

    // Nullptr once the window has closed.
    HWND Handle() const { return window_.get(); }
    const std::string& Name() const { return name_; }
    // The browser control's host window; nullptr when it could not be made.
    HWND Browser() const;

private:
    LookupWindow(HINSTANCE resources, std::string name, std::string title, std::string address);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnInitDialog();
    void ShowIcons() const;
    void MakeBrowser() const;
    void FitBrowser(int width, int height) const;

    HINSTANCE resources_;
    std::string name_;
    std::string title_;
    std::string address_;
};
