// Measures what the control program adds to the line time of a wall write: a first
// WriteWall of a 4 x 4 wall and a second one after one monitor's brightness
// changed, against mlemu at 19200 baud. Each is reported as the ratio of the
// elapsed time to the pure line time of the bytes exchanged (10 bits a byte),
// counted from mlemu's traffic log. Two times are given: until WriteWall returned,
// and until the units had received the closing broadcast, which is not answered
// and so may still be on the line when the call returns.
//
//   bench_sync [--repeat N]
#include "binding/driver_binding.h"
#include "emulated_chain.h"
#include "router/video_router.h"
#include "sync/device_sync.h"
#include "sync/match_list_loading.h"
#include "wall/enlargement.h"
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
            mlc::AutosetEnlargement(model, {1, 1, 4, 4});
            mlc::MatrixSwRouter router;
            mlc::SyncOptions options;
            mlc::DeviceSync sync(model, lists, binding, router, op, options);

            report("first WriteWall, 4 x 4", measure(emu, [&] { return sync.WriteWall(); }));
            model.Monitors.at(2, 3).Settings.Brightness = 70000;
            report("second WriteWall, one brightness", measure(emu, [&] { return sync.WriteWall(); }));
            binding.CloseHardwarePort();
            binding.UnloadDriverLibrary();
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_sync: %s\n", error.what());
        return 1;
    }
    return 0;
}
