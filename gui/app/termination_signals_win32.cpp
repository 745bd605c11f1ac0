#include "app/termination_signals.h"

namespace mlgui {

// Windows asks a window program to end through its window (end of session), which
// the toolkit turns into a close; there are no signals to watch.
TerminationSignals::TerminationSignals(std::function<void(int)> onSignal, QObject* parent)
    : QObject(parent), onSignal_(std::move(onSignal)) {}

TerminationSignals::~TerminationSignals() = default;

void TerminationSignals::readPending() {}

} // namespace mlgui
