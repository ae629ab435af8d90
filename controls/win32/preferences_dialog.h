#pragma once

// A modal settings frame without a dialog resource: a flat toolbar across
// the top with one large icon button per settings page, the selected page
// below it, and OK and Cancel at the bottom right. The frame grows or
// shrinks in a few steps to fit each page.
//
// Pages are the caller's own modeless dialogs, created (as borderless
// pop-ups) before they are added; the frame makes them its children, shows
// one at a time at its client size, and never destroys them. On OK the frame
// sends each page SaveMessage(): a page that refuses its data answers
// non-zero (a dialog procedure sets DWLP_MSGRESULT), and the frame stays
// open. A page that does not know the message accepts.

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "controls/qvctrl_api.h"

namespace cmmctrls {

inline constexpr UINT kPreferencesToolbarId = 0xE800;  // 59392

class QVCTRL_API CPreferencesDialog {
public:
    // `initialPage`: index of the option shown on opening, -1 for the first.
    explicit CPreferencesDialog(HWND parent = nullptr, int initialPage = -1);
    virtual ~CPreferencesDialog();
    CPreferencesDialog(const CPreferencesDialog&) = delete;
    CPreferencesDialog& operator=(const CPreferencesDialog&) = delete;

    // The message a page gets when OK is pressed (see above).
    static UINT SaveMessage();

    // Keeps the first 39 bytes at most (never half a character).
    void SetDlgCaption(const char* text);
    const std::string& GetDlgCaption() const { return caption_; }
    // Adds a page with its 32 x 32 icon (magenta is transparent) and title;
    // the title "SEPERATOR" (any case) adds a separator, which needs neither
    // icon nor page. 0 when the icon, the title or the page is missing or
    // the page has no window yet; else 1. Icon and page stay the caller's.
    int AddSubOption(HBITMAP icon, const char* title, HWND page);

    // Runs the frame; 1 for OK, 2 for Cancel, -1 when it could not be made.
    virtual INT_PTR DoModal();

    HWND GetSafeHwnd() const { return hwnd_; }
    HWND GetToolBar() const { return toolbar_; }
    // The command of the page shown (1024 + its index), -1 for none.
    int GetCurrentPage() const { return currentPage_; }

protected:
    // The toolbar and its image list; -1 aborts the frame.
    virtual int OnCreate();
    // Fills the toolbar, adopts the pages and shows the initial page.
    virtual BOOL OnInitDialog();
    // Keeps the toolbar across the top and OK and Cancel at the bottom right.
    virtual void OnSize(UINT type, int width, int height);
    // Shows the first page if none is shown yet.
    virtual void OnShowWindow(BOOL show, UINT status);
    // Commands from 1024 on select pages; OK and Cancel close.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // Closes with OK when every page accepts its data.
    virtual void OnOK();
    // Finds the OK and Cancel buttons.
    virtual void DoDataExchange();
    // Every message of the frame; TRUE when handled.
    virtual INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Option {
        HBITMAP icon = nullptr;
        std::string title;
        HWND page = nullptr;
        bool separator = false;
    };

    static INT_PTR CALLBACK StaticDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void SelectPage(int command);
    void FitFrameTo(HWND page);
    int ToolbarHeight() const;
    int FirstPageCommand() const;

    HWND parent_;
    int initialPage_;
    int currentPage_ = -1;
    std::string caption_;
    std::vector<Option> options_;
    HWND hwnd_ = nullptr;
    HWND toolbar_ = nullptr;
    HIMAGELIST images_ = nullptr;
    HWND okButton_ = nullptr;
    HWND cancelButton_ = nullptr;
};

}  // namespace cmmctrls
