// The ranges units gave for their operations, remembered per unit while the host
// asks for it (the added command SetRangeCacheStatus), so that a later percentage
// for the same unit, operation and target is scaled without another range query.
//
// Units of one chain can differ, so a range belongs to the device ID that was
// selected alone when it was read. The plug-in follows the selection through the
// sets of the device selection operation; when it cannot tell which single unit
// is listening (nothing selected yet, all units selected, a failed selection, a
// raw packet of the host's) nothing is looked up or remembered.
//
// Everything is forgotten when the switch is set (either way), when the port is
// opened or closed, after a factory reset, and after any exchange that failed.
#pragma once

#include "definitions.h"
#include "payload_layout.h"

#include <cstdint>
#include <map>
#include <optional>
#include <tuple>

namespace lv {

struct UnitRange {
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
};

class RangeCache {
public:
    // The operations the plug-in watches are found by name in the definitions.
    explicit RangeCache(const Definitions& definitions);

    void setEnabled(bool on);
    bool enabled() const { return enabled_; }
    void forget();

    // A command ran an operation to its end with the given result. Follows the
    // selection and forgets what a failure or a factory reset makes unsure.
    void noteOperation(const OperationDef& operation, OpStep step, std::int32_t value, std::uint8_t result);

    // The range remembered for the unit selected alone, if any.
    std::optional<UnitRange> find(std::uint16_t operation, std::uint32_t target) const;
    void remember(std::uint16_t operation, std::uint32_t target, UnitRange range);

private:
    const OperationDef* selection_;
    const OperationDef* factoryReset_;
    bool enabled_ = false;
    std::optional<std::uint8_t> unit_; // the device ID selected alone, when known
    std::map<std::tuple<std::uint8_t, std::uint16_t, std::uint32_t>, UnitRange> ranges_;
};

} // namespace lv
