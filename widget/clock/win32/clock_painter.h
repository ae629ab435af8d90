#pragma once

// Paints a ClockFace with GDI+: the background image as the surface, the
// digit and colon tiles, the weekday, the date and the banner. The caller
// keeps GDI+ started for the painter's whole life.
//
// Text is the dear part of a frame, and it changes once a day at most (the
// banner once an hour): the background with the texts is kept as a layer,
// drawn again only when a text, the colour or the images change, and each
// frame copies it and draws the digit tiles over it.

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

    // Replaces everything on `graphics`' surface, of width x height, with
    // `face`; the text is white or black.
    void Paint(Gdiplus::Graphics& graphics, int width, int height, const ClockFace& face, bool whiteText);

private:
    // What the kept layer shows besides the background.
    struct LayerTexts {
        std::string weekday;
        std::string date;
        std::string bannerFirst;
        std::string bannerSecond;
        bool whiteText = false;
        int width = 0;
        int height = 0;

        friend bool operator==(const LayerTexts&, const LayerTexts&) = default;
    };

    // The kept layer for `texts`, drawn again when they differ from the last;
    // null when no bitmap can be made.
    Gdiplus::Bitmap* LayerFor(const LayerTexts& texts);
    void DrawLayer(Gdiplus::Graphics& graphics, const LayerTexts& texts) const;
    void DrawDigitTile(Gdiplus::Graphics& graphics, int left, int sourceLeft) const;

    std::unique_ptr<Gdiplus::Bitmap> background_;
    std::unique_ptr<Gdiplus::Bitmap> digits_;
    std::unique_ptr<Gdiplus::Font> smallFont_;
    std::unique_ptr<Gdiplus::Font> largeFont_;
    std::unique_ptr<Gdiplus::Bitmap> layer_;
    LayerTexts layerTexts_;
};
