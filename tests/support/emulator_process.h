// Runs build/bin/mlemu as a child process for a test: a chain of emulated units
// on a pseudo-terminal whose link lies in a fresh temporary folder.
//
//   testsupport::EmulatorProcess emu("1-4,7");        // units 1 to 4 and 7
//   testsupport::ScopedEnv ports("LVDRIVER_PORTS", emu.link());  // point the driver at it
//   ... talk to the units ...
//   EXPECT_NE(emu.log().find("name=op_BRIGHTNESS"), std::string::npos);
//   std::string state = emu.state();                  // what the units hold now
//
// The constructor returns once mlemu listens; the destructor stops it (SIGTERM)
// and waits for it. Log and state formats are described in docs/mlemu.md.
//
// Under Wine (the Windows tests) mlemu runs natively through
// wine_native_helper.py, its link is a COM port of the Wine prefix and link()
// is that port's name ("COM3"), which is what LVDRIVER_PORTS takes there.
#pragma once

#include "paths.h"

#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

namespace testsupport {

class EmulatorProcess {
public:
    // ids: device IDs as mlemu's --ids takes them. extraArgs: further options, for
    // example {"--baud", "19200"} or {"--fault", "drop,unit=3,at=1"}. definitions:
    // the definition file, by default the compiled mlcenter.PGC in the bin folder.
    explicit EmulatorProcess(const std::string& ids, const std::vector<std::string>& extraArgs = {},
                             const std::string& definitions = binPath("mlcenter.PGC"));
    ~EmulatorProcess();
    EmulatorProcess(const EmulatorProcess&) = delete;
    EmulatorProcess& operator=(const EmulatorProcess&) = delete;

    const std::string& link() const { return link_; }         // symbolic link to the terminal
    const std::string& terminal() const { return terminal_; } // the terminal itself (/dev/pts/N)
    const std::string& logPath() const { return logPath_; }
    const std::string& statePath() const { return statePath_; }
    const std::string& banner() const { return banner_; } // the line mlemu printed at start
    pid_t pid() const { return pid_; }

    // The whole traffic log so far, and its lines that contain a text.
    std::string log() const;
    std::vector<std::string> logLines(const std::string& containing = "") const;
    // Asks mlemu for its state (SIGUSR1) and returns the file it writes. Packets the
    // host sent without waiting for an answer (to all units) may still be on their
    // way: one answered exchange first (select a present unit) makes sure they are in.
    std::string state();
    // Stops mlemu (SIGTERM) and returns its exit status; later calls return the same.
    int stop();

private:
    // The line mlemu printed at start: its terminal, or a throw when it did not start.
    void takeBanner(std::string banner);
    bool running() const;
    void requestState(); // asks for the state file (SIGUSR1)

    TempDir dir_;
    std::string link_;
    std::string terminal_;
    std::string logPath_;
    std::string statePath_;
    std::string banner_;
    pid_t pid_ = -1;
    int exitStatus_ = -1;
    struct Native; // under Wine: the helper that runs mlemu, the port its link takes
    std::unique_ptr<Native> native_;
};

// The value of key=value in a log or state line ("" when absent).
std::string fieldOf(const std::string& line, const std::string& key);

} // namespace testsupport
