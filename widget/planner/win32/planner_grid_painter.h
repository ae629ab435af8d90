#pragma once

// Draws a PlannerGrid with GDI+: the header band, each shown cell with its
// title band, day number or heading, lunar text and entries, and the grid
// lines. It owns the fonts and the cell band image; GDI+ must be running
// while one exists.

#include <memory>
#include <string>

#include "common/win32/gdiplus_session.h"
#include "widget/planner/planner_grid.h"

class PlannerGridPainter {
public:
    PlannerGridPainter();
    ~PlannerGridPainter();
    PlannerGridPainter(const PlannerGridPainter&) = delete;
    PlannerGridPainter& operator=(const PlannerGridPainter&) = delete;

    // Loads the title band image (a GBK path): two bands of 22 rows, plain
    // then highlighted. A missing, unreadable or too small file leaves no
    // image, and the bands are drawn from the colours instead.
    void SetCellImage(const std::string& path);
    bool hasCellImage() const { return cellImage_ != nullptr; }

    // The face the day numbers are drawn in: the first installed one of a
    // list of condensed faces, ending with the system's dialog font.
    const std::u16string& dayNumberFace() const { return dayNumberFace_; }

    void Paint(Gdiplus::Graphics& graphics,
               const PlannerGrid& grid,
               const PlannerGridColours& colours,
               GregorianDate today) const;

private:
    struct Scene;
    void PaintHeader(const Scene& scene) const;
    void PaintCell(const Scene& scene, int cell) const;
    void PaintTitleBand(const Scene& scene, const PlannerRect& band, bool highlighted) const;
    void PaintTitle(const Scene& scene, int cell, const PlannerRect& band) const;
    void PaintItems(const Scene& scene, int cell) const;
    void PaintGridLines(const Scene& scene) const;

    std::u16string dayNumberFace_;
    std::unique_ptr<Gdiplus::Font> dayNumberFont_;
    std::unique_ptr<Gdiplus::Font> textFont_;
    std::unique_ptr<Gdiplus::Font> hoveredItemFont_;
    std::unique_ptr<Gdiplus::Bitmap> cellImage_;
};
