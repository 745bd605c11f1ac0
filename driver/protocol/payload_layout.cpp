#include "payload_layout.h"

#include <iterator>

namespace lv {

namespace {
const char* const kOpStepNames[] = {"?", "set", "get", "inc", "dec", "exec", "avail", "range"};
const char* const kVariableStepNames[] = {"?", "get", "set", "clear", "toggle"};
} // namespace

const char* opStepName(std::uint8_t step) {
    return step < std::size(kOpStepNames) ? kOpStepNames[step] : "?";
}

const char* variableStepName(std::uint8_t step) {
    return step < std::size(kVariableStepNames) ? kVariableStepNames[step] : "?";
}

} // namespace lv
