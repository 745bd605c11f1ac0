// The network interface for control systems, without the server: a request comes
// in, the reply goes out. Every command runs on the caller's thread through the
// same core calls as the window's menu actions and dialogs.
//
// - Reads of state are always answered. A command that changes the wall or talks
//   to the units is refused (409, with the reason) while a device exchange runs or
//   the host says it must wait (a dialog of the window is open), and changes nothing.
// - A command never waits for a person: its messages go to a CommandOperator (the
//   message log, and the reply: 502 with the driver's "ERROR ($05): ..." line when a
//   unit failed). Opening a file over unsaved changes discards them, and says so
//   in the message log: the control system's request is the decision.
// - Files are names inside the program folder, nowhere else.
// - A successful command replies with the monitor it changed (PATCH) or with the
//   program's status.
#pragma once

#include "app/control_center.h"
#include "remote_api/command_operator.h"
#include "remote_api/http_exchange.h"
#include "remote_api/replies.h"
#include "remote_api/request_routing.h"
#include "router/video_router.h"
#include "sync/chain_commands.h"
#include "sync/device_sync.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace mlc {

// What the interface needs from the window around the core.
class RemoteHost {
public:
    virtual ~RemoteHost() = default;
    // Why commands that change the wall must wait now besides a device exchange
    // (a dialog of the window is open), or empty.
    virtual std::string refusal() const = 0;
    // The message log's entries numbered above `number`, oldest first.
    virtual std::vector<ReportEntry> reportsAfter(std::int64_t number) const = 0;
    virtual std::int64_t lastReportNumber() const = 0;
    // Runs `command` with every message and question the program would show going
    // to `to` instead.
    virtual void runUnattended(Operator& to, const std::function<void()>& command) = 0;
};

struct RemoteProgram {
    ControlCenter& center; // wall, lists, settings, sequencer, files, caption
    DeviceSync& sync;
    VideoRouter& router;
    ChainCommands& chain;
    Operator& op; // the window's: reports and the progress window
    RemoteHost& host;
};

class RemoteApi {
public:
    explicit RemoteApi(RemoteProgram program) : p_(program) {}

    // Checks the request against the token in the settings, then runs its route.
    HttpReply handle(const HttpRequest& request);

private:
    using Command = std::function<HttpReply(const CommandOperator&)>;

    HttpReply run(const RoutedRequest& request);
    HttpReply monitors() const;
    HttpReply changeMonitor(const RoutedRequest& request);
    // A wall file (Open with a wall file: loaded and sent) or a sequence file.
    HttpReply openFile(const RoutedRequest& request, bool wall);
    HttpReply resyncWall();
    HttpReply memory(const RoutedRequest& request, bool store);
    HttpReply sendEvent(const RoutedRequest& request);
    HttpReply playSequence(bool play);
    HttpReply executeItem(const RoutedRequest& request);
    HttpReply reports(const RoutedRequest& request) const;

    // Runs a command that changes the wall or talks to the units: refused while it
    // must wait, unattended, then the window shows the outcome.
    HttpReply changing(const Command& command);
    // 200 with the status, or 502 with what the command said.
    HttpReply outcome(bool done, const CommandOperator& op);
    std::string refusal() const;
    ProgramStatus status() const;
    bool inWall(int column, int row) const;
    std::string programFile(const std::string& name) const { return p_.center.programDir() + name; }

    RemoteProgram p_;
};

} // namespace mlc
