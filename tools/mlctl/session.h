// Everything one mlctl run works with: the settings it read, the wall model, the
// plug-in binding with the match lists, the synchronisation and the chain commands.
// It is the control program's core, put together without windows.
#pragma once

#include "binding/driver_binding.h"
#include "command_line.h"
#include "files/settings_file.h"
#include "router/video_router.h"
#include "sync/chain_commands.h"
#include "sync/device_sync.h"
#include "terminal_operator.h"
#include "wall/match_lists.h"
#include "wall/wall_model.h"

#include <memory>
#include <string>

namespace mlctl {

// Exit statuses scripts can test.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1; // a device, file or router operation failed
inline constexpr int kExitUsage = 2;  // the command line or an input named something unusable

class Session {
public:
    Session(const CommandLine& line, TerminalOperator& op);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Reads the settings file (defaults when there is none). False with a message
    // when a named settings file cannot be read.
    bool readSettings();
    // Loads the plug-in (definitions: mlcenter.PGC beside mlctl unless
    // LVDRIVER_DEFINITIONS names another; --traffic turns on the plug-in's traffic
    // log) and the match lists; sets the test mode. False with a message when the
    // plug-in cannot be loaded or a match list fails.
    bool loadDriver();
    // Closes and reopens the chosen port. False after the driver's error box.
    bool openPort();
    void closePort();

    // Runs a command against the plug-in in test mode, so nothing reaches the line:
    // the plug-in checks names, targets and values. Returns its result code.
    template <typename Call> std::uint8_t dryRun(Call call) {
        binding_.SetTestMode(true);
        const std::uint8_t result = call();
        binding_.SetTestMode(inhibit());
        return result;
    }

    bool inhibit() const { return line_.inhibit || settings_.InhibitSerialCommunication; }
    int port() const { return line_.port.value_or(settings_.SerialPortNumber); }
    const std::string& settingsPath() const { return settingsPath_; }

    const CommandLine& line() const { return line_; }
    TerminalOperator& op() { return op_; }
    mlc::WallModel& model() { return model_; }
    mlc::MatchLists& lists() { return lists_; }
    mlc::ProgramSettings& settings() { return settings_; }
    mlc::DriverBinding& binding() { return binding_; }
    mlc::DeviceSync& sync() { return sync_; }
    mlc::ChainCommands& chain() { return chain_; }
    // Shows a driver result; true when it was a success.
    bool succeeded(std::uint8_t result) { return !binding_.ShowDriverResult(op_, result); }

private:
    const CommandLine& line_;
    TerminalOperator& op_;
    std::string settingsPath_;
    mlc::WallModel model_;
    mlc::MatchLists lists_;
    mlc::ProgramSettings settings_;
    mlc::SyncOptions syncOptions_;
    mlc::DriverBinding binding_;
    mlc::MatrixSwRouter router_;
    mlc::DeviceSync sync_;
    mlc::ChainCommands chain_;
};

// Prints "mlctl: <text>" on stderr: problems that are not the driver's.
void complain(const std::string& text);

} // namespace mlctl
