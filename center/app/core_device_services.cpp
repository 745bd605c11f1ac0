#include "app/core_device_services.h"

#include "binding/driver_result.h"
#include "sync/match_list_loading.h"

namespace mlc {

CoreDeviceServices::CoreDeviceServices(Operator& op) : op_(op) {}

CoreDeviceServices::~CoreDeviceServices() = default;

void CoreDeviceServices::attach(WallModel& wall, const MatchLists& lists, const ProgramSettings& settings) {
    settings_ = &settings;
    sync_ = std::make_unique<DeviceSync>(wall, lists, binding_, router_, op_, options_);
    sync_->setOptionsRefresh([this] { refreshOptions(); });
}

SyncOptions CoreDeviceServices::syncOptions() const {
    SyncOptions options;
    if (settings_) {
        options.ActivateVideoRouter = settings_->ActivateVideoRouter;
        options.InhibitSerialCommunication = settings_->InhibitSerialCommunication;
        options.DisableSourceInfo = settings_->DisableSourceInfo;
        options.QuickSync = settings_->QuickSync;
        options.CacheUnitRanges = settings_->CacheUnitRanges;
        options.VerifyWrites = settings_->VerifyWrites;
    }
    return options;
}

void CoreDeviceServices::refreshOptions() {
    if (settings_)
        options_ = syncOptions();
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
    if (binding_.IsLoaded() && !binding_.Exchanges().refuse(op_))
        binding_.ShowDriverResult(op_, binding_.SetTestMode(on));
}

std::string CoreDeviceServices::reopenPort(int portNumber, bool showFailure) {
    if (!binding_.IsLoaded() || binding_.Exchanges().refuse(op_))
        return {};
    binding_.CloseHardwarePort();
    std::string failure =
        binding_.ResultMessage(binding_.OpenHardwarePort(static_cast<std::uint32_t>(portNumber)));
    if (showFailure && !failure.empty())
        op_.showMessage(MessageKind::Error, failure);
    return failure;
}

bool CoreDeviceServices::configureRouter() {
    return sync_ && sync_->ConfigureRouter();
}

bool CoreDeviceServices::writeWall() {
    return sync_ && sync_->WriteWall();
}

bool CoreDeviceServices::writeWallUnattended() {
    if (!sync_)
        return false;
    DeviceSync::Unattended unattended(*sync_);
    return sync_->WriteWall();
}

bool CoreDeviceServices::busy() const {
    return sync_ && sync_->Busy();
}

void CoreDeviceServices::shutDown() {
    // The driver stays while an exchange still runs on it.
    if (binding_.Exchanges().busy())
        return;
    if (binding_.IsLoaded())
        binding_.CloseHardwarePort();
    binding_.UnloadDriverLibrary();
}

} // namespace mlc
