// The network interface for control systems: serves the core's RemoteApi on the
// window's event loop while the settings ([Remote]) have it switched on.
//
// It starts once the window runs (the settings are read by then) and follows the
// preferences: a new address or port restarts the server, a new token counts from
// the next request on. A port that cannot be bound is reported once, and the
// program goes on without the interface until the settings change. Commands that
// change the wall wait while a dialog of the window is open; their messages reach
// the message log and the reply, never a box.
#pragma once

#include "app/core_device_services.h"
#include "main/main_actions.h"
#include "remote_api/remote_api.h"

#include <QObject>
#include <QPointer>

#include <optional>

namespace mlgui {

class MessageLog;
class OperatorRelay;
class RemoteApiServer;

struct RemoteApiContext {
    mlc::ControlCenter& center; // wall, lists, settings, sequencer, files
    mlc::CoreDeviceServices& devices;
    OperatorRelay& relay;   // where the window's messages go
    MessageLog& messageLog; // the reports a control system can read
    QObject& window;        // the server's parent
};

class RemoteApiController : public QObject, private mlc::RemoteHost {
    Q_OBJECT
public:
    RemoteApiController(const MainActions& actions, RemoteApiContext context);
    // The server goes first: no request reaches the core after this.
    ~RemoteApiController() override;

private:
    // Starts, restarts or stops the server as the settings say.
    void apply();

    // mlc::RemoteHost
    std::string refusal() const override;
    std::vector<mlc::ReportEntry> reportsAfter(std::int64_t number) const override;
    std::int64_t lastReportNumber() const override;
    void runUnattended(mlc::Operator& to, const std::function<void()>& command) override;

    RemoteApiContext context_;
    mlc::ChainCommands chain_;
    mlc::RemoteApi api_;
    QPointer<RemoteApiServer> server_;
    std::optional<mlc::RemoteSettings> tried_; // what the server was last started with
};

} // namespace mlgui
