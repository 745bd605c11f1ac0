// Every monitor setting the units hold, written once: the operation and target it
// travels with, how its value is formed, the match list of a list position and
// the input sources it applies to. The wall write, the read-back and the
// definitions contract test all walk this table.
//
// Order is the order on the line. A write sends the bound keys, opens the unit's
// queue, then the picture settings and the enlargement; a read takes the picture
// settings, then the bound keys, then the enlargement.
//
// Termination, ScalerMode, HStretch, VStretch and HD15Sync are stored in the files
// but have no operation: they are never sent nor read.
#pragma once

#include "wall/match_lists.h"
#include "wall/monitor_settings.h"

#include <cstdint>
#include <span>

namespace mlc {

// How the value of a field reaches the unit.
enum class FieldValue : std::uint8_t {
    Percent, // the integer field as a percentage value
    Listed,  // the identifier at the field's position in its match list
    Switch,  // a flag: "enEnable" or "enNotEnabled"
    Zoom,    // the device's zoom value for a zoom in percent of the picture
    Pan,     // the device's pan value for a position, which depends on the zoom
};

enum class FieldGroup : std::uint8_t {
    Keys,        // written before the unit's queue opens
    Picture,     // input and picture settings
    Enlargement, // zoom and pan
};

// Which input sources a field is sent for (or read for).
enum class ForSource : std::uint8_t { Any, AnalogRgb, Video };

inline constexpr const char* kSwitchOn = "enEnable";
inline constexpr const char* kSwitchOff = "enNotEnabled";

struct MonitorField {
    const char* name;      // the setting's name in messages: "Brightness", "BindKey1"
    const char* operation; // "op_BRIGHTNESS"
    const char* target;    // "" when sent without one
    FieldValue value;
    FieldGroup group;
    ForSource sentFor = ForSource::Any;
    ForSource readFor = ForSource::Any;
    std::int32_t TMonitorSettings::*integer = nullptr; // Percent, Listed (not bound keys)
    int bindKey = -1;                                  // Listed: 0..3 for BindKey[k]
    MatchListPair MatchLists::*list = nullptr;         // Listed
    bool TMonitorSettings::*flag = nullptr;            // Switch
    double TMonitorSettings::*real = nullptr;          // Zoom: the zoom; Pan: the position
    double TMonitorSettings::*zoom = nullptr;          // Pan: the zoom it depends on
};

namespace fields {

using S = TMonitorSettings;
using L = MatchLists;
inline constexpr const char* kMain = "wnWIN_MAIN";
inline constexpr const char* kNone = "";

constexpr MonitorField percent(const char* name, const char* op, const char* target, std::int32_t S::*field,
                               ForSource sent = ForSource::Any, ForSource read = ForSource::Any) {
    return {.name = name,
            .operation = op,
            .target = target,
            .value = FieldValue::Percent,
            .group = FieldGroup::Picture,
            .sentFor = sent,
            .readFor = read,
            .integer = field};
}
constexpr MonitorField listed(const char* name, const char* op, const char* target, std::int32_t S::*field,
                              MatchListPair L::*list, ForSource sent = ForSource::Any) {
    return {.name = name,
            .operation = op,
            .target = target,
            .value = FieldValue::Listed,
            .group = FieldGroup::Picture,
            .sentFor = sent,
            .readFor = sent,
            .integer = field,
            .list = list};
}
constexpr MonitorField flag(const char* name, const char* op, const char* target, bool S::*field) {
    return {.name = name,
            .operation = op,
            .target = target,
            .value = FieldValue::Switch,
            .group = FieldGroup::Picture,
            .flag = field};
}
constexpr MonitorField bindKey(const char* name, const char* target, int key) {
    return {.name = name,
            .operation = "op_IP_MISC_BINDKEY",
            .target = target,
            .value = FieldValue::Listed,
            .group = FieldGroup::Keys,
            .bindKey = key,
            .list = &L::InputSources};
}
constexpr MonitorField zoom(const char* name, const char* op, double S::*field) {
    return {.name = name,
            .operation = op,
            .target = kNone,
            .value = FieldValue::Zoom,
            .group = FieldGroup::Enlargement,
            .real = field};
}
constexpr MonitorField pan(const char* name, const char* op, double S::*position, double S::*zoomField) {
    return {.name = name,
            .operation = op,
            .target = kNone,
            .value = FieldValue::Pan,
            .group = FieldGroup::Enlargement,
            .real = position,
            .zoom = zoomField};
}

constexpr ForSource kRgb = ForSource::AnalogRgb;
constexpr ForSource kVideo = ForSource::Video;

inline constexpr MonitorField kTable[] = {
    bindKey("BindKey1", "gc8CHANNEL1", 0),
    bindKey("BindKey2", "gc8CHANNEL2", 1),
    bindKey("BindKey3", "gc8CHANNEL3", 2),
    bindKey("BindKey4", "gc8CHANNEL4", 3),
    listed("SourceInput", "op_SELECT_SOURCE", kMain, &S::SourceInput, &L::InputSources),
    percent("HSamplingPos", "op_HORZ_POSITION", kMain, &S::HSamplingPos, kRgb, kRgb),
    percent("VSamplingPos", "op_VERT_POSITION", kMain, &S::VSamplingPos, kRgb, kRgb),
    flag("Freeze", "op_FREEZE_FRAME", kMain, &S::Freeze),
    listed("FrameLock", "op_IP_MISC_GPO", "gc8CHANNEL8", &S::FrameLock, &L::FrameLock),
    listed("Interpolation", "op_INTERPOLATIONTYPE", kMain, &S::Interpolation, &L::Interpolation),
    percent("Brightness", "op_BRIGHTNESS", kMain, &S::Brightness),
    percent("Contrast", "op_CONTRAST", kMain, &S::Contrast),
    percent("Sharpness", "op_SHARPNESS", kMain, &S::Sharpness, kVideo, kVideo),
    listed("Filter", "op_FILTER_SELECT", kNone, &S::Filter, &L::InputFilter, kRgb),
    percent("Phase", "op_PHASE", kMain, &S::Phase, kRgb, kRgb),
    percent("Frequency", "op_HORZ_TOTAL", kMain, &S::Frequency, kRgb, kRgb),
    listed("ColorTemperature", "op_COLOR_TEMP", kNone, &S::ColorTemperature, &L::ColorTemp),
    percent("RedUserTemp", "op_RED_TEMP", kNone, &S::RedUserTemp),
    percent("GreenUserTemp", "op_GREEN_TEMP", kNone, &S::GreenUserTemp),
    percent("BlueUserTemp", "op_BLUE_TEMP", kNone, &S::BlueUserTemp),
    // Saturation and hue are sent for video inputs only but read back for every input.
    percent("Saturation", "op_SATURATION", kMain, &S::Saturation, kVideo, ForSource::Any),
    percent("Hue", "op_HUE", kMain, &S::Hue, kVideo, ForSource::Any),
    percent("Gamma", "op_IP_MISC_GAMMACONTINUOUS", kNone, &S::Gamma),
    listed("KeystoneMode", "op_KEYSTONE_MODE", kMain, &S::KeystoneMode, &L::KeystoningMode),
    percent("Keystone", "op_KEYSTONE", kMain, &S::Keystone),
    listed("BlankColor", "op_BLANK_DISPLAY_COLOR", kNone, &S::BlankColor, &L::ScreenColors),
    listed("TestPattern", "op_TEST_PATTERN", kNone, &S::TestPattern, &L::TestPattern),
    zoom("XZoom", "op_IP_MISC_HZOOM", &S::XZoom),
    zoom("YZoom", "op_IP_MISC_VZOOM", &S::YZoom),
    pan("XPosition", "op_IP_MISC_HPAN", &S::XPosition, &S::XZoom),
    pan("YPosition", "op_IP_MISC_VPAN", &S::YPosition, &S::YZoom),
};

} // namespace fields

inline constexpr std::span<const MonitorField> kMonitorFields{fields::kTable};

// The integer a Percent or Listed field stores.
inline std::int32_t& integerOf(const MonitorField& field, TMonitorSettings& settings) {
    return field.bindKey >= 0 ? settings.BindKey[static_cast<std::size_t>(field.bindKey)]
                              : settings.*field.integer;
}
inline std::int32_t integerOf(const MonitorField& field, const TMonitorSettings& settings) {
    return field.bindKey >= 0 ? settings.BindKey[static_cast<std::size_t>(field.bindKey)]
                              : settings.*field.integer;
}

// Whether two records differ in a field (floating-point values exactly).
inline bool fieldDiffers(const MonitorField& field, const TMonitorSettings& a, const TMonitorSettings& b) {
    switch (field.value) {
    case FieldValue::Percent:
    case FieldValue::Listed:
        return integerOf(field, a) != integerOf(field, b);
    case FieldValue::Switch:
        return a.*field.flag != b.*field.flag;
    case FieldValue::Zoom:
    case FieldValue::Pan:
        return a.*field.real != b.*field.real;
    }
    return false;
}

// Copies one field from one record into another.
inline void copyField(const MonitorField& field, const TMonitorSettings& from, TMonitorSettings& to) {
    switch (field.value) {
    case FieldValue::Percent:
    case FieldValue::Listed:
        integerOf(field, to) = integerOf(field, from);
        break;
    case FieldValue::Switch:
        to.*field.flag = from.*field.flag;
        break;
    case FieldValue::Zoom:
    case FieldValue::Pan:
        to.*field.real = from.*field.real;
        break;
    }
}

} // namespace mlc
