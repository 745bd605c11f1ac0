// Wall detection on a port the operator chooses, as the wizard and the preferences
// dialog run it.
//
// The probe and the grid shaping are the chain commands' (sync/chain_commands.h).
// Around them this switches the driver to the chosen port with the serial link on,
// and back to the configured port with the link switch as it was, on every path:
// a port that cannot be opened, no unit answering, or a refusal.
//
// The configured port is open again before any message about the result is shown:
// a message box lets window messages run, and a sequence tick arriving then must
// find the port and the link switch as the rest of the program expects them. While
// the chosen port is open the exchange gate is held (the probe holds it itself),
// so no other exchange can reach the wrong port.
#pragma once

#include "binding/driver_binding.h"
#include "files/settings_file.h"
#include "operator.h"
#include "sync/wall_detection.h"
#include "wall/wall_model.h"

#include <functional>
#include <vector>

namespace mlc {

inline constexpr const char* kNoDevicesFoundWarning =
    "No devices found on the selected serial port!\r\nPlease verify connections and serial port settings "
    "then try again";
inline constexpr const char* kDevicesFoundSuffix = " Marlune devices found";

struct DetectionOutcome {
    enum class Status {
        NotRun,    // the chosen port did not open, or another exchange was running
        NoDevices, // the port opened and no unit answered
        Found,
    };
    Status status = Status::NotRun;
    std::vector<std::uint8_t> presentIds; // ascending
    WallShape shape;                      // as the operator confirmed it
    DetectedIds ids{};                    // for the cells of `shape`
};

// "COM1" .. "COMn".
std::vector<std::string> portNames(int count);
// The list position a port number selects: port - 1 when the list has it, else 0.
int portListIndex(int port, int count);

class WallAutodetect {
public:
    // References must outlive the object. The configured port and the link
    // switch are read from `settings` at each run.
    WallAutodetect(DriverBinding& binding, ProgramSettings& settings, WallModel& model, Operator& op);

    int portCount();
    // Called with true once the chosen port is open and the probe starts, with false
    // when it has ended and the configured port is back, before any result message.
    using ProbeHook = std::function<void(bool probing)>;
    // Probes IDs 1..99 on `port` under the progress window, then tells the operator
    // how many units answered and asks whether to turn the grid vertical.
    DetectionOutcome run(int port, const ProbeHook& probing = {});

private:
    DriverBinding& binding_;
    ProgramSettings& settings_;
    WallModel& model_;
    Operator& op_;
};

// Gives the cells of `shape` their detected IDs, in Monitors and DeviceState alike.
void applyDetectedIds(WallModel& model, const WallShape& shape, const DetectedIds& ids);

} // namespace mlc
