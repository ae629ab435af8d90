#pragma once

// Paints a ClockFace with GDI+: the background image as the surface, the
// digit and colon tiles, the weekday, the date and the banner. The caller
// keeps GDI+ started for the painter's whole life.

#include <memory>
#include <string>

#include "common/win32/gdiplus_session.h"
#include "widget/clock/clock_face.h"

class ClockPainter {
public:
    ClockPainter();
    ~ClockPainter();
    ClockPainter(const ClockPainter&) = delete;
    ClockPainter& operator=(const ClockPainter&) = delete;

    // clockbk.png and digit.png (GBK folders): the skin folder's own copy
    // where it has a readable one, else the one in `commskinsFolder`. An
    // image missing from both is drawn as nothing.
    void LoadImages(const std::string& commskinsFolder, const std::string& skinFolder);
    void FreeImages();

    // Replaces everything on `graphics`' surface with `face`; the text is
    // white or black.
    void Paint(Gdiplus::Graphics& graphics, const ClockFace& face, bool whiteText) const;

private:
    void DrawDigitTile(Gdiplus::Graphics& graphics, int left, int sourceLeft) const;

    std::unique_ptr<Gdiplus::Bitmap> background_;
    std::unique_ptr<Gdiplus::Bitmap> digits_;
    std::unique_ptr<Gdiplus::Font> smallFont_;
    std::unique_ptr<Gdiplus::Font> largeFont_;
};
