// mlctl: drives a Marlune wall from scripts and schedulers, through the same core
// as the control program.
#include "commands.h"
#include "ports_help.h"
#include "session.h"

#include <cstdio>

namespace {

constexpr const char* kOptionsHelp =
    "Options:\n"
    "  --port N          serial port number (default: the settings file's port)\n"
    "  --settings FILE   settings file (default: mlctl.INI, else mlcenter.INI, in mlctl's\n"
    "                    folder, or in $XDG_CONFIG_HOME/mlcenter/ for an installed mlctl)\n"
    "  --yes             answer every question with Yes\n"
    "  --traffic FILE    log every packet sent and received, decoded, with time stamps\n"
    "  --inhibit         send nothing on the line (the driver's test mode)\n"
    "  --quick           wall writes send only what changed, and the plug-in remembers\n"
    "                    each unit's value ranges (default: the settings file's\n"
    "                    QuickSync and CacheUnitRanges)\n"
    "  --verify          after a wall write, check that every unit applied it, and\n"
    "                    repair or name those that did not (default: VerifyWrites)\n"
    "  --help            this text; with a command, that command's help\n";

void printUsage(std::FILE* out) {
    std::fprintf(out, "usage: mlctl [options] COMMAND ...\n\nCommands:\n");
    for (const auto& command : mlctl::commands())
        std::fprintf(out, "  %-40s %s\n", command.synopsis, command.summary);
    std::fprintf(out,
                 "mlctl COMMAND --help explains a command.\n\n%s\n%s\n"
                 "Exit status: 0 success, 1 a device, file or router operation failed,\n"
                 "2 the command line or a name or file it gives cannot be used.\n",
                 kOptionsHelp, mlctl::kPortsHelp);
}

bool needsDriver(const std::string& command) {
    return command != "sequence";
}

} // namespace

int main(int argc, char** argv) {
    std::string error;
    const auto line = mlctl::parseCommandLine({argv + 1, argv + argc}, error);
    if (!line) {
        mlctl::complain(error + " (see mlctl --help)");
        return mlctl::kExitUsage;
    }
    if (line->command.empty()) {
        if (line->help) {
            printUsage(stdout);
            return mlctl::kExitOk;
        }
        mlctl::complain("no command given; the commands are:");
        printUsage(stderr);
        return mlctl::kExitUsage;
    }
    const mlctl::CommandInfo* command = mlctl::findCommand(line->command);
    if (!command) {
        mlctl::complain("unknown command \"" + line->command + "\" (see mlctl --help)");
        return mlctl::kExitUsage;
    }
    if (line->help) {
        std::printf("usage: mlctl [options] %s\n\n%s\n\n%s\n%s", command->synopsis, command->help,
                    kOptionsHelp, mlctl::kPortsHelp);
        return mlctl::kExitOk;
    }

    mlctl::TerminalOperator op(line->assumeYes);
    mlctl::Session session(*line, op);
    if (needsDriver(line->command) && !session.loadDriver())
        return mlctl::kExitFailed;
    if (!session.readSettings())
        return mlctl::kExitUsage;
    const int status = command->run(session);
    session.closePort();
    return status;
}
