// Keeps device exchanges from interleaving.
//
// Exchanges share the driver's current device selection. A long exchange (a wall
// write or read) lets pending window messages run between monitors, so a timer tick
// or a user command may try to start a second one meanwhile. That second one is
// refused: tryEnter() gives no scope while another scope is alive, and the caller
// returns false without touching the devices. An action the operator started is
// told so in one report (tryEnter(op), refuse(op): kExchangeBusyMessage in the status
// bar and the message log), never in a modal box, which would hold up the running
// exchange until it was closed. Callers that want to wait instead (the sequencer's
// timer) check busy() and try again on their next tick.
// Nothing that reconfigures the port, the driver or the router runs while busy().
#pragma once

#include "operator.h"

#include <optional>

namespace mlc {

// What an action refused for a running exchange says; the windows use it too.
inline constexpr const char* kExchangeBusyMessage =
    "Another device operation is still running. Try again when it has finished.";

class ExchangeGate {
public:
    class Scope {
    public:
        explicit Scope(ExchangeGate& gate) : gate_(&gate) { gate_->busy_ = true; }
        ~Scope() {
            if (gate_)
                gate_->busy_ = false;
        }
        Scope(Scope&& other) noexcept : gate_(other.gate_) { other.gate_ = nullptr; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
        Scope& operator=(Scope&&) = delete;

    private:
        ExchangeGate* gate_;
    };

    bool busy() const { return busy_; }
    // A scope that holds the gate, or nothing when an exchange is already running.
    std::optional<Scope> tryEnter() {
        if (busy_)
            return std::nullopt;
        return std::optional<Scope>(std::in_place, *this);
    }
    // The same for an action the operator started: a refusal is told.
    std::optional<Scope> tryEnter(Operator& op) {
        auto scope = tryEnter();
        if (!scope)
            reportRefusal(op);
        return scope;
    }
    // Tells the operator when an exchange runs; true then.
    bool refuse(Operator& op) const {
        if (busy_)
            reportRefusal(op);
        return busy_;
    }
    // How every refusal of an operator's action is told.
    static void reportRefusal(Operator& op) { op.report(MessageKind::Warning, kExchangeBusyMessage); }

private:
    bool busy_ = false;
};

} // namespace mlc
