#include "sync/wall_detection.h"

#include <gtest/gtest.h>

namespace {

using mlc::WallShape;

TEST(WallShaping, ChoosesTheFirstHorizontalRectangleOrANearSquare) {
    EXPECT_EQ(mlc::HorizontalShape(12), (WallShape{4, 3}));
    EXPECT_EQ(mlc::HorizontalShape(9), (WallShape{3, 3}));
    EXPECT_EQ(mlc::HorizontalShape(1), (WallShape{1, 1}));
    EXPECT_EQ(mlc::HorizontalShape(7), (WallShape{7, 1}));
    // No rectangle uses 17 or 23 units: the near-square leaves the highest IDs out.
    EXPECT_EQ(mlc::HorizontalShape(17), (WallShape{4, 4}));
    EXPECT_EQ(mlc::HorizontalShape(23), (WallShape{5, 4}));
    EXPECT_EQ(mlc::HorizontalShape(0), (WallShape{0, 0}));
    for (int found = 1; found <= mlc::kLastProbedId; ++found) {
        const WallShape shape = mlc::HorizontalShape(found);
        EXPECT_LE(shape.columns * shape.rows, found) << found;
        EXPECT_LE(shape.columns, mlc::kMaxColumns) << found;
        EXPECT_GE(shape.columns, shape.rows) << found;
    }
}

TEST(WallShaping, QuestionNamesTheUnitsUsed) {
    EXPECT_EQ(mlc::VerticalQuestionText({5, 4}),
              "An horizontal videowall has been formed using 20 of all the devices found.\r\n"
              "Do you want to switch it to vertical?");
    EXPECT_EQ(mlc::Transposed({4, 3}), (WallShape{3, 4}));
}

TEST(WallShaping, DealsIdsRowByRowThenSpares) {
    const auto ids = mlc::AssignDetectedIds({2, 2}, {3, 5, 20, 31});
    EXPECT_EQ(ids[0][0], 3);
    EXPECT_EQ(ids[1][0], 5);
    EXPECT_EQ(ids[0][1], 20);
    EXPECT_EQ(ids[1][1], 31);
    const auto spare = mlc::AssignDetectedIds({3, 1}, {4});
    EXPECT_EQ(spare[0][0], 4);
    EXPECT_EQ(spare[1][0], 99);
    EXPECT_EQ(spare[2][0], 99);
}

TEST(WallProbe, ProbesEveryIdInOrder) {
    std::vector<int> steps;
    const auto result = mlc::ProbeWall([](std::uint8_t id) { return id == 3 || id == 31; },
                                       [&](int id) { steps.push_back(id); });
    EXPECT_EQ(result.presentIds, (std::vector<std::uint8_t>{3, 31}));
    ASSERT_EQ(steps.size(), 99u);
    EXPECT_EQ(steps.front(), 1);
    EXPECT_EQ(steps.back(), 99);
}

} // namespace
