// mlemu's command line.
#pragma once

#include "faults.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mlemu {

struct Options {
    std::string definitions; // empty: mlcenter.PGC beside the program
    std::vector<int> ids;
    std::string link;
    std::string log;
    std::string state;
    int baud = 0;
    std::vector<FaultSpec> faults;
    std::uint64_t seed = 1;
    bool help = false;
};

std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& error);
const char* usageText();

} // namespace mlemu
