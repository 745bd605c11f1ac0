#include "dialogs/window_shape.h"

namespace mlc {

std::vector<ShapeRun> WindowShapeRuns(const PixelGrid& grid) {
    std::vector<ShapeRun> runs;
    if (!grid.pixels || grid.width <= 0 || grid.height <= 0 || grid.stride < grid.width)
        return runs;
    const std::uint32_t transparent = grid.at(grid.width - 1, grid.height - 1);
    for (int y = 0; y < grid.height; ++y) {
        int x = 0;
        while (x < grid.width) {
            while (x < grid.width && grid.at(x, y) == transparent)
                ++x;
            if (x == grid.width)
                break;
            const int start = x;
            while (x < grid.width && grid.at(x, y) != transparent)
                ++x;
            runs.push_back({start, x, y});
        }
    }
    return runs;
}

} // namespace mlc
