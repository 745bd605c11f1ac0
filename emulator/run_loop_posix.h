// The single-threaded loop that moves bytes between the pseudo-terminal and the
// session, and turns signals into actions.
#pragma once

#include "session.h"

#include <functional>

namespace mlemu {

// Blocks SIGINT, SIGTERM and SIGUSR1 and returns a descriptor that reads them.
// Call before anything could send one, so none is lost or kills the process.
int takeOverSignals();

// Runs until SIGINT or SIGTERM arrives on signalFd; SIGUSR1 calls onStateRequest.
// Returns the signal that ended it.
int runLoop(int masterFd, int signalFd, Session& session, const std::function<void()>& onStateRequest);

} // namespace mlemu
