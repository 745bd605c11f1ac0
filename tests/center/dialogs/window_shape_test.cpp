#include "dialogs/window_shape.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace mlc;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// A picture from text rows: '.' is the colour of the bottom-right pixel in these
// pictures, any other letter its own colour.
struct Picture {
    explicit Picture(const std::vector<std::string>& rows, int stride = 0) {
        width = static_cast<int>(rows[0].size());
        height = static_cast<int>(rows.size());
        this->stride = stride ? stride : width;
        pixels.assign(static_cast<std::size_t>(this->stride * height), 0xDEADBEEF);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                pixels[static_cast<std::size_t>(y * this->stride + x)] =
                    0xFF000000u | static_cast<unsigned char>(rows[y][x]);
    }
    PixelGrid grid() const { return {pixels.data(), width, height, stride}; }

    std::vector<std::uint32_t> pixels;
    int width = 0, height = 0, stride = 0;
};

} // namespace

TEST(WindowShape, RunsOfEveryRowWithTheBottomRightColourLeftOut) {
    const Picture picture({
        "..ab..cc", // two runs of different colours side by side join; the second reaches the edge
        "........", // fully transparent row
        "...x....", // a single opaque pixel
        "yy....y.",
    });
    EXPECT_THAT(WindowShapeRuns(picture.grid()),
                ElementsAre(ShapeRun{2, 4, 0}, ShapeRun{6, 8, 0}, ShapeRun{3, 4, 2}, ShapeRun{0, 2, 3},
                            ShapeRun{6, 7, 3}));
}

TEST(WindowShape, TheTransparentColourIsWhateverTheBottomRightPixelHolds) {
    // Here '#' is the background: '.' pixels are part of the window.
    const Picture picture({"#..#", "####"}, 6); // rows padded to a stride of 6
    EXPECT_THAT(WindowShapeRuns(picture.grid()), ElementsAre(ShapeRun{1, 3, 0}));
}

TEST(WindowShape, NothingForAnEmptyOrFullyTransparentPicture) {
    EXPECT_THAT(WindowShapeRuns(PixelGrid{}), IsEmpty());
    EXPECT_THAT(WindowShapeRuns(Picture({"...", "..."}).grid()), IsEmpty());
}
