// An in-process stand-in for the driver plug-in that records every call by name as
// one line of text and answers from a script. The binding reaches it through
// DriverBinding::BindExports, exactly as it reaches a loaded library.
#pragma once

#include "binding/driver_binding.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace fakeplugin {

struct Script {
    // Lines of the calls made, for example
    //   "SendOpSetValue op_BRIGHTNESS wnWIN_MAIN %50000"  (percentage)
    //   "SendOpSetValue op_SELECT_SOURCE wnWIN_MAIN isVIDEO1"  (identifier)
    //   "SendOpGetValue op_CONTRAST wnWIN_MAIN %"  /  "SendOpGetValue op_FREEZE_FRAME wnWIN_MAIN $"
    //   "SendOpExecute op_IP_MISC_SETQUEUE -"  ("-" for no target)
    //   "SetAnswerRxStatus 1"
    // Match list queries are answered but not recorded.
    std::vector<std::string> calls;
    // A call whose line equals a key returns that code (and records the line).
    std::map<std::string, std::uint8_t> failures;
    // Answers to gets, by "operation target" ("op_CONTRAST wnWIN_MAIN").
    std::map<std::string, std::int32_t> percents;
    std::map<std::string, std::string> identifiers;
    // Match lists: codes and descriptions.
    std::map<std::string, std::vector<std::pair<std::string, std::string>>> lists;
    std::string lastError;
};

// The one script the fake exports answer from; reset() clears it.
Script& script();
void reset();
mlc::DriverExports exports();

} // namespace fakeplugin
