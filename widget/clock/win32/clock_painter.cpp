#include "widget/clock/win32/clock_painter.h"

#include "common/path_util.h"
#include "common/text_encoding.h"

namespace {

const WCHAR* Wide(const std::u16string& text) {
    return reinterpret_cast<const WCHAR*>(text.c_str());
}

// The image at `path` copied into memory as 32-bit ARGB, so the file is not
// held open; null when it cannot be read.
std::unique_ptr<Gdiplus::Bitmap> LoadImageCopy(const std::string& path) {
    const std::u16string widePath = GbkToUtf16(path);
    Gdiplus::Bitmap file(Wide(widePath));
    if (file.GetLastStatus() != Gdiplus::Ok) {
        return nullptr;
    }
    const INT width = static_cast<INT>(file.GetWidth());
    const INT height = static_cast<INT>(file.GetHeight());
    auto copy = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
    if (copy->GetLastStatus() != Gdiplus::Ok) {
        return nullptr;
    }
    Gdiplus::Graphics graphics(copy.get());
    graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
    if (graphics.DrawImage(&file, Gdiplus::Rect(0, 0, width, height), 0, 0, width, height, Gdiplus::UnitPixel) !=
        Gdiplus::Ok) {
        return nullptr;
    }
    return copy;
}

// "宋体" at `pixels`; a machine without it gets the generic sans-serif face.
std::unique_ptr<Gdiplus::Font> SongtiFont(int pixels) {
    const Gdiplus::FontFamily songti(Wide(u"宋体"));
    const Gdiplus::FontFamily* family =
        songti.GetLastStatus() == Gdiplus::Ok ? &songti : Gdiplus::FontFamily::GenericSansSerif();
    return std::make_unique<Gdiplus::Font>(family, static_cast<Gdiplus::REAL>(pixels), Gdiplus::FontStyleRegular,
                                           Gdiplus::UnitPixel);
}

void DrawFaceText(Gdiplus::Graphics& graphics,
                  const std::string& gbk,
                  const Gdiplus::Font& font,
                  const FaceBox& box,
                  const Gdiplus::Brush& brush) {
    const std::u16string text = GbkToUtf16(gbk);
    Gdiplus::StringFormat format;
    format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap);
    const Gdiplus::RectF layout(static_cast<Gdiplus::REAL>(box.left), static_cast<Gdiplus::REAL>(box.top),
                                static_cast<Gdiplus::REAL>(box.width), static_cast<Gdiplus::REAL>(box.height));
    graphics.DrawString(Wide(text), static_cast<INT>(text.size()), &font, layout, &format, &brush);
}

// Images are drawn at their own size: pixel for pixel, never blurred.
void SetPixelExact(Gdiplus::Graphics& graphics) {
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
}

}  // namespace

ClockPainter::ClockPainter() : smallFont_(SongtiFont(kSmallFontPixels)), largeFont_(SongtiFont(kLargeFontPixels)) {}

ClockPainter::~ClockPainter() = default;

void ClockPainter::LoadImages(const std::string& commskinsFolder, const std::string& skinFolder) {
    const auto load = [&](const char* name) {
        std::unique_ptr<Gdiplus::Bitmap> own = LoadImageCopy(JoinPath(skinFolder, name));
        return own ? std::move(own) : LoadImageCopy(JoinPath(commskinsFolder, name));
    };
    background_ = load("clockbk.png");
    digits_ = load("digit.png");
    layer_.reset();
}

void ClockPainter::FreeImages() {
    background_.reset();
    digits_.reset();
    layer_.reset();
}

void ClockPainter::DrawDigitTile(Gdiplus::Graphics& graphics, int left, int sourceLeft) const {
    if (digits_) {
        graphics.DrawImage(digits_.get(), Gdiplus::Rect(left, kDigitTop, kDigitWidth, kDigitHeight), sourceLeft, 0,
                           kDigitWidth, kDigitHeight, Gdiplus::UnitPixel);
    }
}

void ClockPainter::DrawLayer(Gdiplus::Graphics& graphics, const LayerTexts& texts) const {
    // Transparent white: where the background leaves gaps the desktop shows.
    graphics.Clear(Gdiplus::Color(0, 255, 255, 255));
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
    SetPixelExact(graphics);
    if (background_) {
        const INT width = static_cast<INT>(background_->GetWidth());
        const INT height = static_cast<INT>(background_->GetHeight());
        graphics.DrawImage(background_.get(), Gdiplus::Rect(0, 0, width, height), 0, 0, width, height,
                           Gdiplus::UnitPixel);
    }
    // The text boxes lie clear of the digit tiles, so the tiles drawn later
    // cover nothing of them.
    const Gdiplus::SolidBrush brush(texts.whiteText ? Gdiplus::Color(255, 255, 255, 255)
                                                    : Gdiplus::Color(255, 0, 0, 0));
    DrawFaceText(graphics, texts.weekday, *smallFont_, kWeekdayBox, brush);
    DrawFaceText(graphics, texts.date, *smallFont_, kDateBox, brush);
    DrawFaceText(graphics, texts.bannerFirst, *largeFont_, kBannerFirstBox, brush);
    DrawFaceText(graphics, texts.bannerSecond, *smallFont_, kBannerSecondBox, brush);
}

Gdiplus::Bitmap* ClockPainter::LayerFor(const LayerTexts& texts) {
    if (layer_ && texts == layerTexts_) {
        return layer_.get();
    }
    layer_.reset();
    auto layer = std::make_unique<Gdiplus::Bitmap>(texts.width, texts.height, PixelFormat32bppARGB);
    if (layer->GetLastStatus() != Gdiplus::Ok) {
        return nullptr;
    }
    {
        Gdiplus::Graphics graphics(layer.get());
        if (graphics.GetLastStatus() != Gdiplus::Ok) {
            return nullptr;
        }
        DrawLayer(graphics, texts);
    }
    layer_ = std::move(layer);
    layerTexts_ = texts;
    return layer_.get();
}

void ClockPainter::Paint(Gdiplus::Graphics& graphics, int width, int height, const ClockFace& face, bool whiteText) {
    const LayerTexts texts{face.weekday, face.date, face.banner.firstLine, face.banner.secondLine, whiteText,
                           width,        height};
    Gdiplus::Bitmap* layer = width > 0 && height > 0 ? LayerFor(texts) : nullptr;
    SetPixelExact(graphics);
    if (layer != nullptr) {
        graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
        graphics.DrawImage(layer, Gdiplus::Rect(0, 0, width, height), 0, 0, width, height, Gdiplus::UnitPixel);
        graphics.SetCompositingMode(Gdiplus::CompositingModeSourceOver);
    } else {
        DrawLayer(graphics, texts);
    }
    for (const DigitTile& tile : face.digits) {
        DrawDigitTile(graphics, tile.left, tile.sourceLeft);
    }
    if (face.colonShown) {
        DrawDigitTile(graphics, kColonLeft, kColonSourceLeft);
    }
}
