#pragma once

// The reminder planner's day grid: the window class "ZELLUMCALCTRL", placed
// in the planner's dialog. It draws the cells of its PlannerGrid (month or
// week), tracks the pointer over cells and entries, and tells its parent
// about clicks and double clicks through WM_NOTIFY. Everything happens on
// the thread that owns the window.

#include <windows.h>

#include <string>

#include "widget/planner/planner_grid.h"

inline constexpr char kPlannerGridClass[] = "ZELLUMCALCTRL";

// WM_NOTIFY codes the control sends its parent, with a PlannerGridNotify.
inline constexpr UINT kPlannerGridClicked = 0x0A01;        // left button down on a cell
inline constexpr UINT kPlannerGridDoubleClicked = 0x0A02;  // left double click on a cell

struct PlannerGridNotify {
    NMHDR header;
    PlannerHit hit;  // the cell and entry (-1: the cell's empty part)
};

// Registers the window class once per process (redraw on resize, double
// clicks, arrow cursor, no background brush). A second call finds the class
// and does nothing. False when the class cannot be registered.
bool RegisterGridClass(HINSTANCE instance);

// What the grid shows and how. The control owns it from WM_NCCREATE to
// WM_NCDESTROY.
class PlannerGridControl {
public:
    // The control of a "ZELLUMCALCTRL" window; null for any other window.
    static PlannerGridControl* Of(HWND window);

    // Fills the cells for `date` (1025 = week, any other value = month)
    // and redraws everything.
    void SetShownDate(GregorianDate date, int mode, bool showLunarText);
    // 1025 for the week mode, 1026 for the month mode.
    int DisplayMode() const { return grid_.DisplayMode(); }

    // The planner fills the cells' entries here, then calls Redraw.
    PlannerGrid& grid() { return grid_; }
    const PlannerGrid& grid() const { return grid_; }
    void SetSelectedCell(int cell);
    void Redraw();

    // The colours and the cell band image (a PNG, 22 pixel rows: plain,
    // then highlighted); a missing image draws plain bands.
    void SetColours(const PlannerGridColours& colours);
    void SetCellImage(const std::string& path);
    // "Today" as the cells mark it.
    void SetToday(GregorianDate today);

    HWND window() const { return window_; }
};
