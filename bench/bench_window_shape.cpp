// The window shape of a shaped picture: runs of a rounded body with holes, at the
// remote control's size and at four times its width and height.
#include "dialogs/window_shape.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

// A rounded rectangle with a round hole every 40 pixels, on a transparent background.
std::vector<std::uint32_t> roundedPicture(int width, int height) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height, 0);
    const int radius = width / 7;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int cx = x < radius ? radius : (x >= width - radius ? width - radius - 1 : x);
            const int cy = y < radius ? radius : (y >= height - radius ? height - radius - 1 : y);
            const bool inBody = (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
            const int hx = x % 40 - 20, hy = y % 40 - 20;
            const bool inHole = hx * hx + hy * hy < 36;
            if (inBody && !inHole)
                pixels[static_cast<std::size_t>(y) * width + x] = 0xFFEEF1F5u;
        }
    }
    return pixels;
}

void WindowShapeRuns(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    const auto pixels = roundedPicture(width, height);
    const mlc::PixelGrid grid{pixels.data(), width, height, width};
    std::size_t runs = 0;
    for (auto _ : state) {
        auto shape = mlc::WindowShapeRuns(grid);
        runs = shape.size();
        benchmark::DoNotOptimize(shape.data());
    }
    state.counters["runs"] = static_cast<double>(runs);
    state.counters["pixels"] = static_cast<double>(width) * height;
}
BENCHMARK(WindowShapeRuns)->Args({196, 436})->Args({784, 1744})->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
