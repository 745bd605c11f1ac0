// Rectangles of wall places as the grid selects them, kept inside what exists.
#pragma once

#include "wall/enlargement.h"
#include "wall/wall_grid.h"

#include <algorithm>
#include <optional>

namespace mlc {

inline int rectColumns(const WallRect& rect) {
    return rect.Right - rect.Left + 1;
}
inline int rectRows(const WallRect& rect) {
    return rect.Bottom - rect.Top + 1;
}

// The part of a rectangle that lies within columns 1..columns and rows 1..rows (both
// at most the 16 x 16 array), corners put in order; nothing when no place is left.
inline std::optional<WallRect> clippedRect(WallRect rect, int columns = kMaxColumns, int rows = kMaxRows) {
    columns = std::min(columns, kMaxColumns);
    rows = std::min(rows, kMaxRows);
    if (rect.Left > rect.Right)
        std::swap(rect.Left, rect.Right);
    if (rect.Top > rect.Bottom)
        std::swap(rect.Top, rect.Bottom);
    rect.Left = std::max(rect.Left, 1);
    rect.Top = std::max(rect.Top, 1);
    rect.Right = std::min(rect.Right, columns);
    rect.Bottom = std::min(rect.Bottom, rows);
    if (rect.Left > rect.Right || rect.Top > rect.Bottom)
        return std::nullopt;
    return rect;
}

} // namespace mlc
