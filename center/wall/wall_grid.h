// The fixed 16 x 16 array of monitors, indexed [column, row] from 1.
#pragma once

#include "wall/monitor_settings.h"

#include <array>

namespace mlc {

inline constexpr int kMaxColumns = 16;
inline constexpr int kMaxRows = 16;

class WallGrid {
public:
    static constexpr bool contains(int column, int row) {
        return column >= 1 && column <= kMaxColumns && row >= 1 && row <= kMaxRows;
    }
    // A place outside the 16 x 16 array never reaches memory beyond it: it gives a
    // scratch monitor that is fresh at each call, so what is written there is lost.
    TWallMonitor& at(int column, int row) {
        if (!contains(column, row)) {
            outside_ = TWallMonitor{};
            return outside_;
        }
        return cells_[static_cast<std::size_t>(column - 1)][static_cast<std::size_t>(row - 1)];
    }
    const TWallMonitor& at(int column, int row) const {
        static const TWallMonitor fresh{};
        if (!contains(column, row))
            return fresh;
        return cells_[static_cast<std::size_t>(column - 1)][static_cast<std::size_t>(row - 1)];
    }

private:
    std::array<std::array<TWallMonitor, kMaxRows>, kMaxColumns> cells_{};
    TWallMonitor outside_{};
};

// Settings of all 256 places, column-major, as wall files and sequence items hold them.
using WallSettings = std::array<TMonitorSettings, kMaxColumns * kMaxRows>;

inline constexpr std::size_t placeIndex(int column, int row) {
    return static_cast<std::size_t>((column - 1) * kMaxRows + (row - 1));
}

} // namespace mlc
