// Keeps device exchanges from interleaving.
//
// Exchanges share the driver's current device selection. A long exchange (a wall
// write or read) lets pending window messages run between monitors, so a timer tick
// or a user command may try to start a second one meanwhile. That second one is
// refused: tryEnter() gives no scope while another scope is alive, and the caller
// returns false without touching the devices. Callers that want to wait instead
// (the sequencer) check busy() and try again on their next tick.
#pragma once

#include <optional>

namespace mlc {

// What a user command refused this way tells the operator.
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

private:
    bool busy_ = false;
};

} // namespace mlc
