// Commands for the whole chain of units: the device memories, remote-control
// events and the probe of a newly connected wall. Each selects all units (or one
// unit after the other for the probe) and reports driver failures through
// ShowDriverResult; like every device exchange they are refused while another runs.
#pragma once

#include "binding/driver_binding.h"
#include "operator.h"
#include "sync/wall_detection.h"
#include "wall/wall_model.h"

#include <string>

namespace mlc {

inline constexpr int kMemoryCount = 16;

// "gc16CHANNEL1" .. "gc16CHANNEL16": the value identifier of a device memory.
std::string MemoryIdentifier(int memory);

class ChainCommands {
public:
    ChainCommands(WallModel& model, DriverBinding& binding, Operator& op);

    // Asks first; the units store their current settings into memory 1..16.
    bool MemoryStore(int memory);
    // The same without the question, for a caller that has decided already (a
    // command from the network).
    bool storeMemory(int memory);
    // The units bring back memory 1..16; the wall then needs a synchronisation.
    bool MemoryRecall(int memory);
    // Sends one remote-control event to all units.
    bool SendRemoteEvent(const std::string& event);
    // Selects IDs 1..99 one after the other with a progress window; present are
    // those whose selection succeeded twice (see ProbeWall). IDs that answered only
    // once are named in a warning. Empty when another exchange is running.
    ProbeResult DetectWall();
    // The grid shape for the units found, asking whether a horizontal wall should
    // be turned vertical (not asked for a square).
    WallShape ShapeWall(int found);

private:
    bool selectMemory(int memory);
    bool ok(std::uint8_t result);

    WallModel& model_;
    DriverBinding& binding_;
    Operator& op_;
};

} // namespace mlc
