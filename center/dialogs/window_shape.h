// The outline of a window drawn as a picture: the picture's bottom-right pixel
// gives the transparent colour, and every other colour is part of the window.
// Each row contributes its maximal runs of non-transparent pixels as rectangles one
// pixel high, in row order and left to right within a row, so they never overlap
// and never touch side by side (the order a region built from them wants).
#pragma once

#include <cstdint>
#include <vector>

namespace mlc {

// Pixels row by row; `stride` is the distance between rows in pixels (at least the width).
struct PixelGrid {
    const std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;

    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * stride + x]; }
};

// The rectangle (x1, y)-(x2, y + 1), x2 exclusive.
struct ShapeRun {
    int x1 = 0;
    int x2 = 0;
    int y = 0;

    bool operator==(const ShapeRun&) const = default;
};

// The runs of a picture; empty for an empty grid or one without opaque pixels.
std::vector<ShapeRun> WindowShapeRuns(const PixelGrid& grid);

} // namespace mlc
