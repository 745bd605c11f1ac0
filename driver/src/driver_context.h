// The plug-in's process-wide state: created when the library is loaded, freed
// when it is unloaded.
#pragma once

#include "definitions.h"
#include "link.h"
#include "lvdriver.h"
#include "range_cache.h"
#include "serial_port.h"
#include "traffic_log.h"

#include <array>
#include <memory>
#include <string>

namespace lv {

struct DriverContext {
    DriverContext();
    ~DriverContext();

    std::unique_ptr<SerialPort> port;
    std::string portName = "COM1";
    PacketLink link;
    // What the units understand, read once from the definition file at load.
    Definitions definitions;
    // The ranges of the units, while the host has switched remembering them on.
    RangeCache rangeCache;
    // The packets decoded for the log LVDRIVER_TRAFFIC asks for and the host's
    // traffic tap; the link reports to it only while one of them listens.
    TrafficLog traffic;
    void setTrafficTap(LvTrafficTap tap, void* context);

    // The message of the last serial port failure, for GetLastErrorText.
    std::string lastError;

    // Blocks handed out for null cells. They stay the plug-in's and are reused, so
    // repeated calls do not grow memory: one info block, one block per command.
    std::unique_ptr<PluginInfo> infoBlock;
    std::array<std::unique_ptr<CommandDescription>, LV_COMMAND_COUNT> descriptionBlocks;
};

// Null only when the context could not be created at load time.
DriverContext* driverContext();

// The definition file to read: LVDRIVER_DEFINITIONS when set, else the host
// program's path with its extension replaced by ".PGC".
std::string definitionFilePath();

// The running program's file (its path on this platform), or empty.
std::string hostProgramPath();

// Opens port number n ("COMn"; see portDevicePath). Throws SerialPortError.
void openPortNumber(DriverContext& context, std::uint8_t number);

} // namespace lv
