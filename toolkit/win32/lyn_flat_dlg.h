#pragma once

// CLynFlatDlg: the side program's skinned frame, a top-level window without
// the system's caption and border. It draws a title bar of three images (left
// end, middle tiled, right end) with the title text, a bottom edge of three
// images the same way, and a plain background colour between; it carries
// minimise, maximise/restore and close buttons (CTransParentButton) in the
// title bar with their tool tips, drags the window by the title bar,
// resizes it by its edges, and keeps it from getting smaller than its
// minimum size. A derived class fills the client area with its own controls
// and gets their messages through the virtual handlers.
//
// The window runs modally: DoModal makes it, runs its message loop (with
// dialog keyboard handling) until EndDialog, destroys it and returns the
// code given to EndDialog.

#include <windows.h>

#include <memory>
#include <string>

#include "toolkit/lynkernel32_api.h"

// The frame's pictures, as image file paths (24-bit BMP).
struct LYNKERNEL32_API FlatDlgImages {
    std::string titleLeft, titleMiddle, titleRight;
    std::string bottomLeft, bottomMiddle, bottomRight;
};

// The three window buttons' pictures (normal, hover, pressed each).
struct LYNKERNEL32_API FlatDlgButtonImages {
    std::string minimise[3];
    std::string maximise[3];
    std::string close[3];
};

// Tool tips of the three window buttons ("最小化", "最大化", "退出").
struct LYNKERNEL32_API FlatDlgButtonTips {
    std::string minimise, maximise, close;
};

// Child ids of the three window buttons; their clicks are the frame's own
// and never reach OnCommand.
inline constexpr int kFlatDlgMinimiseId = 0x7FF1;
inline constexpr int kFlatDlgMaximiseId = 0x7FF2;
inline constexpr int kFlatDlgCloseId = 0x7FF3;

class LYNKERNEL32_API CLynFlatDlg {
public:
    CLynFlatDlg();
    virtual ~CLynFlatDlg();
    CLynFlatDlg(const CLynFlatDlg&) = delete;
    CLynFlatDlg& operator=(const CLynFlatDlg&) = delete;

    // Makes the window (hidden), calls OnInitDialog, shows it unless
    // OnInitDialog ended the dialog, and runs the loop. -1 when the window
    // cannot be made. `owner` is disabled while the dialog runs.
    INT_PTR DoModal(HINSTANCE instance, HWND owner = nullptr);
    // Ends the loop; DoModal returns `code`.
    void EndDialog(INT_PTR code);
    HWND GetSafeHwnd() const;

    // Border: 0 none, 1 a one-pixel line in a darker shade of the
    // background. Background: the colour of the client area.
    void SetBorderStyle(int style);
    void SetBkColor(COLORREF colour);
    // False when an image cannot be loaded; the frame then draws plain bars.
    bool SetTitleImage(const FlatDlgImages& images);
    bool SetWindowButtons(const FlatDlgButtonImages& images, const FlatDlgButtonTips& tips);
    // The window's title (also its task-bar text), drawn in the title bar.
    void SetTitleText(const std::string& text);
    // The title's colour and weight (bold or not) and size in pixels.
    void SetTitleTextStyle(COLORREF colour, bool bold, int pixelHeight);
    void SetMinimumSize(int width, int height);

    // A tool tip over `control` (a child of this window).
    void AddToolTip(HWND control, const std::string& text);
    // Passes a mouse message to the tool tips (for controls that do not
    // reach them by themselves); harmless for any other message.
    void RelayTipEvent(const MSG& message);

    // Heights of the title bar and the bottom edge, and the width of the
    // title's right end (where the window buttons sit), in pixels.
    int GetTitleHeight() const;
    int GetBottomHeight() const;
    int GetRightTitleWidth() const;

    // Maximised to the work area (not the whole screen) or restored.
    void MaxWindow(bool maximise);
    bool IsMaxWindow() const;

protected:
    // Called once the window exists, before it is shown: make the controls.
    // False ends the dialog with -1.
    virtual bool OnInitDialog();
    // After every change of size, with the client area's size; lay out the
    // controls between GetTitleHeight() and the bottom edge.
    virtual void OnSize(int width, int height);
    virtual void OnCommand(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnNotify(const NMHDR& header);
    // Any other message: true when handled, with `result` set.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Just before the window goes.
    virtual void OnDestroy();

private:
    struct Frame;
    std::unique_ptr<Frame> frame_;
};
