// Chain-wide settings of the units (factory reset, output resolution, on-screen
// language) and the phase editor's service packet.
//
// Each settings command selects all units and sends without asking and without
// looking at the driver's results: a closed port or an empty chain gives no
// message. Like every device exchange they are refused while another runs (a wall
// write letting window messages through), so they never interleave with one; the
// operator is told so in one message.
#pragma once

#include "binding/driver_binding.h"
#include "operator.h"
#include "wall/wall_model.h"

#include <cstdint>
#include <optional>
#include <string>

namespace mlc {

// Each returns false when nothing was sent (no driver, another exchange running,
// no identifier) and true when it was sent, whatever the units answered.
class ChainSettings {
public:
    ChainSettings(WallModel& model, DriverBinding& binding, Operator& op);

    // The units return to their factory values and empty their memories, then
    // restart. What the wall knows of the units no longer holds: every monitor
    // needs a synchronisation (the caption is the caller's).
    bool FactoryReset();
    // Sets the output resolution (an identifier of the output display list), then
    // restarts the units so that they take it.
    bool SetOutputResolution(const std::string& displayId);
    // Sets the on-screen language (an identifier of the language list), then opens
    // the units' settings menu so that they show it.
    bool SetLanguage(const std::string& languageId);
    // Hands the vertical lock phase packet to the driver as it is, to whoever the
    // current selection addresses.
    bool SendVerticalPhase(std::uint16_t phase);

private:
    // The exchange gate, or nothing without a driver or while another exchange
    // runs (the operator is told so).
    std::optional<ExchangeGate::Scope> enter();
    // Selects all units and runs `send`, unless the exchange is refused.
    template <typename Send> bool toAllUnits(Send send);

    WallModel& model_;
    DriverBinding& binding_;
    Operator& op_;
};

} // namespace mlc
