// The device services of the real program: the driver binding, the video router
// library and the device synchronisation, working on the core object's model.
#pragma once

#include "app/device_services.h"
#include "binding/driver_binding.h"
#include "files/settings_file.h"
#include "operator.h"
#include "router/video_router.h"
#include "sync/device_sync.h"

#include <memory>

namespace mlc {

class CoreDeviceServices final : public DeviceServices {
public:
    explicit CoreDeviceServices(Operator& op);
    ~CoreDeviceServices() override;

    // Connects the synchronisation to the core object's model, lists and settings;
    // call once, before start-up. The references must outlive this object.
    void attach(WallModel& wall, const MatchLists& lists, const ProgramSettings& settings);

    void loadDriver() override;
    bool loadMatchLists(MatchLists& lists) override;
    void setTestMode(bool on) override;
    std::string reopenPort(int portNumber, bool showFailure) override;
    bool configureRouter() override;
    bool writeWall() override;
    bool writeWallUnattended() override;
    bool portFailed() const override { return binding_.PortFailed(); }
    VideoRouter& router() override { return router_; }
    SyncOptions syncOptions() const override;
    bool busy() const override;
    void shutDown() override;

    // For the window's other device actions. The synchronisation reads the settings
    // when each exchange starts, whoever starts it.
    DriverBinding& binding() { return binding_; }
    DeviceSync& sync() { return *sync_; }

private:
    // Copies the router and link settings into what the synchronisation reads.
    void refreshOptions();

    Operator& op_;
    DriverBinding binding_;
    MatrixSwRouter router_;
    SyncOptions options_;
    const ProgramSettings* settings_ = nullptr;
    std::unique_ptr<DeviceSync> sync_;
};

} // namespace mlc
