// What the control program can send to one Marlune unit, and one monitor of the wall.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace mlc {

// Field order and sizes are those of the 168-byte record that wall, defaults and
// sequence files store (explicit little-endian serialisation lives with the files).
// "percentage" fields hold 0..100000; "index" fields are positions in the
// identifier list of a match list.
struct TMonitorSettings {
    double XPosition = 0.0; // left edge of the shown part, % of the input width
    double YPosition = 0.0;
    double XZoom = 100.0; // width of the shown part, % of the input width
    double YZoom = 100.0;
    std::uint8_t VideoMatrixSource = 0; // router input
    std::int32_t SourceInput = 0;       // index, input sources
    std::int32_t HSamplingPos = 50000;
    std::int32_t VSamplingPos = 50000;
    std::array<bool, 4> Termination{true, true, true, true}; // kept, never sent
    std::int32_t FrameLock = 0;                              // index, frame lock
    bool Freeze = false;
    std::int32_t Interpolation = 1; // index
    std::int32_t Brightness = 50000;
    std::int32_t Contrast = 50000;
    std::int32_t Sharpness = 50000;
    std::int32_t Filter = 0; // index, input filter
    std::int32_t Phase = 50000;
    std::int32_t Frequency = 50000;
    std::int32_t ColorTemperature = 0; // index
    std::int32_t RedUserTemp = 50000;
    std::int32_t GreenUserTemp = 50000;
    std::int32_t BlueUserTemp = 50000;
    std::int32_t Saturation = 50000;
    std::int32_t Hue = 50000;
    std::int32_t Gamma = 50000;
    std::int32_t ScalerMode = 0; // kept, never sent
    std::int32_t HStretch = 50000;
    std::int32_t VStretch = 50000;
    std::int32_t KeystoneMode = 0; // index
    std::int32_t Keystone = 50000;
    std::int32_t BlankColor = 0;  // index, screen colours ("scBLACK" by default)
    std::int32_t HD15Sync = 0;    // kept, never sent
    std::int32_t TestPattern = 0; // index ("tpTPRemove" by default)
    std::array<std::int32_t, 4> BindKey{0, 1, 5, 6};

    bool operator==(const TMonitorSettings&) const = default;
};

// Size of the stored record.
inline constexpr std::size_t kMonitorSettingsRecordSize = 168;

struct TWallMonitor {
    std::uint8_t Row = 1; // where the monitor was created, 1..16
    std::uint8_t Column = 1;
    std::uint8_t DeviceId = 11; // Row * 10 + Column until configured
    bool Synced = false;        // DeviceState holds what the unit holds
    TMonitorSettings Settings;
};

} // namespace mlc

// The in-memory record has the stored layout on the platforms we build for; the
// files still serialise field by field so that they never depend on it.
static_assert(sizeof(mlc::TMonitorSettings) == mlc::kMonitorSettingsRecordSize);
static_assert(offsetof(mlc::TMonitorSettings, SourceInput) == 36);
static_assert(offsetof(mlc::TMonitorSettings, Freeze) == 56);
static_assert(offsetof(mlc::TMonitorSettings, BindKey) == 148);
