#pragma once

// The About window: a top-most layered tool window of 445 x 240 pixels
// centred on the screen, showing Skins\about.png with the product version
// written on it. It fades in when shown and out when closed (a click or
// Escape), and is kept for the next time.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/win32/handles.h"
#include "common/win32/window_procedure.h"

class AboutWindow {
public:
    static constexpr int kWidth = 445;
    static constexpr int kHeight = 240;
    static constexpr BYTE kFadeLowest = 105;
    static constexpr BYTE kFadeStep = 15;

    // `imagePath` is the face picture; `version` the product version (GBK).
    AboutWindow(HINSTANCE instance, std::string imagePath, std::string version);
    ~AboutWindow();
    AboutWindow(const AboutWindow&) = delete;
    AboutWindow& operator=(const AboutWindow&) = delete;

    // Creates the window the first time, then shows it and fades it in.
    void Show();
    // Fades the window out and hides it.
    void Close();

    HWND Handle() const { return window_.get(); }
    // The current opacity (0-255) while shown.
    BYTE Opacity() const { return alpha_; }

    // The face as drawn: premultiplied 0xAARRGGBB pixels, row by row from the
    // top, kWidth x kHeight. A picture that cannot be read gives a plain
    // night-blue face, still with the version on it.
    static std::vector<std::uint32_t> DrawFace(const std::string& imagePath, const std::string& version);

private:
    friend LRESULT CALLBACK ObjectWindowProcedure<AboutWindow>(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool Create();
    void Present();
    void Step();

    HINSTANCE instance_;
    std::string imagePath_;
    std::string version_;
    UniqueWindow window_;
    UniqueMemoryDc faceDc_;
    UniqueGdiObject faceBitmap_;
    HGDIOBJ previousBitmap_ = nullptr;
    BYTE alpha_ = 0;
    int fading_ = 0;  // +1 fading in, -1 fading out, 0 still
};
