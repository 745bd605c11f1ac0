// A small definition file for the emulator's tests, built in memory: the
// operations the units treat specially plus a few ordinary ones with known codes,
// ranges and lists.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace emutest {

// Codes of the test file.
enum : std::uint16_t {
    kSelect = 1,
    kSetQueue = 2,
    kExecuteQueue = 3,
    kMemorySelect = 4,
    kMemorySave = 5,
    kMemoryRestore = 6,
    kFactoryReset = 7,
    kRestart = 8,
    kBrightness = 10, // POT 0..255, targets wnWIN_MAIN (0) and wnWIN_PIP (1)
    kHue = 11,        // POT -50..50, no target
    kFreeze = 12,     // VALUE enNotEnabled 0 / enEnable 1, target wnWIN_MAIN
    kPipToggle = 13,  // TOGGLE
    kAutoAdjust = 14, // EXECUTE
    kEventNum0 = 100,
    kEventSettings = 101,
    kVariableMute = 5,
};

// The image of the file (as pgc would write it).
std::vector<std::uint8_t> testDefinitionsImage();
// Writes it to path.
void writeTestDefinitions(const std::string& path);

// A sealed packet on the wire: sync, type, length, checksum, payload.
std::vector<std::uint8_t> packet(std::uint8_t type, const std::vector<std::uint8_t>& payload);
// An operation packet (type 3, 25-byte payload).
std::vector<std::uint8_t> opPacket(std::uint8_t sub, std::uint16_t code, std::int32_t target = 0,
                                   std::int32_t value = 0, std::int32_t step = 0);
std::vector<std::uint8_t> selectPacket(int id);

} // namespace emutest
