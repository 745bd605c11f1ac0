// The wall write on a large wall: an emulated 16 x 15 wall (IDs 1-240), the
// specified path against quick writes with remembered ranges (QuickSync and
// CacheUnitRanges), and the check after each write (VerifyWrites) on a clean line.
// mlemu runs at full speed; the bytes come from its traffic log and the line time
// is what they take at 19200 baud (10 bits a byte).
//
//   bench_sync_large
#include "emulated_chain.h"
#include "wall/panning.h"

using namespace benchsupport;

namespace {

constexpr int kColumns = 16;
constexpr int kRows = 15;

struct Cases {
    long first = 0;   // first write of the whole wall
    long input = 0;   // a sequencer item that changes one monitor's input
    long pan = 0;     // a panning step of the whole wall
    long picture = 0; // an item spreading another picture: every enlargement changes
};

Cases measureCases(bool quick, bool verify) {
    Emulator emu("1-240", {});
    ChainWall wall(emu, kColumns, kRows);
    for (int r = 1; r <= kRows; ++r)
        for (int c = 1; c <= kColumns; ++c)
            wall.model.Monitors.at(c, r).DeviceId = static_cast<std::uint8_t>((r - 1) * kColumns + c);
    wall.options.QuickSync = quick;
    wall.options.CacheUnitRanges = quick;
    wall.options.VerifyWrites = verify;
    auto write = [&] { return wall.sync.WriteWall(); };
    Cases bytes;
    bytes.first = measure(emu, write).bytes;

    wall.model.Monitors.at(7, 8).Settings.SourceInput = wall.lists.InputSources.indexOf("isDVI1");
    bytes.input = measure(emu, write).bytes;

    // The picture enlarged twice over the wall, so that every monitor can move.
    for (int r = 1; r <= kRows; ++r)
        for (int c = 1; c <= kColumns; ++c) {
            auto& s = wall.model.Monitors.at(c, r).Settings;
            s.XZoom /= 2;
            s.XPosition /= 2;
        }
    measure(emu, write);
    bool sent = true;
    mlc::GlobalPanning panning(wall.model, wall.history, {1, 1, 1, 1}, [&] { return sent = write(); });
    panning.setTarget(mlc::PanTarget::All);
    panning.setSpeedText("1.00%");
    bytes.pan = measure(emu, [&] {
                    panning.pan(mlc::PanButton::Right);
                    return sent;
                }).bytes;

    // Four pictures, one in each quarter of the wall.
    for (const mlc::WallRect quarter : {mlc::WallRect{1, 1, 8, 8}, mlc::WallRect{9, 1, 16, 8},
                                        mlc::WallRect{1, 9, 8, 15}, mlc::WallRect{9, 9, 16, 15}})
        mlc::AutosetEnlargement(wall.model, quarter);
    bytes.picture = measure(emu, write).bytes;
    return bytes;
}

double lineSeconds(long bytes) {
    return static_cast<double>(bytes) * 10.0 / kBaud;
}

void row(const char* name, long today, long options) {
    std::printf("| %-46s | %8ld B (%7.2f s) | %8ld B (%7.2f s) | %5.3f |\n", name, today, lineSeconds(today),
                options, lineSeconds(options), static_cast<double>(options) / static_cast<double>(today));
}

} // namespace

int main() {
    try {
        const Cases today = measureCases(false, false);
        const Cases quick = measureCases(true, false);
        std::printf("| %-46s | %-23s | %-23s | ratio |\n", "case, 16 x 15 wall", "today", "options 1+2");
        std::printf("|---|---|---|---|\n");
        row("sequencer item changing one monitor's input", today.input, quick.input);
        row("panning step of the whole wall", today.pan, quick.pan);
        row("item spreading another picture, after a write", today.picture, quick.picture);
        row("first write of the whole wall", today.first, quick.first);

        const Cases checked = measureCases(false, true);
        const Cases quickChecked = measureCases(true, true);
        std::printf("\n| %-46s | %-23s | %-23s | ratio |\n", "option 3 on a clean line", "without",
                    "with option 3");
        std::printf("|---|---|---|---|\n");
        row("first write, today's path", today.first, checked.first);
        row("first write, options 1+2", quick.first, quickChecked.first);
        row("item changing one input, options 1+2", quick.input, quickChecked.input);
        row("item spreading another picture, options 1+2", quick.picture, quickChecked.picture);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_sync_large: %s\n", error.what());
        return 1;
    }
    return 0;
}
