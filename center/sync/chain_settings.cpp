#include "sync/chain_settings.h"

#include "dialogs/phase_text.h"
#include "wall/wall_state.h"

#include <memory>

namespace mlc {

ChainSettings::ChainSettings(WallModel& model, DriverBinding& binding, Operator& op)
    : model_(model), binding_(binding), op_(op) {}

std::optional<ExchangeGate::Scope> ChainSettings::enter() {
    if (!binding_.IsLoaded())
        return std::nullopt;
    return binding_.Exchanges().tryEnter(op_);
}

template <typename Send> bool ChainSettings::toAllUnits(Send send) {
    auto scope = enter();
    if (!scope)
        return false;
    binding_.SelectDevice(0);
    send();
    return true;
}

bool ChainSettings::FactoryReset() {
    return toAllUnits([this] {
        binding_.ExecuteOperation("op_DATA_MANAGER_RESET", "");
        binding_.ExecuteOperation("op_IP_MISC_RESET", "");
        // Whatever the units answered, the next write must send every field again.
        SetAllSynced(model_, false);
    });
}

bool ChainSettings::SetOutputResolution(const std::string& displayId) {
    return !displayId.empty() && toAllUnits([&] {
        binding_.SetOperationIdentifier("op_PANEL_SELECT", "", displayId);
        binding_.ExecuteOperation("op_IP_MISC_RESET", "");
    });
}

bool ChainSettings::SetLanguage(const std::string& languageId) {
    return !languageId.empty() && toAllUnits([&] {
        binding_.SetOperationIdentifier("op_LANGUAGE", "", languageId);
        binding_.SendEventByName("veSETTINGS");
    });
}

bool ChainSettings::SendVerticalPhase(std::uint16_t phase) {
    auto scope = enter();
    if (!scope)
        return false;
    // A packet record is 64 KiB: too large for the stack of a window's handler.
    auto packet = std::make_unique<Packet>();
    BuildPhasePacket(*packet, phase);
    binding_.SendPacket(*packet);
    return true;
}

} // namespace mlc
