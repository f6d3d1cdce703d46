#pragma once
// The placement arithmetic behind CenterWindow, kept free of the window system.

struct PlacementRect {
    int left, top, right, bottom;
};

struct PlacementPoint {
    int x, y;
};

// Top-left corner for a window `window` centred on `reference`: extents taken one larger than
// the size, clamped to end before the reference's right/bottom edge, and never negative.
PlacementPoint CenteredPosition(const PlacementRect& reference, const PlacementRect& window);
