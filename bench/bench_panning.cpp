// Measures one global panning step against the first write of a 4 x 4 wall on mlemu
// at 19200 baud: a step sends only the changed pan values (the synchronisation
// compares with what the units hold), so it costs the line time of the monitors
// that moved, not of the whole wall. Reported: bytes on the line (from mlemu's
// traffic log), their line time, and the elapsed times as in bench_sync.
//
//   bench_panning [--repeat N]
#include "binding/driver_binding.h"
#include "emulated_chain.h"
#include "router/video_router.h"
#include "sync/device_sync.h"
#include "sync/match_list_loading.h"
#include "wall/enlargement.h"
#include "wall/panning.h"
#include "wall/wall_state.h"

#include <algorithm>
#include <cstring>

using namespace benchsupport;

int main(int argc, char** argv) {
    int repeat = 1;
    if (argc == 3 && std::strcmp(argv[1], "--repeat") == 0)
        repeat = std::max(1, std::atoi(argv[2]));
    try {
        for (int run = 0; run < repeat; ++run) {
            Emulator emu("11-14,21-24,31-34,41-44");
            setenv("LVDRIVER_PORTS", emu.link().c_str(), 1);
            setenv("LVDRIVER_DEFINITIONS", (std::string(MARLUNE_BIN_DIR) + "/mlcenter.PGC").c_str(), 1);
            ConsoleOperator op;
            mlc::DriverBinding binding;
            if (!binding.LoadDriverLibrary(std::string(MARLUNE_BIN_DIR) + "/LVDRIVER.so"))
                throw std::runtime_error(binding.LoadError());
            if (binding.OpenHardwarePort(1) != 0)
                throw std::runtime_error("cannot open the emulator's port");
            mlc::MatchLists lists;
            mlc::LoadMatchLists(binding, lists, op);
            mlc::WallModel model;
            model.DefaultSettings = mlc::FactoryDefaultSettings(lists);
            mlc::InitialiseWall(model);
            model.WallColumns = 4;
            model.WallRows = 4;
            // A picture enlarged twice over the wall, so that there is room to pan.
            mlc::AutosetEnlargement(model, {1, 1, 4, 4});
            for (int r = 1; r <= 4; ++r)
                for (int c = 1; c <= 4; ++c) {
                    auto& s = model.Monitors.at(c, r).Settings;
                    s.XZoom /= 2;
                    s.YZoom /= 2;
                    s.XPosition /= 2;
                    s.YPosition /= 2;
                }
            mlc::MatrixSwRouter router;
            mlc::SyncOptions options;
            mlc::DeviceSync sync(model, lists, binding, router, op, options);

            bool sent = true;
            mlc::GlobalPanning all(model, {1, 1, 1, 1}, [&] { return sent = sync.WriteWall(); });
            all.setTarget(mlc::PanTarget::All);
            all.setSpeedText("1.00%");
            mlc::GlobalPanning one(model, {2, 2, 2, 2}, [&] { return sent = sync.WriteWall(); });
            one.setSpeedText("1.00%");

            report("first WriteWall, 4 x 4", measure(emu, [&] { return sync.WriteWall(); }));
            report("pan step, all 16, horizontal", measure(emu, [&] {
                       all.pan(mlc::PanButton::Right);
                       return sent;
                   }));
            report("pan step, all 16, vertical", measure(emu, [&] {
                       all.pan(mlc::PanButton::Down);
                       return sent;
                   }));
            report("pan step, 1 selected, horizontal", measure(emu, [&] {
                       one.pan(mlc::PanButton::Right);
                       return sent;
                   }));
            binding.CloseHardwarePort();
            binding.UnloadDriverLibrary();
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_panning: %s\n", error.what());
        return 1;
    }
    return 0;
}
