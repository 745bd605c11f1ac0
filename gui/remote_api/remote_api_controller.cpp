#include "remote_api/remote_api_controller.h"

#include "common/message_log.h"
#include "common/operator_relay.h"
#include "remote_api/remote_api_server.h"

#include <QApplication>
#include <QTimer>

#include <tuple>

namespace mlgui {

RemoteApiController::RemoteApiController(const MainActions& actions, RemoteApiContext context)
    : context_(context), chain_(context_.center.wall(), context_.devices.binding(), context_.relay),
      api_(mlc::RemoteProgram{context_.center, context_.devices.sync(), context_.devices.router(), chain_,
                              context_.relay, *this}) {
    // Queued: the settings are read once the window has been created, and the
    // preferences have been stored once their action has run.
    QTimer::singleShot(0, this, &RemoteApiController::apply);
    connect(actions.PreferencesACTN, &QAction::triggered, this, &RemoteApiController::apply,
            Qt::QueuedConnection);
}

RemoteApiController::~RemoteApiController() {
    delete server_;
}

void RemoteApiController::apply() {
    mlc::RemoteSettings& settings = context_.center.settings().Remote;
    // Made and stored at once: a control system configured with it must still get
    // in after the program ended without writing its settings.
    if (mlc::ensureRemoteToken(settings) || (settings.Enabled && tried_ && settings != *tried_))
        mlc::saveRemoteSettings(context_.center.settingsFileName(), settings);
    const auto where = [](const mlc::RemoteSettings& s) { return std::tuple(s.Enabled, s.Address, s.Port); };
    if (tried_ && where(*tried_) == where(settings)) {
        tried_ = settings;
        return;
    }
    tried_ = settings;
    if (server_) {
        // A request being answered may still be on the stack: the object goes later.
        server_->stop();
        server_->deleteLater();
    }
    if (!settings.Enabled)
        return;
    server_ = new RemoteApiServer([this](const mlc::HttpRequest& request) { return api_.handle(request); },
                                  &context_.window);
    QString error;
    if (!server_->start(QString::fromStdString(settings.Address), settings.Port, error)) {
        delete server_;
        context_.relay.report(mlc::MessageKind::Warning,
                              "The network interface for control systems cannot listen on " +
                                  settings.Address + ", port " + std::to_string(settings.Port) + ": " +
                                  error.toStdString() + ". It stays off until its settings change.");
    }
}

std::string RemoteApiController::refusal() const {
    if (QApplication::activeModalWidget())
        return "A dialog is open in the window. Try again when it has been closed.";
    return {};
}

std::vector<mlc::ReportEntry> RemoteApiController::reportsAfter(std::int64_t number) const {
    std::vector<mlc::ReportEntry> entries;
    for (const LoggedMessage& m : context_.messageLog.entries()) {
        if (m.number <= number)
            continue;
        const QDateTime time = m.time.toOffsetFromUtc(m.time.offsetFromUtc());
        entries.push_back({m.number, time.toString(Qt::ISODate).toStdString(), m.kind, m.text.toStdString()});
    }
    return entries;
}

std::int64_t RemoteApiController::lastReportNumber() const {
    return context_.messageLog.lastNumber();
}

void RemoteApiController::runUnattended(mlc::Operator& to, const std::function<void()>& command) {
    const OperatorRelay::Diversion diversion(context_.relay, to);
    command();
}

} // namespace mlgui
