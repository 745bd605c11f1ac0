#include "sync/chain_settings.h"

#include "dialogs/phase_text.h"

#include <memory>

namespace mlc {

ChainSettings::ChainSettings(DriverBinding& binding, Operator& op) : binding_(binding), op_(op) {}

bool ChainSettings::FactoryReset() {
    auto scope = binding_.Exchanges().tryEnter(op_);
    if (!scope || !binding_.IsLoaded())
        return false;
    binding_.SelectDevice(0);
    binding_.ExecuteOperation("op_DATA_MANAGER_RESET", "");
    binding_.ExecuteOperation("op_IP_MISC_RESET", "");
    return true;
}

bool ChainSettings::SetOutputResolution(const std::string& displayId) {
    if (displayId.empty())
        return false;
    auto scope = binding_.Exchanges().tryEnter(op_);
    if (!scope || !binding_.IsLoaded())
        return false;
    binding_.SelectDevice(0);
    binding_.SetOperationIdentifier("op_PANEL_SELECT", "", displayId);
    binding_.ExecuteOperation("op_IP_MISC_RESET", "");
    return true;
}

bool ChainSettings::SetLanguage(const std::string& languageId) {
    if (languageId.empty())
        return false;
    auto scope = binding_.Exchanges().tryEnter(op_);
    if (!scope || !binding_.IsLoaded())
        return false;
    binding_.SelectDevice(0);
    binding_.SetOperationIdentifier("op_LANGUAGE", "", languageId);
    binding_.SendEventByName("veSETTINGS");
    return true;
}

bool ChainSettings::SendVerticalPhase(std::uint16_t phase) {
    auto scope = binding_.Exchanges().tryEnter(op_);
    if (!scope || !binding_.IsLoaded())
        return false;
    // A packet record is 64 KiB: too large for the stack of a window's handler.
    auto packet = std::make_unique<Packet>();
    BuildPhasePacket(*packet, phase);
    binding_.SendPacket(*packet);
    return true;
}

} // namespace mlc
