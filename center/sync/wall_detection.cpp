#include "sync/wall_detection.h"

#include <cmath>

namespace mlc {

ProbeResult ProbeWall(const std::function<bool(std::uint8_t)>& present,
                      const std::function<void(int)>& onStep) {
    std::vector<std::uint8_t> answered;
    for (int id = kFirstProbedId; id <= kLastProbedId; ++id) {
        if (onStep)
            onStep(id);
        if (present(static_cast<std::uint8_t>(id)))
            answered.push_back(static_cast<std::uint8_t>(id));
    }
    ProbeResult result;
    for (const std::uint8_t id : answered)
        (present(id) ? result.presentIds : result.unconfirmedIds).push_back(id);
    return result;
}

std::string UnconfirmedIdsText(const std::vector<std::uint8_t>& ids) {
    if (ids.empty())
        return {};
    std::string list;
    for (std::size_t i = 0; i < ids.size(); ++i)
        list += (i == 0 ? "" : i + 1 == ids.size() ? " and " : ", ") + std::to_string(ids[i]);
    const bool one = ids.size() == 1;
    return std::string(one ? "Device ID " : "Device IDs ") + list + (one ? " answered" : " each answered") +
           " only once and " + (one ? "is" : "are") +
           " left out of the wall: a unit that answers late can look like the next ID.\r\n"
           "Check the connections and detect again.";
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
