// The serial traffic window's cost to the exchanges: the first write of an
// emulated 16 x 15 wall (IDs 1-240, every monitor written whole) at full line
// speed, with the window closed, with the plug-in tapped by the record alone, and
// with the window open (the tables following the record on their timer while the
// write lets events through). Each round writes once in each way, a different one
// first each time. The host time is the processor time of this process (the
// emulator's is its own); the elapsed time is given too. Also the resident memory
// as the record fills and then stays full, and what the tap adds to one packet
// in test mode, where no line or emulator makes the figure vary.
//
//   bench_gui_traffic_window [--rounds N]   (25 rounds by default)
#include "emulated_chain.h"
#include "resident_memory.h"
#include "traffic/traffic_form.h"

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

using namespace benchsupport;

namespace {

constexpr int kColumns = 16;
constexpr int kRows = 15;

// The processor time this process has used (other work on a shared machine does
// not add to it), in seconds.
double processorSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

struct Times {
    double cpu;
    double elapsed;
};

// The median of the rounds: a machine others share slows single rounds a lot.
double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int rounds = 25;
    if (argc == 3 && std::string(argv[1]) == "--rounds")
        rounds = std::max(1, std::atoi(argv[2]));
    try {
        Emulator emu("1-240", {});
        ChainWall wall(emu, kColumns, kRows);
        for (int r = 1; r <= kRows; ++r)
            for (int c = 1; c <= kColumns; ++c)
                wall.model.Monitors.at(c, r).DeviceId = static_cast<std::uint8_t>((r - 1) * kColumns + c);
        // As the progress window does between two monitors.
        wall.op.onPendingEvents = [] { QCoreApplication::processEvents(); };
        mlc::TrafficRecord record;
        mlgui::TTrafficFRM form({record, wall.model, wall.binding});

        const auto firstWrite = [&](bool open) {
            mlc::SetAllSynced(wall.model, false);
            const double cpu = processorSeconds();
            const auto start = std::chrono::steady_clock::now();
            if (!wall.sync.WriteWall())
                throw std::runtime_error("wall write failed");
            if (open)
                form.follow(); // what the timer had not caught up with yet
            const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
            return Times{processorSeconds() - cpu, elapsed.count()};
        };
        const std::function<Times()> modes[3] = {
            [&] { return firstWrite(false); },
            [&] {
                mlc::TrafficTap tap(wall.binding, record);
                return firstWrite(false);
            },
            [&] {
                form.show();
                QCoreApplication::processEvents(); // drawn once, as a window open for a while is
                const Times open = firstWrite(true);
                form.close();
                return open;
            },
        };
        firstWrite(false); // the units' ranges and the line warmed up

        std::vector<double> cpu[3], elapsed[3];
        std::vector<long> memory;
        for (int round = 0; round < rounds; ++round) {
            for (int step = 0; step < 3; ++step) {
                const int mode = (round + step) % 3;
                const Times t = modes[mode]();
                cpu[mode].push_back(t.cpu);
                elapsed[mode].push_back(t.elapsed);
            }
            memory.push_back(bench::residentKiB());
        }

        // Besides the medians, the median of each round's own ratio: the writes of one
        // round follow each other closely, so the machine's load weighs on them alike.
        std::printf("first write of a 16 x 15 wall, full line speed, median of %d rounds "
                    "(median of the rounds' ratios)\n",
                    rounds);
        std::printf("| %-22s | %13s | %28s | %28s |\n", "", "window closed", "tap, no window", "window open");
        std::printf("|---|---|---|---|\n");
        for (const auto& [name, values] :
             {std::pair{"host (processor) time", cpu}, {"elapsed time", elapsed}}) {
            const double closed = median(values[0]);
            std::printf("| %-22s | %11.3f s |", name, closed);
            for (int i = 1; i < 3; ++i) {
                std::vector<double> ratios;
                for (int round = 0; round < rounds; ++round)
                    ratios.push_back(values[i][round] / values[0][round]);
                std::printf(" %7.3f s %+6.1f %% (%+6.1f %%) |", median(values[i]),
                            (median(values[i]) / closed - 1) * 100, (median(ratios) - 1) * 100);
            }
            std::printf("\n");
        }

        // The same cost without the line and the emulator, whose scheduling makes the
        // rounds above vary: a packet in test mode (never sent), least of 15 runs.
        wall.binding.SetTestMode(true);
        const auto perPacket = [&] {
            const auto start = std::chrono::steady_clock::now();
            for (int i = 0; i < 5000; ++i) // each: a range query and the set
                wall.binding.SetOperationPercent("op_BRIGHTNESS", "wnWIN_MAIN", i * 20);
            const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
            return spent.count() / 10000;
        };
        double untapped = 1e9, tapped = 1e9;
        for (int run = 0; run < 15; ++run) {
            untapped = std::min(untapped, perPacket());
            mlc::TrafficTap tap(wall.binding, record);
            tapped = std::min(tapped, perPacket());
        }
        wall.binding.SetTestMode(false);
        std::printf("a packet in test mode: %.2f us, tapped by the record %.2f us (%+.2f us)\n", untapped,
                    tapped, tapped - untapped);
        std::printf("packets listed: %llu (kept: %llu), units: %zu\n",
                    static_cast<unsigned long long>(record.end()),
                    static_cast<unsigned long long>(record.end() - record.begin()), record.units().size());
        std::printf("resident memory after each round (KiB):");
        for (const long kib : memory)
            std::printf(" %ld", kib);
        std::printf("\n");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_gui_traffic_window: %s\n", error.what());
        return 1;
    }
    return 0;
}
