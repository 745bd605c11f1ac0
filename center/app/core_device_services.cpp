#include "app/core_device_services.h"

#include "binding/driver_result.h"
#include "sync/match_list_loading.h"

namespace mlc {

CoreDeviceServices::CoreDeviceServices(Operator& op) : op_(op) {}

CoreDeviceServices::~CoreDeviceServices() = default;

void CoreDeviceServices::attach(WallModel& wall, const MatchLists& lists, const ProgramSettings& settings) {
    settings_ = &settings;
    sync_ = std::make_unique<DeviceSync>(wall, lists, binding_, router_, op_, options_);
}

void CoreDeviceServices::refreshOptions() {
    if (!settings_)
        return;
    options_.ActivateVideoRouter = settings_->ActivateVideoRouter;
    options_.InhibitSerialCommunication = settings_->InhibitSerialCommunication;
    options_.DisableSourceInfo = settings_->DisableSourceInfo;
}

void CoreDeviceServices::loadDriver() {
    if (!binding_.LoadDriverLibrary() && !binding_.IsLoaded())
        binding_.ReportLoadFailure(op_);
}

bool CoreDeviceServices::loadMatchLists(MatchLists& lists) {
    return LoadMatchLists(binding_, lists, op_);
}

void CoreDeviceServices::setTestMode(bool on) {
    // Without a driver there is nothing to switch; its absence was reported at load.
    if (binding_.IsLoaded())
        binding_.ShowDriverResult(op_, binding_.SetTestMode(on));
}

void CoreDeviceServices::reopenPort(int portNumber) {
    if (!binding_.IsLoaded())
        return;
    binding_.CloseHardwarePort();
    binding_.ShowDriverResult(op_, binding_.OpenHardwarePort(static_cast<std::uint32_t>(portNumber)));
}

bool CoreDeviceServices::configureRouter() {
    refreshOptions();
    return sync_ && sync_->ConfigureRouter();
}

bool CoreDeviceServices::writeWall() {
    refreshOptions();
    return sync_ && sync_->WriteWall();
}

bool CoreDeviceServices::busy() const {
    return sync_ && sync_->Busy();
}

void CoreDeviceServices::shutDown() {
    if (binding_.IsLoaded())
        binding_.CloseHardwarePort();
    binding_.UnloadDriverLibrary();
}

} // namespace mlc
