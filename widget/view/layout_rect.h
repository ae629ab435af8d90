#pragma once

// A rectangle of the calendar window in window pixels, as the layouts of its
// parts place them.

struct LayoutRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int Right() const { return x + width; }
    int Bottom() const { return y + height; }
    bool Contains(int px, int py) const { return px >= x && px < Right() && py >= y && py < Bottom(); }
    bool Empty() const { return width <= 0 || height <= 0; }

    friend bool operator==(const LayoutRect&, const LayoutRect&) = default;
};
