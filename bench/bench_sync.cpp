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
#include "emulator_process.h"
#include "router/video_router.h"
#include "scoped_env.h"
#include "sync/device_sync.h"
#include "sync/match_list_loading.h"
#include "wall/enlargement.h"
#include "wall/wall_state.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kBaud = 19200;

// Messages go to the terminal; the progress window is not shown.
class ConsoleOperator : public mlc::Operator {
public:
    void showMessage(mlc::MessageKind, const std::string& text) override {
        std::cerr << "message: " << text << "\n";
    }
    void report(mlc::MessageKind kind, const std::string& text) override { showMessage(kind, text); }
    mlc::Answer ask(mlc::QuestionIcon, mlc::Buttons, const std::string&) override { return mlc::Answer::No; }
    void progressOpened() override {}
    void progressChanged(const mlc::ProgressView&) override {}
    void progressClosed() override {}
    void processPendingEvents() override {}
};

// mlemu with the chain the benchmark writes to, at the line's speed.
class Emulator {
public:
    explicit Emulator(const std::string& ids) : process_(ids, {"--baud", std::to_string(kBaud)}) {}
    const std::string& link() const { return process_.link(); }

    // Broadcast queue executions the units have received so far.
    std::size_t broadcasts() const {
        return process_.logLines("unit=all type=3 kind=op sub=exec name=op_IP_MISC_EXECUTEQUEUE").size();
    }

    // Lines and bytes of the log so far.
    std::pair<std::size_t, long> traffic() const {
        const std::vector<std::string> lines = process_.logLines();
        long bytes = 0;
        for (const std::string& line : lines)
            bytes += std::atol(testsupport::fieldOf(line, "bytes").c_str());
        return {lines.size(), bytes};
    }

private:
    testsupport::EmulatorProcess process_;
};

struct Measure {
    double seconds; // until WriteWall returned
    double settled; // until the units had received the closing broadcast
    long bytes;
    double lineSeconds() const { return bytes * 10.0 / kBaud; }
    double ratio() const { return seconds / lineSeconds(); }
    double settledRatio() const { return settled / lineSeconds(); }
};

template <typename Action> Measure measure(const Emulator& emu, Action action) {
    const long before = emu.traffic().second;
    const std::size_t broadcastsBefore = emu.broadcasts();
    const auto start = std::chrono::steady_clock::now();
    if (!action())
        throw std::runtime_error("wall write failed");
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    // The closing broadcast is not answered: the call returns while its bytes are
    // still on the line. Wait until the units have it (polling every millisecond).
    while (emu.broadcasts() == broadcastsBefore)
        usleep(1000);
    const std::chrono::duration<double> settled = std::chrono::steady_clock::now() - start;
    return {elapsed.count(), settled.count(), emu.traffic().second - before};
}

void report(const char* name, const Measure& m) {
    std::printf(
        "%-34s %7ld bytes  line %7.3f s  returned %7.3f s (ratio %.3f)  received %7.3f s (ratio %.3f)\n",
        name, m.bytes, m.lineSeconds(), m.seconds, m.ratio(), m.settled, m.settledRatio());
}

} // namespace

int main(int argc, char** argv) {
    int repeat = 1;
    if (argc == 3 && std::strcmp(argv[1], "--repeat") == 0)
        repeat = std::max(1, std::atoi(argv[2]));
    try {
        for (int run = 0; run < repeat; ++run) {
            Emulator emu("11-14,21-24,31-34,41-44");
            testsupport::ScopedEnv ports("LVDRIVER_PORTS", emu.link());
            testsupport::ScopedEnv definitions("LVDRIVER_DEFINITIONS", testsupport::binPath("mlcenter.PGC"));
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
