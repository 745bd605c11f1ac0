// The programs as "cmake --install" lays them out, which is the package's layout:
// the real files in a private folder, links to them in bin/.
#include "paths.h"
#include "program_run.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using testsupport::ProgramResult;
using testsupport::runProgram;

// The command names from mlctl's own help: the lines between "Commands:" and the
// first one that is not indented.
std::vector<std::string> mlctlCommands(const std::string& help) {
    std::vector<std::string> names;
    std::istringstream lines(help.substr(help.find("Commands:\n") + 10));
    for (std::string line; std::getline(lines, line) && line.rfind("  ", 0) == 0;)
        names.push_back(line.substr(2, line.find(' ', 2) - 2));
    return names;
}

TEST(InstalledLayout, ProgramsReachedThroughTheirLinksFindTheirPartsAndAreDocumented) {
    testsupport::TempDir prefix;
    const ProgramResult install =
        runProgram(MARLUNE_CMAKE_COMMAND, {"--install", MARLUNE_BUILD_DIR, "--prefix", prefix.path()});
    ASSERT_EQ(install.status, 0) << install.err;

    // The match lists come from the plug-in beside the real mlctl, which reads the
    // definitions beside it; the router library is linked through the program's
    // own folder. No environment variable points anywhere.
    const std::string mlctl = prefix.file("bin/mlctl");
    const ProgramResult lists = runProgram(mlctl, {"--inhibit", "lists"});
    EXPECT_EQ(lists.status, 0) << lists.err;
    EXPECT_NE(lists.out.find("isANALOGRGB1"), std::string::npos) << lists.out;

    const std::vector<std::string> commands = mlctlCommands(runProgram(mlctl, {"--help"}).out);
    ASSERT_FALSE(commands.empty());

    // Completion reads the commands from the program and the operations and their
    // targets from the definitions, through the same link.
    const auto complete = [&](const std::string& words) {
        const std::string script = "source " + prefix.file("share/bash-completion/completions/mlctl") +
                                   "; COMP_WORDS=(" + mlctl + " " + words +
                                   "); COMP_CWORD=$((${#COMP_WORDS[@]} - 1));"
                                   " _mlctl; echo \"${COMPREPLY[*]}\"";
        return runProgram("/bin/bash", {"-c", script}).out;
    };
    std::string allCommands;
    for (const std::string& command : commands)
        allCommands += (allCommands.empty() ? "" : " ") + command;
    EXPECT_EQ(complete("''"), allCommands + "\n");
    EXPECT_EQ(complete("get op_BRIGHT"), "op_BRIGHTNESS\n");
    EXPECT_EQ(complete("set op_BRIGHTNESS ''"), "wnWIN_MAIN wnWIN_PIP\n");

    // Every manual renders without a warning; mlctl's names every command.
    const std::map<std::string, std::string> manEnv{
        {"LC_ALL", "C.UTF-8"}, {"MANROFFSEQ", ""}, {"MANWIDTH", "80"}};
    for (const char* program : {"mlcenter", "mlctl", "mlemu", "pgc"}) {
        const ProgramResult page = runProgram(
            "/usr/bin/man",
            {"--warnings", "-E", "UTF-8", "-l", prefix.file("share/man/man1/") + program + ".1"}, manEnv);
        EXPECT_EQ(page.status, 0) << program;
        EXPECT_EQ(page.err, "") << program;
        if (std::string(program) != "mlctl")
            continue;
        for (const std::string& command : commands) {
            EXPECT_NE(page.out.find("\n       " + command + " "), std::string::npos)
                << "mlctl(1) does not explain " << command;
        }
    }

    const ProgramResult desktop = runProgram(
        "/usr/bin/desktop-file-validate", {prefix.file("share/applications/com.marlune.mlcenter.desktop")});
    EXPECT_EQ(desktop.status, 0) << desktop.out << desktop.err;
    const ProgramResult metainfo =
        runProgram("/usr/bin/appstreamcli",
                   {"validate", "--no-net", prefix.file("share/metainfo/com.marlune.mlcenter.metainfo.xml")});
    EXPECT_EQ(metainfo.status, 0) << metainfo.out << metainfo.err;
}

} // namespace
