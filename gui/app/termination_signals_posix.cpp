#include "app/termination_signals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace mlgui {

namespace {

constexpr std::array kSignals{SIGTERM, SIGINT, SIGHUP};

// The handler may only do async-signal-safe work: it writes the signal's number
// into a pipe that the event loop watches.
volatile int g_writeEnd = -1;

extern "C" void onTerminationSignal(int signal) {
    const int saved = errno;
    const auto byte = static_cast<unsigned char>(signal);
    if (g_writeEnd >= 0) [[maybe_unused]]
        const auto written = ::write(g_writeEnd, &byte, 1);
    errno = saved;
}

void setHandler(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    // A second request of the same kind ends the program at once, for when the
    // orderly end cannot come (an exchange that does not finish).
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (const int signal : kSignals)
        ::sigaction(signal, &action, nullptr);
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void(int)> onSignal, QObject* parent)
    : QObject(parent), onSignal_(std::move(onSignal)) {
    if (g_writeEnd >= 0 || ::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    g_writeEnd = pipe_[1];
    notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::readPending);
    setHandler(onTerminationSignal);
}

TerminationSignals::~TerminationSignals() {
    if (!notifier_)
        return;
    setHandler(SIG_DFL);
    g_writeEnd = -1;
    ::close(pipe_[0]);
    ::close(pipe_[1]);
}

void TerminationSignals::readPending() {
    unsigned char byte = 0;
    while (::read(pipe_[0], &byte, 1) == 1)
        if (onSignal_)
            onSignal_(byte);
}

} // namespace mlgui
