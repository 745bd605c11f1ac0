// Measures one global panning step against the first write of a 4 x 4 wall on mlemu
// at 19200 baud: a step sends only the changed pan values (the synchronisation
// compares with what the units hold), so it costs the line time of the monitors
// that moved, not of the whole wall. Reported: bytes on the line (from mlemu's
// traffic log), their line time, and the elapsed times as in bench_sync.
//
//   bench_panning [--repeat N]
#include "emulated_chain.h"
#include "wall/panning.h"

using namespace benchsupport;

int main(int argc, char** argv) {
    return run("bench_panning", argc, argv, [](Emulator& emu, ChainWall& wall) {
        // The picture enlarged twice over the wall, so that there is room to pan.
        for (int r = 1; r <= 4; ++r)
            for (int c = 1; c <= 4; ++c) {
                auto& s = wall.model.Monitors.at(c, r).Settings;
                s.XZoom /= 2;
                s.YZoom /= 2;
                s.XPosition /= 2;
                s.YPosition /= 2;
            }
        bool sent = true;
        auto write = [&] { return sent = wall.sync.WriteWall(); };
        mlc::GlobalPanning all(wall.model, wall.history, {1, 1, 1, 1}, write);
        all.setTarget(mlc::PanTarget::All);
        all.setSpeedText("1.00%");
        mlc::GlobalPanning one(wall.model, wall.history, {2, 2, 2, 2}, write);
        one.setSpeedText("1.00%");
        auto step = [&](mlc::GlobalPanning& panning, mlc::PanButton button) {
            return [&panning, button, &sent] {
                panning.pan(button);
                return sent;
            };
        };

        report("first WriteWall, 4 x 4", measure(emu, write));
        report("pan step, all 16, horizontal", measure(emu, step(all, mlc::PanButton::Right)));
        report("pan step, all 16, vertical", measure(emu, step(all, mlc::PanButton::Down)));
        report("pan step, 1 selected, horizontal", measure(emu, step(one, mlc::PanButton::Right)));
    });
}
