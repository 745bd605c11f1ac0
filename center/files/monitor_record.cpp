#include "files/monitor_record.h"

#include "files/byte_order.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace mlc {

using namespace bytes;

namespace {

// Offsets of the 32-bit integer fields from SourceInput on, in record order.
struct IntField {
    std::size_t offset;
    std::int32_t TMonitorSettings::*field;
};

constexpr std::array<IntField, 26> kIntFields{{
    {36, &TMonitorSettings::SourceInput},   {40, &TMonitorSettings::HSamplingPos},
    {44, &TMonitorSettings::VSamplingPos},  {52, &TMonitorSettings::FrameLock},
    {60, &TMonitorSettings::Interpolation}, {64, &TMonitorSettings::Brightness},
    {68, &TMonitorSettings::Contrast},      {72, &TMonitorSettings::Sharpness},
    {76, &TMonitorSettings::Filter},        {80, &TMonitorSettings::Phase},
    {84, &TMonitorSettings::Frequency},     {88, &TMonitorSettings::ColorTemperature},
    {92, &TMonitorSettings::RedUserTemp},   {96, &TMonitorSettings::GreenUserTemp},
    {100, &TMonitorSettings::BlueUserTemp}, {104, &TMonitorSettings::Saturation},
    {108, &TMonitorSettings::Hue},          {112, &TMonitorSettings::Gamma},
    {116, &TMonitorSettings::ScalerMode},   {120, &TMonitorSettings::HStretch},
    {124, &TMonitorSettings::VStretch},     {128, &TMonitorSettings::KeystoneMode},
    {132, &TMonitorSettings::Keystone},     {136, &TMonitorSettings::BlankColor},
    {140, &TMonitorSettings::HD15Sync},     {144, &TMonitorSettings::TestPattern},
}};

constexpr std::size_t kTerminationOffset = 48;
constexpr std::size_t kFreezeOffset = 56;
constexpr std::size_t kBindKeyOffset = 148;

} // namespace

void encodeMonitorSettings(const TMonitorSettings& s, std::uint8_t* out) {
    std::memset(out, 0, kMonitorSettingsRecordSize);
    putF64(out + 0, s.XPosition);
    putF64(out + 8, s.YPosition);
    putF64(out + 16, s.XZoom);
    putF64(out + 24, s.YZoom);
    out[32] = s.VideoMatrixSource;
    for (std::size_t k = 0; k < 4; ++k)
        out[kTerminationOffset + k] = s.Termination[k] ? 1 : 0;
    out[kFreezeOffset] = s.Freeze ? 1 : 0;
    for (const IntField& f : kIntFields)
        putI32(out + f.offset, s.*f.field);
    for (std::size_t k = 0; k < 4; ++k)
        putI32(out + kBindKeyOffset + 4 * k, s.BindKey[k]);
}

TMonitorSettings decodeMonitorSettings(const std::uint8_t* in) {
    TMonitorSettings s;
    s.XPosition = getF64(in + 0);
    s.YPosition = getF64(in + 8);
    s.XZoom = getF64(in + 16);
    s.YZoom = getF64(in + 24);
    s.VideoMatrixSource = in[32];
    for (std::size_t k = 0; k < 4; ++k)
        s.Termination[k] = in[kTerminationOffset + k] != 0;
    s.Freeze = in[kFreezeOffset] != 0;
    for (const IntField& f : kIntFields)
        s.*f.field = getI32(in + f.offset);
    for (std::size_t k = 0; k < 4; ++k)
        s.BindKey[k] = getI32(in + kBindKeyOffset + 4 * k);
    return s;
}

void decodeMonitorSettingsPrefix(const std::uint8_t* in, std::size_t available, TMonitorSettings& settings) {
    std::array<std::uint8_t, kMonitorSettingsRecordSize> record{};
    encodeMonitorSettings(settings, record.data());
    std::memcpy(record.data(), in, std::min(available, record.size()));
    settings = decodeMonitorSettings(record.data());
}

} // namespace mlc
