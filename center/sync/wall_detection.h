// Finding the units of a newly connected wall and shaping them into a grid.
//
// The probe selects every device ID from 1 to 99 in turn; an ID whose selection
// is acknowledged answered. Answers carry no address, so a unit that answers
// late is taken for the next ID, which may not exist: every ID that answered is
// therefore probed a second time after the scan, and only IDs that answer both
// times count as present. The present units are then arranged in a grid: a
// square when their number is one, otherwise the first wider-than-high rectangle
// that uses them all, or the largest near-square that fits. The operator may turn
// a horizontal wall vertical. IDs are dealt out row by row in ascending order.
#pragma once

#include "wall/wall_grid.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace mlc {

inline constexpr int kFirstProbedId = 1;
inline constexpr int kLastProbedId = 99;
// Cells left over once every present ID has a place get this ID.
inline constexpr std::uint8_t kSpareDeviceId = 99;

struct WallShape {
    int columns = 0;
    int rows = 0;
    bool operator==(const WallShape&) const = default;
};

struct ProbeResult {
    std::vector<std::uint8_t> presentIds;     // answered twice; ascending
    std::vector<std::uint8_t> unconfirmedIds; // answered the scan only; ascending
    int found() const { return static_cast<int>(presentIds.size()); }
};

// Probes IDs 1..99 in ascending order, then once more each ID that answered;
// `present(id)` selects one unit and tells whether it answered. `onStep(id)` runs
// before each probe of the scan (progress display).
ProbeResult ProbeWall(const std::function<bool(std::uint8_t)>& present,
                      const std::function<void(int)>& onStep = {});

// "Device ID 7 answered only once and is left out of the wall. ..."
std::string UnconfirmedIdsText(const std::vector<std::uint8_t>& ids);

bool IsPerfectSquare(int found);

// The horizontal shape for `found` units (columns >= rows).
WallShape HorizontalShape(int found);

// "An horizontal videowall has been formed using N of all the devices found.\r\n..."
std::string VerticalQuestionText(const WallShape& shape);

WallShape Transposed(const WallShape& shape);

// IDs per cell [column, row], rows outer, columns inner, 99 once the IDs run out.
using DetectedIds = std::array<std::array<std::uint8_t, kMaxRows>, kMaxColumns>;
DetectedIds AssignDetectedIds(const WallShape& shape, const std::vector<std::uint8_t>& presentIds);

} // namespace mlc
