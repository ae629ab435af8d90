#include "tools/artgen/contact_sheet.h"

#include "tools/artgen/palette.h"
#include "tools/artgen/text_painter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <utility>

namespace artgen {

namespace {

constexpr int kSheetWidth = 1480;
constexpr int kMargin = 24;
constexpr int kGap = 22;
constexpr int kLabelHeight = 34;
constexpr int kSwatchBand = 96;

struct Entry {
    std::string label;
    std::vector<Image> images;
    std::vector<int> scales;  // one per picture
    int width = 0;            // of the pictures drawn side by side, or of the label when wider
    int height = 0;           // of the pictures
};

// Small pictures are enlarged by a whole factor until their shorter side is
// about 96 pixels, as long as they stay narrower than about 720.
int ScaleFor(const Image& image) {
    const int bySide = 96 / std::max(1, std::min(image.width(), image.height()));
    const int byWidth = 720 / std::max(1, image.width());
    return std::clamp(std::min(bySide, byWidth), 1, 6);
}

// A masked bitmap as Windows shows it: the key colour is transparent.
Image WithoutKey(const Image& image) {
    Image shown = image;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const Rgba& pixel = shown.at(x, y);
            if (pixel.r == palette::kMaskKey.r && pixel.g == palette::kMaskKey.g && pixel.b == palette::kMaskKey.b) {
                shown.at(x, y) = Rgba{};
            }
        }
    }
    return shown;
}

std::u8string Utf8(const std::string& text) {
    return std::u8string(text.begin(), text.end());
}

void Checkerboard(cairo_t* cr, const Box& box) {
    SavedState saved(cr);
    cairo_rectangle(cr, box.x, box.y, box.width, box.height);
    cairo_clip(cr);
    SetColour(cr, Hex(0xFFFFFF));
    cairo_paint(cr);
    SetColour(cr, Hex(0xE4E7EB));
    constexpr int kCell = 8;
    for (int y = 0; y * kCell < box.height; ++y) {
        for (int x = (y % 2); x * kCell < box.width; x += 2) {
            cairo_rectangle(cr, box.x + x * kCell, box.y + y * kCell, kCell, kCell);
        }
    }
    cairo_fill(cr);
}

const TextStyle kLabelStyle{palette::kTextCaption, false, palette::kInk};

std::vector<Entry> EntriesOf(cairo_t* cr, const ArtSet& set) {
    std::vector<Entry> entries;
    for (const ArtFile& file : set.files()) {
        if (file.format == ArtFormat::kText || file.images.empty()) {
            continue;
        }
        Entry entry;
        entry.label = file.path;
        std::string sizes;
        for (const Image& image : file.images) {
            const int scale = ScaleFor(image);
            entry.images.push_back(file.format == ArtFormat::kBmp24 ? WithoutKey(image) : image);
            entry.scales.push_back(scale);
            entry.width += image.width() * scale + (entry.images.size() > 1 ? 6 : 0);
            entry.height = std::max(entry.height, image.height() * scale);
            sizes += (sizes.empty() ? "" : ", ") + std::to_string(image.width()) + "x" + std::to_string(image.height());
            if (scale > 1) {
                sizes += " (x" + std::to_string(scale) + ")";
            }
        }
        entry.label += "  " + sizes;
        const TextExtents label = MeasureText(cr, Utf8(entry.label), kLabelStyle);
        entry.width = std::max(entry.width, static_cast<int>(std::ceil(label.logical.width)));
        entries.push_back(std::move(entry));
    }
    return entries;
}

struct Placed {
    const Entry* entry;
    int x;
    int y;
};

// Left to right in rows; returns the sheet height needed.
int Layout(const std::vector<Entry>& entries, std::vector<Placed>& placed) {
    int x = kMargin;
    int y = kMargin + kSwatchBand;
    int rowHeight = 0;
    for (const Entry& entry : entries) {
        const int width = entry.width;
        if (x > kMargin && x + width > kSheetWidth - kMargin) {
            x = kMargin;
            y += rowHeight + kGap;
            rowHeight = 0;
        }
        placed.push_back(Placed{&entry, x, y});
        x += width + kGap;
        rowHeight = std::max(rowHeight, entry.height + kLabelHeight);
    }
    return y + rowHeight + kMargin;
}

void Swatches(cairo_t* cr) {
    const std::array<std::pair<const char8_t*, Rgba>, 14> swatches = {{
        {u8"ink", palette::kInk},
        {u8"ink soft", palette::kInkSoft},
        {u8"muted", palette::kInkMuted},
        {u8"surface alt", palette::kSurfaceAlt},
        {u8"hairline", palette::kHairline},
        {u8"accent", palette::kAccent},
        {u8"accent deep", palette::kAccentDeep},
        {u8"accent soft", palette::kAccentSoft},
        {u8"holiday", palette::kHoliday},
        {u8"solar term", palette::kSolarTerm},
        {u8"reminder", palette::kReminder},
        {u8"danger", palette::kDanger},
        {u8"night", palette::kNight},
        {u8"mask key", palette::kMaskKey},
    }};
    DrawText(cr, u8"artgen — the suite's images (Noto Sans CJK SC / 文泉驿正黑; radii 10 / 6 / 4; shadow 6 px)",
             TextStyle{palette::kTextHeading, true, palette::kInk}, Box{kMargin, kMargin - 6, 1000, 20});
    for (std::size_t i = 0; i < swatches.size(); ++i) {
        const Box chip{kMargin + static_cast<double>(i) * 100, kMargin + 22, 90, 30};
        FillRoundedRect(cr, chip, palette::kRadiusControl, swatches[i].second);
        StrokeRoundedRect(cr, chip, palette::kRadiusControl, palette::kHairline);
        DrawText(cr, swatches[i].first, TextStyle{palette::kTextCaption, false, palette::kInkSoft},
                 Box{chip.x, chip.bottom() + 2, 100, 14});
    }
}

}  // namespace

Image DrawContactSheet(const ArtSet& set) {
    const Canvas measuring(1, 1);
    const std::vector<Entry> entries = EntriesOf(measuring.cr(), set);
    std::vector<Placed> placed;
    const int height = Layout(entries, placed);

    Canvas canvas(kSheetWidth, height);
    cairo_t* cr = canvas.cr();
    SetColour(cr, palette::kSurfaceAlt);
    cairo_paint(cr);
    Swatches(cr);
    for (const Placed& item : placed) {
        const Entry& entry = *item.entry;
        int x = item.x;
        for (std::size_t i = 0; i < entry.images.size(); ++i) {
            const Image& image = entry.images[i];
            const int scale = entry.scales[i];
            Checkerboard(cr,
                         Box{double(x), double(item.y), double(image.width() * scale), double(image.height() * scale)});
            canvas.DrawImage(image, x, item.y, scale, scale == 1);
            x += image.width() * scale + 6;
        }
        DrawText(cr, Utf8(entry.label), kLabelStyle,
                 Box{double(item.x), double(item.y + entry.height + 4), double(entry.width + kGap), 14});
    }
    return canvas.ToImage();
}

}  // namespace artgen
