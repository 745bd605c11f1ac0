// Opening the monitor settings dialog and the quick menu with every match list and
// the router's input list 256 entries long, on the offscreen platform: create,
// fill, show and paint once, then close.
//
//   bench_gui_monitor_dialog [--benchmark_* options]
#include "binding/driver_binding.h"
#include "monitor/monitor_form.h"
#include "monitor/quick_menu_form.h"
#include "router/video_router.h"
#include "scoped_env.h"
#include "silent_operator.h"
#include "sync/device_sync.h"
#include "wall/wall_state.h"

#include <QApplication>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {

mlc::MatchListPair longList(const std::string& prefix) {
    mlc::MatchListPair pair;
    for (int i = 0; i < 256; ++i) {
        pair.Ids.push_back(prefix + std::to_string(i));
        pair.Names.push_back("Entry number " + std::to_string(i) + " of " + prefix);
    }
    return pair;
}

struct Setup {
    Setup() {
        for (mlc::MatchListPair* list :
             {&lists.InputSources, &lists.ColorTemp, &lists.ScaleMode, &lists.InputFilter,
              &lists.KeystoningMode, &lists.FrameLock, &lists.Interpolation, &lists.ScreenColors,
              &lists.OutputDisplays, &lists.HD15Sync, &lists.TestPattern, &lists.Language})
            *list = longList("id");
        std::string inputs = "Router input 0";
        for (int i = 1; i < 256; ++i)
            inputs += ",Router input " + std::to_string(i);
        routerInputs.set(inputs);
        settings.ActivateVideoRouter = true;
        wall.DefaultSettings = mlc::FactoryDefaultSettings(lists);
        mlc::InitialiseWall(wall);
        picture.fill(Qt::darkCyan);
    }

    testsupport::ScopedEnv routerInputs{"MATRIXSW_INPUTS", nullptr};
    mlc::WallModel wall;
    std::string wallFile;
    mlc::WallHistory history{wall, wallFile};
    mlc::MatchLists lists;
    mlc::ProgramSettings settings;
    mlc::DriverBinding binding; // not loaded: opening sends nothing
    mlc::MatrixSwRouter router;
    bench::SilentOperator op;
    mlc::SyncOptions options;
    mlc::DeviceSync sync{wall, lists, binding, router, op, options};
    QImage picture{640, 480, QImage::Format_RGB32};
};

Setup& setup() {
    static Setup s;
    return s;
}

template <typename Dialog> void openAndPaint(Dialog& dialog) {
    dialog.show();
    QImage frame(dialog.size(), QImage::Format_ARGB32);
    dialog.render(&frame);
    benchmark::DoNotOptimize(frame.bits());
}

void BM_OpenMonitorDialog(benchmark::State& state) {
    Setup& s = setup();
    for (auto _ : state) {
        mlgui::TMonitorFRM dialog({s.wall, s.history, s.lists, s.settings, {s.sync, s.router, s.op}}, 5, 5,
                                  [&](int) { return s.picture; });
        openAndPaint(dialog);
    }
}
BENCHMARK(BM_OpenMonitorDialog)->Unit(benchmark::kMillisecond);

void BM_OpenQuickMenu(benchmark::State& state) {
    Setup& s = setup();
    for (auto _ : state) {
        mlgui::TQuickMenuFRM dialog({s.wall, s.history, s.lists, s.settings, {s.sync, s.router, s.op}}, 5, 5,
                                    {1, 1, 16, 16});
        openAndPaint(dialog);
    }
}
BENCHMARK(BM_OpenQuickMenu)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
