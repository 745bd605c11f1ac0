// mlemu: a chain of Marlune units on a pseudo-terminal, for tests, benchmarks and
// demonstrations without hardware. See docs/mlemu.md.
#include "definitions.h"
#include "id_list.h"
#include "options.h"
#include "pty_posix.h"
#include "run_loop_posix.h"
#include "session.h"
#include "state_text.h"

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <unistd.h>

namespace {

std::string besideProgram(const std::string& name) {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? name : (self.parent_path() / name).string();
}

// Gives the named units their own ranges and the faults the operations' names as
// the file spells them; false with a message for a name or unit that is not there.
bool applyNames(const mlemu::UnitCatalog& catalog, mlemu::Options& options, mlemu::Chain& chain) {
    const lv::Definitions& definitions = catalog.definitions();
    for (mlemu::FaultSpec& fault : options.faults) {
        if (fault.operation.empty())
            continue;
        const lv::OperationDef* def = definitions.findOperation(fault.operation);
        if (!def) {
            std::cerr << "mlemu: --fault " << fault.text() << ": no operation " << fault.operation << "\n";
            return false;
        }
        fault.operation = def->name;
    }
    for (const mlemu::UnitRangeOption& range : options.unitRanges) {
        const lv::OperationDef* def = definitions.findOperation(range.operation);
        const mlemu::OpInfo* op = def ? catalog.operation(def->code) : nullptr;
        mlemu::Unit* unit = chain.unit(range.unit);
        if (!op || def->valueType != lv::ValueType::Pot || !unit) {
            std::cerr << "mlemu: --unit-range " << range.unit << ":" << range.operation << ": "
                      << (unit ? "no POT operation of that name" : "no such unit in --ids") << "\n";
            return false;
        }
        unit->useRange(*op, range.min, range.max);
    }
    return true;
}

int run(mlemu::Options options) {
    const std::string definitionsPath =
        options.definitions.empty() ? besideProgram("mlcenter.PGC") : options.definitions;
    if (!std::filesystem::is_regular_file(definitionsPath)) {
        std::cerr << "mlemu: no definition file " << definitionsPath << "\n";
        return 2;
    }
    mlemu::UnitCatalog catalog(lv::Definitions::fromFile(definitionsPath));
    if (catalog.definitions().operations().empty()) {
        std::cerr << "mlemu: " << definitionsPath << " defines no operations\n";
        return 2;
    }
    mlemu::Chain chain(catalog, options.ids);
    if (!applyNames(catalog, options, chain))
        return 2;
    const int signalFd = mlemu::takeOverSignals();
    mlemu::PseudoTerminal terminal;
    std::unique_ptr<mlemu::SymbolicLink> link;
    if (!options.link.empty())
        link = std::make_unique<mlemu::SymbolicLink>(options.link, terminal.slavePath());
    std::unique_ptr<mlemu::TrafficLog> log = options.log.empty()
                                                 ? std::make_unique<mlemu::TrafficLog>()
                                                 : std::make_unique<mlemu::TrafficLog>(options.log);

    mlemu::SessionOptions sessionOptions;
    sessionOptions.baud = options.baud;
    sessionOptions.faults = options.faults;
    sessionOptions.seed = options.seed;
    const auto start = mlemu::Session::Clock::now();
    mlemu::Session session(catalog, chain, *log, sessionOptions, start);

    auto writeState = [&] {
        if (!options.state.empty() &&
            !mlemu::writeFileAtomically(
                options.state,
                mlemu::formatState(catalog, chain, session.seconds(mlemu::Session::Clock::now()))))
            std::cerr << "mlemu: cannot write " << options.state << "\n";
    };

    std::printf("mlemu listening pty=%s link=%s units=%s count=%zu baud=%d\n", terminal.slavePath().c_str(),
                options.link.empty() ? "-" : options.link.c_str(), mlemu::formatIdList(options.ids).c_str(),
                options.ids.size(), options.baud);
    for (const mlemu::FaultSpec& fault : options.faults)
        std::printf("mlemu fault %s\n", fault.text().c_str());
    std::printf("mlemu: reach the units with LVDRIVER_PORTS=%s mlctl ... (port 1 is this terminal)\n",
                options.link.empty() ? terminal.slavePath().c_str() : options.link.c_str());
    std::fflush(stdout);

    mlemu::runLoop(terminal.masterFd(), signalFd, session, writeState);
    writeState();
    ::close(signalFd);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // A host that closed our output must not end the units.
    std::signal(SIGPIPE, SIG_IGN);
    std::string error;
    const auto options = mlemu::parseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::cerr << "mlemu: " << error << "\n" << mlemu::usageText();
        return 2;
    }
    if (options->help) {
        std::cout << mlemu::usageText();
        return 0;
    }
    try {
        return run(*options);
    } catch (const std::exception& e) {
        std::cerr << "mlemu: " << e.what() << "\n";
        return 1;
    }
}
