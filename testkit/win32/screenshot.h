#pragma once

// Screenshots for end-to-end tests and reviewers: what is on the screen (or
// under one window) saved as PNG, and images read back as pixels.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace testkit {

// Copies the screen's pixels inside `area` (screen coordinates) from the
// screen DC, so overlapping windows show as a user would see them. `path` is
// GBK. False when nothing could be captured or written.
bool SaveScreenAreaPng(const RECT& area, const std::string& path);
bool SaveScreenPng(const std::string& path);
// The window as far as it lies on the screen.
bool SaveWindowPng(HWND window, const std::string& path);

// The class id of GDI+'s PNG encoder, for saving images a test drew itself.
std::optional<CLSID> PngEncoder();

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;  // row by row from the top, 0xAARRGGBB

    std::uint32_t Pixel(int x, int y) const { return argb[static_cast<std::size_t>(y) * width + x]; }
};

// `image` saved as PNG with each pixel drawn as a `factor` x `factor`
// square, for reviewers to see single pixels of small text. False for a
// factor below 1 or when nothing could be written.
bool SaveZoomedPng(const Image& image, int factor, const std::string& path);

// Any image GDI+ reads (PNG, BMP, ...); nullopt when it cannot.
std::optional<Image> LoadImageFile(const std::string& path);

}  // namespace testkit
