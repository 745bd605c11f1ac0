// What a monitor field puts on the line: the identifier or the percentage its
// value becomes, the form the units are set and read in.
#pragma once

#include "sync/monitor_fields.h"
#include "wall/match_lists.h"
#include "wall/monitor_settings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace mlc {

using DeviceValue = std::variant<std::string, std::int32_t>; // identifier or percentage

// The value a field of a record is sent as; nothing when it has none the units
// understand (a list position without an identifier, a zoom of 0).
std::optional<DeviceValue> deviceValueOf(const MonitorField& field, const TMonitorSettings& settings,
                                         const MatchLists& lists);

} // namespace mlc
