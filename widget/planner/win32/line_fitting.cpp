#include "widget/planner/win32/line_fitting.h"

Gdiplus::REAL LineWidth(Gdiplus::Graphics& graphics,
                        const Gdiplus::Font& font,
                        const Gdiplus::StringFormat& format,
                        std::u16string_view text) {
    if (text.empty()) {
        return 0;
    }
    Gdiplus::RectF bounds;
    graphics.MeasureString(reinterpret_cast<const WCHAR*>(text.data()), static_cast<INT>(text.size()), &font,
                           Gdiplus::PointF(0, 0), &format, &bounds);
    return bounds.Width;
}

std::u16string FitToWidth(Gdiplus::Graphics& graphics,
                          const Gdiplus::Font& font,
                          const Gdiplus::StringFormat& format,
                          std::u16string_view text,
                          Gdiplus::REAL width) {
    if (LineWidth(graphics, font, format, text) <= width) {
        return std::u16string(text);
    }
    auto shortened = [&](std::size_t kept) {
        std::u16string line(text.substr(0, kept));
        // Never half a surrogate pair, nor blanks before the ellipsis.
        if (!line.empty() && line.back() >= 0xD800 && line.back() <= 0xDBFF) {
            line.pop_back();
        }
        while (!line.empty() && line.back() == u' ') {
            line.pop_back();
        }
        return line + kEllipsis;
    };
    // Widths grow with the characters kept: the longest that fits is found
    // by halving, in a few measurements however long the text.
    std::size_t fits = 0;
    std::size_t tooLong = text.size();
    while (tooLong - fits > 1) {
        const std::size_t middle = fits + (tooLong - fits) / 2;
        if (LineWidth(graphics, font, format, shortened(middle)) <= width) {
            fits = middle;
        } else {
            tooLong = middle;
        }
    }
    const std::u16string line = shortened(fits);
    return LineWidth(graphics, font, format, line) <= width ? line : std::u16string();
}
