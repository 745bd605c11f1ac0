#include "wall/panning.h"
#include "wall/wall_history.h"

#include <gtest/gtest.h>

using mlc::PanButton;
using mlc::WallRect;

namespace {

TEST(PanningSpeed, PlainPositiveDecimalsWithAnOptionalPercentSign) {
    EXPECT_DOUBLE_EQ(mlc::parsePanningSpeed("1.00%"), 1.0);
    EXPECT_DOUBLE_EQ(mlc::parsePanningSpeed("1.00"), 1.0);
    EXPECT_DOUBLE_EQ(mlc::parsePanningSpeed(" 0.10% "), 0.1);
    EXPECT_DOUBLE_EQ(mlc::parsePanningSpeed(".5"), 0.5);
    for (const char* bad :
         {"abc", "0", "%", "", "  ", "-1", "+1", "1e3", "inf", "nan", "1.2.3", "1%%", "1,5", "0x10", "1 %"})
        EXPECT_EQ(mlc::parsePanningSpeed(bad), 0.0) << bad;
    EXPECT_EQ(mlc::parsePanningSpeed(std::string(400, '9')), 0.0); // beyond a double
}

class Panning : public ::testing::Test {
protected:
    void SetUp() override {
        model.WallColumns = 4;
        model.WallRows = 3;
        for (int r = 1; r <= 3; ++r)
            for (int c = 1; c <= 4; ++c) {
                auto& s = model.Monitors.at(c, r).Settings;
                s.XZoom = s.YZoom = 25.0;
                s.XPosition = s.YPosition = 10.0;
            }
    }
    mlc::TMonitorSettings& at(int c, int r) { return model.Monitors.at(c, r).Settings; }

    mlc::WallModel model;
    std::string wallFile;
    mlc::WallHistory history{model, wallFile};
    int writes = 0;
    mlc::GlobalPanning* clickedWhileSending = nullptr;
    std::function<bool()> writeWall = [this] {
        ++writes;
        if (clickedWhileSending)
            clickedWhileSending->pan(PanButton::Left);
        return true;
    };
};

TEST_F(Panning, OneMonitorAtTheLeftEdgeClosesPanRightForTheWholeArea) {
    at(2, 2).XPosition = 0.0;
    mlc::GlobalPanning panning(model, history, WallRect{1, 1, 2, 2}, writeWall);
    panning.setSpeedText("1.00%");
    EXPECT_FALSE(panning.enabled(PanButton::Left)); // tag 2, hint "Pan right"
    EXPECT_TRUE(panning.enabled(PanButton::Right));
    EXPECT_TRUE(panning.enabled(PanButton::Up));
    EXPECT_TRUE(panning.enabled(PanButton::Down));
    panning.setSpeedText("%");
    for (const PanButton button : mlc::kPanButtons)
        EXPECT_FALSE(panning.enabled(button));
}

TEST_F(Panning, AStepIsClampedToTheFreeTravelAndThenClosesThatWay) {
    at(1, 1).XZoom = 50.0;
    at(1, 1).XPosition = 49.95;
    mlc::GlobalPanning panning(model, history, WallRect{1, 1, 1, 1}, writeWall);
    panning.setSpeedText("0.10%");
    ASSERT_TRUE(panning.enabled(PanButton::Right)); // tag 3, "Pan left"
    panning.pan(PanButton::Right);
    EXPECT_EQ(at(1, 1).XPosition, 50.0);
    EXPECT_FALSE(panning.enabled(PanButton::Right));
    EXPECT_EQ(writes, 1);

    // Up and down move YPosition down and up by one step.
    panning.pan(PanButton::Down);
    EXPECT_DOUBLE_EQ(at(1, 1).YPosition, 10.1);
    panning.pan(PanButton::Up);
    EXPECT_DOUBLE_EQ(at(1, 1).YPosition, 10.0);
    EXPECT_FALSE(model.VideowallModified);
}

TEST_F(Panning, AllMovesTheWholeUsedWallWhateverTheSelection) {
    mlc::GlobalPanning panning(model, history, WallRect{2, 2, 2, 2}, writeWall);
    panning.setTarget(mlc::PanTarget::All);
    panning.setSpeedText("1");
    clickedWhileSending = &panning;
    panning.pan(PanButton::Left);
    EXPECT_EQ(writes, 1);
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 4; ++c)
            EXPECT_EQ(at(c, r).XPosition, 9.0) << c << "," << r;
    EXPECT_EQ(at(5, 1).XPosition, 0.0); // outside the used wall
}

TEST_F(Panning, AZoomAboveTheWholePictureLeavesANegativePosition) {
    at(1, 1).XZoom = 120.0;
    at(1, 1).XPosition = 0.0;
    mlc::panArea(model, WallRect{1, 1, 1, 1}, 1.0, PanButton::Right);
    EXPECT_EQ(at(1, 1).XPosition, -20.0);
}

TEST_F(Panning, ASelectionOutsideTheUsedWallPansNothing) {
    mlc::GlobalPanning panning(model, history, WallRect{9, 9, 12, 12}, writeWall);
    panning.setSpeedText("1");
    EXPECT_FALSE(panning.enabled(PanButton::Down));
    panning.pan(PanButton::Down);
    EXPECT_EQ(writes, 0);
}

} // namespace
