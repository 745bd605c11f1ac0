#include "wall/enlargement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

using namespace mlc;

namespace {

WallModel modelWithBezel(double xMargin, double xMonitor, double yMargin, double yMonitor) {
    WallModel model;
    model.XMarginSize = xMargin;
    model.XMonitorSize = xMonitor;
    model.YMarginSize = yMargin;
    model.YMonitorSize = yMonitor;
    return model;
}

const TMonitorSettings& at(const WallModel& model, int c, int r) {
    return model.Monitors.at(c, r).Settings;
}

} // namespace

TEST(AutosetEnlargement, TwoByOneHidesTheBezelAtTheInnerEdge) {
    WallModel model = modelWithBezel(27, 470, 27, 370);
    AutosetEnlargement(model, {1, 1, 2, 1});
    EXPECT_DOUBLE_EQ(at(model, 1, 1).XPosition, 0.0);
    EXPECT_NEAR(at(model, 1, 1).XZoom, 44.2553, 5e-5);
    EXPECT_NEAR(at(model, 2, 1).XPosition, 55.7447, 5e-5);
    EXPECT_NEAR(at(model, 2, 1).XZoom, 44.2553, 5e-5);
    EXPECT_DOUBLE_EQ(at(model, 1, 1).YZoom, 100.0);
    EXPECT_DOUBLE_EQ(at(model, 2, 1).YPosition, 0.0);
    EXPECT_TRUE(model.VideowallModified);
}

TEST(AutosetEnlargement, ThreeByOneMiddleMonitorLosesTheCorrectionTwice) {
    WallModel model = modelWithBezel(27, 470, 27, 370);
    AutosetEnlargement(model, {1, 1, 3, 1});
    const double step = 100.0 / 3;
    const double corr = step * 27 / 470 * 2;
    EXPECT_DOUBLE_EQ(at(model, 1, 1).XZoom, step - corr);
    EXPECT_DOUBLE_EQ(at(model, 2, 1).XZoom, step - corr - corr);
    EXPECT_DOUBLE_EQ(at(model, 3, 1).XZoom, step - corr);
    EXPECT_DOUBLE_EQ(at(model, 2, 1).XPosition, step + corr);
    EXPECT_DOUBLE_EQ(at(model, 3, 1).XPosition, 2 * step + corr);
}

TEST(AutosetEnlargement, SingleMonitorAndMissingMeasurementsGetNoCorrection) {
    WallModel single = modelWithBezel(27, 470, 27, 370);
    AutosetEnlargement(single, {3, 2, 3, 2});
    EXPECT_EQ(at(single, 3, 2).XZoom, 100.0);
    EXPECT_EQ(at(single, 3, 2).YZoom, 100.0);
    EXPECT_EQ(at(single, 3, 2).XPosition, 0.0);

    // No horizontal measurement: the horizontal correction is 0, the vertical stays.
    WallModel model = modelWithBezel(0, 470, 27, 370);
    AutosetEnlargement(model, {1, 1, 2, 2});
    EXPECT_DOUBLE_EQ(at(model, 2, 2).XZoom, 50.0);
    EXPECT_DOUBLE_EQ(at(model, 2, 2).XPosition, 50.0);
    EXPECT_DOUBLE_EQ(at(model, 2, 2).YZoom, 50.0 - 50.0 * 27 / 370 * 2);
    WallModel negative = modelWithBezel(27, -1, 0, 0);
    AutosetEnlargement(negative, {1, 1, 2, 2});
    EXPECT_DOUBLE_EQ(at(negative, 1, 1).XZoom, 50.0);
    EXPECT_DOUBLE_EQ(at(negative, 1, 1).YZoom, 50.0);
    // Border and monitor boxes swapped: no negative zooms for the inner monitors.
    WallModel swapped = modelWithBezel(470, 27, 92.5, 370);
    AutosetEnlargement(swapped, {1, 1, 3, 3});
    EXPECT_DOUBLE_EQ(at(swapped, 2, 2).XZoom, 100.0 / 3);
    EXPECT_DOUBLE_EQ(at(swapped, 2, 2).YZoom, 100.0 / 3);
}

TEST(AutosetEnlargement, TouchesOnlyTheRectangleAndResetsWhenAsked) {
    WallModel model = modelWithBezel(27, 470, 27, 370);
    model.EnableMarginCorrection = false;
    model.Monitors.at(1, 1).Settings.Brightness = 7;
    model.Monitors.at(2, 2).Settings.Brightness = 7;
    model.Monitors.at(2, 2).Synced = true;
    model.AutoEnlargeReset = true;
    model.DefaultSettings.Brightness = 12345;
    AutosetEnlargement(model, {2, 2, 3, 2});
    EXPECT_EQ(at(model, 1, 1).Brightness, 7);
    EXPECT_EQ(at(model, 1, 1).XZoom, 100.0);
    EXPECT_EQ(at(model, 2, 2).Brightness, 12345);
    EXPECT_EQ(at(model, 3, 2).XPosition, 50.0);
    EXPECT_TRUE(model.Monitors.at(2, 2).Synced);
}

TEST(DeviceConversions, ZoomAndPanExamples) {
    EXPECT_EQ(ZoomToDevice(100), 1639);
    EXPECT_EQ(ZoomToDevice(50), 8196);
    EXPECT_NEAR(DeviceToZoom(0), 133.33, 0.005);
    EXPECT_DOUBLE_EQ(DeviceToZoom(100000), 100.0 / 16);
    EXPECT_EQ(PanToDevice(100, 0), 0);
    EXPECT_EQ(PanToDevice(50, 25), 50000);
    EXPECT_EQ(PanToDevice(50, 80), 100000);
    EXPECT_EQ(PanToDevice(50, -1), 0);
    EXPECT_EQ(PanToDevice(120, 10), 0);
    EXPECT_DOUBLE_EQ(DeviceToPan(50, 50000), 25.0);
    EXPECT_DOUBLE_EQ(DeviceToPan(50, 200000), 50.0);
    EXPECT_DOUBLE_EQ(DeviceToPan(50, -5), 0.0);
}

TEST(DeviceConversions, ZoomsWithoutADeviceValue) {
    EXPECT_FALSE(ZoomToDevice(0.0).has_value());
    EXPECT_FALSE(ZoomToDevice(-0.0).has_value());
    EXPECT_FALSE(ZoomToDevice(std::nan("")).has_value());
    // Heavy bezel correction gives negative zooms; they are sent as computed.
    EXPECT_EQ(ZoomToDevice(-50), -18032);
    // A zoom next to 0 would overflow the 32-bit value; it stays defined.
    EXPECT_EQ(ZoomToDevice(1e-12), 2147483647);
    EXPECT_EQ(PanToDevice(std::nan(""), 10), 0);
}

// Places outside the 16 x 16 array never reach memory beside it, in any build.
TEST(WallBounds, RectanglesAndPlacesOutsideTheArrayChangeNothing) {
    WallModel model;
    model.AutoEnlargeReset = true;
    const WallModel before = model;
    for (const WallRect& rect : {WallRect{1, 1, 17, 1}, WallRect{0, 1, 4, 4}, WallRect{1, 1, 4, 40},
                                 WallRect{3, 1, 2, 1}, WallRect{-5, -5, -1, -1}})
        EXPECT_FALSE(AutosetEnlargement(model, rect));
    EXPECT_FALSE(model.VideowallModified);

    model.Monitors.at(17, 1).Settings.Brightness = 1; // just past the last column
    model.Monitors.at(0, 0).DeviceId = 1;
    model.DeviceState.at(1, 17).Synced = true;
    EXPECT_EQ(model.Monitors.at(17, 1).Settings.Brightness, TMonitorSettings{}.Brightness);
    EXPECT_EQ(std::as_const(model).DeviceState.at(99, 99).DeviceId, TWallMonitor{}.DeviceId);
    for (int c = 1; c <= kMaxColumns; ++c)
        for (int r = 1; r <= kMaxRows; ++r) {
            EXPECT_EQ(model.Monitors.at(c, r).Settings, before.Monitors.at(c, r).Settings);
            EXPECT_EQ(model.DeviceState.at(c, r).Synced, before.DeviceState.at(c, r).Synced);
        }
    EXPECT_TRUE(AutosetEnlargement(model, WallRect{16, 16, 16, 16}));
}
