#include "sync/field_values.h"

#include "wall/enlargement.h"

namespace mlc {

std::optional<DeviceValue> deviceValueOf(const MonitorField& field, const TMonitorSettings& settings,
                                         const MatchLists& lists) {
    switch (field.value) {
    case FieldValue::Percent:
        return integerOf(field, settings);
    case FieldValue::Listed:
        // A position the list has no entry for is never read.
        if (const std::string* id = (lists.*field.list).idAt(integerOf(field, settings)))
            return *id;
        return std::nullopt;
    case FieldValue::Switch:
        return std::string(settings.*field.flag ? kSwitchOn : kSwitchOff);
    case FieldValue::Zoom:
        if (const auto value = ZoomToDevice(settings.*field.real))
            return *value;
        return std::nullopt;
    case FieldValue::Pan:
        return PanToDevice(settings.*field.zoom, settings.*field.real);
    }
    return std::nullopt;
}

} // namespace mlc
