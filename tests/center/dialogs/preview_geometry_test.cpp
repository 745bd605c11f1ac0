#include "dialogs/preview_geometry.h"

#include <gtest/gtest.h>

using namespace mlc;

TEST(PreviewGeometry, ShownPartAndFrameInset) {
    const PixelRect frame = kPreviewFrame;
    // The whole picture fills the frame.
    ShownPart whole = ShownPartOf(640, 480, {}, frame);
    EXPECT_EQ(whole.source, (PixelRect{0, 0, 640, 480}));
    EXPECT_EQ(whole.destination, frame);

    // The right half, lower quarter.
    ShownPart part = ShownPartOf(640, 480, {50, 75, 50, 25}, frame);
    EXPECT_EQ(part.source, (PixelRect{320, 360, 640, 480}));
    EXPECT_EQ(part.destination, frame);

    // Magnification below 1: the frame is inset by half the excess on both axes.
    // Frame 86 x 56: horizontally pct(86, 33.33) = 28 -> 14; vertically pct(56, 20) = 11 -> 5.
    ShownPart wide = ShownPartOf(640, 480, {0, 0, 133.33, 120}, frame);
    EXPECT_EQ(wide.source, (PixelRect{0, 0, 640, 480}));
    EXPECT_EQ(wide.destination, (PixelRect{7 + 14, 7 + 5, 93 - 14, 63 - 5}));
}

TEST(PreviewGeometry, NeverReachesOutsideThePicture) {
    // Past the right edge: the source is cut and the destination with it.
    ShownPart past = ShownPartOf(100, 100, {80, 0, 40, 100}, {0, 0, 80, 50});
    EXPECT_EQ(past.source, (PixelRect{80, 0, 100, 100}));
    EXPECT_EQ(past.destination, (PixelRect{0, 0, 40, 50}));

    EXPECT_TRUE(ShownPartOf(1, 1, {50, 50, 50, 50}, kPreviewFrame).empty()); // a 1 x 1 picture
    EXPECT_FALSE(ShownPartOf(1, 1, {}, kPreviewFrame).empty());
    EXPECT_TRUE(ShownPartOf(0, 0, {}, kPreviewFrame).empty()); // no picture
    EXPECT_TRUE(ShownPartOf(640, 480, {1e300, -1e300, 0, 100}, kPreviewFrame).empty());
    ShownPart huge = ShownPartOf(640, 480, {-1e300, 0, 1e300, 100}, kPreviewFrame);
    EXPECT_GE(huge.source.left, 0);
    EXPECT_LE(huge.source.right, 640);
}
