// A soak of the check after each wall write: fifty writes to an emulated 16 x 15
// wall (IDs 1-240) whose units miss queue executions, with all three
// synchronisation options on. The same seeded items are then played on a clean
// chain, and at the end every unit of the faulty chain must hold what the clean
// one holds (values and queues, from mlemu's --state file). Every report and
// message the operator got is printed, with the units it names.
//
//   bench_sync_soak [--writes N] [--seed N] [--fault SPEC]
//
// The fault defaults to miss,op=op_IP_MISC_EXECUTEQUEUE,p=0.2: every unit misses
// each queue execution it is sent, broadcast or addressed, with probability 0.2.
#include "emulated_chain.h"
#include "wall/enlargement.h"

#include <map>
#include <random>
#include <set>
#include <sstream>

using namespace benchsupport;

namespace {

constexpr int kColumns = 16;
constexpr int kRows = 15;

struct Options {
    int writes = 50;
    unsigned seed = 1;
    std::string fault = "miss,op=op_IP_MISC_EXECUTEQUEUE,p=0.2";
};

// Prints what the operator is told, numbered by the write.
class PrintingOperator : public ConsoleOperator {
public:
    // The check's texts start with the number of units they name.
    void showMessage(mlc::MessageKind, const std::string& text) override {
        wrong += std::atoi(text.c_str());
        print("message", text);
    }
    void report(mlc::MessageKind, const std::string& text) override {
        repaired += std::atoi(text.c_str());
        print("report", text);
    }
    int write = 0;
    int repaired = 0; // units named as repaired
    int wrong = 0;    // units named as still wrong

private:
    void print(const char* how, std::string text) {
        for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;)
            text.replace(at, 2, " | ");
        std::printf("write %2d %s: %s\n", write, how, text.c_str());
    }
};

// The sequencer item of one write: a picture over the wall or its quarters, new
// inputs on a few monitors, or a brightness for one row.
void playItem(std::mt19937& random, ChainWall& wall) {
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    mlc::WallModel& model = wall.model;
    switch (pick(4)) {
    case 0:
        mlc::AutosetEnlargement(model, {1, 1, kColumns, kRows});
        break;
    case 1:
        for (const mlc::WallRect quarter : {mlc::WallRect{1, 1, 8, 8}, mlc::WallRect{9, 1, 16, 8},
                                            mlc::WallRect{1, 9, 8, 15}, mlc::WallRect{9, 9, 16, 15}})
            mlc::AutosetEnlargement(model, quarter);
        break;
    case 2:
        for (int i = 0; i < 10; ++i)
            model.Monitors.at(1 + pick(kColumns), 1 + pick(kRows)).Settings.SourceInput =
                pick(static_cast<int>(wall.lists.InputSources.Ids.size()));
        break;
    default: {
        const int row = 1 + pick(kRows);
        const int brightness = pick(100001);
        for (int c = 1; c <= kColumns; ++c)
            model.Monitors.at(c, row).Settings.Brightness = brightness;
        break;
    }
    }
}

// What each unit holds by its state dump's lines: values and queues.
std::map<int, std::vector<std::string>> unitLines(const std::string& state) {
    std::map<int, std::vector<std::string>> units;
    std::istringstream in(state);
    for (std::string line; std::getline(in, line);)
        if (line.rfind("unit ", 0) == 0 &&
            (line.find(" value ") != std::string::npos || line.find(" queue") != std::string::npos))
            units[std::atoi(line.c_str() + 5)].push_back(line);
    return units;
}

struct Played {
    std::map<int, std::vector<std::string>> units; // at the end
    std::set<int> unsynced;                        // IDs of monitors left needing a synchronisation
};

Played play(const Options& options, const std::vector<std::string>& emulatorOptions, PrintingOperator* op) {
    Emulator emu("1-240", emulatorOptions);
    ChainWall wall(emu, kColumns, kRows);
    for (int r = 1; r <= kRows; ++r)
        for (int c = 1; c <= kColumns; ++c)
            wall.model.Monitors.at(c, r).DeviceId = static_cast<std::uint8_t>((r - 1) * kColumns + c);
    wall.options.QuickSync = wall.options.CacheUnitRanges = wall.options.VerifyWrites = true;
    mlc::DeviceSync sync(wall.model, wall.lists, wall.binding, wall.router, op ? *op : wall.op, wall.options);
    std::mt19937 random(options.seed);
    for (int write = 1; write <= options.writes; ++write) {
        if (op)
            op->write = write;
        playItem(random, wall);
        sync.WriteWall(); // a unit still wrong fails the write; the next one sends it whole
    }
    Played played;
    // One answered exchange makes sure the last broadcast has reached the units.
    wall.binding.SelectDevice(1);
    played.units = unitLines(emu.process().state());
    for (int r = 1; r <= kRows; ++r)
        for (int c = 1; c <= kColumns; ++c)
            if (!wall.model.Monitors.at(c, r).Synced)
                played.unsynced.insert(wall.model.Monitors.at(c, r).DeviceId);
    return played;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        if (name == "--writes")
            options.writes = std::max(1, std::atoi(argv[i + 1]));
        else if (name == "--seed")
            options.seed = static_cast<unsigned>(std::atoi(argv[i + 1]));
        else if (name == "--fault")
            options.fault = argv[i + 1];
    }
    try {
        // Units that keep missing are waited for briefly.
        testsupport::ScopedEnv scale("LVDRIVER_TIMEOUT_SCALE", "0.1");
        PrintingOperator op;
        std::printf("%d writes, seed %u, --fault %s\n", options.writes, options.seed, options.fault.c_str());
        const Played faulty =
            play(options, {"--fault", options.fault, "--seed", std::to_string(options.seed)}, &op);
        const Played clean = play(options, {}, nullptr);
        std::string differing;
        std::string silent; // differing, and nothing says so
        for (const auto& [id, lines] : clean.units) {
            const auto found = faulty.units.find(id);
            if (found != faulty.units.end() && found->second == lines)
                continue;
            differing += " " + std::to_string(id);
            if (!faulty.unsynced.count(id))
                silent += " " + std::to_string(id);
        }
        std::printf("end: %d units repaired and %d named as still wrong over the writes; units that hold "
                    "other than the clean chain's:%s; of them not marked as needing a synchronisation:%s; "
                    "%zu monitors marked as needing one\n",
                    op.repaired, op.wrong, differing.empty() ? " none" : differing.c_str(),
                    silent.empty() ? " none" : silent.c_str(), faulty.unsynced.size());
        return differing.empty() ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_sync_soak: %s\n", error.what());
        return 1;
    }
}
