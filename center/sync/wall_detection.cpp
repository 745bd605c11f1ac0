#include "sync/wall_detection.h"

#include <cmath>

namespace mlc {

ProbeResult ProbeWall(const std::function<bool(std::uint8_t)>& present,
                      const std::function<void(int)>& onStep) {
    ProbeResult result;
    for (int id = kFirstProbedId; id <= kLastProbedId; ++id) {
        if (onStep)
            onStep(id);
        if (present(static_cast<std::uint8_t>(id)))
            result.presentIds.push_back(static_cast<std::uint8_t>(id));
    }
    return result;
}

namespace {

int integerSquareRoot(int n) {
    int root = static_cast<int>(std::sqrt(static_cast<double>(n)));
    while (root * root > n)
        --root;
    while ((root + 1) * (root + 1) <= n)
        ++root;
    return root;
}

} // namespace

bool IsPerfectSquare(int found) {
    const int root = integerSquareRoot(found);
    return root * root == found;
}

WallShape HorizontalShape(int found) {
    if (found <= 0)
        return {};
    if (IsPerfectSquare(found)) {
        const int root = integerSquareRoot(found);
        return {root, root};
    }
    for (int columns = 2; columns <= kMaxColumns; ++columns)
        for (int rows = 1; rows < columns; ++rows)
            if (columns * rows == found)
                return {columns, rows};
    const int rows = integerSquareRoot(found);
    return {rows + (found - rows * rows) / rows, rows};
}

std::string VerticalQuestionText(const WallShape& shape) {
    return "An horizontal videowall has been formed using " + std::to_string(shape.columns * shape.rows) +
           " of all the devices found.\r\nDo you want to switch it to vertical?";
}

WallShape Transposed(const WallShape& shape) {
    return {shape.rows, shape.columns};
}

DetectedIds AssignDetectedIds(const WallShape& shape, const std::vector<std::uint8_t>& presentIds) {
    DetectedIds ids{};
    std::size_t next = 0;
    for (int row = 1; row <= shape.rows && row <= kMaxRows; ++row)
        for (int column = 1; column <= shape.columns && column <= kMaxColumns; ++column)
            ids[static_cast<std::size_t>(column - 1)][static_cast<std::size_t>(row - 1)] =
                next < presentIds.size() ? presentIds[next++] : kSpareDeviceId;
    return ids;
}

} // namespace mlc
