#include "dialogs/slider_values.h"

#include <gtest/gtest.h>

using namespace mlc;

TEST(SliderValues, PercentRoundTripsEveryStoredValueAndTruncates) {
    for (std::int32_t stored = 0; stored <= 100000; ++stored)
        ASSERT_EQ(StoredPercent(ShownPercent(stored)), stored) << stored;
    EXPECT_EQ(StoredPercent(50.1969), 50196);
    EXPECT_EQ(StoredPercent(-3), 0);
    EXPECT_EQ(StoredPercent(250), 100000);
}

TEST(SliderValues, ZoomAndPanSlidersEditOneDirection) {
    Enlargement e; // whole picture
    const Enlargement before = e;
    ZoomSliderMoved(e, Axis::Horizontal, 2.0, 0.0);
    EXPECT_DOUBLE_EQ(e.XZoom, 50.0);
    EXPECT_DOUBLE_EQ(e.XPosition, 0.0);
    PanSliderMoved(e, Axis::Horizontal, 100.0);
    EXPECT_DOUBLE_EQ(e.XPosition, 50.0);
    EXPECT_EQ(e.YZoom, before.YZoom);
    EXPECT_EQ(e.YPosition, before.YPosition);

    // A bezel-corrected zoom keeps its exact value when only its pan moves.
    e.YZoom = 44.2553;
    PanSliderMoved(e, Axis::Vertical, 50.0);
    EXPECT_DOUBLE_EQ(e.YZoom, 44.2553);
    EXPECT_DOUBLE_EQ(e.YPosition, (100 - 44.2553) / 2);

    // No free travel: the position stays at the edge instead of going negative.
    ZoomSliderMoved(e, Axis::Vertical, 0.75, 60.0);
    EXPECT_DOUBLE_EQ(e.YPosition, 0.0);
}

TEST(SliderValues, OpeningShowsTheStoredEnlargementWithinTheSliderRanges) {
    const ZoomPanShown wide = ShownZoomPan({10.0, 20.0, 133.33, 100.0});
    EXPECT_NEAR(wide.XMagnification, 0.75, 0.001);
    EXPECT_DOUBLE_EQ(wide.YMagnification, 1.0);
    EXPECT_EQ(wide.XPan, 0.0);
    EXPECT_EQ(wide.YPan, 0.0);

    const ZoomPanShown quarter = ShownZoomPan({25.0, 0.0, 50.0, 0.0});
    EXPECT_DOUBLE_EQ(quarter.XMagnification, 2.0);
    EXPECT_DOUBLE_EQ(quarter.XPan, 50.0);
    EXPECT_DOUBLE_EQ(quarter.YMagnification, 16.0); // zoom 0: the largest magnification
}

TEST(SliderValues, ListPositionBeyondItsListOpensAsTheFirstItem) {
    EXPECT_EQ(OpeningListPosition(2, 3), 2);
    EXPECT_EQ(OpeningListPosition(3, 3), 0);
    EXPECT_EQ(OpeningListPosition(-1, 3), 0);
    EXPECT_EQ(OpeningListPosition(0, 0), -1);
}
