// The fixed 16 x 16 array of monitors, indexed [column, row] from 1.
#pragma once

#include "wall/monitor_settings.h"

#include <array>
#include <cassert>

namespace mlc {

inline constexpr int kMaxColumns = 16;
inline constexpr int kMaxRows = 16;

class WallGrid {
public:
    TWallMonitor& at(int column, int row) {
        assert(column >= 1 && column <= kMaxColumns && row >= 1 && row <= kMaxRows);
        return cells_[static_cast<std::size_t>(column - 1)][static_cast<std::size_t>(row - 1)];
    }
    const TWallMonitor& at(int column, int row) const {
        assert(column >= 1 && column <= kMaxColumns && row >= 1 && row <= kMaxRows);
        return cells_[static_cast<std::size_t>(column - 1)][static_cast<std::size_t>(row - 1)];
    }

private:
    std::array<std::array<TWallMonitor, kMaxRows>, kMaxColumns> cells_{};
};

// Settings of all 256 places, column-major, as wall files and sequence items hold them.
using WallSettings = std::array<TMonitorSettings, kMaxColumns * kMaxRows>;

inline constexpr std::size_t placeIndex(int column, int row) {
    return static_cast<std::size_t>((column - 1) * kMaxRows + (row - 1));
}

} // namespace mlc
