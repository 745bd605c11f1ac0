// What the wall benchmarks share: mlemu (at 19200 baud unless told otherwise) on a
// link in a temporary folder with its traffic log, a console operator, and the
// measurement of one wall write against the line time of the bytes it exchanged.
#pragma once

#include "binding/driver_binding.h"
#include "emulator_process.h"
#include "operator.h"
#include "paths.h"
#include "router/video_router.h"
#include "scoped_env.h"
#include "sync/device_sync.h"
#include "sync/match_list_loading.h"
#include "wall/enlargement.h"
#include "wall/wall_history.h"
#include "wall/wall_state.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iostream>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace benchsupport {

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
    void processPendingEvents() override {
        if (onPendingEvents)
            onPendingEvents();
    }
    // What the window's event loop would run between two monitors; nothing by default.
    std::function<void()> onPendingEvents;
};

// mlemu with the chain the benchmark writes to, at the line's speed unless other
// options are given (no "--baud": full speed).
class Emulator {
public:
    explicit Emulator(const std::string& ids,
                      const std::vector<std::string>& options = {"--baud", std::to_string(kBaud)})
        : process_(ids, options) {}
    const std::string& link() const { return process_.link(); }
    testsupport::EmulatorProcess& process() { return process_; }

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

inline void report(const char* name, const Measure& m) {
    std::printf(
        "%-34s %7ld bytes  line %7.3f s  returned %7.3f s (ratio %.3f)  received %7.3f s (ratio %.3f)\n",
        name, m.bytes, m.lineSeconds(), m.seconds, m.ratio(), m.settled, m.settledRatio());
}

// A wall (4 x 4 by default, IDs row * 10 + column) on the emulator through the
// real plug-in, the picture spread over it; run(body) repeats body on a fresh chain
// as often as "--repeat N" asks and turns failures into the exit status.
struct ChainWall {
    explicit ChainWall(const Emulator& emu, int columns = 4, int rows = 4)
        : ports("LVDRIVER_PORTS", emu.link()),
          definitions("LVDRIVER_DEFINITIONS", testsupport::binPath("mlcenter.PGC")) {
        if (!binding.LoadDriverLibrary(std::string(MARLUNE_BIN_DIR) + "/LVDRIVER.so"))
            throw std::runtime_error(binding.LoadError());
        if (binding.OpenHardwarePort(1) != 0)
            throw std::runtime_error("cannot open the emulator's port");
        mlc::LoadMatchLists(binding, lists, op);
        model.DefaultSettings = mlc::FactoryDefaultSettings(lists);
        mlc::InitialiseWall(model);
        model.WallColumns = columns;
        model.WallRows = rows;
        mlc::AutosetEnlargement(model, {1, 1, columns, rows});
    }
    ~ChainWall() {
        binding.CloseHardwarePort();
        binding.UnloadDriverLibrary();
    }

    testsupport::ScopedEnv ports;
    testsupport::ScopedEnv definitions;
    ConsoleOperator op;
    mlc::DriverBinding binding;
    mlc::MatchLists lists;
    mlc::WallModel model;
    std::string wallFile;
    mlc::WallHistory history{model, wallFile};
    mlc::MatrixSwRouter router;
    mlc::SyncOptions options;
    mlc::DeviceSync sync{model, lists, binding, router, op, options};
};

inline int run(const char* program, int argc, char** argv,
               const std::function<void(Emulator&, ChainWall&)>& body) {
    int repeat = 1;
    if (argc == 3 && std::strcmp(argv[1], "--repeat") == 0)
        repeat = std::max(1, std::atoi(argv[2]));
    try {
        for (int round = 0; round < repeat; ++round) {
            Emulator emu("11-14,21-24,31-34,41-44");
            ChainWall wall(emu);
            body(emu, wall);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", program, error.what());
        return 1;
    }
    return 0;
}

} // namespace benchsupport
