#include "grid/grid_geometry.h"

#include <algorithm>

namespace mlgui {

namespace {

// n / 100 x x, truncated toward zero.
int pct(int n, double x) {
    return static_cast<int>(n / 100.0 * x);
}

std::vector<int> fit(int client, int count, int lineWidth, int fixedSize) {
    std::vector<int> sizes(static_cast<std::size_t>(std::max(count, 1)), 0);
    sizes[0] = fixedSize;
    if (count < 2)
        return sizes;
    const int room = client - fixedSize - lineWidth;
    const int share = room / (count - 1);
    for (int i = 1; i < count - 1; ++i)
        sizes[static_cast<std::size_t>(i)] = share - lineWidth;
    sizes[static_cast<std::size_t>(count - 1)] = room - (count - 2) * share - lineWidth;
    return sizes;
}

// One direction of a slice: the source span in the picture and the destination
// span in the cell.
void sliceSpan(int pictureSize, int cellStart, int cellEnd, double position, double zoom, int& sourceStart,
               int& sourceEnd, int& destStart, int& destEnd) {
    sourceStart = pct(pictureSize, position);
    destStart = cellStart;
    destEnd = cellEnd;
    if (zoom > 100) {
        sourceEnd = pictureSize;
        const int inset = pct(cellEnd - cellStart, zoom - 100) / 2;
        destStart += inset;
        destEnd -= inset;
    } else {
        sourceEnd = sourceStart + pct(pictureSize, zoom);
    }
}

} // namespace

GridSizes FitGrid(int clientWidth, int clientHeight, int columnCount, int rowCount, int lineWidth,
                  int fixedSize) {
    return {fit(clientWidth, columnCount, lineWidth, fixedSize),
            fit(clientHeight, rowCount, lineWidth, fixedSize)};
}

PictureSlice sliceForCell(int pictureWidth, int pictureHeight, const IntRect& cell, double xPosition,
                          double yPosition, double xZoom, double yZoom) {
    PictureSlice slice;
    sliceSpan(pictureWidth, cell.left, cell.right, xPosition, xZoom, slice.source.left, slice.source.right,
              slice.destination.left, slice.destination.right);
    sliceSpan(pictureHeight, cell.top, cell.bottom, yPosition, yZoom, slice.source.top, slice.source.bottom,
              slice.destination.top, slice.destination.bottom);
    return slice;
}

} // namespace mlgui
