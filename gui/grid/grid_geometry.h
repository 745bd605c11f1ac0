// Sizes and picture slices of the wall grid, without widgets, so that tests reach
// them directly.
#pragma once

#include <vector>

namespace mlgui {

inline constexpr int kFixedCellSize = 20; // the number row and column
inline constexpr int kGridLineWidth = 1;

// Column widths and row heights of the grid, index 0 being the fixed number
// column (row); each excludes the grid line that follows it.
struct GridSizes {
    std::vector<int> columnWidths;
    std::vector<int> rowHeights;
};

// Fills a client area of the given size with columnCount columns and rowCount rows
// (the fixed ones included): every monitor column gets an equal share, the last
// one the remainder; rows likewise.
GridSizes FitGrid(int clientWidth, int clientHeight, int columnCount, int rowCount,
                  int lineWidth = kGridLineWidth, int fixedSize = kFixedCellSize);

struct IntRect {
    int left = 0;
    int top = 0;
    int right = 0; // exclusive
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    bool operator==(const IntRect&) const = default;
};

// Which part of a picture a monitor cell shows and where it goes: the source is
// chosen by position and zoom (percent of the picture), the destination is the
// cell, narrowed on both sides by half the excess of a zoom above 100.
struct PictureSlice {
    IntRect source;
    IntRect destination;
};

PictureSlice sliceForCell(int pictureWidth, int pictureHeight, const IntRect& cell, double xPosition,
                          double yPosition, double xZoom, double yZoom);

} // namespace mlgui
