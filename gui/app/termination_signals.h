// Turns the requests to end that come as signals (SIGTERM from a shutdown or a
// service manager, SIGINT from Ctrl+C in a terminal, SIGHUP when the terminal goes
// away) into a call on the event loop, so that the program ends as it does when
// the window closes: the wall, the sequence, the defaults and the settings are
// saved. Without it those signals end the process on the spot and the day's work
// since the last save is lost.
#pragma once

#include <QObject>

#include <functional>
#include <memory>

class QSocketNotifier;

namespace mlgui {

class TerminationSignals : public QObject {
public:
    // Only one may exist at a time: the signal handlers are process-wide.
    explicit TerminationSignals(std::function<void(int signal)> onSignal, QObject* parent = nullptr);
    ~TerminationSignals() override;

    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    bool installed() const { return notifier_ != nullptr; }

private:
    void readPending();

    std::function<void(int)> onSignal_;
    int pipe_[2] = {-1, -1};
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace mlgui
