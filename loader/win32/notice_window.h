#pragma once

// NoticeWindow: the update notice above the tray. A top-most layered tool
// window of 193 x 125 pixels at the bottom-right corner of the work area,
// showing Skins\sysmsg.png with the notice text on it; it rolls up from the
// bottom when a notice comes. A click below the title bar hides it and opens
// the notice's address (web addresses only); the close spot only hides it.
// Made hidden by the LoaderWindow and kept, hidden between notices, until
// the LoaderWindow goes.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/win32/handles.h"
#include "common/win32/window_procedure.h"

class DesktopShell;

class NoticeWindow {
public:
    // `imagePath` is the face picture; `shell` opens the address and outlives
    // the window.
    NoticeWindow(HINSTANCE instance, std::string imagePath, DesktopShell& shell);
    ~NoticeWindow();
    NoticeWindow(const NoticeWindow&) = delete;
    NoticeWindow& operator=(const NoticeWindow&) = delete;

    // Makes the hidden window at the work area's bottom-right corner. False
    // when it could not be made.
    bool Create();

    // Takes the text and the address, draws the face and rolls the window up
    // at the work area's bottom-right corner over about 200 ms; returns at
    // once, the roll goes on in the window's timer.
    void Show(const std::string& text, const std::string& address);
    void Hide();

    HWND Handle() const { return window_.get(); }
    const std::string& Text() const { return text_; }
    const std::string& Address() const { return address_; }
    bool Rolling() const { return rolling_; }

    // The face with `text`: premultiplied 0xAARRGGBB pixels, row by row from
    // the top, 193 x 125. A picture that cannot be read gives a plain white
    // face with a border, still with the text.
    static std::vector<std::uint32_t> DrawFace(const std::string& imagePath, const std::string& text);

private:
    friend LRESULT CALLBACK ObjectWindowProcedure<NoticeWindow>(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool MakeFace();
    void RollStep();
    void Present(int height);
    void OnClick(int x, int y);
    bool OverLink() const;

    HINSTANCE instance_;
    std::string imagePath_;
    DesktopShell& shell_;
    std::string text_;
    std::string address_;
    UniqueWindow window_;
    UniqueMemoryDc faceDc_;
    UniqueGdiObject faceBitmap_;
    void* faceBits_ = nullptr;  // the pixels of faceBitmap_
    HGDIOBJ previousBitmap_ = nullptr;
    RECT workArea_{};      // where the roll ends, taken when it starts
    DWORD rollStart_ = 0;  // GetTickCount at the start of the roll
    bool rolling_ = false;
};
