// How fast the emulated units answer.
//
// SessionAnswer: the units' own work for one select-set exchange, in-process.
// TerminalRoundTrip: a host writes a set packet on mlemu's pseudo-terminal and reads
//   the acknowledgement; full speed, so this is the whole answer time (target:
//   under 100 us).
// TerminalRoundTripAt19200: the same with --baud 19200; the reported time is what
//   the emulator adds beyond the line time of the packet and its answer (target:
//   under 1 ms); the line time itself is in the counter line_us.
//
// EchoBaseline and EchoBaselineAt19200: the same exchange with a trivial answerer on
//   a pseudo-terminal (a thread that reads the packet and writes 6, after the line
//   time when paced). What the emulator adds of its own is its figure minus the
//   baseline's: on a loaded machine both are dominated by the terminal's and the
//   scheduler's latency.
//
// Needs build/bin/mlemu and build/bin/mlcenter.PGC.
#include "chain.h"
#include "checksum.h"
#include "definitions.h"
#include "emulator_process.h"
#include "session.h"
#include "unit_catalog.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
const std::string kBin = MARLUNE_BIN_DIR;
const std::string kDefinitions = kBin + "/mlcenter.PGC";

Bytes opPacket(std::uint8_t sub, std::uint16_t code, std::int32_t target, std::int32_t value) {
    Bytes payload(25, 0);
    payload[0] = sub;
    payload[1] = static_cast<std::uint8_t>(code);
    payload[2] = static_cast<std::uint8_t>(code >> 8);
    for (int i = 0; i < 4; ++i) {
        payload[5 + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(target) >> (8 * i));
        payload[9 + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i));
    }
    return lv::encodeFrame(3, payload);
}

struct Traffic {
    Bytes select;
    Bytes set;
};

Traffic traffic(const lv::Definitions& definitions) {
    const lv::OperationDef* select = definitions.findOperation("op_IP_MISC_DEVICESELECTION");
    const lv::OperationDef* brightness = definitions.findOperation("op_BRIGHTNESS");
    if (!select || !brightness)
        throw std::runtime_error("the definition file lacks the operations the benchmark sends");
    std::int32_t selectTarget = 0;
    if (!select->targetList.empty())
        if (const lv::MatchItem* item =
                definitions.findMatchItemByCode(select->targetList, "slmIMMEXCLUSIVE"))
            selectTarget = item->value;
    std::int32_t window = 0;
    if (!brightness->targetList.empty())
        if (const lv::MatchItem* item = definitions.findMatchItemByCode(brightness->targetList, "wnWIN_MAIN"))
            window = item->value;
    return {opPacket(1, select->code, selectTarget, 1),
            opPacket(1, brightness->code, window, brightness->rangeMin)};
}

void SessionAnswer(benchmark::State& state) {
    mlemu::UnitCatalog catalog(lv::Definitions::fromFile(kDefinitions));
    const Traffic packets = traffic(catalog.definitions());
    mlemu::Chain chain(catalog, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    mlemu::TrafficLog log;
    auto now = mlemu::Session::Clock::now();
    mlemu::Session session(catalog, chain, log, {}, now);
    for (auto _ : state) {
        session.receive(packets.select, now);
        session.receive(packets.set, now);
        benchmark::DoNotOptimize(session.takeOutput(now));
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(SessionAnswer);

// mlemu as a child process and a raw host on its terminal.
class Emulator {
public:
    explicit Emulator(const std::vector<std::string>& extra) : process_("1-12", extra, kDefinitions) {
        fd_ = open(process_.link().c_str(), O_RDWR | O_NOCTTY);
        if (fd_ < 0)
            throw std::runtime_error("cannot open mlemu's terminal");
        termios t{};
        tcgetattr(fd_, &t);
        cfmakeraw(&t);
        tcsetattr(fd_, TCSANOW, &t);
    }
    ~Emulator() { close(fd_); }
    Emulator(const Emulator&) = delete;
    Emulator& operator=(const Emulator&) = delete;

    // Writes the packet and waits for a one-byte answer.
    std::uint8_t exchange(const Bytes& packet) {
        if (write(fd_, packet.data(), packet.size()) != static_cast<ssize_t>(packet.size()))
            throw std::runtime_error("write failed");
        pollfd p{fd_, POLLIN, 0};
        std::uint8_t answer = 0;
        if (poll(&p, 1, 2000) != 1 || read(fd_, &answer, 1) != 1)
            throw std::runtime_error("no answer");
        return answer;
    }

private:
    testsupport::EmulatorProcess process_;
    int fd_ = -1;
};

void TerminalRoundTrip(benchmark::State& state) {
    const Traffic packets = traffic(lv::Definitions::fromFile(kDefinitions));
    Emulator emulator({});
    emulator.exchange(packets.select);
    for (auto _ : state)
        benchmark::DoNotOptimize(emulator.exchange(packets.set));
}
BENCHMARK(TerminalRoundTrip)->Unit(benchmark::kMicrosecond);

void TerminalRoundTripAt19200(benchmark::State& state) {
    const Traffic packets = traffic(lv::Definitions::fromFile(kDefinitions));
    Emulator emulator({"--baud", "19200"});
    emulator.exchange(packets.select);
    // Ten bits a byte: the packet in, the acknowledgement out.
    const double lineSeconds = (packets.set.size() + 1) * 10.0 / 19200.0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(emulator.exchange(packets.set));
        const double elapsed =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(std::max(0.0, elapsed - lineSeconds));
    }
    state.counters["line_us"] = lineSeconds * 1e6;
}
BENCHMARK(TerminalRoundTripAt19200)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(300);

// A pseudo-terminal whose master side answers every 32-byte packet with 6, after
// `delay` counted from the moment the packet was read.
class EchoLine {
public:
    explicit EchoLine(std::chrono::nanoseconds delay) : delay_(delay) {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        grantpt(master_);
        unlockpt(master_);
        host_ = open(ptsname(master_), O_RDWR | O_NOCTTY);
        termios t{};
        tcgetattr(host_, &t);
        cfmakeraw(&t);
        tcsetattr(host_, TCSANOW, &t);
        thread_ = std::thread([this] { serve(); });
    }
    ~EchoLine() {
        stop_ = true;
        thread_.join();
        close(host_);
        close(master_);
    }
    std::uint8_t exchange(const Bytes& packet) {
        if (write(host_, packet.data(), packet.size()) != static_cast<ssize_t>(packet.size()))
            throw std::runtime_error("write failed");
        pollfd p{host_, POLLIN, 0};
        std::uint8_t answer = 0;
        if (poll(&p, 1, 2000) != 1 || read(host_, &answer, 1) != 1)
            throw std::runtime_error("no answer");
        return answer;
    }

private:
    void serve() {
        std::size_t have = 0;
        while (!stop_) {
            pollfd p{master_, POLLIN, 0};
            if (poll(&p, 1, 50) != 1)
                continue;
            std::uint8_t buffer[256];
            const ssize_t n = read(master_, buffer, sizeof buffer);
            if (n <= 0)
                continue;
            have += static_cast<std::size_t>(n);
            if (have < 32)
                continue;
            have = 0;
            if (delay_.count() > 0)
                std::this_thread::sleep_for(delay_);
            const std::uint8_t ack = 6;
            if (write(master_, &ack, 1) != 1)
                return;
        }
    }

    std::chrono::nanoseconds delay_;
    int master_ = -1;
    int host_ = -1;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

void EchoBaseline(benchmark::State& state) {
    const Traffic packets = traffic(lv::Definitions::fromFile(kDefinitions));
    EchoLine line(std::chrono::nanoseconds(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(line.exchange(packets.set));
}
BENCHMARK(EchoBaseline)->Unit(benchmark::kMicrosecond);

void EchoBaselineAt19200(benchmark::State& state) {
    const Traffic packets = traffic(lv::Definitions::fromFile(kDefinitions));
    const double lineSeconds = (packets.set.size() + 1) * 10.0 / 19200.0;
    EchoLine line(std::chrono::nanoseconds(static_cast<long long>(lineSeconds * 1e9)));
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(line.exchange(packets.set));
        const double elapsed =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(std::max(0.0, elapsed - lineSeconds));
    }
    state.counters["line_us"] = lineSeconds * 1e6;
}
BENCHMARK(EchoBaselineAt19200)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(300);

} // namespace

BENCHMARK_MAIN();
