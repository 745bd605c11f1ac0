#include "range_cache.h"

#include "lvdriver.h"

namespace lv {

RangeCache::RangeCache(const Definitions& definitions)
    : selection_(definitions.findOperation("op_IP_MISC_DEVICESELECTION")),
      factoryReset_(definitions.findOperation("op_DATA_MANAGER_RESET")) {}

void RangeCache::setEnabled(bool on) {
    enabled_ = on;
    forget();
}

void RangeCache::forget() {
    ranges_.clear();
    unit_.reset();
}

void RangeCache::noteOperation(const OperationDef& operation, OpStep step, std::int32_t value,
                               std::uint8_t result) {
    if (result != LV_RESULT_DEVICE_OK) {
        forget();
        return;
    }
    if (&operation == factoryReset_ && step == OpStep::Execute) {
        forget();
    } else if (&operation == selection_ && step == OpStep::Set) {
        // 0 selects every unit; several could answer, none is the one to key by.
        if (value >= 1 && value <= 255)
            unit_ = static_cast<std::uint8_t>(value);
        else
            unit_.reset();
    }
}

std::optional<UnitRange> RangeCache::find(std::uint16_t operation, std::uint32_t target) const {
    if (!enabled_ || !unit_)
        return std::nullopt;
    const auto found = ranges_.find({*unit_, operation, target});
    if (found == ranges_.end())
        return std::nullopt;
    return found->second;
}

void RangeCache::remember(std::uint16_t operation, std::uint32_t target, UnitRange range) {
    if (enabled_ && unit_)
        ranges_[{*unit_, operation, target}] = range;
}

} // namespace lv
