// Measures what the control program adds to the line time of a wall write: a first
// WriteWall of a 4 x 4 wall and a second one after one monitor's brightness
// changed, against mlemu at 19200 baud. Each is reported as the ratio of the
// elapsed time to the pure line time of the bytes exchanged (10 bits a byte),
// counted from mlemu's traffic log. Two times are given: until WriteWall returned,
// and until the units had received the closing broadcast, which is not answered
// and so may still be on the line when the call returns.
//
//   bench_sync [--repeat N]
#include "emulated_chain.h"

using namespace benchsupport;

int main(int argc, char** argv) {
    return run("bench_sync", argc, argv, [](Emulator& emu, ChainWall& wall) {
        report("first WriteWall, 4 x 4", measure(emu, [&] { return wall.sync.WriteWall(); }));
        wall.model.Monitors.at(2, 3).Settings.Brightness = 70000;
        report("second WriteWall, one brightness", measure(emu, [&] { return wall.sync.WriteWall(); }));
    });
}
