// What the core object needs from the driver binding, the synchronisation and the
// router. CoreDeviceServices provides it from the real parts; tests provide fakes.
#pragma once

#include "router/video_router.h"
#include "sync/device_sync.h"
#include "wall/match_lists.h"

namespace mlc {

class DeviceServices {
public:
    virtual ~DeviceServices() = default;

    // Loads the driver library; a failure is reported here, once.
    virtual void loadDriver() = 0;
    // Loads the twelve match-list pairs; false when the program must end after start-up.
    virtual bool loadMatchLists(MatchLists& lists) = 0;
    virtual void setTestMode(bool on) = 0;
    // Closes the serial port (result ignored) and opens the given one. Returns why
    // it did not open (the driver's message, which names the device), empty when it
    // opened or there is no driver; with showFailure that message is shown in a box
    // as well. Like the test mode and the router's configuration, refused (and told)
    // while a device exchange runs.
    virtual std::string reopenPort(int portNumber, bool showFailure) = 0;
    virtual bool configureRouter() = 0;
    virtual bool writeWall() = 0;
    // A wall write nobody watches (the sequencer's timer): its failures are
    // reported without a modal box.
    virtual bool writeWallUnattended() { return writeWall(); }
    // The last device operation ended on a failure of the serial port itself (a
    // USB adapter pulled, a line that hung up), not of a unit.
    virtual bool portFailed() const { return false; }
    // The video router the synchronisation drives: the dialogs list its inputs and commit.
    virtual VideoRouter& router() = 0;
    // The synchronisation options as the settings hold them now.
    virtual SyncOptions syncOptions() const = 0;
    // A device exchange is running (a wall write lets window messages through).
    virtual bool busy() const = 0;
    // Closes the serial port and unloads the driver library.
    virtual void shutDown() = 0;
};

} // namespace mlc
