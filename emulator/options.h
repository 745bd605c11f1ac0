// mlemu's command line.
#pragma once

#include "faults.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mlemu {

// --unit-range ID:OPERATION:MIN:MAX: unit ID is of another kind for that operation.
struct UnitRangeOption {
    int unit = 0;
    std::string operation;
    std::int32_t min = 0;
    std::int32_t max = 0;
};

struct Options {
    std::string definitions; // empty: mlcenter.PGC beside the program
    std::vector<int> ids;
    std::string link;
    std::string log;
    std::string state;
    int baud = 0;
    std::vector<FaultSpec> faults;
    std::vector<UnitRangeOption> unitRanges;
    std::uint64_t seed = 1;
    bool help = false;
};

std::optional<UnitRangeOption> parseUnitRange(const std::string& text, std::string& error);
std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& error);
const char* usageText();

} // namespace mlemu
